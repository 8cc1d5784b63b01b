#pragma once

#include <QString>
#include <QVector>
#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <utility>

#include "devices/keyboards/BXDocument.h"
#include "devices/keyboards/IBX310V2ProfileCfg.h"
#include "devices/keyboards/IBX330V2ProfileCfg.h"
#include "profilecore/ImportedSlot.h"
#include "profilecore/MacroModel.h"
#include "profilecore/ProfileFolder.h"

namespace prefbook {

struct BX310V2Traits {
    using Interface = IBX310V2ProfileCfg;
    static BXModel Model() {
        return {5, QLatin1String("bx310V2"), QLatin1String("BX310V2"), kBX310V2FilterWidth};
    }
};

struct BX330V2Traits {
    using Interface = IBX330V2ProfileCfg;
    static BXModel Model() {
        return {6, QLatin1String("bx330V2"), QLatin1String("BX330V2"), kBX330V2FilterWidth};
    }
};

// The BX310V2 and BX330V2 stores: one implementation, two interfaces.
template <class Traits>
class BXProfileStore final : public Traits::Interface {
public:
    using ModelTraits = Traits;

    // Sets the initial values and loads the newest accepted document of the model's profile folder.
    explicit BXProfileStore(const StoreHost& host)
        : host_(host),
          model_(Traits::Model()),
          prefix_(QString(model_.name) + QStringLiteral("ProfileCfg: ")) {
        Load();
    }

    // Whether the load takes a document that read as this: a store document with every record.
    static bool Accepts(const BXDocument& doc) {
        return doc.records.size() == kBXRecords && doc.head.flag == kBXStoreFlag;
    }

    const BXModel& Model() const { return model_; }
    QString ProfileDir() const { return host_.ProfileDir(model_.deviceType); }
    // The path of the document last loaded or saved; empty when the store holds its defaults.
    const QString& DocumentPath() const { return documentPath_; }
    const QVector<BXProfile>& Records() const { return records_; }
    int FilterBytes() const { return kBXFilterRows * model_.filterWidth; }

    uint32_t GetRecordCount() override { return static_cast<uint32_t>(records_.size()); }
    uint8_t GetCurrentProfileID() override { return currentProfileID_; }
    void SetCurrentProfileID(uint8_t id) override { currentProfileID_ = id; }
    void SetExportPath(const QString& path) override { exportPath_ = path; }
    const QString& GetExportPath() override { return exportPath_; }
    void SetOpenExePath(const QString& path) override { openExePath_ = path; }
    const QString& GetOpenExePath() override { return openExePath_; }
    void SetProfileExe(uint32_t record, const std::string& exe) override {
        if (BXProfile* p = Record(record)) p->exe = exe;
    }
    const std::string& GetProfileExe(uint32_t record) override {
        const BXProfile* p = Record(record);
        return p ? p->exe : empty_.exe;
    }
    void SetProfileName(uint32_t record, const std::string& name) override {
        if (BXProfile* p = Record(record)) p->name = name;
    }
    const std::string& GetProfileName(uint32_t record) override {
        const BXProfile* p = Record(record);
        return p ? p->name : empty_.name;
    }
    void SetRecord(uint32_t record, const BXProfile& profile) override {
        if (BXProfile* p = Record(record)) *p = profile;
    }
    bool GetRecord(uint32_t record, BXProfile& profile) override {
        const BXProfile* p = Record(record);
        if (p) profile = *p;
        return p != nullptr;
    }

    // ---- Change, flag and mark bytes: memory only ----

    void SetChanged(uint32_t record, uint8_t changed) override {
        BXProfile* p = Record(record);
        if (!p) return;
        p->changed = changed;
        if (record < profileFlags_.size()) profileFlags_[record] = changed;
    }
    bool HasChanges() override {
        return std::any_of(records_.begin(), records_.end(),
                           [](const BXProfile& p) { return p.changed != 0; });
    }
    uint8_t IsChanged(uint32_t record) override {
        const BXProfile* p = Record(record);
        return p ? p->changed : 0;
    }
    // The flags outlive a clear: the suite reads them to know which profiles went to the device.
    void ClearChanged() override {
        for (BXProfile& p : records_) p.changed = 0;
    }
    void SetAllProfileFlags(uint32_t value) override { profileFlags_.fill(static_cast<uint8_t>(value)); }
    uint8_t GetProfileFlag(uint32_t index) override {
        return index < profileFlags_.size() ? profileFlags_[index] : 0;
    }
    void SetMarked(uint32_t record) override {
        if (BXProfile* p = Record(record)) p->marked = 1;
    }
    uint8_t IsMarked(uint32_t record) override {
        const BXProfile* p = Record(record);
        return p ? p->marked : 0;
    }
    void MarkAll() override {
        for (BXProfile& p : records_) p.marked = 1;
    }

