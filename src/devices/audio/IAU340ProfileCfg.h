#pragma once

#include <QMap>
#include <QString>
#include <QVector>
#include <cstdint>
#include <string>

#include "PrefbookExport.h"
#include "devices/audio/AudioRecords.h"
#include "profilecore/CustomColor.h"

// Natural alignment for the same reason as DS180Profile: it holds std::string and Qt containers.
struct AU340Profile {
    int32_t id = 0;
    std::string name;                 // UTF-8
    std::string exe;                  // UTF-8
    QVector<CustomColor> foreground;  // not carried by the document
    SoundSettings sound;              // the document carries no bass and treble
    SurroundSettings surround;
};

// Profile store of the AU340 headset (no lighting). Sound and surround operations act on the
// profile at index 0 and report false (or do nothing) while the store holds no profile.
class PREFBOOK_EXPORT IAU340ProfileCfg {
public:
    static IAU340ProfileCfg& Instance();

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
    IAU340ProfileCfg() = default;
    ~IAU340ProfileCfg() = default;
};
