#pragma once

#include <QMap>
#include <QString>
#include <cstdint>
#include <string>

#include "PrefbookExport.h"
#include "devices/audio/AudioRecords.h"

// The AU570 headset's one set of sound settings.
struct AU570ProfileData {
    int32_t bass = 0;
    int32_t treble = 0;
    int32_t currModeId = 0;  // never checked against the table
    QMap<int, EqMode> modes;
};

inline bool operator==(const AU570ProfileData& x, const AU570ProfileData& y) {
    return x.bass == y.bass && x.treble == y.treble && x.currModeId == y.currModeId && x.modes == y.modes;
}
inline bool operator!=(const AU570ProfileData& x, const AU570ProfileData& y) {
    return !(x == y);
}

// Profile store of the AU570 headset. Setters change memory only; SaveProfile and ExportProfile write.
class PREFBOOK_EXPORT IAU570ProfileCfg {
public:
    static IAU570ProfileCfg& Instance();

    virtual const AU570ProfileData& GetProfileData() const = 0;
    virtual void SetProfileData(const AU570ProfileData& data) = 0;
    virtual const QMap<int, EqMode>& GetEqModes() const = 0;
    virtual void SetEqModes(const QMap<int, EqMode>& modes) = 0;
    // Id 0 gives an empty record outside the table; another absent id is inserted as an empty record.
    virtual EqMode& GetEqMode(int id) = 0;
    virtual void SetEqMode(int id, const EqMode& mode) = 0;
    virtual int GetBass() const = 0;
    virtual void SetBass(int bass) = 0;
    virtual int GetTreble() const = 0;
    virtual void SetTreble(int treble) = 0;
    virtual int GetCurrModeId() const = 0;
    virtual void SetCurrModeId(int id) = 0;
    virtual void AddEqMode(const EqMode& mode) = 0;
    virtual void DeleteEqMode(int id) = 0;
    virtual void RenameEqMode(int id, const std::string& name) = 0;
    virtual bool SaveProfile() = 0;
    virtual bool ExportProfile(const QString& path) = 0;
    virtual bool ImportProfile(const QString& path) = 0;

protected:
    IAU570ProfileCfg() = default;
    ~IAU570ProfileCfg() = default;
};
