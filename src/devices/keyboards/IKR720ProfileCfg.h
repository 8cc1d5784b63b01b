#pragma once

#include <QString>
#include <QVector>
#include <cstdint>
#include <string>
#include <vector>

#include "PrefbookExport.h"
#include "devices/keyboards/KR720Records.h"
#include "profilecore/CustomColor.h"
#include "profilecore/MacroTypes.h"

// The KR720 analog keyboard's profiles: five profiles, each in five aim modes, 25 records addressed as
// profile * 5 + aim mode. Every call works on memory; SaveProfile persists.
class PREFBOOK_EXPORT IKR720ProfileCfg {
public:
    static IKR720ProfileCfg& Instance();

    virtual uint32_t GetSignature() = 0;
    virtual void SetSignature(uint32_t signature) = 0;
    virtual uint32_t GetRecordCount() = 0;
    virtual uint8_t GetCurrProfile() = 0;
    virtual void SetCurrProfile(uint8_t profile) = 0;
    virtual uint8_t GetCurrAimMode() = 0;
    virtual void SetCurrAimMode(uint8_t aimMode) = 0;
    virtual uint8_t GetCurrIndex() = 0;
    virtual int8_t GetRecordIndex(uint8_t profile, uint8_t aimMode) = 0;
    virtual bool GetProfileIndexes(uint8_t profile, QVector<uint8_t>& indexes) = 0;
    virtual void SetExportPath(const QString& path) = 0;
    virtual const QString& GetExportPath() = 0;
    virtual void SetOpenExePath(const QString& path) = 0;
    virtual const QString& GetOpenExePath() = 0;
    virtual void SetProfileExe(uint32_t profile, const std::string& exe) = 0;
    virtual const std::string& GetProfileExe(uint32_t profile) = 0;
    virtual void SetProfileName(uint32_t profile, const std::string& name) = 0;
    virtual const std::string& GetProfileName(uint32_t profile) = 0;
    virtual void SetProfileBlock(uint32_t record, const KR720ProfileBlock& block) = 0;
    virtual bool GetProfileBlock(uint32_t record, KR720ProfileBlock& block) = 0;
    virtual void SetChanged(uint32_t record, uint8_t changed) = 0;
    virtual bool HasChanges() = 0;
    virtual uint8_t IsChanged(uint32_t record) = 0;
    virtual uint8_t IsProfileChanged(int32_t profile) = 0;
    virtual uint8_t IsAimModeChanged(int32_t aimMode) = 0;
    virtual void ClearChanged() = 0;
    virtual uint8_t GetAuxFlag() = 0;
    virtual void SetAuxFlag(uint8_t flag) = 0;

    // Aim-mode settings of a record.
    virtual bool GetAimMode(uint32_t record, AimMode& mode) = 0;
    virtual bool SetAimMode(uint32_t record, const AimMode& mode) = 0;
    virtual bool GetSpecKeys(uint32_t record, uint16_t* keys) = 0;        // kKR720SpecKeys entries
    virtual bool SetSpecKeys(uint32_t record, const uint16_t* keys) = 0;  // kKR720SpecKeys entries
    virtual bool GetSensitActuat(uint32_t record, uint16_t& value) = 0;
    virtual bool SetSensitActuat(uint32_t record, uint16_t value) = 0;
    virtual bool GetDigitalKeys(uint32_t record, DigitalKeyMap& keys) = 0;
    virtual bool SetDigitalKeys(uint32_t record, const DigitalKeyMap& keys) = 0;
    virtual const std::string& GetAimModeName(uint32_t record) = 0;
    virtual bool SetAimModeName(uint32_t record, const std::string& name) = 0;
    virtual void ResetAimModeName(uint32_t record) = 0;
    virtual const std::string& GetAimpadPath(uint32_t record) = 0;
    virtual void SetAimpadPath(uint32_t record, const std::string& path) = 0;

