#include <gtest/gtest.h>

#include "abi/AbiSlots.h"
#include "devices/mousepads/IFT280ProfileCfg.h"
#include "devices/mousepads/IFT610ProfileCfg.h"
#include "devices/textlight/IVL550ProfileCfg.h"

namespace {

TEST(PadsAbi, FT610Slots) {
    EXPECT_SLOT(IFT610ProfileCfg, SetRecord, 0);
    EXPECT_SLOT(IFT610ProfileCfg, GetRecord, 1);
    EXPECT_SLOT(IFT610ProfileCfg, SetHeaderA, 2);
    EXPECT_SLOT(IFT610ProfileCfg, GetHeaderA, 3);
    EXPECT_SLOT(IFT610ProfileCfg, SetHeaderB, 4);
    EXPECT_SLOT(IFT610ProfileCfg, GetHeaderB, 5);
    EXPECT_SLOT(IFT610ProfileCfg, SetTailBlock, 6);
    EXPECT_SLOT(IFT610ProfileCfg, GetTailBlock, 7);
    EXPECT_SLOT(IFT610ProfileCfg, SaveProfile, 8);
}

TEST(PadsAbi, FT280Slots) {
    EXPECT_SLOT(IFT280ProfileCfg, SetCustomColors, 0);
    EXPECT_SLOT(IFT280ProfileCfg, GetCustomColors, 1);
    EXPECT_SLOT(IFT280ProfileCfg, SetModeSetting, 2);
    EXPECT_SLOT(IFT280ProfileCfg, GetModeSetting, 3);
    EXPECT_SLOT(IFT280ProfileCfg, SetModeSettings, 4);
    EXPECT_SLOT(IFT280ProfileCfg, GetModeSettings, 5);
    EXPECT_SLOT(IFT280ProfileCfg, SetCurrMode, 6);
    EXPECT_SLOT(IFT280ProfileCfg, GetCurrMode, 7);
    EXPECT_SLOT(IFT280ProfileCfg, SaveProfile, 8);
    EXPECT_SLOT(IFT280ProfileCfg, ExportProfile, 9);
    EXPECT_SLOT(IFT280ProfileCfg, ImportProfile, 10);
}

TEST(PadsAbi, VL550Slots) {
    EXPECT_SLOT(IVL550ProfileCfg, SetChangeFlag, 0);
    EXPECT_SLOT(IVL550ProfileCfg, IsChanged, 1);
    EXPECT_SLOT(IVL550ProfileCfg, GetChangeFlag, 2);
    EXPECT_SLOT(IVL550ProfileCfg, ClearChangeFlag, 3);
    EXPECT_SLOT(IVL550ProfileCfg, IsDefaultDocument, 4);
    EXPECT_SLOT(IVL550ProfileCfg, SetCurrMode, 5);
    EXPECT_SLOT(IVL550ProfileCfg, GetCurrMode, 6);
    EXPECT_SLOT(IVL550ProfileCfg, SetModeSettingAt, 7);
    EXPECT_SLOT(IVL550ProfileCfg, GetModeSettingAt, 8);
    EXPECT_SLOT(IVL550ProfileCfg, SetModeSetting, 9);
    EXPECT_SLOT(IVL550ProfileCfg, GetCurrentModeSetting, 10);
    EXPECT_SLOT(IVL550ProfileCfg, SetCustomBlock, 11);
    EXPECT_SLOT(IVL550ProfileCfg, GetCustomBlock, 12);
    EXPECT_SLOT(IVL550ProfileCfg, SetCustomColors, 13);
    EXPECT_SLOT(IVL550ProfileCfg, GetCustomColors, 14);
    EXPECT_SLOT(IVL550ProfileCfg, Reserved, 15);
    EXPECT_SLOT(IVL550ProfileCfg, SetText, 16);
    EXPECT_SLOT(IVL550ProfileCfg, GetText, 17);
    EXPECT_SLOT(IVL550ProfileCfg, LoadDocument, 18);
    EXPECT_SLOT(IVL550ProfileCfg, SaveDocumentAs, 19);
    EXPECT_SLOT(IVL550ProfileCfg, SaveDocument, 20);
}

TEST(PadsAbi, RecordSizes) {
    EXPECT_EQ(sizeof(FT610Record), 150u);
    EXPECT_EQ(sizeof(ModeSetting), 5u);
    EXPECT_EQ(sizeof(VLModeSetting), 6u);
    EXPECT_EQ(offsetof(FT610Record, tail), 92u);
}

}  // namespace
