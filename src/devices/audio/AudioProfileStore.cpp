#include "devices/audio/AudioProfileStore.h"

#include <algorithm>

#include "profilecore/ProfileFolder.h"

IDS180ProfileCfg& IDS180ProfileCfg::Instance() {
    static prefbook::DS180ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

IAU320ProfileCfg& IAU320ProfileCfg::Instance() {
    static prefbook::AU320ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

IAU340ProfileCfg& IAU340ProfileCfg::Instance() {
    static prefbook::AU340ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

namespace prefbook {
namespace {

const QString kSuffix = QStringLiteral("xml");

std::string Narrow(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString Wide(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

QVector<int> ToVector(const SpeakerValues& values) {
    return QVector<int>(values.begin(), values.end());
}

bool FromVector(const QVector<int>& list, SpeakerValues& values) {
    if (list.size() != kVirtualSpeakerCount) return false;
    std::copy(list.begin(), list.end(), values.begin());
    return true;
}

}  // namespace

// ---- Construction, save, export, import ----

template <class T>
AudioProfileStore<T>::AudioProfileStore(const StoreHost& host) : host_(host) {
    const LoadOutcome outcome = LoadNewestDocument(
        host_.ProfileDir(T::kDeviceType), kSuffix,
        [this](const QString& path) {
            data_ = Data{};
            return ReadDocument(path, data_);
        },
        [this] { return Accepts(data_); });
    if (!outcome.keep || data_.profiles.isEmpty()) {
        data_ = Data{};
        data_.profiles.push_back(DefaultAudioProfile<T>());
    } else {
        ApplyMissingAudioDefaults(data_.profiles.first());
        loadedFrom_ = outcome.path;
    }
}

template <class T>
bool AudioProfileStore<T>::SaveProfile() {
    return SaveProfileDocument(host_, host_.ProfileDir(T::kDeviceType), kSuffix,
                               [this](const QString& tmp) { return WriteDocument(tmp, WriteMode::Direct); });
}

template <class T>
bool AudioProfileStore<T>::ExportProfile(const QString& path) {
    return !path.isEmpty() && WriteDocument(path, WriteMode::Atomic);
}

template <class T>
bool AudioProfileStore<T>::ImportProfile(const QString& path) {
    if (path.isEmpty()) return false;
    const Profile* before = First();
    const bool keepLevels = before != nullptr;
    const int bass = before ? before->sound.bass : 0;
    const int treble = before ? before->sound.treble : 0;
    // A document that does not read leaves the store as it was; one that reads replaces the store,
    // even when it does not hold the single profile an import expects.
    Data read;
    if (!ReadDocument(path, read)) return false;
    data_ = read;
    if (data_.profiles.size() != 1) return false;
    Profile& p = data_.profiles.first();
    if (keepLevels) {
        p.sound.bass = bass;
        p.sound.treble = treble;
    }
    ApplyMissingAudioDefaults(p);
    return true;
}

template <class T>
bool AudioProfileStore<T>::ReadDocument(const QString& path, Data& into) const {
    return ReadXmlFile(host_, path, QStringLiteral("Parse %1 XML Failed. ").arg(QLatin1String(T::kModel)),
                       [&into](QXmlStreamReader& r) { ReadAudioDocument<T>(r, into); });
}

template <class T>
bool AudioProfileStore<T>::WriteDocument(const QString& path, WriteMode mode) const {
    return WriteGuardedXmlFile(host_, path, mode,
                               QStringLiteral("Write %1 XML Failed: ").arg(QLatin1String(T::kModel)),
                               [this](QXmlStreamWriter& w) { WriteAudioDocument<T>(w, data_); });
}

// ---- Profiles by index ----

template <class T>
bool AudioProfileStore<T>::SetProfileExe(int idx, const QString& exe) {
    if (idx < 0 || idx >= data_.profiles.size()) return false;
    data_.profiles[idx].exe = Narrow(exe);
    return true;
}

template <class T>
bool AudioProfileStore<T>::GetProfileExe(int idx, QString& exe) const {
    if (idx < 0 || idx >= data_.profiles.size()) return false;
    exe = Wide(data_.profiles[idx].exe);
    return true;
}

template <class T>
bool AudioProfileStore<T>::SetProfileName(int idx, const QString& name) {
    if (idx < 0 || idx >= data_.profiles.size()) return false;
    data_.profiles[idx].name = Narrow(name);
    return true;
}

template <class T>
bool AudioProfileStore<T>::GetProfileName(int idx, QString& name) const {
    if (idx < 0 || idx >= data_.profiles.size()) return false;
    name = Wide(data_.profiles[idx].name);
    return true;
}

template <class T>
bool AudioProfileStore<T>::SetForeground(const QVector<CustomColor>& colors) {
    Profile* p = First();
    if (!p) return false;
    T::Entries(*p) = colors;
    return true;
}

template <class T>
bool AudioProfileStore<T>::GetForeground(QVector<CustomColor>& colors) const {
    const Profile* p = First();
    if (!p) return false;
    colors = T::Entries(*p);
    return true;
}

// ---- Sound ----

template <class T>
bool AudioProfileStore<T>::GetSoundSettings(SoundSettings& sound) const {
    const Profile* p = First();
    if (!p) return false;
    sound = p->sound;
    return true;
}

template <class T>
bool AudioProfileStore<T>::SetSoundSettings(const SoundSettings& sound) {
    Profile* p = First();
    if (!p) return false;
    p->sound = sound;
    return true;
}

template <class T>
bool AudioProfileStore<T>::GetEqModes(QMap<int, EqMode>& modes) const {
    const Profile* p = First();
    if (!p) return false;
    modes = p->sound.modes;
    return true;
}

template <class T>
bool AudioProfileStore<T>::SetEqModes(const QMap<int, EqMode>& modes) {
    Profile* p = First();
    if (!p) return false;
    p->sound.modes = modes;
    return true;
}

template <class T>
bool AudioProfileStore<T>::GetEqMode(int id, EqMode& mode) {
    Profile* p = First();
    if (!p || id == 0) return false;
    mode = p->sound.modes[id];  // an absent id is inserted as an empty mode
    mode.bass = p->sound.bass;
    mode.treble = p->sound.treble;
    return true;
}

template <class T>
bool AudioProfileStore<T>::SetEqMode(int id, const EqMode& mode) {
    Profile* p = First();
    if (!p) return false;
    p->sound.modes.insert(id, mode);
    return true;
}

template <class T>
int AudioProfileStore<T>::GetBass() const {
    const Profile* p = First();
    return p ? p->sound.bass : 0;
}

template <class T>
void AudioProfileStore<T>::SetBass(int bass) {
    if (Profile* p = First()) p->sound.bass = bass;
}

template <class T>
int AudioProfileStore<T>::GetTreble() const {
    const Profile* p = First();
    return p ? p->sound.treble : 0;
}

template <class T>
void AudioProfileStore<T>::SetTreble(int treble) {
    if (Profile* p = First()) p->sound.treble = treble;
}

template <class T>
int AudioProfileStore<T>::GetCurrModeId() const {
    const Profile* p = First();
    return p ? p->sound.currModeId : 0;
}

template <class T>
void AudioProfileStore<T>::SetCurrModeId(int id) {
    if (Profile* p = First()) p->sound.currModeId = id;
}

template <class T>
bool AudioProfileStore<T>::AddEqMode(const EqMode& mode) {
    Profile* p = First();
    if (!p) return false;
    p->sound.modes.insert(mode.id, mode);
    p->sound.currModeId = mode.id;
    return true;
}

template <class T>
bool AudioProfileStore<T>::DeleteEqMode(int id) {
    Profile* p = First();
    return p && p->sound.modes.remove(id) > 0;
}

template <class T>
bool AudioProfileStore<T>::RenameEqMode(int id, const std::string& name) {
    Profile* p = First();
    if (!p) return false;
    p->sound.modes[id].name = name;
    return true;
}

// ---- Surround ----

template <class T>
SurroundMode* AudioProfileStore<T>::FindSurroundMode(int id) {
    Profile* p = First();
    if (!p) return nullptr;
    auto it = p->surround.modes.find(id);
    return it == p->surround.modes.end() ? nullptr : &it.value();
}

template <class T>
const SurroundMode* AudioProfileStore<T>::FindSurroundMode(int id) const {
    const Profile* p = First();
    if (!p) return nullptr;
    auto it = p->surround.modes.constFind(id);
    return it == p->surround.modes.constEnd() ? nullptr : &it.value();
}

template <class T>
bool AudioProfileStore<T>::GetSurroundModes(QMap<int, SurroundMode>& modes) const {
    const Profile* p = First();
    if (!p) return false;
    modes = p->surround.modes;
    return true;
}

template <class T>
bool AudioProfileStore<T>::SetSurroundModes(const QMap<int, SurroundMode>& modes) {
    Profile* p = First();
    if (!p) return false;
    p->surround.modes = modes;
    return true;
}

template <class T>
bool AudioProfileStore<T>::GetSurroundMode(int id, SurroundMode& mode) {
    Profile* p = First();
    if (!p) return false;
    mode = p->surround.modes[id];  // an absent id is inserted as an empty mode
    return true;
}

template <class T>
bool AudioProfileStore<T>::SetSurroundMode(int id, const SurroundMode& mode) {
    Profile* p = First();
    if (!p) return false;
    p->surround.modes.insert(id, mode);
    return true;
}

template <class T>
bool AudioProfileStore<T>::GetVssEnable(int id) const {
    const SurroundMode* m = FindSurroundMode(id);
    return m && m->vssEnable != 0;
}

template <class T>
void AudioProfileStore<T>::SetVssEnable(int id, bool enable) {
    if (SurroundMode* m = FindSurroundMode(id)) m->vssEnable = enable ? 1 : 0;
}

template <class T>
bool AudioProfileStore<T>::GetSmvssEnable(int id) const {
    const SurroundMode* m = FindSurroundMode(id);
    return m && m->smvssEnable != 0;
}

template <class T>
void AudioProfileStore<T>::SetSmvssEnable(int id, bool enable) {
    if (SurroundMode* m = FindSurroundMode(id)) m->smvssEnable = enable ? 1 : 0;
}

template <class T>
bool AudioProfileStore<T>::GetDistances(int id, QVector<int>& distances) const {
    const SurroundMode* m = FindSurroundMode(id);
    if (!m) return false;
    distances = ToVector(m->distance);
    return true;
}

template <class T>
bool AudioProfileStore<T>::SetDistances(int id, const QVector<int>& distances) {
    SurroundMode* m = FindSurroundMode(id);
    return m && FromVector(distances, m->distance);
}

template <class T>
bool AudioProfileStore<T>::GetAngles(int id, QVector<int>& angles) const {
    const SurroundMode* m = FindSurroundMode(id);
    if (!m) return false;
    angles = ToVector(m->angle);
    return true;
}

template <class T>
bool AudioProfileStore<T>::SetAngles(int id, const QVector<int>& angles) {
    SurroundMode* m = FindSurroundMode(id);
    return m && FromVector(angles, m->angle);
}

template <class T>
int AudioProfileStore<T>::GetSurroundModeId() const {
    const Profile* p = First();
    return p ? p->surround.currModeId : 0;
}

template <class T>
void AudioProfileStore<T>::SetSurroundModeId(int id) {
    if (Profile* p = First()) p->surround.currModeId = id;
}

template <class T>
bool AudioProfileStore<T>::AddSurroundMode(const SurroundMode& mode) {
    Profile* p = First();
    if (!p) return false;
    p->surround.modes.insert(mode.id, mode);
    p->surround.currModeId = mode.id;
    return true;
}

template <class T>
bool AudioProfileStore<T>::DeleteSurroundMode(int id) {
    Profile* p = First();
    return p && p->surround.modes.remove(id) > 0;
}

template <class T>
bool AudioProfileStore<T>::RenameSurroundMode(int id, const std::string& name) {
    SurroundMode* m = FindSurroundMode(id);
    if (!m) return false;
    m->name = name;
    return true;
}

// ---- Lighting ----

template <class T>
void LitAudioProfileStore<T>::SetLightEffect(uint8_t n, const Effect& effect) {
    auto* p = this->First();
    if (!p || n >= p->lighting.effects.size()) return;
    p->lighting.effects[n] = effect;
    p->lighting.currMode = effect.id;
}

template <class T>
bool LitAudioProfileStore<T>::GetLightEffect(uint8_t n, Effect& effect) const {
    const auto* p = this->First();
    if (!p || n >= p->lighting.effects.size()) return false;
    effect = p->lighting.effects[n];
    return true;
}

template <class T>
void LitAudioProfileStore<T>::SetLightEffects(const QVector<Effect>& effects) {
    if (auto* p = this->First()) p->lighting.effects = effects;
}

template <class T>
bool LitAudioProfileStore<T>::GetLightEffects(QVector<Effect>& effects) const {
    const auto* p = this->First();
    if (!p) return false;
    effects = p->lighting.effects;
    return true;
}

template <class T>
void LitAudioProfileStore<T>::SetLightingMode(uint8_t mode) {
    if (auto* p = this->First()) p->lighting.currMode = mode;
}

template <class T>
uint8_t LitAudioProfileStore<T>::GetLightingMode() const {
    const auto* p = this->First();
    return p ? p->lighting.currMode : 0;
}

template class AudioProfileStore<DS180Traits>;
template class AudioProfileStore<AU320Traits>;
template class AudioProfileStore<AU340Traits>;
template class LitAudioProfileStore<DS180Traits>;
template class LitAudioProfileStore<AU320Traits>;

}  // namespace prefbook
