#pragma once

#include "devices/audio/IAU570ProfileCfg.h"
#include "profilecore/StoreHost.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

class AU570ProfileCfgImpl final : public IAU570ProfileCfg {
public:
    // Loads the newest readable document of the AU570 profile folder, else the built-in presets.
    explicit AU570ProfileCfgImpl(const StoreHost& host);

    const AU570ProfileData& GetProfileData() const override { return data_; }
    void SetProfileData(const AU570ProfileData& data) override { data_ = data; }
    const QMap<int, EqMode>& GetEqModes() const override { return data_.modes; }
    void SetEqModes(const QMap<int, EqMode>& modes) override { data_.modes = modes; }
    EqMode& GetEqMode(int id) override;
    void SetEqMode(int id, const EqMode& mode) override { data_.modes.insert(id, mode); }
    int GetBass() const override { return data_.bass; }
    void SetBass(int bass) override { data_.bass = bass; }
    int GetTreble() const override { return data_.treble; }
    void SetTreble(int treble) override { data_.treble = treble; }
    int GetCurrModeId() const override { return data_.currModeId; }
    void SetCurrModeId(int id) override { data_.currModeId = id; }
    void AddEqMode(const EqMode& mode) override;
    void DeleteEqMode(int id) override { data_.modes.remove(id); }
    void RenameEqMode(int id, const std::string& name) override { data_.modes[id].name = name; }
    bool SaveProfile() override;
    bool ExportProfile(const QString& path) override;
    bool ImportProfile(const QString& path) override;

    // For tools: the document the load kept, empty for the presets.
    const QString& LoadedFrom() const { return loadedFrom_; }
    // Whether the load takes a document that read as this: any readable one.
    static bool Accepts(const AU570ProfileData&) { return true; }

private:
    bool ReadDocument(const QString& path, AU570ProfileData& into) const;
    bool WriteDocument(const QString& path, WriteMode mode) const;

    StoreHost host_;
    AU570ProfileData data_;
    QString loadedFrom_;
    EqMode detached_;  // handed out for id 0, emptied on every such call; never part of the table
};

}  // namespace prefbook
