#include <gtest/gtest.h>

#include "abi/ButtonMouseSlots.h"
#include "devices/mice/IPR941ProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(Abi, PR941Slots) {
    using I = IPR941ProfileCfg;
    ExpectButtonMouseHeadSlots<I>();
    EXPECT_SLOT(I, SetLightingMode, 35);
    EXPECT_SLOT(I, GetLightingMode, 36);
    EXPECT_SLOT(I, SetStarsMode, 37);
    EXPECT_SLOT(I, GetStarsMode, 38);
    EXPECT_SLOT(I, SetLightingModeEntry, 39);
    EXPECT_SLOT(I, GetLightingModeEntry, 40);
    EXPECT_SLOT(I, SetLightingModes, 41);
    EXPECT_SLOT(I, GetLightingModes, 42);
    EXPECT_SLOT(I, SetCustomRgb, 43);
    EXPECT_SLOT(I, GetCustomRgb, 44);
    EXPECT_SLOT(I, SetCurrLed, 45);
    EXPECT_SLOT(I, GetCurrLed, 46);
    EXPECT_SLOT(I, SetMusic, 47);
    EXPECT_SLOT(I, GetMusic, 48);
    EXPECT_SLOT(I, SetForeground, 49);
    EXPECT_SLOT(I, GetForeground, 50);
    EXPECT_SLOT(I, ClearForegroundEnables, 51);
    ExpectButtonMouseConfigSlots<I>(52);
    EXPECT_SLOT(I, SetWireless, 92);
    EXPECT_SLOT(I, GetWireless, 93);
    ExpectButtonMouseFileSlots<I>(94);
    EXPECT_SLOT(I, ExportAllProfiles, 98);
    EXPECT_SLOT(I, ImportAllProfiles, 99);
    EXPECT_SLOT(I, SaveProfile, 100);
    EXPECT_SLOT(I, MergeSaveProfile, 101);
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
