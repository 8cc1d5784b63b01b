#pragma once

#include <QMap>
#include <QString>
#include <QVector>
#include <cstdint>
#include <string>

#include "PrefbookExport.h"
#include "devices/audio/AudioRecords.h"
#include "profilecore/CustomColor.h"

#pragma pack(push, 1)
// One lighting effect, exchanged with the device byte for byte.
struct DS180LightEffect {
    uint8_t id;
    uint8_t speed;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};
#pragma pack(pop)
static_assert(sizeof(DS180LightEffect) == 5, "DS180LightEffect is exchanged as 5 bytes");

inline bool operator==(const DS180LightEffect& x, const DS180LightEffect& y) {
    return x.id == y.id && x.speed == y.speed && x.red == y.red && x.green == y.green && x.blue == y.blue;
}
inline bool operator!=(const DS180LightEffect& x, const DS180LightEffect& y) {
    return !(x == y);
}

struct DS180Lighting {
    uint8_t currMode = 0;
    QVector<DS180LightEffect> effects;
    QVector<CustomColor> foreground;
};

// The profile aggregates keep natural alignment: they hold std::string and Qt containers, which must
// not sit at misaligned addresses. Only the fixed-size records above are packed.
struct DS180Profile {
    int32_t id = 0;
    std::string name;  // UTF-8
    std::string exe;   // UTF-8
    DS180Lighting lighting;
    SoundSettings sound;
    SurroundSettings surround;
};

// Profile store of the DS180 surround device. Lighting, sound and surround operations act on the
// profile at index 0 and report false (or do nothing) while the store holds no profile.
class PREFBOOK_EXPORT IDS180ProfileCfg {
public:
    static IDS180ProfileCfg& Instance();

    virtual int GetProfileNum() const = 0;
    virtual void SetExportPath(const QString& path) = 0;
    virtual const QString& GetExportPath() const = 0;
    virtual void SetOpenExePath(const QString& path) = 0;
    virtual const QString& GetOpenExePath() const = 0;
    virtual bool SetProfileExe(int idx, const QString& exe) = 0;
    virtual bool GetProfileExe(int idx, QString& exe) const = 0;
    virtual bool SetProfileName(int idx, const QString& name) = 0;
    virtual bool GetProfileName(int idx, QString& name) const = 0;
    virtual bool SetForeground(const QVector<CustomColor>& colors) = 0;
    virtual bool GetForeground(QVector<CustomColor>& colors) const = 0;
    virtual void SetLightEffect(uint8_t n, const DS180LightEffect& effect) = 0;
    virtual bool GetLightEffect(uint8_t n, DS180LightEffect& effect) const = 0;
    virtual void SetLightEffects(const QVector<DS180LightEffect>& effects) = 0;
    virtual bool GetLightEffects(QVector<DS180LightEffect>& effects) const = 0;
    virtual void SetLightingMode(uint8_t mode) = 0;
    virtual uint8_t GetLightingMode() const = 0;
    virtual bool GetSoundSettings(SoundSettings& sound) const = 0;
    virtual bool SetSoundSettings(const SoundSettings& sound) = 0;
    virtual bool GetEqModes(QMap<int, EqMode>& modes) const = 0;
    virtual bool SetEqModes(const QMap<int, EqMode>& modes) = 0;
    virtual bool GetEqMode(int id, EqMode& mode) = 0;
    virtual bool SetEqMode(int id, const EqMode& mode) = 0;
    virtual int GetBass() const = 0;
    virtual void SetBass(int bass) = 0;
    virtual int GetTreble() const = 0;
    virtual void SetTreble(int treble) = 0;
    virtual int GetCurrModeId() const = 0;
    virtual void SetCurrModeId(int id) = 0;
    virtual bool AddEqMode(const EqMode& mode) = 0;
    virtual bool DeleteEqMode(int id) = 0;
    virtual bool RenameEqMode(int id, const std::string& name) = 0;
    virtual bool GetSurroundModes(QMap<int, SurroundMode>& modes) const = 0;
    virtual bool SetSurroundModes(const QMap<int, SurroundMode>& modes) = 0;
    virtual bool GetSurroundMode(int id, SurroundMode& mode) = 0;
    virtual bool SetSurroundMode(int id, const SurroundMode& mode) = 0;
    virtual bool GetVssEnable(int id) const = 0;
    virtual void SetVssEnable(int id, bool enable) = 0;
    virtual bool GetSmvssEnable(int id) const = 0;
    virtual void SetSmvssEnable(int id, bool enable) = 0;
    virtual bool GetDistances(int id, QVector<int>& distances) const = 0;
    virtual bool SetDistances(int id, const QVector<int>& distances) = 0;
    virtual bool GetAngles(int id, QVector<int>& angles) const = 0;
    virtual bool SetAngles(int id, const QVector<int>& angles) = 0;
    virtual int GetSurroundModeId() const = 0;
    virtual void SetSurroundModeId(int id) = 0;
    virtual bool AddSurroundMode(const SurroundMode& mode) = 0;
    virtual bool DeleteSurroundMode(int id) = 0;
    virtual bool RenameSurroundMode(int id, const std::string& name) = 0;
    virtual bool SaveProfile() = 0;
    virtual bool ExportProfile(const QString& path) = 0;
    virtual bool ImportProfile(const QString& path) = 0;

protected:
    IDS180ProfileCfg() = default;
    ~IDS180ProfileCfg() = default;
};
