#pragma once

#include <cstring>
#include <type_traits>

#include "devices/mice/PR26xProfileCfgImpl.h"
#include "devices/mice/PR941ProfileCfgImpl.h"
#include "profilecore/MacroModel.h"

// Fills a PR260, PR261 or PR941 store, through its interface, with the values of
// tests/data/<model>/distinct.xml: every field differs from its default and from the same field of the other
// profiles.
namespace prefbook::test {

inline MouseMacroRecord MacroOf(const std::string& name, uint8_t id, uint8_t mode,
                                std::initializer_list<MacroAction> actions) {
    MouseMacroRecord m{};
    SetRecordName(m, name);
    m.id = id;
    m.mode = mode;
    for (const MacroAction& a : actions) m.actions[m.actionCount++] = a;
    return m;
}

template <class Store>
void FillDistinct(Store& s) {
    s.SetExportPath("C:/export/pr26x");
    s.SetOpenExePath("C:/games & tools");
    s.SetCurrentProfileID(3);
    for (int i = 0; i < 5; ++i) {
        const auto n = static_cast<uint8_t>(i);
        auto profile = s.Held().profiles[i];
        profile.id = static_cast<uint8_t>(20 + i);
        s.SetProfile(i, profile);
        s.SetProfileName(i, i == 0 ? "Ärger & <Co>" : "Mouse " + std::to_string(i));
        s.SetProfileExe(i, "game" + std::to_string(i) + ".exe");
        s.SetComboEnable(i, 0);
        s.SetComboView(i, 1);
        for (uint8_t b = 0; b < 13; ++b) s.SetButtonMapping(i, b, static_cast<uint16_t>(100 * (i + 1) + b));
        const auto key = static_cast<uint16_t>(4 + i);
        s.SetButtonMacro(i, static_cast<uint8_t>(i + 2),
                         MacroOf("Bound" + std::to_string(i), 0, 2, {{key, 1, 30}, {key, 0, 65535}}));
        if constexpr (std::is_same_v<Store, PR261ProfileCfgImpl>) {
            for (uint8_t id : {1, 7}) {
                s.SetLightingModeEntry(i, id,
                                       {id, static_cast<uint8_t>(i + 2), 1, static_cast<uint8_t>(50 + i), 200,
                                        static_cast<uint8_t>(100 + i), id});
            }
            s.SetCustomRgb(
                i,
                {{{static_cast<uint8_t>(10 + i), static_cast<uint8_t>(20 + i), static_cast<uint8_t>(30 + i)},
                  {static_cast<uint8_t>(40 + i), static_cast<uint8_t>(50 + i),
                   static_cast<uint8_t>(60 + i)}}});
            s.SetLightingMode(i, static_cast<uint8_t>((i + 1) * 3));
            s.SetCurrLed(i, -(i + 1));
            s.SetForeground(i, {{1, static_cast<uint8_t>(11 * i + 1), 2, 3, 255},
                                {0, 4, static_cast<uint8_t>(11 * i + 5), 6, 7}});
        }
        constexpr bool k941 = std::is_same_v<Store, PR941ProfileCfgImpl>;
        if constexpr (k941) {
            const auto b = static_cast<uint8_t>(i);
            for (uint8_t id : {1, 7}) {
                s.SetLightingModeEntry(
                    i, id,
                    {id, static_cast<uint8_t>(i + 2), 3, 1, static_cast<uint8_t>(50 + i), 200,
                     static_cast<uint8_t>(100 + i), id, 9, static_cast<uint8_t>(8 + i), 7});
            }
            LedColors leds{};
            for (uint8_t k = 0; k < 25; ++k)
                leds.colors[k] = {k, static_cast<uint8_t>(30 * i + k), static_cast<uint8_t>(250 - k)};
            s.SetCustomRgb(i, leds);
            s.SetLightingMode(i, static_cast<uint8_t>((i + 1) * 3));
            s.SetStarsMode(i, static_cast<uint8_t>(10 + i));
            s.SetCurrLed(i, -(i + 1));
            MusicLighting music{static_cast<uint8_t>(4 + i), {}};
            for (uint8_t k = 0; k < 6; ++k)
                music.colors[k] = {static_cast<uint8_t>(100 + k), b, static_cast<uint8_t>(40 * k)};
            s.SetMusic(i, music);
            s.SetForeground(i, {{1, static_cast<uint8_t>(11 * i + 1), 2, 3, 255},
                                {0, 4, static_cast<uint8_t>(11 * i + 5), 6, 7}});
            s.SetWireless(i, {static_cast<uint16_t>(600 + i), static_cast<uint8_t>(80 + i), -(1000 + i)});
        }
        const int steps = k941 ? 5 : 7;
        s.SetDpiLevel(i, static_cast<uint8_t>((i + 3) % steps));
        typename Store::ConfigBlock c{};
        s.GetPerformanceConfig(i, c);
        for (int k = 0; k < steps; ++k) c.dpiEnable[k] = static_cast<uint8_t>((k + i) % 2);
        s.SetPerformanceConfig(i, c);
        for (uint8_t k = 0; k < steps; ++k) {
            const auto x = static_cast<uint16_t>(100 * (k + 1) + i);
            if constexpr (k941)
                s.SetDpiStep(i, k, x);
            else
                s.SetDpiStep(i, k, x, static_cast<uint16_t>(x + 50));
        }
        s.SetPollingRate(i, static_cast<uint8_t>(2 + i));
        s.SetAngleSnapping(i, 1);
        s.SetLiftOffDistance(i, 1);
        s.SetAngleTunability(i, -(i + 5));
        s.SetOsSensitivity(i, static_cast<uint8_t>(7 + i));
        s.SetOsDoubleClickSpeed(i, static_cast<uint8_t>(7 + i));
        s.SetButtonResponseTime(i, static_cast<uint8_t>(4 + i));
        s.SetSurfaces(i, {});
        s.AddSurface(i, {"Glass", 0x1234, i == 0 ? INT32_MIN : INT32_MAX});
        s.AddSurface(i, {"Cloth" + std::to_string(i), -1 - i, 255 + i});
        s.SetMacroPath(i, "C:/macros/" + std::to_string(i));
        s.AddMacro(i, "Zoom", MacroOf("Zoom", n, 3, {}));
        s.AddEmptyMacro(i, "Fire" + std::to_string(i));
        s.SetMacro(i, "Fire" + std::to_string(i),
                   MacroOf("Fire" + std::to_string(i), 13, 1,
                           {{static_cast<uint16_t>(30 + i), 1, static_cast<uint16_t>(1000 + i)}}));
    }
}

}  // namespace prefbook::test
