#pragma once

#include <QString>
#include <QVector>
#include <array>
#include <string>

#include "devices/keyboards/IKR720ProfileCfg.h"
#include "devices/keyboards/KR720Document.h"
#include "profilecore/MacroModel.h"
#include "profilecore/StoreHost.h"

namespace prefbook {

class KR720ProfileCfgImpl final : public IKR720ProfileCfg {
public:
    // Sets the initial values and loads the newest accepted document of the KR720 profile folder.
    explicit KR720ProfileCfgImpl(const StoreHost& host);

    // Whether the load takes a document that read as this: a store document with every record.
    static bool Accepts(const KR720Document& doc) {
        return doc.records.size() == kKR720Records && doc.head.flag == kKR720StoreFlag;
    }

    uint32_t GetSignature() override { return signature_; }
    void SetSignature(uint32_t signature) override { signature_ = signature; }
    uint32_t GetRecordCount() override { return static_cast<uint32_t>(records_.size()); }
    uint8_t GetCurrProfile() override { return currProfile_; }
    void SetCurrProfile(uint8_t profile) override { currProfile_ = profile; }
    uint8_t GetCurrAimMode() override { return currAimMode_; }
    void SetCurrAimMode(uint8_t aimMode) override { currAimMode_ = aimMode; }
    uint8_t GetCurrIndex() override;
    int8_t GetRecordIndex(uint8_t profile, uint8_t aimMode) override;
    bool GetProfileIndexes(uint8_t profile, QVector<uint8_t>& indexes) override;
    void SetExportPath(const QString& path) override { exportPath_ = path; }
    const QString& GetExportPath() override { return exportPath_; }
    void SetOpenExePath(const QString& path) override { openExePath_ = path; }
    const QString& GetOpenExePath() override { return openExePath_; }
    void SetProfileExe(uint32_t profile, const std::string& exe) override;
    const std::string& GetProfileExe(uint32_t profile) override;
    void SetProfileName(uint32_t profile, const std::string& name) override;
    const std::string& GetProfileName(uint32_t profile) override;
    void SetProfileBlock(uint32_t record, const KR720ProfileBlock& block) override;
    bool GetProfileBlock(uint32_t record, KR720ProfileBlock& block) override;
    void SetChanged(uint32_t record, uint8_t changed) override;
    bool HasChanges() override;
    uint8_t IsChanged(uint32_t record) override;
    uint8_t IsProfileChanged(int32_t profile) override;
    uint8_t IsAimModeChanged(int32_t aimMode) override;
    void ClearChanged() override;
    uint8_t GetAuxFlag() override { return auxFlag_; }
    void SetAuxFlag(uint8_t flag) override { auxFlag_ = flag; }

    bool GetAimMode(uint32_t record, AimMode& mode) override;
    bool SetAimMode(uint32_t record, const AimMode& mode) override;
    bool GetSpecKeys(uint32_t record, uint16_t* keys) override;
    bool SetSpecKeys(uint32_t record, const uint16_t* keys) override;
    bool GetSensitActuat(uint32_t record, uint16_t& value) override;
    bool SetSensitActuat(uint32_t record, uint16_t value) override;
    bool GetDigitalKeys(uint32_t record, DigitalKeyMap& keys) override;
    bool SetDigitalKeys(uint32_t record, const DigitalKeyMap& keys) override;
    const std::string& GetAimModeName(uint32_t record) override;
    bool SetAimModeName(uint32_t record, const std::string& name) override;
    void ResetAimModeName(uint32_t record) override;
    const std::string& GetAimpadPath(uint32_t record) override;
    void SetAimpadPath(uint32_t record, const std::string& path) override;

    void SetLightMode(uint8_t record, uint8_t mode) override;
    int8_t GetLightMode(uint8_t record) override;
    void SetGeneralEffect(uint8_t record, uint8_t position, const LightEffect& effect) override;
    bool GetGeneralEffect(uint8_t record, uint8_t position, LightEffect& effect) override;
    void SetGeneralEffects(uint8_t record, const QVector<LightEffect>& effects) override;
    bool GetGeneralEffects(uint8_t record, QVector<LightEffect>& effects) override;
    void SetCustomColors(uint8_t record, const KR720CustomBlock& colors) override;
    bool GetCustomColors(uint8_t record, KR720CustomBlock& colors) override;
    void SetMultilayerCurrMode(uint8_t record, uint8_t mode) override;
    int8_t GetMultilayerCurrMode(uint8_t record) override;
    void SetMultilayerEffects(uint8_t record, const QVector<LightEffect>& effects) override;
    bool GetMultilayerEffects(uint8_t record, QVector<LightEffect>& effects) override;
    bool GetCurrMultilayerEffect(uint8_t record, LightEffect& effect) override;
    bool GetMultilayerIds(uint8_t record, uint8_t& currMode, QVector<uint8_t>& ids) override;
    void SetMultizoneCurrMode(uint8_t record, uint8_t mode) override;
    int8_t GetMultizoneCurrMode(uint8_t record) override;
    void SetMultizone(uint8_t record, const QVector<LightEffect>& effects, const uint8_t* filters) override;
    bool GetMultizone(uint8_t record, QVector<LightEffect>& effects, uint8_t* filters) override;
    bool GetCurrMultizoneEffect(uint8_t record, LightEffect& effect) override;
    bool GetMultizoneIds(uint8_t record, uint8_t& currMode, QVector<uint8_t>& ids) override;
    void SetCustomList(uint8_t record, int8_t which, const QVector<CustomColor>& colors) override;
    bool GetCustomList(uint8_t record, uint8_t which, QVector<CustomColor>& colors) override;
    void ClearCustomEnables(uint8_t record) override;