    // Lighting.
    virtual void SetLightMode(uint8_t record, uint8_t mode) = 0;
    virtual int8_t GetLightMode(uint8_t record) = 0;
    virtual void SetGeneralEffect(uint8_t record, uint8_t position, const LightEffect& effect) = 0;
    virtual bool GetGeneralEffect(uint8_t record, uint8_t position, LightEffect& effect) = 0;
    virtual void SetGeneralEffects(uint8_t record, const QVector<LightEffect>& effects) = 0;
    virtual bool GetGeneralEffects(uint8_t record, QVector<LightEffect>& effects) = 0;
    virtual void SetCustomColors(uint8_t record, const KR720CustomBlock& colors) = 0;
    virtual bool GetCustomColors(uint8_t record, KR720CustomBlock& colors) = 0;
    virtual void SetMultilayerCurrMode(uint8_t record, uint8_t mode) = 0;
    virtual int8_t GetMultilayerCurrMode(uint8_t record) = 0;
    virtual void SetMultilayerEffects(uint8_t record, const QVector<LightEffect>& effects) = 0;
    virtual bool GetMultilayerEffects(uint8_t record, QVector<LightEffect>& effects) = 0;
    virtual bool GetCurrMultilayerEffect(uint8_t record, LightEffect& effect) = 0;
    virtual bool GetMultilayerIds(uint8_t record, uint8_t& currMode, QVector<uint8_t>& ids) = 0;
    virtual void SetMultizoneCurrMode(uint8_t record, uint8_t mode) = 0;
    virtual int8_t GetMultizoneCurrMode(uint8_t record) = 0;
    // filters: kKR720FilterBytes bytes, row after row.
    virtual void SetMultizone(uint8_t record, const QVector<LightEffect>& effects,
                              const uint8_t* filters) = 0;
    virtual bool GetMultizone(uint8_t record, QVector<LightEffect>& effects, uint8_t* filters) = 0;
    virtual bool GetCurrMultizoneEffect(uint8_t record, LightEffect& effect) = 0;
    virtual bool GetMultizoneIds(uint8_t record, uint8_t& currMode, QVector<uint8_t>& ids) = 0;
    // which: 0 the foreground list, anything else the background list.
    virtual void SetCustomList(uint8_t record, int8_t which, const QVector<CustomColor>& colors) = 0;
    virtual bool GetCustomList(uint8_t record, uint8_t which, QVector<CustomColor>& colors) = 0;
    virtual void ClearCustomEnables(uint8_t record) = 0;

    // Key mapping.
    virtual void SetMapping(uint8_t record, const QVector<uint16_t>& mapping) = 0;
    virtual bool GetMapping(uint8_t record, QVector<uint16_t>& mapping) = 0;
    virtual void SetMappedKey(uint8_t record, uint16_t key, uint16_t value) = 0;
    virtual uint16_t GetMappedKey(uint8_t record, uint16_t key) = 0;

    // Macros by name. Getters that name an unknown macro create it empty.
    virtual bool GetMacroSet(uint32_t record, MacroMap& macros) = 0;
    virtual void SetMacroSet(uint32_t record, const MacroMap& macros) = 0;
    virtual const std::string& GetCurrMacro(uint32_t record) = 0;
    virtual void SetCurrMacro(uint32_t record, const std::string& name) = 0;
    virtual void SetMacroEntry(uint32_t record, const std::string& name, const MacroEntry& entry) = 0;
    virtual void AddMacro(uint32_t record, const std::string& name) = 0;
    virtual void DeleteMacro(uint32_t record, const std::string& name) = 0;
    virtual void RenameMacro(uint32_t record, const std::string& oldName, const std::string& newName) = 0;
    virtual void GetMacroNames(uint32_t record, std::vector<std::string>& names) = 0;
    virtual bool GetMacro(uint32_t record, const std::string& name, MacroRecord& macro) = 0;
    virtual void SetMacro(uint32_t record, const std::string& name, const MacroRecord& macro) = 0;
    virtual bool GetMacroAssignments(uint32_t record, const std::string& name,
                                     QVector<MacroAssignment>& assignments) = 0;
    virtual bool GetMacroAssignedKeys(uint32_t record, const std::string& name, QVector<uint16_t>& keys) = 0;
    virtual void SetMacroAssignments(uint32_t record, const std::string& name,
                                     const QVector<MacroAssignment>& assignments) = 0;
    virtual void AddMacroAssignment(uint32_t record, const std::string& name,
                                    const MacroAssignment& assignment) = 0;
    virtual void RemoveMacroAssignment(uint32_t record, const std::string& name,
                                       const MacroAssignment& assignment) = 0;
    virtual bool HasMacroAssignment(uint32_t record, const std::string& name) = 0;
    virtual void ClearAllMacroAssignments(uint32_t record) = 0;
    virtual void ClearMacroAssignments(uint32_t record, const std::string& name) = 0;
    virtual uint8_t GetMacroMode(uint32_t record, const std::string& name) = 0;
    virtual void SetMacroMode(uint32_t record, const std::string& name, uint8_t mode) = 0;
    virtual const std::string& GetMacroPath(uint32_t record) = 0;
    virtual void SetMacroPath(uint32_t record, const std::string& path) = 0;

    // Files at paths the user chose.
    virtual bool ImportMacroFile(const QString& path) = 0;
    virtual bool ExportMacroFile(const QString& path) = 0;
    virtual bool ImportAimpadFile(const QString& path) = 0;
    virtual bool ExportAimpadFile(const QString& path) = 0;
    virtual bool ImportRecord(const QString& path) = 0;
    virtual bool ExportRecord(const QString& path) = 0;
    virtual bool ImportProfile(const QString& path) = 0;
    virtual bool ExportProfile(const QString& path) = 0;

    virtual bool SaveProfile() = 0;
    virtual bool SaveSoftwareSettings() = 0;

protected:
    IKR720ProfileCfg() = default;
    ~IKR720ProfileCfg() = default;
};
