#include <gtest/gtest.h>

#include "abi/AbiSlots.h"
#include "devices/mice/IPR260ProfileCfg.h"
#include "devices/mice/IPR261ProfileCfg.h"

namespace prefbook::test {
namespace {

// The operations both mice share; those after #34 stand `shift` slots later on the PR261.
template <class I>
void ExpectButtonMouseSlots(int shift) {
    EXPECT_SLOT(I, GetProfileNum, 0);
    EXPECT_SLOT(I, SetCurrentProfileID, 1);
    EXPECT_SLOT(I, GetCurrentProfileID, 2);
    EXPECT_SLOT(I, SetExportPath, 3);
    EXPECT_SLOT(I, GetExportPath, 4);
    EXPECT_SLOT(I, SetOpenExePath, 5);
    EXPECT_SLOT(I, GetOpenExePath, 6);
    EXPECT_SLOT(I, SetProfileExe, 7);
    EXPECT_SLOT(I, GetProfileExe, 8);
    EXPECT_SLOT(I, SetProfileName, 9);
    EXPECT_SLOT(I, GetProfileName, 10);
    EXPECT_SLOT(I, SetProfile, 11);
    EXPECT_SLOT(I, GetProfile, 12);
    EXPECT_SLOT(I, SetChangedFlag, 13);
    EXPECT_SLOT(I, HasChangedProfile, 14);
    EXPECT_SLOT(I, GetChangedFlag, 15);
    EXPECT_SLOT(I, ClearChangedFlags, 16);
    EXPECT_SLOT(I, SetProfileMarks, 17);
    EXPECT_SLOT(I, GetProfileMark, 18);
    EXPECT_SLOT(I, SetResetFlag, 19);
    EXPECT_SLOT(I, GetResetFlag, 20);
    EXPECT_SLOT(I, SetAllResetFlags, 21);
    EXPECT_SLOT(I, SetMapping, 22);
    EXPECT_SLOT(I, GetMapping, 23);
    EXPECT_SLOT(I, SetButtonMapping, 24);
    EXPECT_SLOT(I, GetButtonMapping, 25);
    EXPECT_SLOT(I, SetButtonMacros, 26);
    EXPECT_SLOT(I, GetButtonMacros, 27);
    EXPECT_SLOT(I, ClearButtonMacros, 28);
    EXPECT_SLOT(I, SetButtonMacro, 29);
    EXPECT_SLOT(I, GetButtonMacro, 30);
    EXPECT_SLOT(I, SetComboEnable, 31);
    EXPECT_SLOT(I, GetComboEnable, 32);
    EXPECT_SLOT(I, SetComboView, 33);
    EXPECT_SLOT(I, GetComboView, 34);
    EXPECT_SLOT(I, SetPerformanceConfig, 35 + shift);
    EXPECT_SLOT(I, GetPerformanceConfig, 36 + shift);
    EXPECT_SLOT(I, SetDpiLevel, 37 + shift);
    EXPECT_SLOT(I, GetDpiLevel, 38 + shift);
    EXPECT_SLOT(I, SetDpiStep, 39 + shift);
    EXPECT_SLOT(I, SetPollingRate, 40 + shift);
    EXPECT_SLOT(I, SetAngleSnapping, 41 + shift);
    EXPECT_SLOT(I, SetLiftOffDistance, 42 + shift);
    EXPECT_SLOT(I, SetAngleTunability, 43 + shift);
    EXPECT_SLOT(I, SetOsSensitivity, 44 + shift);
    EXPECT_SLOT(I, SetOsDoubleClickSpeed, 45 + shift);
    EXPECT_SLOT(I, SetButtonResponseTime, 46 + shift);
    EXPECT_SLOT(I, SetSurfaces, 47 + shift);
    EXPECT_SLOT(I, GetSurfaces, 48 + shift);
    EXPECT_SLOT(I, SetCurrSurface, 49 + shift);
    EXPECT_SLOT(I, GetCurrSurface, 50 + shift);
    EXPECT_SLOT(I, ResetSurfaces, 51 + shift);
    EXPECT_SLOT(I, SetSurface, 52 + shift);
    EXPECT_SLOT(I, GetSurface, 53 + shift);
    EXPECT_SLOT(I, AddSurface, 54 + shift);
    EXPECT_SLOT(I, RemoveSurface, 55 + shift);
    EXPECT_SLOT(I, RenameSurface, 56 + shift);
    EXPECT_SLOT(I, SetMacros, 57 + shift);
    EXPECT_SLOT(I, GetMacros, 58 + shift);
    EXPECT_SLOT(I, GetCurrMacro, 59 + shift);
    EXPECT_SLOT(I, SetCurrMacro, 60 + shift);
    EXPECT_SLOT(I, AddMacro, 61 + shift);
    EXPECT_SLOT(I, AddEmptyMacro, 62 + shift);
    EXPECT_SLOT(I, RemoveMacro, 63 + shift);
    EXPECT_SLOT(I, RenameMacro, 64 + shift);
    EXPECT_SLOT(I, GetMacroNames, 65 + shift);
    EXPECT_SLOT(I, GetButtonMacroName, 66 + shift);
    EXPECT_SLOT(I, SetMacro, 67 + shift);
    EXPECT_SLOT(I, GetMacro, 68 + shift);
    EXPECT_SLOT(I, GetMacroId, 69 + shift);
    EXPECT_SLOT(I, SetMacroId, 70 + shift);
    EXPECT_SLOT(I, GetMacroMode, 71 + shift);
    EXPECT_SLOT(I, SetMacroMode, 72 + shift);
    EXPECT_SLOT(I, GetMacroPath, 73 + shift);
    EXPECT_SLOT(I, SetMacroPath, 74 + shift);
    EXPECT_SLOT(I, ImportMacroFile, 75 + shift);
    EXPECT_SLOT(I, ExportMacroFile, 76 + shift);
    EXPECT_SLOT(I, ImportProfile, 77 + shift);
    EXPECT_SLOT(I, ExportProfile, 78 + shift);
    EXPECT_SLOT(I, ImportAllProfiles, 79 + shift);
    EXPECT_SLOT(I, ExportAllProfiles, 80 + shift);
    EXPECT_SLOT(I, SaveProfile, 81 + shift);
    EXPECT_SLOT(I, MergeSaveProfile, 82 + shift);
}

TEST(Abi, PR260Slots) {
    ExpectButtonMouseSlots<IPR260ProfileCfg>(0);
}

TEST(Abi, PR261SlotsShiftPastTheLightingBlock) {
    ExpectButtonMouseSlots<IPR261ProfileCfg>(13);
    using I = IPR261ProfileCfg;
    EXPECT_SLOT(I, SetLightingMode, 35);
    EXPECT_SLOT(I, GetLightingMode, 36);
    EXPECT_SLOT(I, SetLightingModeEntry, 37);
    EXPECT_SLOT(I, GetLightingModeEntry, 38);
    EXPECT_SLOT(I, SetLightingModes, 39);
    EXPECT_SLOT(I, GetLightingModes, 40);
    EXPECT_SLOT(I, SetCustomRgb, 41);
    EXPECT_SLOT(I, GetCustomRgb, 42);
    EXPECT_SLOT(I, SetCurrLed, 43);
    EXPECT_SLOT(I, GetCurrLed, 44);
    EXPECT_SLOT(I, SetForeground, 45);
    EXPECT_SLOT(I, GetForeground, 46);
    EXPECT_SLOT(I, ClearForegroundEnables, 47);
}

TEST(Abi, ButtonMouseRecordSizes) {
    EXPECT_EQ(sizeof(IPR260ProfileCfg), sizeof(void*));
    EXPECT_EQ(sizeof(IPR261ProfileCfg), sizeof(void*));
    EXPECT_EQ(sizeof(MouseMacroRecord), 1038u);
    EXPECT_EQ(sizeof(PerformanceConfig), 48u);
    EXPECT_EQ(offsetof(PerformanceConfig, reserved1), 42u);
    EXPECT_EQ(offsetof(PerformanceConfig, pollingRate), 44u);
    EXPECT_EQ(sizeof(LightingModeEntry), 7u);
    EXPECT_EQ(sizeof(CustomRgbPair), 6u);
}

}  // namespace
}  // namespace prefbook::test
