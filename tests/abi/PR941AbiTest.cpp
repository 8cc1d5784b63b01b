#include <gtest/gtest.h>

#include "abi/ButtonMouseSlots.h"
#include "devices/mice/IPR941ProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(Abi, PR941Slots) {
    using I = IPR941ProfileCfg;
    ExpectButtonMouseHeadSlots<I>();
    ExpectSlotsFrom(35, {SLOT(SetLightingMode), SLOT(GetLightingMode), SLOT(SetStarsMode), SLOT(GetStarsMode),
                         SLOT(SetLightingModeEntry), SLOT(GetLightingModeEntry), SLOT(SetLightingModes),
                         SLOT(GetLightingModes), SLOT(SetCustomRgb), SLOT(GetCustomRgb), SLOT(SetCurrLed),
                         SLOT(GetCurrLed), SLOT(SetMusic), SLOT(GetMusic), SLOT(SetForeground),
                         SLOT(GetForeground), SLOT(ClearForegroundEnables)});
    ExpectButtonMouseConfigSlots<I>(52);
    ExpectSlotsFrom(92, {SLOT(SetWireless), SLOT(GetWireless)});
    ExpectButtonMouseFileSlots<I>(94);
    ExpectSlotsFrom(
        98, {SLOT(ExportAllProfiles), SLOT(ImportAllProfiles), SLOT(SaveProfile), SLOT(MergeSaveProfile)});
}

TEST(Abi, PR941RecordSizes) {
    ExpectTableOnly<IPR941ProfileCfg>();
    EXPECT_EQ(sizeof(StarsModeEntry), 11u);
    EXPECT_EQ(offsetof(StarsModeEntry, direction), 2u);
    EXPECT_EQ(offsetof(StarsModeEntry, bgred), 8u);
    EXPECT_EQ(sizeof(PerformanceConfig5), 26u);
    EXPECT_EQ(offsetof(PerformanceConfig5, dpiEnable), 11u);
    EXPECT_EQ(offsetof(PerformanceConfig5, pollingRate), 22u);
    EXPECT_EQ(sizeof(WirelessSettings), 7u);
    EXPECT_EQ(offsetof(WirelessSettings, ring), 3u);
    EXPECT_EQ(sizeof(MusicLighting), 19u);
    EXPECT_EQ(sizeof(LedColors), 75u);
}

}  // namespace
}  // namespace prefbook::test