    void SetMapping(uint8_t record, const QVector<uint16_t>& mapping) override;
    bool GetMapping(uint8_t record, QVector<uint16_t>& mapping) override;
    void SetMappedKey(uint8_t record, uint16_t key, uint16_t value) override;
    uint16_t GetMappedKey(uint8_t record, uint16_t key) override;

    bool GetMacroSet(uint32_t record, MacroMap& macros) override;
    void SetMacroSet(uint32_t record, const MacroMap& macros) override;
    const std::string& GetCurrMacro(uint32_t record) override;
    void SetCurrMacro(uint32_t record, const std::string& name) override;
    void SetMacroEntry(uint32_t record, const std::string& name, const MacroEntry& entry) override;
    void AddMacro(uint32_t record, const std::string& name) override;
    void DeleteMacro(uint32_t record, const std::string& name) override;
    void RenameMacro(uint32_t record, const std::string& oldName, const std::string& newName) override;
    void GetMacroNames(uint32_t record, std::vector<std::string>& names) override;
    bool GetMacro(uint32_t record, const std::string& name, MacroRecord& macro) override;
    void SetMacro(uint32_t record, const std::string& name, const MacroRecord& macro) override;
    bool GetMacroAssignments(uint32_t record, const std::string& name,
                             QVector<MacroAssignment>& assignments) override;
    bool GetMacroAssignedKeys(uint32_t record, const std::string& name, QVector<uint16_t>& keys) override;
    void SetMacroAssignments(uint32_t record, const std::string& name,
                             const QVector<MacroAssignment>& assignments) override;
    void AddMacroAssignment(uint32_t record, const std::string& name,
                            const MacroAssignment& assignment) override;
    void RemoveMacroAssignment(uint32_t record, const std::string& name,
                               const MacroAssignment& assignment) override;
    bool HasMacroAssignment(uint32_t record, const std::string& name) override;
    void ClearAllMacroAssignments(uint32_t record) override;
    void ClearMacroAssignments(uint32_t record, const std::string& name) override;
    uint8_t GetMacroMode(uint32_t record, const std::string& name) override;
    void SetMacroMode(uint32_t record, const std::string& name, uint8_t mode) override;
    const std::string& GetMacroPath(uint32_t record) override;
    void SetMacroPath(uint32_t record, const std::string& path) override;

    bool ImportMacroFile(const QString& path) override;
    bool ExportMacroFile(const QString& path) override;
    bool ImportAimpadFile(const QString& path) override;
    bool ExportAimpadFile(const QString& path) override;
    bool ImportRecord(const QString& path) override;
    bool ExportRecord(const QString& path) override;
    bool ImportProfile(const QString& path) override;
    bool ExportProfile(const QString& path) override;

    bool SaveProfile() override;
    bool SaveSoftwareSettings() override;

    // The path of the document last loaded or saved; empty when the store holds its defaults.
    const QString& DocumentPath() const { return documentPath_; }
    // The records as loaded and changed, for tests and the command-line tool.
    const QVector<KR720Profile>& Records() const { return records_; }
    // Replaces a record whole (nothing for an index outside the list), for tests and tools.
    void PutRecord(uint32_t index, const KR720Profile& record) {
        if (KR720Profile* p = Record(index)) *p = record;
    }

private:
    void Load();
    void BuildDefaults();
    // The record at index, or null when the index is outside the list.
    KR720Profile* Record(uint32_t index);
    // The records of profile currProfile in aim-mode order; none while it names no profile.
    QVector<KR720Profile> CurrentProfileRecords() const;
    KR720Head Head(uint16_t flag) const { return {flag, signature_, exportPath_, openExePath_}; }
    // Reads an export into a temporary document; the file's paths replace the store's once its root
    // has been read, as the suite expects after an import attempt.
    bool ReadExport(const QString& path, KR720Document& doc);

    StoreHost host_;
    const std::array<std::string, kKR720AimModes> aimModeNames_{
        {"NORMAL", "FPS", "DRIVING", "ADVANCED FLIGHT", "MOBA"}};
    uint32_t signature_ = 0;
    static constexpr uint8_t kNoAimMode = 255;
    uint8_t currProfile_ = 255;
    uint8_t currAimMode_ = kNoAimMode;
    uint8_t auxFlag_ = 0;
    QString exportPath_;
    QString openExePath_;
    QString documentPath_;
    QVector<KR720Profile> records_;
};

}  // namespace prefbook