    // ---- Lighting ----

    void SetLightMode(uint8_t record, uint8_t mode) override {
        if (BXProfile* p = Record(record)) p->currMode = mode;
    }
    int8_t GetLightMode(uint8_t record) override {
        const BXProfile* p = Record(record);
        return p ? static_cast<int8_t>(p->currMode) : -1;
    }
    void SetGeneralEffect(uint8_t record, uint8_t position, const BXEffect& effect) override {
        BXProfile* p = Record(record);
        if (!p || position >= p->general.size()) return;
        p->general[position] = effect;
        p->currMode = effect.id;
    }
    bool GetGeneralEffect(uint8_t record, uint8_t position, BXEffect& effect) override {
        const BXProfile* p = Record(record);
        if (!p || position >= p->general.size()) return false;
        effect = p->general[position];
        return true;
    }
    void SetGeneralEffects(uint8_t record, const QVector<BXEffect>& effects) override {
        if (BXProfile* p = Record(record)) p->general = effects;
    }
    bool GetGeneralEffects(uint8_t record, QVector<BXEffect>& effects) override {
        const BXProfile* p = Record(record);
        if (p) effects = p->general;
        return p != nullptr;
    }
    // A general list that a document made shorter is grown to hold the custom effect, which
    // belongs with the block and must not be lost.
    void SetCustomColors(uint8_t record, const BXEffect& effect, const uint8_t* colors) override {
        BXProfile* p = Record(record);
        if (!p) return;
        if (p->general.size() <= kBXCustomEffect) p->general.resize(kBXCustomEffect + 1);
        p->general[kBXCustomEffect] = effect;
        if (colors) std::memcpy(p->custom, colors, kBXCustomBytes);
        p->currMode = 4;
    }
    bool GetCustomColors(uint8_t record, BXEffect& effect, uint8_t* colors) override {
        const BXProfile* p = Record(record);
        effect = p && p->general.size() > kBXCustomEffect ? p->general[kBXCustomEffect] : BXEffect{};
        if (colors) {
            if (p) {
                std::memcpy(colors, p->custom, kBXCustomBytes);
            } else {
                std::memset(colors, 0, kBXCustomBytes);
            }
        }
        return p != nullptr;
    }
    void SetMultilayerCurrMode(uint8_t record, uint8_t mode) override {
        if (BXProfile* p = Record(record)) p->multilayerCurrMode = mode;
    }
    int8_t GetMultilayerCurrMode(uint8_t record) override {
        const BXProfile* p = Record(record);
        return p ? static_cast<int8_t>(p->multilayerCurrMode) : -1;
    }
    void SetMultilayerEffects(uint8_t record, const QVector<BXEffect>& effects) override {
        BXProfile* p = Record(record);
        if (!p) return;
        p->multilayer = effects;
        p->currMode = 18;
    }
    bool GetMultilayerEffects(uint8_t record, QVector<BXEffect>& effects) override {
        const BXProfile* p = Record(record);
        if (p) effects = p->multilayer;
        return p != nullptr;
    }
    bool GetCurrMultilayerEffect(uint8_t record, BXEffect& effect) override {
        const BXProfile* p = Record(record);
        return p && At(p->multilayer, p->multilayerCurrMode, effect);
    }
    bool GetMultilayerIds(uint8_t record, uint8_t& currMode, QVector<uint8_t>& ids) override {
        const BXProfile* p = Record(record);
        return p && Ids(p->multilayerCurrMode, p->multilayer, currMode, ids);
    }
    void SetMultizoneCurrMode(uint8_t record, uint8_t mode) override {
        if (BXProfile* p = Record(record)) p->multizoneCurrMode = mode;
    }
    int8_t GetMultizoneCurrMode(uint8_t record) override {
        const BXProfile* p = Record(record);
        return p ? static_cast<int8_t>(p->multizoneCurrMode) : -1;
    }
    void SetMultizone(uint8_t record, const QVector<BXEffect>& effects, const uint8_t* filters) override {
        BXProfile* p = Record(record);
        if (!p) return;
        p->multizone = effects;
        if (filters) {
            for (int row = 0; row < kBXFilterRows; ++row)
                std::memcpy(p->filters[row], filters + row * model_.filterWidth, model_.filterWidth);
        }
        p->currMode = 19;
    }
    void GetMultizone(uint8_t record, QVector<BXEffect>& effects, uint8_t* filters) override {
        const BXProfile* p = Record(record);
        effects = p ? p->multizone : QVector<BXEffect>();
        if (!filters) return;
        for (int row = 0; row < kBXFilterRows; ++row) {
            uint8_t* out = filters + row * model_.filterWidth;
            if (p) {
                std::memcpy(out, p->filters[row], model_.filterWidth);
            } else {
                std::memset(out, 0, model_.filterWidth);
            }
        }
    }
    bool GetCurrMultizoneEffect(uint8_t record, BXEffect& effect) override {
        const BXProfile* p = Record(record);
        return p && At(p->multizone, p->multizoneCurrMode, effect);
    }
    bool GetMultizoneIds(uint8_t record, uint8_t& currMode, QVector<uint8_t>& ids) override {
        const BXProfile* p = Record(record);
        return p && Ids(p->multizoneCurrMode, p->multizone, currMode, ids);
    }
    void SetCustomList(uint8_t record, int8_t which, const QVector<CustomColor>& colors) override {
        if (BXProfile* p = Record(record)) (which == 0 ? p->foreground : p->background) = colors;
    }
    void GetCustomList(uint8_t record, uint8_t which, QVector<CustomColor>& colors) override {
        const BXProfile* p = Record(record);
        colors = !p ? QVector<CustomColor>() : which == 0 ? p->foreground : p->background;
    }
    void ClearCustomEnables(uint8_t record) override {
        BXProfile* p = Record(record);
        if (!p) return;
        for (CustomColor& c : p->foreground) c.enable = 0;
        for (CustomColor& c : p->background) c.enable = 0;
    }

