#pragma once

#include "devices/mice/IPR260ProfileCfg.h"
#include "devices/mice/IPR261ProfileCfg.h"
#include "devices/mice/PR26xProfileStore.h"

namespace prefbook {

class PR260ProfileCfgImpl final : public PR26xProfileStore<IPR260ProfileCfg, PR260Profile> {
public:
    explicit PR260ProfileCfgImpl(const StoreHost& host) : PR26xProfileStore(host, PR260Model()) {}
};

// The PR260 store with the lighting block.
class PR261ProfileCfgImpl final : public PR26xProfileStore<IPR261ProfileCfg, PR261Profile> {
public:
    explicit PR261ProfileCfgImpl(const StoreHost& host) : PR26xProfileStore(host, PR261Model()) {}

    void SetLightingMode(int idx, uint8_t mode) override;
    uint8_t GetLightingMode(int idx) override;
    void SetLightingModeEntry(int idx, uint8_t modeId, const LightingModeEntry& entry) override;
    bool GetLightingModeEntry(int idx, uint8_t modeId, LightingModeEntry& entry) override;
    void SetLightingModes(int idx, const LightingModeMap& modes) override;
    bool GetLightingModes(int idx, LightingModeMap& modes) override;
    void SetCustomRgb(int idx, const CustomRgbPair& colors) override;
    bool GetCustomRgb(int idx, CustomRgbPair& colors) override;
    void SetCurrLed(int idx, int32_t led) override;
    int32_t GetCurrLed(int idx) override;
    void SetForeground(int idx, const QVector<CustomColor>& colors) override;
    bool GetForeground(int idx, QVector<CustomColor>& colors) override;
    void ClearForegroundEnables(int idx) override;

private:
    PR261Lighting* Lighting(int idx) {
        PR261Profile* p = At(idx);
        return p ? &p->lighting : nullptr;
    }
    const PR261Lighting& ReadLighting(int idx) const { return Read(idx).lighting; }
};

}  // namespace prefbook
