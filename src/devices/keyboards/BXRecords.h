#pragma once

#include <QString>
#include <QVector>
#include <cstdint>
#include <string>
#include <vector>

#include "profilecore/CustomColor.h"
#include "profilecore/MacroTypes.h"
#include "profilecore/PackedRecord.h"

// Sizes of the BX310V2 and BX330V2 lighting and key data as the devices exchange them.
constexpr int kBXRecords = 5;
constexpr int kBXGeneralEffects = 19;
constexpr int kBXLayerEffects = 4;  // multilayer and multizone lists
constexpr int kBXCustomEffect = 4;  // position of the custom-colour effect in the general list
constexpr int kBXCustomKeys = 168;  // colour triplets of the custom block
constexpr int kBXCustomBytes = kBXCustomKeys * 3;
constexpr int kBXFilterRows = 4;
constexpr int kBX310V2FilterWidth = 192;
constexpr int kBX330V2FilterWidth = 160;
constexpr int kBXMaxFilterWidth = kBX310V2FilterWidth;
constexpr int kBXMappedKeys = 256;
constexpr int kBXCustomColors = 7;  // foreground and background lists

#pragma pack(push, 1)
// One lighting effect, exchanged with the device byte for byte.
struct BXEffect {
    uint8_t id;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t speed;
    uint8_t direction;
    uint8_t brightness;
    uint8_t random;
    uint8_t bgRed;
    uint8_t bgGreen;
    uint8_t bgBlue;
    uint8_t bgBrightness;
};
#pragma pack(pop)
static_assert(sizeof(BXEffect) == 12, "BXEffect is exchanged as 12 bytes");

PREFBOOK_BYTEWISE_EQUALITY(BXEffect)

// One profile of either keyboard. Both models share the record; a filter row holds the model's
// filter width of values at its start (192 on the BX310V2, 160 on the BX330V2), the rest stays zero.
struct BXProfile {
    uint8_t id = 0;
    std::string name;
    std::string exe;
    uint8_t currMode = 0;  // 4 custom, 18 multilayer, 19 multizone, else a general effect's id
    QVector<BXEffect> general = QVector<BXEffect>(kBXGeneralEffects, BXEffect{});
    uint8_t custom[kBXCustomBytes]{};  // r, g, b per key
    uint8_t multilayerCurrMode = 0;
    QVector<BXEffect> multilayer = QVector<BXEffect>(kBXLayerEffects, BXEffect{});
    uint8_t multizoneCurrMode = 0;
    QVector<BXEffect> multizone = QVector<BXEffect>(kBXLayerEffects, BXEffect{});
    uint8_t filters[kBXFilterRows][kBXMaxFilterWidth]{};
    QVector<CustomColor> foreground = QVector<CustomColor>(kBXCustomColors, CustomColor{});
    QVector<CustomColor> background = QVector<CustomColor>(kBXCustomColors, CustomColor{});
    uint8_t reserved1[4]{};
    QVector<uint16_t> mapping = QVector<uint16_t>(kBXMappedKeys, 0);
    uint8_t reserved2[4]{};
    MacroSetLong macros;
    uint8_t reserved3[4]{};
    uint8_t marked = 0;
    uint8_t changed = 0;
    uint8_t reserved4[4]{};
};