    // ---- Key mapping ----

    void SetMapping(uint8_t record, const QVector<uint16_t>& mapping) override {
        if (BXProfile* p = Record(record)) p->mapping = mapping;
    }
    bool GetMapping(uint8_t record, QVector<uint16_t>& mapping) override {
        const BXProfile* p = Record(record);
        if (p) mapping = p->mapping;
        return p != nullptr;
    }
    void SetMappedKey(uint8_t record, uint16_t key, uint16_t value) override {
        BXProfile* p = Record(record);
        if (p && key < p->mapping.size()) p->mapping[key] = value;
    }
    uint16_t GetMappedKey(uint8_t record, uint16_t key) override {
        const BXProfile* p = Record(record);
        return p && key < p->mapping.size() ? p->mapping[key] : 65535;
    }

    // ---- Macros: forwarded to the shared macro model ----

    bool GetMacroSet(uint32_t record, MacroMapLong& macros) override {
        const BXProfile* p = Record(record);
        if (p) macros = p->macros.macros;
        return p != nullptr;
    }
    void SetMacroSet(uint32_t record, const MacroMapLong& macros) override {
        if (BXProfile* p = Record(record)) p->macros.macros = macros;
    }
    const std::string& GetCurrMacro(uint32_t record) override {
        const BXProfile* p = Record(record);
        return p ? p->macros.currMacro : empty_.macros.currMacro;
    }
    void SetCurrMacro(uint32_t record, const std::string& name) override {
        if (BXProfile* p = Record(record)) p->macros.currMacro = name;
    }
    void SetMacroEntry(uint32_t record, const std::string& name, const MacroEntryLong& entry) override {
        if (BXProfile* p = Record(record)) LongMacros::Access(p->macros.macros, name) = entry;
    }
    void AddMacro(uint32_t record, const std::string& name) override {
        if (BXProfile* p = Record(record)) LongMacros::Add(p->macros.macros, name);
    }
    void DeleteMacro(uint32_t record, const std::string& name) override {
        if (BXProfile* p = Record(record)) LongMacros::Delete(p->macros.macros, name);
    }
    void RenameMacro(uint32_t record, const std::string& oldName, const std::string& newName) override {
        if (BXProfile* p = Record(record)) LongMacros::Rename(p->macros.macros, oldName, newName);
    }
    void GetMacroNames(uint32_t record, std::vector<std::string>& names) override {
        if (const BXProfile* p = Record(record)) {
            LongMacros::Names(p->macros.macros, names);
        } else {
            names.clear();
        }
    }
    bool GetMacro(uint32_t record, const std::string& name, MacroRecordLong& macro) override {
        BXProfile* p = Record(record);
        if (p) macro = LongMacros::Access(p->macros.macros, name).record;
        return p != nullptr;
    }
    void SetMacro(uint32_t record, const std::string& name, const MacroRecordLong& macro) override {
        if (BXProfile* p = Record(record)) LongMacros::SetRecord(p->macros.macros, name, macro);
    }
    bool GetMacroAssignments(uint32_t record, const std::string& name,
                             QVector<MacroAssignment>& assignments) override {
        BXProfile* p = Record(record);
        if (p) assignments = LongMacros::Access(p->macros.macros, name).assignments;
        return p != nullptr;
    }
    void GetMacroAssignedKeys(uint32_t record, const std::string& name, QVector<uint16_t>& keys) override {
        keys.clear();
        if (BXProfile* p = Record(record)) {
            for (const MacroAssignment& a : LongMacros::Access(p->macros.macros, name).assignments)
                keys.push_back(a.key);
        }
    }
    void SetMacroAssignments(uint32_t record, const std::string& name,
                             const QVector<MacroAssignment>& assignments) override {
        if (BXProfile* p = Record(record))
            LongMacros::Access(p->macros.macros, name).assignments = assignments;
    }
    void AddMacroAssignment(uint32_t record, const std::string& name,
                            const MacroAssignment& assignment) override {
        if (BXProfile* p = Record(record)) LongMacros::AddItem(p->macros.macros, name, assignment);
    }
    void RemoveMacroAssignment(uint32_t record, const std::string& name,
                               const MacroAssignment& assignment) override {
        if (BXProfile* p = Record(record)) LongMacros::RemoveItem(p->macros.macros, name, assignment);
    }
    bool HasMacroAssignment(uint32_t record, const std::string& name) override {
        BXProfile* p = Record(record);
        return p && LongMacros::HasItems(p->macros.macros, name);
    }
    void ClearAllMacroAssignments(uint32_t record) override {
        if (BXProfile* p = Record(record)) LongMacros::ClearAllItems(p->macros.macros);
    }
    void ClearMacroAssignments(uint32_t record, const std::string& name) override {
        if (BXProfile* p = Record(record)) LongMacros::ClearItems(p->macros.macros, name);
    }
    uint8_t GetMacroMode(uint32_t record, const std::string& name) override {
        BXProfile* p = Record(record);
        if (!CheckMacroModeCall(host_, prefix_, "GetMacroMode", static_cast<int>(record), p != nullptr, name))
            return 0;
        return LongMacros::Access(p->macros.macros, name).record.mode;
    }
    void SetMacroMode(uint32_t record, const std::string& name, uint8_t mode) override {
        BXProfile* p = Record(record);
        if (CheckMacroModeCall(host_, prefix_, "SetMacroMode", static_cast<int>(record), p != nullptr, name))
            LongMacros::Access(p->macros.macros, name).record.mode = mode;
    }
    const std::string& GetMacroPath(uint32_t record) override {
        const BXProfile* p = Record(record);
        return p ? p->macros.path : empty_.macros.path;
    }
    void SetMacroPath(uint32_t record, const std::string& path) override {
        if (BXProfile* p = Record(record)) p->macros.path = path;
    }

