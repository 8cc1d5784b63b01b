#pragma once

#include <QMap>
#include <array>
#include <cstdint>
#include <string>

// Records shared by the audio stores (AU570, AU320, AU340, DS180). They hold strings and maps, so
// they are ordinary value types: nothing here is exchanged with the device byte for byte.

// One equaliser mode. bass and treble travel with the record in memory only; documents never carry them.
struct EqMode {
    int32_t id = 0;
    std::string name;  // UTF-8; a nameless mode is not read back from a document
    int32_t bass = 0;
    int32_t treble = 0;
    int32_t hz64 = 0;
    int32_t hz250 = 0;
    int32_t hz1k = 0;
    int32_t hz4k = 0;
    int32_t hz16k = 0;
};

constexpr int kVirtualSpeakerCount = 8;
using SpeakerValues = std::array<int32_t, kVirtualSpeakerCount>;

// One virtual-surround preset: a switch pair and the position of each of the eight virtual speakers.
struct SurroundMode {
    int32_t id = 0;
    std::string name;         // UTF-8
    int32_t vssEnable = 0;    // used as a boolean
    int32_t smvssEnable = 0;  // used as a boolean
    SpeakerValues angle{};
    SpeakerValues distance{};
};

struct SoundSettings {
    int32_t bass = 0;
    int32_t treble = 0;
    int32_t currModeId = 0;
    QMap<int, EqMode> modes;
};

struct SurroundSettings {
    int32_t currModeId = 0;
    QMap<int, SurroundMode> modes;
};

inline bool operator==(const EqMode& x, const EqMode& y) {
    return x.id == y.id && x.name == y.name && x.bass == y.bass && x.treble == y.treble && x.hz64 == y.hz64 &&
           x.hz250 == y.hz250 && x.hz1k == y.hz1k && x.hz4k == y.hz4k && x.hz16k == y.hz16k;
}
inline bool operator!=(const EqMode& x, const EqMode& y) {
    return !(x == y);
}

inline bool operator==(const SurroundMode& x, const SurroundMode& y) {
    return x.id == y.id && x.name == y.name && x.vssEnable == y.vssEnable && x.smvssEnable == y.smvssEnable &&
           x.angle == y.angle && x.distance == y.distance;
}
inline bool operator!=(const SurroundMode& x, const SurroundMode& y) {
    return !(x == y);
}

inline bool operator==(const SoundSettings& x, const SoundSettings& y) {
    return x.bass == y.bass && x.treble == y.treble && x.currModeId == y.currModeId && x.modes == y.modes;
}
inline bool operator!=(const SoundSettings& x, const SoundSettings& y) {
    return !(x == y);
}

inline bool operator==(const SurroundSettings& x, const SurroundSettings& y) {
    return x.currModeId == y.currModeId && x.modes == y.modes;
}
inline bool operator!=(const SurroundSettings& x, const SurroundSettings& y) {
    return !(x == y);
}

// The operations the DS180, AU320 and AU340 interfaces share, in their binary order: the profile and
// colour block, the lighting block (not on the AU340) and the sound, surround and file block. The
// interfaces must stay distinct classes, so each shared run is written once here.
#define PREFBOOK_AUDIO_PROFILE_OPERATIONS                               \
    virtual int GetProfileNum() const = 0;                              \
    virtual void SetExportPath(const QString& path) = 0;                \
    virtual const QString& GetExportPath() const = 0;                   \
    virtual void SetOpenExePath(const QString& path) = 0;               \
    virtual const QString& GetOpenExePath() const = 0;                  \
    virtual bool SetProfileExe(int idx, const QString& exe) = 0;        \
    virtual bool GetProfileExe(int idx, QString& exe) const = 0;        \
    virtual bool SetProfileName(int idx, const QString& name) = 0;      \
    virtual bool GetProfileName(int idx, QString& name) const = 0;      \
    virtual bool SetForeground(const QVector<CustomColor>& colors) = 0; \
    virtual bool GetForeground(QVector<CustomColor>& colors) const = 0;

#define PREFBOOK_AUDIO_LIGHTING_OPERATIONS(Effect)                    \
    virtual void SetLightEffect(uint8_t n, const Effect& effect) = 0; \
    virtual bool GetLightEffect(uint8_t n, Effect& effect) const = 0; \
    virtual void SetLightEffects(const QVector<Effect>& effects) = 0; \
    virtual bool GetLightEffects(QVector<Effect>& effects) const = 0; \
    virtual void SetLightingMode(uint8_t mode) = 0;                   \
    virtual uint8_t GetLightingMode() const = 0;

#define PREFBOOK_AUDIO_SOUND_OPERATIONS                                      \
    virtual bool GetSoundSettings(SoundSettings& sound) const = 0;           \
    virtual bool SetSoundSettings(const SoundSettings& sound) = 0;           \
    virtual bool GetEqModes(QMap<int, EqMode>& modes) const = 0;             \
    virtual bool SetEqModes(const QMap<int, EqMode>& modes) = 0;             \
    virtual bool GetEqMode(int id, EqMode& mode) = 0;                        \
    virtual bool SetEqMode(int id, const EqMode& mode) = 0;                  \
    virtual int GetBass() const = 0;                                         \
    virtual void SetBass(int bass) = 0;                                      \
    virtual int GetTreble() const = 0;                                       \
    virtual void SetTreble(int treble) = 0;                                  \
    virtual int GetCurrModeId() const = 0;                                   \
    virtual void SetCurrModeId(int id) = 0;                                  \
    virtual bool AddEqMode(const EqMode& mode) = 0;                          \
    virtual bool DeleteEqMode(int id) = 0;                                   \
    virtual bool RenameEqMode(int id, const std::string& name) = 0;          \
    virtual bool GetSurroundModes(QMap<int, SurroundMode>& modes) const = 0; \
    virtual bool SetSurroundModes(const QMap<int, SurroundMode>& modes) = 0; \
    virtual bool GetSurroundMode(int id, SurroundMode& mode) = 0;            \
    virtual bool SetSurroundMode(int id, const SurroundMode& mode) = 0;      \
    virtual bool GetVssEnable(int id) const = 0;                             \
    virtual void SetVssEnable(int id, bool enable) = 0;                      \
    virtual bool GetSmvssEnable(int id) const = 0;                           \
    virtual void SetSmvssEnable(int id, bool enable) = 0;                    \
    virtual bool GetDistances(int id, QVector<int>& distances) const = 0;    \
    virtual bool SetDistances(int id, const QVector<int>& distances) = 0;    \
    virtual bool GetAngles(int id, QVector<int>& angles) const = 0;          \
    virtual bool SetAngles(int id, const QVector<int>& angles) = 0;          \
    virtual int GetSurroundModeId() const = 0;                               \
    virtual void SetSurroundModeId(int id) = 0;                              \
    virtual bool AddSurroundMode(const SurroundMode& mode) = 0;              \
    virtual bool DeleteSurroundMode(int id) = 0;                             \
    virtual bool RenameSurroundMode(int id, const std::string& name) = 0;    \
    virtual bool SaveProfile() = 0;                                          \
    virtual bool ExportProfile(const QString& path) = 0;                     \
    virtual bool ImportProfile(const QString& path) = 0;