// The operations of both BX keyboard interfaces, in their binary order. The two interfaces must stay
// distinct classes with identical tables, so the table is written once here. Filter blocks are
// kBXFilterRows rows of the model's filter width, row after row; custom blocks kBXCustomBytes bytes.
#define PREFBOOK_BX_OPERATIONS                                                                               \
    virtual uint32_t GetRecordCount() = 0;                                                                   \
    virtual uint8_t GetCurrentProfileID() = 0;                                                               \
    virtual void SetCurrentProfileID(uint8_t id) = 0;                                                        \
    virtual void SetExportPath(const QString& path) = 0;                                                     \
    virtual const QString& GetExportPath() = 0;                                                              \
    virtual void SetOpenExePath(const QString& path) = 0;                                                    \
    virtual const QString& GetOpenExePath() = 0;                                                             \
    virtual void SetProfileExe(uint32_t record, const std::string& exe) = 0;                                 \
    virtual const std::string& GetProfileExe(uint32_t record) = 0;                                           \
    virtual void SetProfileName(uint32_t record, const std::string& name) = 0;                               \
    virtual const std::string& GetProfileName(uint32_t record) = 0;                                          \
    virtual void SetRecord(uint32_t record, const BXProfile& profile) = 0;                                   \
    virtual bool GetRecord(uint32_t record, BXProfile& profile) = 0;                                         \
    virtual void SetChanged(uint32_t record, uint8_t changed) = 0;                                           \
    virtual bool HasChanges() = 0;                                                                           \
    virtual uint8_t IsChanged(uint32_t record) = 0;                                                          \
    virtual void ClearChanged() = 0;                                                                         \
    virtual void SetAllProfileFlags(uint32_t value) = 0;                                                     \
    virtual uint8_t GetProfileFlag(uint32_t index) = 0;                                                      \
    virtual void SetMarked(uint32_t record) = 0;                                                             \
    virtual uint8_t IsMarked(uint32_t record) = 0;                                                           \
    virtual void MarkAll() = 0;                                                                              \
    virtual void SetLightMode(uint8_t record, uint8_t mode) = 0;                                             \
    virtual int8_t GetLightMode(uint8_t record) = 0;                                                         \
    virtual void SetGeneralEffect(uint8_t record, uint8_t position, const BXEffect& effect) = 0;             \
    virtual bool GetGeneralEffect(uint8_t record, uint8_t position, BXEffect& effect) = 0;                   \
    virtual void SetGeneralEffects(uint8_t record, const QVector<BXEffect>& effects) = 0;                    \
    virtual bool GetGeneralEffects(uint8_t record, QVector<BXEffect>& effects) = 0;                          \
    virtual void SetCustomColors(uint8_t record, const BXEffect& effect, const uint8_t* colors) = 0;         \
    virtual bool GetCustomColors(uint8_t record, BXEffect& effect, uint8_t* colors) = 0;                     \
    virtual void SetMultilayerCurrMode(uint8_t record, uint8_t mode) = 0;                                    \
    virtual int8_t GetMultilayerCurrMode(uint8_t record) = 0;                                                \
    virtual void SetMultilayerEffects(uint8_t record, const QVector<BXEffect>& effects) = 0;                 \
    virtual bool GetMultilayerEffects(uint8_t record, QVector<BXEffect>& effects) = 0;                       \
    virtual bool GetCurrMultilayerEffect(uint8_t record, BXEffect& effect) = 0;                              \
    virtual bool GetMultilayerIds(uint8_t record, uint8_t& currMode, QVector<uint8_t>& ids) = 0;             \
    virtual void SetMultizoneCurrMode(uint8_t record, uint8_t mode) = 0;                                     \
    virtual int8_t GetMultizoneCurrMode(uint8_t record) = 0;                                                 \
    virtual void SetMultizone(uint8_t record, const QVector<BXEffect>& effects, const uint8_t* filters) = 0; \
    virtual void GetMultizone(uint8_t record, QVector<BXEffect>& effects, uint8_t* filters) = 0;             \
    virtual bool GetCurrMultizoneEffect(uint8_t record, BXEffect& effect) = 0;                               \
    virtual bool GetMultizoneIds(uint8_t record, uint8_t& currMode, QVector<uint8_t>& ids) = 0;              \
    virtual void SetCustomList(uint8_t record, int8_t which, const QVector<CustomColor>& colors) = 0;        \
    virtual void GetCustomList(uint8_t record, uint8_t which, QVector<CustomColor>& colors) = 0;             \
    virtual void ClearCustomEnables(uint8_t record) = 0;                                                     \
    virtual void SetMapping(uint8_t record, const QVector<uint16_t>& mapping) = 0;                           \
    virtual bool GetMapping(uint8_t record, QVector<uint16_t>& mapping) = 0;                                 \
    virtual void SetMappedKey(uint8_t record, uint16_t key, uint16_t value) = 0;                             \
    virtual uint16_t GetMappedKey(uint8_t record, uint16_t key) = 0;                                         \
    virtual bool GetMacroSet(uint32_t record, MacroMapLong& macros) = 0;                                     \
    virtual void SetMacroSet(uint32_t record, const MacroMapLong& macros) = 0;                               \
    virtual const std::string& GetCurrMacro(uint32_t record) = 0;                                            \
    virtual void SetCurrMacro(uint32_t record, const std::string& name) = 0;                                 \
    virtual void SetMacroEntry(uint32_t record, const std::string& name, const MacroEntryLong& entry) = 0;   \
    virtual void AddMacro(uint32_t record, const std::string& name) = 0;                                     \
    virtual void DeleteMacro(uint32_t record, const std::string& name) = 0;                                  \
    virtual void RenameMacro(uint32_t record, const std::string& oldName, const std::string& newName) = 0;   \
    virtual void GetMacroNames(uint32_t record, std::vector<std::string>& names) = 0;                        \
    virtual bool GetMacro(uint32_t record, const std::string& name, MacroRecordLong& macro) = 0;             \
    virtual void SetMacro(uint32_t record, const std::string& name, const MacroRecordLong& macro) = 0;       \
    virtual bool GetMacroAssignments(uint32_t record, const std::string& name,                               \
                                     QVector<MacroAssignment>& assignments) = 0;                             \
    virtual void GetMacroAssignedKeys(uint32_t record, const std::string& name,                              \
                                      QVector<uint16_t>& keys) = 0;                                          \
    virtual void SetMacroAssignments(uint32_t record, const std::string& name,                               \
                                     const QVector<MacroAssignment>& assignments) = 0;                       \
    virtual void AddMacroAssignment(uint32_t record, const std::string& name,                                \
                                    const MacroAssignment& assignment) = 0;                                  \
    virtual void RemoveMacroAssignment(uint32_t record, const std::string& name,                             \
                                       const MacroAssignment& assignment) = 0;                               \
    virtual bool HasMacroAssignment(uint32_t record, const std::string& name) = 0;                           \
    virtual void ClearAllMacroAssignments(uint32_t record) = 0;                                              \
    virtual void ClearMacroAssignments(uint32_t record, const std::string& name) = 0;                        \
    virtual uint8_t GetMacroMode(uint32_t record, const std::string& name) = 0;                              \
    virtual void SetMacroMode(uint32_t record, const std::string& name, uint8_t mode) = 0;                   \
    virtual const std::string& GetMacroPath(uint32_t record) = 0;                                            \
    virtual void SetMacroPath(uint32_t record, const std::string& path) = 0;                                 \
    virtual bool ImportMacroFile(const QString& path) = 0;                                                   \
    virtual bool ExportMacroFile(const QString& path) = 0;                                                   \
    virtual bool ImportProfile(const QString& path) = 0;                                                     \
    virtual bool ExportProfile(const QString& path) = 0;                                                     \
    virtual bool ImportAllProfiles(const QString& path) = 0;                                                 \
    virtual bool ExportAllProfiles(const QString& path) = 0;                                                 \
    virtual bool SaveProfile() = 0;                                                                          \
    virtual bool SaveSoftwareSettings() = 0;