    // ---- Files at the user's paths ----

    bool ImportMacroFile(const QString& path) override {
        BXProfile* p = Record(currentProfileID_);
        return p && LongMacros::ImportFile(host_, path, model_.root,
                                           {p->macros.path, p->macros.currMacro, p->macros.macros});
    }
    bool ExportMacroFile(const QString& path) override {
        const BXProfile* p = Record(currentProfileID_);
        return p && LongMacros::ExportFile(host_, path, model_.root,
                                           {p->macros.path, p->macros.currMacro, p->macros.macros});
    }
    bool ImportProfile(const QString& path) override {
        BXProfile* target = Record(currentProfileID_);
        if (path.isEmpty() || !target) return false;
        BXDocument doc;
        if (!ReadExport(path, doc) || doc.records.size() != 1 || doc.head.flag != kBXExportFlag) return false;
        *target = doc.records.front();
        return true;
    }
    bool ExportProfile(const QString& path) override {
        const BXProfile* p = Record(currentProfileID_);
        if (path.isEmpty() || !p) return false;
        return WriteBXFile(host_, model_, path, WriteMode::Atomic, Head(kBXExportFlag), {*p});
    }
    bool ImportAllProfiles(const QString& path) override {
        if (path.isEmpty()) return false;
        BXDocument doc;
        // The current profile must name one of the records, or be the "none yet" of a fresh store.
        if (!ReadExport(path, doc) || doc.records.size() != kBXRecords || doc.head.flag != kBXExportFlag ||
            !ImportedSlotFits(host_, path, doc.head.currentProfileID, kBXRecords, kNoProfile))
            return false;
        currentProfileID_ = doc.head.currentProfileID;
        records_ = std::move(doc.records);
        return true;
    }
    bool ExportAllProfiles(const QString& path) override {
        if (path.isEmpty()) return false;
        return WriteBXFile(host_, model_, path, WriteMode::Atomic, Head(kBXExportFlag), records_);
    }

