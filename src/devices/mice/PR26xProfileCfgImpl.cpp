#include "devices/mice/PR26xProfileCfgImpl.h"

IPR260ProfileCfg& IPR260ProfileCfg::Instance() {
    static prefbook::PR260ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

IPR261ProfileCfg& IPR261ProfileCfg::Instance() {
    static prefbook::PR261ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

namespace prefbook {

void PR261ProfileCfgImpl::SetLightingMode(int idx, uint8_t mode) {
    if (PR261Lighting* l = Lighting(idx)) l->currMode = mode;
}

uint8_t PR261ProfileCfgImpl::GetLightingMode(int idx) {
    return ReadLighting(idx).currMode;
}

void PR261ProfileCfgImpl::SetLightingModeEntry(int idx, uint8_t modeId, const LightingModeEntry& entry) {
    if (PR261Lighting* l = Lighting(idx)) l->modes[modeId] = entry;
}

bool PR261ProfileCfgImpl::GetLightingModeEntry(int idx, uint8_t modeId, LightingModeEntry& entry) {
    entry = LightingModeEntry{};
    const PR261Lighting& l = ReadLighting(idx);
    const auto it = l.modes.find(modeId);
    if (it == l.modes.end()) return false;
    entry = it->second;
    return true;
}

void PR261ProfileCfgImpl::SetLightingModes(int idx, const LightingModeMap& modes) {
    if (PR261Lighting* l = Lighting(idx)) l->modes = modes;
}

bool PR261ProfileCfgImpl::GetLightingModes(int idx, LightingModeMap& modes) {
    modes = ReadLighting(idx).modes;
    return Valid(idx);
}

// Choosing custom colours switches the device to its custom mode.
void PR261ProfileCfgImpl::SetCustomRgb(int idx, const CustomRgbPair& colors) {
    if (PR261Lighting* l = Lighting(idx)) {
        l->custom = colors;
        l->currMode = kCustomRgbLightingMode;
    }
}

bool PR261ProfileCfgImpl::GetCustomRgb(int idx, CustomRgbPair& colors) {
    colors = ReadLighting(idx).custom;
    return Valid(idx);
}

void PR261ProfileCfgImpl::SetCurrLed(int idx, int32_t led) {
    if (PR261Lighting* l = Lighting(idx)) l->currLed = led;
}

int32_t PR261ProfileCfgImpl::GetCurrLed(int idx) {
    return ReadLighting(idx).currLed;
}

void PR261ProfileCfgImpl::SetForeground(int idx, const QVector<CustomColor>& colors) {
    if (PR261Lighting* l = Lighting(idx)) l->foreground = colors;
}

bool PR261ProfileCfgImpl::GetForeground(int idx, QVector<CustomColor>& colors) {
    colors = ReadLighting(idx).foreground;
    return Valid(idx);
}

void PR261ProfileCfgImpl::ClearForegroundEnables(int idx) {
    if (PR261Lighting* l = Lighting(idx)) {
        for (CustomColor& c : l->foreground) c.enable = 0;
    }
}

}  // namespace prefbook
