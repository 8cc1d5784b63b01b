#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <mutex>

#include "devices/keypad/IKeydeckProfileCfg.h"
#include "devices/keypad/KeydeckDocument.h"
#include "profilecore/StoreHost.h"

namespace prefbook {

// Per-profile values read and written whole: name, type, field of KeydeckProfile, value for a bad
// index. Each row gives a Set and a Get operation.
#define PREFBOOK_KEYDECK_VALUES(X)                 \
    X(LightingMode, uint8_t, lighting.currMode, 0) \
    X(MappingMode, int, mapping.currMode, 0)       \
    X(CurrInput, int, mapping.currInput, 0)        \
    X(CurrKey, int, mapping.currKey, 0)            \
    X(PresetMode, int, mapping.presetMode, 0)
// Values copied whole: name, type, the value in profile p. Set replaces, Get copies out (false and an
// empty value for a bad index).
#define PREFBOOK_KEYDECK_SEQUENCES(X)                                 \
    X(LightEffects, QVector<KeydeckLightEffect>, p->lighting.effects) \
    X(PadKeys, QVector<PadKey>, p->mapping.padKeys)                   \
    X(Profile, KeydeckProfile, *p)
// Elements of those sequences by position: name, type, sequence field.
#define PREFBOOK_KEYDECK_ELEMENTS(X)                     \
    X(LightEffect, KeydeckLightEffect, lighting.effects) \
    X(PadKey, PadKey, mapping.padKeys)
// The four key-assignment groups: name, record, map, field of KeydeckMapping.
#define PREFBOOK_KEYDECK_KEY_GROUPS(X)                           \
    X(Simple, SimpleKeyAssign, SimpleKeyMap, simpleKeys)         \
    X(Advanced, AdvancedKeyAssign, AdvancedKeyMap, advancedKeys) \
    X(Shortcut, ShortcutKeyAssign, ShortcutKeyMap, shortcutKeys) \
    X(Special, SpecialKeyAssign, SpecialKeyMap, specialKeys)

// The macro id a key assignment holds, wherever its record keeps it.
inline uint8_t& MacroIdOf(SimpleKeyAssign& k) {
    return k.macro.slot;
}
inline uint8_t& MacroIdOf(AdvancedKeyAssign& k) {
    return k.macroId;
}
inline uint8_t& MacroIdOf(ShortcutKeyAssign& k) {
    return k.macroId;
}
inline uint8_t& MacroIdOf(SpecialKeyAssign& k) {
    return k.macoId;
}

// Takes every id a key assignment or macro assignment of the profile uses out of its pool.
void ClaimUsedMacroIdsOf(KeydeckProfile& p);

// One variant's data: what its document holds plus the values that live in memory only.
struct KeydeckVariant {
    uint8_t currentProfileChanged = 0;
    int currentProfileId = 0;
    QString exportPath;
    QString openExePath;
    QString documentPath;
    QVector<KeydeckProfile> profiles;
    std::array<uint8_t, kKeydeckProfileCount> slotFlags{};
};

class KeydeckProfileCfgImpl final : public IKeydeckProfileCfg {
public:
    // Loads both variants from their folders, the G variant first.
    explicit KeydeckProfileCfgImpl(const StoreHost& host);

    // Whether a variant's load takes a document that read as this: a store document with every profile.
    static bool Accepts(const KeydeckDocument& doc) {
        return doc.profiles.size() == kKeydeckProfileCount && doc.flag == kKeydeckStoreFlag;
    }

