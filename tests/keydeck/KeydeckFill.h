#pragma once

#include <cstring>

#include "devices/keypad/IKeydeckProfileCfg.h"

namespace prefbook::test {

// The profile and paths of tests/data/keydeck_*/distinct.xml (profile-export.xml holds the profile alone): a value in
// every field that differs from its default and from its neighbours, so a swapped or misplaced field shows.
// Fills profile 5, which it makes current, through the interface only.
inline void FillDistinctKeydeck(IKeydeckProfileCfg& s, int type) {
    const int i = 5;
    s.SetCurrentProfileId(type, i);
    s.SetExportPath(type, "C:/exports");
    s.SetOpenExePath(type, "D:/games");
    s.SetAppPaths({"C:/a.exe", "C:/b & c.exe", "C:/d.exe"});
    s.SetProfileName(type, i, "Racing \xC3\xBC");
    s.SetProfileExe(type, i, "racer.exe");
    const uint8_t indicator[kKeydeckIndicatorBytes] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    s.SetIndicator(type, i, indicator);
    s.SetLightEffects(
        type, i, {{1, 2, 3, 5, 4, 6, 7, 8, 12, 9, 10, 11}, {21, 22, 23, 25, 24, 26, 27, 28, 32, 29, 30, 31}});
    uint8_t custom[kKeydeckCustomColorBytes];
    for (int b = 0; b < kKeydeckCustomColorBytes; ++b) custom[b] = static_cast<uint8_t>(100 + b);
    s.SetCustomColors(type, i, custom);
    s.SetLightingMode(type, i, 4);
    s.SetLayerColors(type, i, 0, {{1, 11, 12, 13, 14}, {0, 15, 16, 17, 18}});
    s.SetLayerColors(type, i, 1, {{1, 21, 22, 23, 24}});
    s.SetMappingMode(type, i, 1);
    s.SetCurrInput(type, i, 2);
    s.ResetCurrKey(type, i);
    s.SetPresetMode(type, i, -3);
    s.SetPadKeys(type, i, {{1, 300, 400, 500, 600, 7, 8}, {2, 301, 401, 501, 601, 9, 10}});
    SimpleKeyAssign simple;
    simple.type = 4;
    simple.func = 5;
    simple.macro.slot = 6;
    simple.macro.key = 700;
    simple.macro.mode = 2;
    simple.macro.actionCount = 2;
    simple.macro.actions[0] = {30, 1, 40};
    simple.macro.actions[1] = {31, 0, 41};
    s.SetSimpleKey(type, i, 3, simple);
    s.SetAdvancedKey(type, i, 7, {8, "Ctrl+K", "Kill"});
    s.SetShortcutKey(type, i, 9, {10, 11});
    s.SetSpecialKey(type, i, 12, {13, 1400});
    s.SetMacroPath(type, i, "C:/macros");
    s.SetCurrMacro(type, i, "zeta");
    KeydeckMacroRecord zeta{};
    zeta.mode = 3;
    zeta.actionCount = 1;
    zeta.actions[0] = {65, 1, 20};
    s.SetMacro(type, i, "zeta", zeta);
    s.SetMacroAssignments(type, i, "zeta", {{1, 14}, {2, 15}});
    KeydeckMacroRecord alpha{};
    alpha.mode = 4;
    alpha.actionCount = 2;
    alpha.actions[0] = {66, 2, 21};
    alpha.actions[1] = {67, 3, 22};
    s.SetMacro(type, i, "alpha", alpha);
}

}  // namespace prefbook::test
