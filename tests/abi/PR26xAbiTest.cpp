#include <gtest/gtest.h>

#include "abi/ButtonMouseSlots.h"
#include "devices/mice/IPR260ProfileCfg.h"
#include "devices/mice/IPR261ProfileCfg.h"

namespace prefbook::test {
namespace {

// The PR260 order; those after #34 stand `shift` slots later on the PR261.
template <class I>
void ExpectPR26xSlots(int shift) {
    ExpectButtonMouseHeadSlots<I>();
    ExpectButtonMouseConfigSlots<I>(35 + shift);
    ExpectButtonMouseFileSlots<I>(75 + shift);
    ExpectSlotsFrom(79 + shift, {SLOT(ImportAllProfiles), SLOT(ExportAllProfiles), SLOT(SaveProfile),
                                 SLOT(MergeSaveProfile)});
}

TEST(Abi, PR260Slots) {
    ExpectPR26xSlots<IPR260ProfileCfg>(0);
}

TEST(Abi, PR261SlotsShiftPastTheLightingBlock) {
    ExpectPR26xSlots<IPR261ProfileCfg>(13);
    using I = IPR261ProfileCfg;
    ExpectSlotsFrom(35, {SLOT(SetLightingMode), SLOT(GetLightingMode), SLOT(SetLightingModeEntry),
                         SLOT(GetLightingModeEntry), SLOT(SetLightingModes), SLOT(GetLightingModes),
                         SLOT(SetCustomRgb), SLOT(GetCustomRgb), SLOT(SetCurrLed), SLOT(GetCurrLed),
                         SLOT(SetForeground), SLOT(GetForeground), SLOT(ClearForegroundEnables)});
}

TEST(Abi, ButtonMouseRecordSizes) {
    ExpectTableOnly<IPR260ProfileCfg, IPR261ProfileCfg>();
    EXPECT_EQ(sizeof(MouseMacroRecord), 1038u);
    EXPECT_EQ(sizeof(PerformanceConfig), 48u);
    EXPECT_EQ(offsetof(PerformanceConfig, reserved1), 42u);
    EXPECT_EQ(offsetof(PerformanceConfig, pollingRate), 44u);
    EXPECT_EQ(sizeof(LightingModeEntry), 7u);
    EXPECT_EQ(sizeof(CustomRgbPair), 6u);
}

}  // namespace
}  // namespace prefbook::test
