#include <gtest/gtest.h>

#include "abi/AbiSlots.h"
#include "devices/mice/IPR260ProfileCfg.h"
#include "devices/mice/IPR261ProfileCfg.h"

namespace prefbook::test {
namespace {

// The operations both mice share; those after #34 stand `shift` slots later on the PR261.
template <class I>
void ExpectButtonMouseSlots(int shift) {
    ExpectSlotsFrom(0, {SLOT(I, GetProfileNum), SLOT(I, SetCurrentProfileID), SLOT(I, GetCurrentProfileID),
                        SLOT(I, SetExportPath), SLOT(I, GetExportPath), SLOT(I, SetOpenExePath),
                        SLOT(I, GetOpenExePath), SLOT(I, SetProfileExe), SLOT(I, GetProfileExe),
                        SLOT(I, SetProfileName), SLOT(I, GetProfileName), SLOT(I, SetProfile)});
    ExpectSlotsFrom(12, {SLOT(I, GetProfile), SLOT(I, SetChangedFlag), SLOT(I, HasChangedProfile),
                         SLOT(I, GetChangedFlag), SLOT(I, ClearChangedFlags), SLOT(I, SetProfileMarks),
                         SLOT(I, GetProfileMark), SLOT(I, SetResetFlag), SLOT(I, GetResetFlag),
                         SLOT(I, SetAllResetFlags), SLOT(I, SetMapping), SLOT(I, GetMapping)});
    ExpectSlotsFrom(24, {SLOT(I, SetButtonMapping), SLOT(I, GetButtonMapping), SLOT(I, SetButtonMacros),
                         SLOT(I, GetButtonMacros), SLOT(I, ClearButtonMacros), SLOT(I, SetButtonMacro)});
    ExpectSlotsFrom(30, {SLOT(I, GetButtonMacro), SLOT(I, SetComboEnable), SLOT(I, GetComboEnable),
                         SLOT(I, SetComboView), SLOT(I, GetComboView)});
    ExpectSlotsFrom(
        35 + shift,
        {SLOT(I, SetPerformanceConfig), SLOT(I, GetPerformanceConfig), SLOT(I, SetDpiLevel),
         SLOT(I, GetDpiLevel), SLOT(I, SetDpiStep), SLOT(I, SetPollingRate), SLOT(I, SetAngleSnapping),
         SLOT(I, SetLiftOffDistance), SLOT(I, SetAngleTunability), SLOT(I, SetOsSensitivity),
         SLOT(I, SetOsDoubleClickSpeed), SLOT(I, SetButtonResponseTime)});
    ExpectSlotsFrom(47 + shift, {SLOT(I, SetSurfaces), SLOT(I, GetSurfaces), SLOT(I, SetCurrSurface),
                                 SLOT(I, GetCurrSurface), SLOT(I, ResetSurfaces), SLOT(I, SetSurface),
                                 SLOT(I, GetSurface), SLOT(I, AddSurface), SLOT(I, RemoveSurface),
                                 SLOT(I, RenameSurface), SLOT(I, SetMacros), SLOT(I, GetMacros)});
    ExpectSlotsFrom(59 + shift, {SLOT(I, GetCurrMacro), SLOT(I, SetCurrMacro), SLOT(I, AddMacro),
                                 SLOT(I, AddEmptyMacro), SLOT(I, RemoveMacro), SLOT(I, RenameMacro)});
    ExpectSlotsFrom(
        65 + shift,
        {SLOT(I, GetMacroNames), SLOT(I, GetButtonMacroName), SLOT(I, SetMacro), SLOT(I, GetMacro),
         SLOT(I, GetMacroId), SLOT(I, SetMacroId), SLOT(I, GetMacroMode), SLOT(I, SetMacroMode),
         SLOT(I, GetMacroPath), SLOT(I, SetMacroPath), SLOT(I, ImportMacroFile), SLOT(I, ExportMacroFile),
         SLOT(I, ImportProfile), SLOT(I, ExportProfile), SLOT(I, ImportAllProfiles),
         SLOT(I, ExportAllProfiles), SLOT(I, SaveProfile), SLOT(I, MergeSaveProfile)});
}

TEST(Abi, PR260Slots) {
    ExpectButtonMouseSlots<IPR260ProfileCfg>(0);
}

TEST(Abi, PR261SlotsShiftPastTheLightingBlock) {
    ExpectButtonMouseSlots<IPR261ProfileCfg>(13);
    using I = IPR261ProfileCfg;
    ExpectSlotsFrom(35, {SLOT(I, SetLightingMode), SLOT(I, GetLightingMode), SLOT(I, SetLightingModeEntry),
                         SLOT(I, GetLightingModeEntry), SLOT(I, SetLightingModes), SLOT(I, GetLightingModes),
                         SLOT(I, SetCustomRgb), SLOT(I, GetCustomRgb), SLOT(I, SetCurrLed),
                         SLOT(I, GetCurrLed), SLOT(I, SetForeground), SLOT(I, GetForeground)});
    ExpectSlotsFrom(47, {SLOT(I, ClearForegroundEnables)});
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