    bool CreateDefaultFile(int type, const QString& path) override;
    void GetAppPath(int index, QString& path) override;
    void GetAppPaths(QStringList& paths) override;
    void SetAppPath(int index, const QString& path) override;
    void SetAppPaths(const QStringList& paths) override;
    bool IsAppPathValid(int index) override;
    uint8_t GetStateFlag() override { return stateFlag_; }
    void SetStateFlag(uint8_t flag) override { stateFlag_ = flag; }
    int GetProfileNum(int type) override;
    int GetCurrentProfileId(int type) override;
    void SetCurrentProfileId(int type, int id) override;
    uint8_t GetCurrentProfileChanged(int type) override;
    void SetCurrentProfileChanged(int type, uint8_t changed) override;
    void SetExportPath(int type, const QString& path) override;
    const QString& GetExportPath(int type) override;
    void SetOpenExePath(int type, const QString& path) override;
    const QString& GetOpenExePath(int type) override;
    void SetProfileExe(int type, int idx, const std::string& exe) override;
    const std::string& GetProfileExe(int type, int idx) override;
    void SetProfileName(int type, int idx, const std::string& name) override;
    const std::string& GetProfileName(int type, int idx) override;
    void SetIndicator(int type, int idx, const uint8_t* colors) override;
    bool GetIndicator(int type, int idx, uint8_t* colors) override;
    void SetFlagB(int type, int idx, uint8_t flag) override;
    uint8_t GetFlagB(int type, int idx) override;
    bool HasFlagB(int type) override;
    bool HasFlagBAny() override { return HasFlagB(20) || HasFlagB(19); }
    uint8_t GetSlotFlag(int type, int idx) override;
    void ClearFlagB(int type) override;
    void FillSlotFlags(int type, uint8_t flag) override;
    void SetFlagA(int type, int idx) override;
    uint8_t GetFlagA(int type, int idx) override;
    void ClearFlagA(int type) override;
    uint8_t TakeFreeMacroId(int type, int idx) override;
    bool HasFreeMacroId(int type, int idx) override;
    void ClaimUsedMacroIds(int type, int idx) override;
    void ResetFreeMacroIds(int type, int idx) override;
    void SetCustomLighting(int type, int idx, const KeydeckLightEffect& effect,
                           const uint8_t* colors) override;
    void SetCustomColors(int type, int idx, const uint8_t* colors) override;
    bool GetCustomLighting(int type, int idx, KeydeckLightEffect& effect, uint8_t* colors) override;
    bool GetCustomColors(int type, int idx, uint8_t* colors) override;
    void SetLayerColors(int type, int idx, int which, const QVector<CustomColor>& colors) override;
    bool GetLayerColors(int type, int idx, int which, QVector<CustomColor>& colors) override;
    void ClearCustomEnables(int type, int idx) override;
    void ResetCurrKey(int type, int idx) override { SetCurrKey(type, idx, 65535); }
    void ResetMapping(int type, int idx) override;

#define PREFBOOK_KEYDECK_VALUE_DECL(Name, T, field, fallback) \
    void Set##Name(int type, int idx, T value) override;      \
    T Get##Name(int type, int idx) override;
    PREFBOOK_KEYDECK_VALUES(PREFBOOK_KEYDECK_VALUE_DECL)
#undef PREFBOOK_KEYDECK_VALUE_DECL
#define PREFBOOK_KEYDECK_SEQUENCE_DECL(Name, T, field)          \
    void Set##Name(int type, int idx, const T& value) override; \
    bool Get##Name(int type, int idx, T& value) override;
    PREFBOOK_KEYDECK_SEQUENCES(PREFBOOK_KEYDECK_SEQUENCE_DECL)
#undef PREFBOOK_KEYDECK_SEQUENCE_DECL
#define PREFBOOK_KEYDECK_ELEMENT_DECL(Name, T, field)                  \
    void Set##Name(int type, int idx, int n, const T& value) override; \
    bool Get##Name(int type, int idx, int n, T& value) override;
    PREFBOOK_KEYDECK_ELEMENTS(PREFBOOK_KEYDECK_ELEMENT_DECL)
#undef PREFBOOK_KEYDECK_ELEMENT_DECL
#define PREFBOOK_KEYDECK_KEY_DECL(Kind, Record, Map, field)                           \
    bool Assign##Kind##Key(int type, int idx, int key, const Record& entry) override; \
    void Delete##Kind##Key(int type, int idx, int key) override;                      \
    void Set##Kind##Key(int type, int idx, int key, const Record& entry) override;    \
    bool Get##Kind##Key(int type, int idx, int key, Record& entry) override;          \
    void Set##Kind##Keys(int type, int idx, const Map& keys) override;                \
    bool Get##Kind##Keys(int type, int idx, Map& keys) override;
    PREFBOOK_KEYDECK_KEY_GROUPS(PREFBOOK_KEYDECK_KEY_DECL)
#undef PREFBOOK_KEYDECK_KEY_DECL
    // Only these two groups can be cleared at once.
    void ClearSimpleKeys(int type, int idx) override;
    void ClearAdvancedKeys(int type, int idx) override;

