#include "settings/StoreForwarding.h"

#include "devices/keyboards/IBX310V2ProfileCfg.h"
#include "devices/keyboards/IBX330V2ProfileCfg.h"
#include "devices/keyboards/IKR720ProfileCfg.h"
#include "devices/keyboards/ITL460ProfileCfg.h"
#include "devices/keyboards/ITL480ProfileCfg.h"
#include "devices/keypad/IKeydeckProfileCfg.h"
#include "devices/mice/IPR260ProfileCfg.h"
#include "devices/mice/IPR261ProfileCfg.h"
#include "devices/mice/IPR940ProfileCfg.h"
#include "devices/mice/IPR941ProfileCfg.h"

namespace prefbook {
namespace {

// Hooks for a store that serves one model through I::Instance(): the names, executables and the two
// store-wide paths, which every serving store answers. The options add what only some stores do.
// Each hook reaches Instance() only when called, so a store is created by its first forwarded call.
template <class I>
struct OneModelStore : ServingStore {
    explicit OneModelStore(const char* modelName) : ServingStore{} {
        model = modelName;
        profileName = [](DeviceType, int idx) -> const std::string& {
            return I::Instance().GetProfileName(idx);
        };
        setProfileName = [](DeviceType, int idx, const std::string& name) {
            I::Instance().SetProfileName(idx, name);
        };
        profileExe = [](DeviceType, int idx) -> const std::string& {
            return I::Instance().GetProfileExe(idx);
        };
        setProfileExe = [](DeviceType, int idx, const std::string& exe) {
            I::Instance().SetProfileExe(idx, exe);
        };
        openExePath = [](DeviceType) -> const QString& { return I::Instance().GetOpenExePath(); };
        setOpenExePath = [](DeviceType, const QString& path) { I::Instance().SetOpenExePath(path); };
        exportPath = [](DeviceType) -> const QString& { return I::Instance().GetExportPath(); };
        setExportPath = [](DeviceType, const QString& path) { I::Instance().SetExportPath(path); };
    }
    // ReadProfileNum answers with GetProfileNum ...
    OneModelStore& CountsProfiles() {
        profileNum = [](DeviceType) { return static_cast<int>(I::Instance().GetProfileNum()); };
        return *this;
    }
    // ... or, for the stores that count records rather than profiles, with GetRecordCount.
    OneModelStore& CountsRecords() {
        profileNum = [](DeviceType) { return static_cast<int>(I::Instance().GetRecordCount()); };
        return *this;
    }
    // The list form of ReadProfileName.
    OneModelStore& ListsNames() {
        profileNameList = [](DeviceType, QStringList& names) { I::Instance().GetProfileNameList(names); };
        return *this;
    }
    OneModelStore& SavesAtOnce() {
        saveAtOnce = [](DeviceType) { return I::Instance().SaveProfile(); };
        return *this;
    }
};

// Hooks for a store serving several types that takes the type as the first argument of every call
// (the keypad): as above, plus the default-configuration file.
template <class I>
struct PerTypeStore : ServingStore {
    explicit PerTypeStore(const char* modelName) : ServingStore{} {
        model = modelName;
        profileName = [](DeviceType t, int idx) -> const std::string& {
            return I::Instance().GetProfileName(t, idx);
        };
        setProfileName = [](DeviceType t, int idx, const std::string& name) {
            I::Instance().SetProfileName(t, idx, name);
        };
        profileExe = [](DeviceType t, int idx) -> const std::string& {
            return I::Instance().GetProfileExe(t, idx);
        };
        setProfileExe = [](DeviceType t, int idx, const std::string& exe) {
            I::Instance().SetProfileExe(t, idx, exe);
        };
        openExePath = [](DeviceType t) -> const QString& { return I::Instance().GetOpenExePath(t); };
        setOpenExePath = [](DeviceType t, const QString& path) { I::Instance().SetOpenExePath(t, path); };
        exportPath = [](DeviceType t) -> const QString& { return I::Instance().GetExportPath(t); };
        setExportPath = [](DeviceType t, const QString& path) { I::Instance().SetExportPath(t, path); };
        defaultFile = [](DeviceType t, QString& path) { return I::Instance().CreateDefaultFile(t, path); };
    }
};

}  // namespace

// Which store serves which device type: the one table the forwarding operations and prefbookctl read.
//
// A store joins with one entry: include its interface above, build its hooks next to the others,
// with OneModelStore<IModel>("MODEL") and the options it answers (CountsProfiles or CountsRecords
// for ReadProfileNum, ListsNames for the list form of ReadProfileName, SavesAtOnce when executable
// and path changes must reach the disk at once), or PerTypeStore<IModel>("MODEL") for a store that
// takes the device type first; then point its types' slots at it. The interface must offer
// GetProfileName, SetProfileName, GetProfileExe, SetProfileExe, GetOpenExePath, SetOpenExePath,
// GetExportPath and SetExportPath, plus whatever its options call. "MODEL" is the name prefbookctl
// shows the store under; a test checks both lists agree.
//
const ServingStore* StoreServing(int type) {
    static const ServingStore kKR720 = OneModelStore<IKR720ProfileCfg>("KR720").CountsRecords();
    static const ServingStore kTL480 =
        OneModelStore<ITL480ProfileCfg>("TL480").CountsProfiles().ListsNames().SavesAtOnce();
    static const ServingStore kTL460 =
        OneModelStore<ITL460ProfileCfg>("TL460").CountsProfiles().ListsNames().SavesAtOnce();
    static const ServingStore kBX310V2 =
        OneModelStore<IBX310V2ProfileCfg>("BX310V2").CountsRecords().SavesAtOnce();
    static const ServingStore kBX330V2 =
        OneModelStore<IBX330V2ProfileCfg>("BX330V2").CountsRecords().SavesAtOnce();
    static const ServingStore kPR940 = OneModelStore<IPR940ProfileCfg>("PR940").CountsProfiles().ListsNames();
    // One store serves both keypad variants; each type keeps the name prefbookctl shows it under.
    static const ServingStore kKeydeckG = PerTypeStore<IKeydeckProfileCfg>("KEYDECK_G");
    static const ServingStore kKeydeckC = PerTypeStore<IKeydeckProfileCfg>("KEYDECK_C");

    static const ServingStore kPR260 = OneModelStore<IPR260ProfileCfg>("PR260");
    static const ServingStore kPR261 = OneModelStore<IPR261ProfileCfg>("PR261");
    static const ServingStore kPR941 = OneModelStore<IPR941ProfileCfg>("PR941");

    static const ServingStore* const kServedBy[kDeviceTypeCount] = {
        &kKR720,                                   // 0 KR720
        &kTL480,    &kTL480,                       // 1 TL480B, 2 TL480W
        &kTL460,    &kTL460,                       // 3 TL460B, 4 TL460W
        &kBX310V2,  &kBX330V2,                     // 5 BX310 V2, 6 BX330 V2
        &kPR940,                                   // 7 PR940
        &kPR260,    &kPR261,    &kPR941,           // 8 PR260, 9 PR261, 10 PR941
        nullptr,    nullptr,    nullptr, nullptr,  // 11-14: audio stores are not asked
        nullptr,    nullptr,    nullptr, nullptr,  // 15-18: mouse pads are not asked
        &kKeydeckG, &kKeydeckC,                    // 19 KEYDECK_G, 20 KEYDECK_C
        nullptr,    nullptr,    nullptr, nullptr,  // 21-24: text lights and ZN205 are not asked
    };
    return type >= 0 && type < kDeviceTypeCount ? kServedBy[type] : nullptr;
}

}  // namespace prefbook
