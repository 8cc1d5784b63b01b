#include <gtest/gtest.h>

#include "abi/ButtonMouseSlots.h"
#include "devices/mice/IPR941ProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(Abi, PR941Slots) {
    using I = IPR941ProfileCfg;
    ExpectButtonMouseHeadSlots<I>();
    ExpectSlotsFrom(
        35, {SLOT(I, SetLightingMode), SLOT(I, GetLightingMode), SLOT(I, SetStarsMode), SLOT(I, GetStarsMode),
             SLOT(I, SetLightingModeEntry), SLOT(I, GetLightingModeEntry), SLOT(I, SetLightingModes),
             SLOT(I, GetLightingModes), SLOT(I, SetCustomRgb), SLOT(I, GetCustomRgb), SLOT(I, SetCurrLed),
             SLOT(I, GetCurrLed), SLOT(I, SetMusic), SLOT(I, GetMusic), SLOT(I, SetForeground),
             SLOT(I, GetForeground), SLOT(I, ClearForegroundEnables)});
    ExpectButtonMouseConfigSlots<I>(52);
    EXPECT_SLOT(I, SetWireless, 92);
    EXPECT_SLOT(I, GetWireless, 93);
    ExpectButtonMouseFileSlots<I>(94);
    ExpectSlotsFrom(98, {SLOT(I, ExportAllProfiles), SLOT(I, ImportAllProfiles), SLOT(I, SaveProfile),
                         SLOT(I, MergeSaveProfile)});
}

TEST(Abi, PR941RecordSizes) {
    EXPECT_EQ(sizeof(IPR941ProfileCfg), sizeof(void*));
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
