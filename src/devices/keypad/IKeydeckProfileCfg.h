#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <string>
#include <vector>

#include "PrefbookExport.h"
#include "devices/keypad/KeydeckRecords.h"

// The operations of one key-assignment group, in their declared order: assign with a new macro id,
// delete, clear (simple and advanced groups only), set and get one entry, set and get the whole map.
#define PREFBOOK_KEYDECK_KEY_HEAD(Kind, Record)                                          \
    virtual bool Assign##Kind##Key(int type, int idx, int key, const Record& entry) = 0; \
    virtual void Delete##Kind##Key(int type, int idx, int key) = 0;
#define PREFBOOK_KEYDECK_KEY_CLEAR(Kind) virtual void Clear##Kind##Keys(int type, int idx) = 0;
#define PREFBOOK_KEYDECK_KEY_TAIL(Kind, Record, Map)                                  \
    virtual void Set##Kind##Key(int type, int idx, int key, const Record& entry) = 0; \
    virtual bool Get##Kind##Key(int type, int idx, int key, Record& entry) = 0;       \
    virtual void Set##Kind##Keys(int type, int idx, const Map& keys) = 0;             \
    virtual bool Get##Kind##Keys(int type, int idx, Map& keys) = 0;

// Profile store of the programmable keypad, both variants (device types 19 KEYDECK_G and 20
// KEYDECK_C): 24 profiles per variant, each variant in its own folder and document. type selects the
// variant in every operation except the application paths, which both variants share.
class PREFBOOK_EXPORT IKeydeckProfileCfg {
public:
    // The process-wide store, loaded on first use (thread-safe).
    static IKeydeckProfileCfg& Instance();

