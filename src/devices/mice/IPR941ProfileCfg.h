#pragma once

#include "PrefbookExport.h"
#include "devices/mice/PR941Records.h"

// Profile store of the PR941 mouse (device type 10): the PR260's buttons, surfaces and macros with a
// lighting block, five DPI steps and wireless settings, persisted as a "PR941" document.
class PREFBOOK_EXPORT IPR941ProfileCfg {
public:
    // The process-wide store, loaded on first use (thread-safe).
    static IPR941ProfileCfg& Instance();

    PREFBOOK_BUTTON_MOUSE_HEAD_OPERATIONS(PR941Profile)

    virtual void SetLightingMode(int idx, uint8_t mode) = 0;
    virtual uint8_t GetLightingMode(int idx) = 0;
    virtual void SetStarsMode(int idx, uint8_t mode) = 0;
    virtual uint8_t GetStarsMode(int idx) = 0;
    virtual void SetLightingModeEntry(int idx, uint8_t modeId, const StarsModeEntry& entry) = 0;
    virtual bool GetLightingModeEntry(int idx, uint8_t modeId, StarsModeEntry& entry) = 0;
    virtual void SetLightingModes(int idx, const StarsModeMap& modes) = 0;
    virtual bool GetLightingModes(int idx, StarsModeMap& modes) = 0;
    // Choosing the LED colours also selects the custom lighting mode.
    virtual void SetCustomRgb(int idx, const LedColors& colors) = 0;
    virtual bool GetCustomRgb(int idx, LedColors& colors) = 0;
    virtual void SetCurrLed(int idx, int32_t led) = 0;
    virtual int32_t GetCurrLed(int idx) = 0;
    virtual void SetMusic(int idx, const MusicLighting& music) = 0;
    virtual bool GetMusic(int idx, MusicLighting& music) = 0;
    virtual void SetForeground(int idx, const QVector<CustomColor>& colors) = 0;
    virtual bool GetForeground(int idx, QVector<CustomColor>& colors) = 0;
    virtual void ClearForegroundEnables(int idx) = 0;

    PREFBOOK_BUTTON_MOUSE_CONFIG_OPERATIONS(PerformanceConfig5, uint16_t value)
    PREFBOOK_BUTTON_MOUSE_SURFACE_MACRO_OPERATIONS

    virtual void SetWireless(int idx, const WirelessSettings& wireless) = 0;
    virtual bool GetWireless(int idx, WirelessSettings& wireless) = 0;

    PREFBOOK_BUTTON_MOUSE_FILE_OPERATIONS
    virtual bool ExportAllProfiles(const QString& path) = 0;
    virtual bool ImportAllProfiles(const QString& path) = 0;
    virtual bool SaveProfile() = 0;
    // Writes names, macros and surfaces into the loaded document, keeping what the device side stored
    // there; safe to call from several threads at once.
    virtual bool MergeSaveProfile() = 0;

protected:
    IPR941ProfileCfg() = default;
    ~IPR941ProfileCfg() = default;
};
