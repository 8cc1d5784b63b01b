#pragma once

#include "devices/audio/AudioProfileDocument.h"
#include "devices/audio/AudioStoreTraits.h"
#include "profilecore/StoreHost.h"

namespace prefbook {

// The DS180, AU320 and AU340 stores: a list of profiles of which only the first carries the sound,
// surround and colour settings that the operations reach. Every operation on that profile reports
// false (or does nothing, or gives 0) while the list is empty.
template <class Traits>
class AudioProfileStore : public Traits::Interface {
public:
    using Profile = typename Traits::Profile;
    using Data = AudioStoreData<Profile>;

    // Loads the newest readable document holding a profile, else one default profile.
    explicit AudioProfileStore(const StoreHost& host);

    int GetProfileNum() const override { return data_.profiles.size(); }
    void SetExportPath(const QString& path) override { data_.exportPath = path; }
    const QString& GetExportPath() const override { return data_.exportPath; }
    void SetOpenExePath(const QString& path) override { data_.openExePath = path; }
    const QString& GetOpenExePath() const override { return data_.openExePath; }
    bool SetProfileExe(int idx, const QString& exe) override;
    bool GetProfileExe(int idx, QString& exe) const override;
    bool SetProfileName(int idx, const QString& name) override;
    bool GetProfileName(int idx, QString& name) const override;
    bool SetForeground(const QVector<CustomColor>& colors) override;
    bool GetForeground(QVector<CustomColor>& colors) const override;

    bool GetSoundSettings(SoundSettings& sound) const override;
    bool SetSoundSettings(const SoundSettings& sound) override;
    bool GetEqModes(QMap<int, EqMode>& modes) const override;
    bool SetEqModes(const QMap<int, EqMode>& modes) override;
    bool GetEqMode(int id, EqMode& mode) override;
    bool SetEqMode(int id, const EqMode& mode) override;
    int GetBass() const override;
    void SetBass(int bass) override;
    int GetTreble() const override;
    void SetTreble(int treble) override;
    int GetCurrModeId() const override;
    void SetCurrModeId(int id) override;
    bool AddEqMode(const EqMode& mode) override;
    bool DeleteEqMode(int id) override;
    bool RenameEqMode(int id, const std::string& name) override;

    bool GetSurroundModes(QMap<int, SurroundMode>& modes) const override;
    bool SetSurroundModes(const QMap<int, SurroundMode>& modes) override;
    bool GetSurroundMode(int id, SurroundMode& mode) override;
    bool SetSurroundMode(int id, const SurroundMode& mode) override;
    bool GetVssEnable(int id) const override;
    void SetVssEnable(int id, bool enable) override;
    bool GetSmvssEnable(int id) const override;
    void SetSmvssEnable(int id, bool enable) override;
    bool GetDistances(int id, QVector<int>& distances) const override;
    bool SetDistances(int id, const QVector<int>& distances) override;
    bool GetAngles(int id, QVector<int>& angles) const override;
    bool SetAngles(int id, const QVector<int>& angles) override;
    int GetSurroundModeId() const override;
    void SetSurroundModeId(int id) override;
    bool AddSurroundMode(const SurroundMode& mode) override;
    bool DeleteSurroundMode(int id) override;
    bool RenameSurroundMode(int id, const std::string& name) override;

    bool SaveProfile() override;
    bool ExportProfile(const QString& path) override;
    bool ImportProfile(const QString& path) override;

    // For tools: the document the load kept (empty for the defaults) and everything held.
    const QString& LoadedFrom() const { return loadedFrom_; }
    const Data& StoreData() const { return data_; }
    // Whether the load takes a document that read as this: a readable document without profiles
    // gives way to an older one that has some.
    static bool Accepts(const Data& data) { return !data.profiles.isEmpty(); }

protected:
    Profile* First() { return data_.profiles.isEmpty() ? nullptr : &data_.profiles.first(); }
    const Profile* First() const { return data_.profiles.isEmpty() ? nullptr : &data_.profiles.first(); }

private:
    // The existing surround mode of the first profile, or nullptr.
    SurroundMode* FindSurroundMode(int id);
    const SurroundMode* FindSurroundMode(int id) const;
    bool ReadDocument(const QString& path, Data& into) const;
    bool WriteDocument(const QString& path, WriteMode mode) const;

    StoreHost host_;
    Data data_;
    QString loadedFrom_;
};

// The lighting operations of the DS180 and AU320 (the AU340 has none).
template <class Traits>
class LitAudioProfileStore : public AudioProfileStore<Traits> {
public:
    using Effect = typename Traits::Effect;
    using AudioProfileStore<Traits>::AudioProfileStore;

    // An effect index past the list changes nothing, the lighting mode included.
    void SetLightEffect(uint8_t n, const Effect& effect) override;
    bool GetLightEffect(uint8_t n, Effect& effect) const override;
    void SetLightEffects(const QVector<Effect>& effects) override;
    bool GetLightEffects(QVector<Effect>& effects) const override;
    void SetLightingMode(uint8_t mode) override;
    uint8_t GetLightingMode() const override;
};

extern template class AudioProfileStore<DS180Traits>;
extern template class AudioProfileStore<AU320Traits>;
extern template class AudioProfileStore<AU340Traits>;
extern template class LitAudioProfileStore<DS180Traits>;
extern template class LitAudioProfileStore<AU320Traits>;

class DS180ProfileCfgImpl final : public LitAudioProfileStore<DS180Traits> {
public:
    using LitAudioProfileStore::LitAudioProfileStore;
};

class AU320ProfileCfgImpl final : public LitAudioProfileStore<AU320Traits> {
public:
    using LitAudioProfileStore::LitAudioProfileStore;
};

class AU340ProfileCfgImpl final : public AudioProfileStore<AU340Traits> {
public:
    using AudioProfileStore::AudioProfileStore;
};

}  // namespace prefbook