    virtual bool CreateDefaultFile(int type, const QString& path) = 0;
    // The application paths: the only operations that may be called from several threads.
    virtual void GetAppPath(int index, QString& path) = 0;
    virtual void GetAppPaths(QStringList& paths) = 0;
    virtual void SetAppPath(int index, const QString& path) = 0;
    virtual void SetAppPaths(const QStringList& paths) = 0;
    virtual bool IsAppPathValid(int index) = 0;
    virtual uint8_t GetStateFlag() = 0;
    virtual void SetStateFlag(uint8_t flag) = 0;
    virtual int GetProfileNum(int type) = 0;
    virtual int GetCurrentProfileId(int type) = 0;
    virtual void SetCurrentProfileId(int type, int id) = 0;
    virtual uint8_t GetCurrentProfileChanged(int type) = 0;
    virtual void SetCurrentProfileChanged(int type, uint8_t changed) = 0;
    virtual void SetExportPath(int type, const QString& path) = 0;
    virtual const QString& GetExportPath(int type) = 0;
    virtual void SetOpenExePath(int type, const QString& path) = 0;
    virtual const QString& GetOpenExePath(int type) = 0;
    virtual void SetProfileExe(int type, int idx, const std::string& exe) = 0;
    virtual const std::string& GetProfileExe(int type, int idx) = 0;
    virtual void SetProfileName(int type, int idx, const std::string& name) = 0;
    virtual const std::string& GetProfileName(int type, int idx) = 0;
    virtual void SetIndicator(int type, int idx, const uint8_t* colors) = 0;  // kKeydeckIndicatorBytes
    virtual bool GetIndicator(int type, int idx, uint8_t* colors) = 0;
    virtual void SetProfile(int type, int idx, const KeydeckProfile& profile) = 0;
    virtual bool GetProfile(int type, int idx, KeydeckProfile& profile) = 0;
    virtual void SetFlagB(int type, int idx, uint8_t flag) = 0;
    virtual uint8_t GetFlagB(int type, int idx) = 0;
    virtual bool HasFlagB(int type) = 0;
    virtual bool HasFlagBAny() = 0;
    virtual uint8_t GetSlotFlag(int type, int idx) = 0;
    virtual void ClearFlagB(int type) = 0;
    virtual void FillSlotFlags(int type, uint8_t flag) = 0;
    virtual void SetFlagA(int type, int idx) = 0;
    virtual uint8_t GetFlagA(int type, int idx) = 0;
    virtual void ClearFlagA(int type) = 0;
    virtual uint8_t TakeFreeMacroId(int type, int idx) = 0;
    virtual bool HasFreeMacroId(int type, int idx) = 0;
    virtual void ClaimUsedMacroIds(int type, int idx) = 0;
    virtual void ResetFreeMacroIds(int type, int idx) = 0;
    virtual void SetLightingMode(int type, int idx, uint8_t mode) = 0;
    virtual uint8_t GetLightingMode(int type, int idx) = 0;
    virtual void SetLightEffect(int type, int idx, int n, const KeydeckLightEffect& effect) = 0;
    virtual bool GetLightEffect(int type, int idx, int n, KeydeckLightEffect& effect) = 0;
    virtual void SetLightEffects(int type, int idx, const QVector<KeydeckLightEffect>& effects) = 0;
    virtual bool GetLightEffects(int type, int idx, QVector<KeydeckLightEffect>& effects) = 0;
    // colors: kKeydeckCustomColorBytes
    virtual void SetCustomLighting(int type, int idx, const KeydeckLightEffect& effect,
                                   const uint8_t* colors) = 0;
    virtual void SetCustomColors(int type, int idx, const uint8_t* colors) = 0;
    virtual bool GetCustomLighting(int type, int idx, KeydeckLightEffect& effect, uint8_t* colors) = 0;
    virtual bool GetCustomColors(int type, int idx, uint8_t* colors) = 0;
    // which: 0 foreground, 1 background
    virtual void SetLayerColors(int type, int idx, int which, const QVector<CustomColor>& colors) = 0;
    virtual bool GetLayerColors(int type, int idx, int which, QVector<CustomColor>& colors) = 0;
    virtual void ClearCustomEnables(int type, int idx) = 0;
    virtual void SetMappingMode(int type, int idx, int mode) = 0;
    virtual int GetMappingMode(int type, int idx) = 0;
    virtual void SetCurrInput(int type, int idx, int input) = 0;
    virtual int GetCurrInput(int type, int idx) = 0;
    virtual void SetCurrKey(int type, int idx, int key) = 0;
    virtual int GetCurrKey(int type, int idx) = 0;
    virtual void ResetCurrKey(int type, int idx) = 0;
    virtual void SetPresetMode(int type, int idx, int mode) = 0;
    virtual int GetPresetMode(int type, int idx) = 0;
    virtual void SetPadKey(int type, int idx, int n, const PadKey& key) = 0;
    virtual bool GetPadKey(int type, int idx, int n, PadKey& key) = 0;
    virtual void SetPadKeys(int type, int idx, const QVector<PadKey>& keys) = 0;
    virtual bool GetPadKeys(int type, int idx, QVector<PadKey>& keys) = 0;
    PREFBOOK_KEYDECK_KEY_HEAD(Simple, SimpleKeyAssign)
    PREFBOOK_KEYDECK_KEY_CLEAR(Simple)
    PREFBOOK_KEYDECK_KEY_TAIL(Simple, SimpleKeyAssign, SimpleKeyMap)
    PREFBOOK_KEYDECK_KEY_HEAD(Advanced, AdvancedKeyAssign)
    PREFBOOK_KEYDECK_KEY_CLEAR(Advanced)
    PREFBOOK_KEYDECK_KEY_TAIL(Advanced, AdvancedKeyAssign, AdvancedKeyMap)
    PREFBOOK_KEYDECK_KEY_HEAD(Shortcut, ShortcutKeyAssign)
    PREFBOOK_KEYDECK_KEY_TAIL(Shortcut, ShortcutKeyAssign, ShortcutKeyMap)
    PREFBOOK_KEYDECK_KEY_HEAD(Special, SpecialKeyAssign)
    PREFBOOK_KEYDECK_KEY_TAIL(Special, SpecialKeyAssign, SpecialKeyMap)
    virtual void ResetMapping(int type, int idx) = 0;
    virtual int GetMacroNum(int type, int idx) = 0;
    virtual bool GetMacroSet(int type, int idx, KeydeckMacroTable& macros) = 0;
    virtual void SetMacroSet(int type, int idx, const KeydeckMacroTable& macros) = 0;
    virtual const std::string& GetCurrMacro(int type, int idx) = 0;
    virtual void SetCurrMacro(int type, int idx, const std::string& name) = 0;
    virtual void SetMacroEntry(int type, int idx, const std::string& name,
                               const KeydeckMacroEntry& entry) = 0;
    virtual void AddMacro(int type, int idx, const std::string& name) = 0;
    virtual void DeleteMacro(int type, int idx, const std::string& name) = 0;
    virtual void RenameMacro(int type, int idx, const std::string& oldName, const std::string& newName) = 0;
    virtual void GetMacroNames(int type, int idx, std::vector<std::string>& names) = 0;
    virtual bool GetMacro(int type, int idx, const std::string& name, KeydeckMacroRecord& record) = 0;
    virtual void SetMacro(int type, int idx, const std::string& name, const KeydeckMacroRecord& record) = 0;
    virtual bool GetMacroAssignments(int type, int idx, const std::string& name,
                                     KeydeckSlotMap& assigned) = 0;
    virtual void SetMacroAssignments(int type, int idx, const std::string& name,
                                     const KeydeckSlotMap& assigned) = 0;
    virtual bool AddMacroAssignment(int type, int idx, const std::string& name, uint8_t slot) = 0;
    virtual void SetMacroAssignmentId(int type, int idx, const std::string& name, uint8_t slot,
                                      uint8_t id) = 0;
    virtual void RemoveSlotAssignment(int type, int idx, uint8_t slot) = 0;
    virtual void RemoveMacroAssignment(int type, int idx, const std::string& name, uint8_t slot) = 0;
    virtual bool HasMacroAssignment(int type, int idx, const std::string& name) = 0;
    virtual void ClearAllMacroAssignments(int type, int idx) = 0;
    virtual void ClearMacroAssignments(int type, int idx, const std::string& name) = 0;
    virtual uint8_t GetMacroMode(int type, int idx, const std::string& name) = 0;
    virtual void SetMacroMode(int type, int idx, const std::string& name, uint8_t mode) = 0;
    virtual const std::string& GetMacroPath(int type, int idx) = 0;
    virtual void SetMacroPath(int type, int idx, const std::string& path) = 0;
    virtual bool ImportMacroFile(int type, const QString& path) = 0;
    virtual bool ExportMacroFile(int type, const QString& path) = 0;
    virtual bool ImportProfile(int type, const QString& path) = 0;
    virtual bool ExportProfile(int type, const QString& path) = 0;
    virtual bool ImportAllProfiles(int type, const QString& path) = 0;
    virtual bool ExportAllProfiles(int type, const QString& path) = 0;
    virtual bool SaveProfile(int type) = 0;
    // Re-reads the variant's current document and writes it back with what the suite edits in memory.
    virtual bool RewriteDocument(int type) = 0;

protected:
    IKeydeckProfileCfg() = default;
    ~IKeydeckProfileCfg() = default;
};