    bool SaveProfile() override {
        return SaveProfileDocument(
            host_, ProfileDir(), QStringLiteral("xml"),
            [&](const QString& tmp) {
                return WriteBXFile(host_, model_, tmp, WriteMode::Direct, Head(kBXStoreFlag), records_);
            },
            &documentPath_);
    }

    // Rewrites the current document with the software-side fields of memory, keeping what the device
    // side stored there. The rewrite goes through a temporary file, so a failed write keeps the old one.
    bool SaveSoftwareSettings() override {
        BXDocument stored;
        if (!ReadBXFile(host_, model_, documentPath_, stored) || stored.records.size() != records_.size())
            return false;
        for (int i = 0; i < records_.size(); ++i) {
            const BXProfile& mine = records_[i];
            BXProfile& theirs = stored.records[i];
            theirs.name = mine.name;
            theirs.exe = mine.exe;
            theirs.foreground = mine.foreground;
            theirs.background = mine.background;
            theirs.macros = mine.macros;  // currMacro, path and the whole map
        }
        BXHead head = Head(kBXStoreFlag);
        head.currentProfileID = stored.head.currentProfileID;
        return WriteBXFile(host_, model_, documentPath_, WriteMode::Atomic, head, stored.records);
    }

private:
    BXProfile* Record(uint32_t index) {
        return index < static_cast<uint32_t>(records_.size()) ? &records_[static_cast<int>(index)] : nullptr;
    }
    BXHead Head(uint16_t flag) const { return {flag, exportPath_, openExePath_, currentProfileID_}; }

    static bool At(const QVector<BXEffect>& list, uint8_t position, BXEffect& effect) {
        if (position >= list.size()) return false;
        effect = list[position];
        return true;
    }
    static bool Ids(uint8_t mode, const QVector<BXEffect>& list, uint8_t& currMode, QVector<uint8_t>& ids) {
        currMode = mode;
        ids.clear();
        for (const BXEffect& e : list) ids.push_back(e.id);
        return true;
    }

    // Reads an export into a temporary document; the file's paths replace the store's once its root
    // has been read, as the suite expects after an import attempt.
    bool ReadExport(const QString& path, BXDocument& doc) {
        const bool read = ReadBXFile(host_, model_, path, doc);
        if (doc.rootSeen) {
            exportPath_ = doc.head.exportPath;
            openExePath_ = doc.head.openExePath;
        }
        return read;
    }

    void Load() {
        bool accepted = false;
        const auto read = [&](const QString& path) {
            BXDocument doc;
            const bool ok = ReadBXFile(host_, model_, path, doc);
            accepted = Accepts(doc);
            records_ = std::move(doc.records);
            if (doc.rootSeen) {
                exportPath_ = doc.head.exportPath;
                openExePath_ = doc.head.openExePath;
                currentProfileID_ = doc.head.currentProfileID;
            }
            documentPath_ = path;
            return ok;
        };
        const auto accept = [&] { return accepted; };
        const LoadOutcome outcome = LoadNewestDocument(ProfileDir(), QStringLiteral("xml"), read, accept);
        if (outcome.accepted || (outcome.keep && records_.size() == kBXRecords)) return;
        records_.clear();
        for (int i = 0; i < kBXRecords; ++i) records_.push_back(DefaultBXProfile(i));
        exportPath_.clear();
        openExePath_.clear();
        documentPath_.clear();
    }

    StoreHost host_;
    BXModel model_;
    QString prefix_;  // "BX310V2ProfileCfg: ", the start of the store's macro messages
    static constexpr uint8_t kNoProfile = 255;
    uint8_t currentProfileID_ = kNoProfile;
    QString exportPath_;
    QString openExePath_;
    QString documentPath_;
    QVector<BXProfile> records_;
    std::array<uint8_t, kBXRecords> profileFlags_{};
    // Returned by reference for an invalid index; const, so a caller can never fill it.
    const BXProfile empty_{};
};

using BX310V2ProfileCfgImpl = BXProfileStore<BX310V2Traits>;
using BX330V2ProfileCfgImpl = BXProfileStore<BX330V2Traits>;

}  // namespace prefbook
