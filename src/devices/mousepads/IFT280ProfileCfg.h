#pragma once

#include <QString>
#include <QVector>
#include <cstdint>

#include "PrefbookExport.h"
#include "devices/mousepads/FT280Records.h"

// The three sizes of the FT280 mouse pad (device types 16, 17 and 18), one profile each. Every operation
// works on the profile of the size given as its first argument; a type outside 16 to 18 holds no
// profile, so setters do nothing and getters report false or 0.
class PREFBOOK_EXPORT IFT280ProfileCfg {
public:
    static IFT280ProfileCfg& Instance();

    virtual bool SetCustomColors(int type, const QVector<CustomColor>& colors) = 0;
    virtual bool GetCustomColors(int type, QVector<CustomColor>& colors) = 0;
    // Replaces the setting at the index and makes its id the current mode; an index past the list
    // changes nothing.
    virtual void SetModeSetting(int type, uint8_t index, const ModeSetting& setting) = 0;
    virtual bool GetModeSetting(int type, uint8_t index, ModeSetting& setting) = 0;
    virtual void SetModeSettings(int type, const QVector<ModeSetting>& settings) = 0;
    virtual bool GetModeSettings(int type, QVector<ModeSetting>& settings) = 0;
    virtual void SetCurrMode(int type, uint8_t mode) = 0;
    virtual uint8_t GetCurrMode(int type) = 0;
    virtual bool SaveProfile(int type) = 0;
    virtual bool ExportProfile(int type, const QString& path) = 0;
    // True only when the file read and held exactly one profile; the profiles read are taken even
    // when there are more.
    virtual bool ImportProfile(int type, const QString& path) = 0;

protected:
    IFT280ProfileCfg() = default;
    ~IFT280ProfileCfg() = default;
};