    int GetMacroNum(int type, int idx) override;
    bool GetMacroSet(int type, int idx, KeydeckMacroTable& macros) override;
    void SetMacroSet(int type, int idx, const KeydeckMacroTable& macros) override;
    const std::string& GetCurrMacro(int type, int idx) override;
    void SetCurrMacro(int type, int idx, const std::string& name) override;
    void SetMacroEntry(int type, int idx, const std::string& name, const KeydeckMacroEntry& entry) override;
    void AddMacro(int type, int idx, const std::string& name) override;
    void DeleteMacro(int type, int idx, const std::string& name) override;
    void RenameMacro(int type, int idx, const std::string& oldName, const std::string& newName) override;
    void GetMacroNames(int type, int idx, std::vector<std::string>& names) override;
    bool GetMacro(int type, int idx, const std::string& name, KeydeckMacroRecord& record) override;
    void SetMacro(int type, int idx, const std::string& name, const KeydeckMacroRecord& record) override;
    bool GetMacroAssignments(int type, int idx, const std::string& name, KeydeckSlotMap& assigned) override;
    void SetMacroAssignments(int type, int idx, const std::string& name,
                             const KeydeckSlotMap& assigned) override;
    bool AddMacroAssignment(int type, int idx, const std::string& name, uint8_t slot) override;
    void SetMacroAssignmentId(int type, int idx, const std::string& name, uint8_t slot, uint8_t id) override;
    void RemoveSlotAssignment(int type, int idx, uint8_t slot) override;
    void RemoveMacroAssignment(int type, int idx, const std::string& name, uint8_t slot) override;
    bool HasMacroAssignment(int type, int idx, const std::string& name) override;
    void ClearAllMacroAssignments(int type, int idx) override;
    void ClearMacroAssignments(int type, int idx, const std::string& name) override;
    uint8_t GetMacroMode(int type, int idx, const std::string& name) override;
    void SetMacroMode(int type, int idx, const std::string& name, uint8_t mode) override;
    const std::string& GetMacroPath(int type, int idx) override;
    void SetMacroPath(int type, int idx, const std::string& path) override;
    bool ImportMacroFile(int type, const QString& path) override;
    bool ExportMacroFile(int type, const QString& path) override;
    bool ImportProfile(int type, const QString& path) override;
    bool ExportProfile(int type, const QString& path) override;
    bool ImportAllProfiles(int type, const QString& path) override;
    bool ExportAllProfiles(int type, const QString& path) override;
    bool SaveProfile(int type) override;
    bool RewriteDocument(int type) override;

    // For tests and tools: a variant as loaded and changed (null for a type the store does not serve).
    const KeydeckVariant* Variant(int type) const;

private:
    KeydeckVariant* VariantOf(int type);
    KeydeckProfile* Profile(int type, int idx);
    void Load(int type);
    void ResetVariant(KeydeckVariant& v);
    // The variant as a document with the given flag and profiles.
    KeydeckDocument Document(int type, uint16_t flag, const QVector<KeydeckProfile>& profiles);
    // Reads a file at a user's path; its paths land in the variant as the suite expects of an import.
    bool ReadImport(int type, const QString& path, KeydeckDocument& doc);
    QStringList AppPathsLocked();
    void SetAppPathsLocked(const QStringList& paths);

    template <class Map>
    bool AssignKey(Map KeydeckMapping::*field, int type, int idx, int key,
                   const typename Map::mapped_type& entry);
    template <class Map>
    void DeleteKey(Map KeydeckMapping::*field, int type, int idx, int key);
    template <class Map>
    void ClearKeys(Map KeydeckMapping::*field, int type, int idx);
    template <class Map>
    bool GetKey(Map KeydeckMapping::*field, int type, int idx, int key, typename Map::mapped_type& entry);

    StoreHost host_;
    uint8_t stateFlag_ = 0;
    QStringList appPaths_;  // guarded by appPathsLock_
    std::map<int, KeydeckVariant> variants_;
    // std::mutex rather than QMutex: its locking is visible to the thread sanitizer, Qt's contended
    // path is not.
    std::mutex appPathsLock_;
    // Returned by reference for a bad type or index.
    const KeydeckProfile emptyProfile_{};
    const QString emptyPath_;
};

}  // namespace prefbook
