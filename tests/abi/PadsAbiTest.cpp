#include <gtest/gtest.h>

#include "abi/AbiSlots.h"
#include "devices/mousepads/IFT280ProfileCfg.h"
#include "devices/mousepads/IFT610ProfileCfg.h"
#include "devices/textlight/IVL550ProfileCfg.h"

namespace {

TEST(PadsAbi, FT610Slots) {
    using I = IFT610ProfileCfg;
    prefbook::test::ExpectSlotsFrom(0, {SLOT(I, SetRecord), SLOT(I, GetRecord), SLOT(I, SetHeaderA),
                                        SLOT(I, GetHeaderA), SLOT(I, SetHeaderB), SLOT(I, GetHeaderB),
                                        SLOT(I, SetTailBlock), SLOT(I, GetTailBlock), SLOT(I, SaveProfile)});
}

TEST(PadsAbi, FT280Slots) {
    using I = IFT280ProfileCfg;
    prefbook::test::ExpectSlotsFrom(
        0, {SLOT(I, SetCustomColors), SLOT(I, GetCustomColors), SLOT(I, SetModeSetting),
            SLOT(I, GetModeSetting), SLOT(I, SetModeSettings), SLOT(I, GetModeSettings), SLOT(I, SetCurrMode),
            SLOT(I, GetCurrMode), SLOT(I, SaveProfile), SLOT(I, ExportProfile), SLOT(I, ImportProfile)});
}

TEST(PadsAbi, VL550Slots) {
    using I = IVL550ProfileCfg;
    prefbook::test::ExpectSlotsFrom(
        0, {SLOT(I, SetChangeFlag), SLOT(I, IsChanged), SLOT(I, GetChangeFlag), SLOT(I, ClearChangeFlag),
            SLOT(I, IsDefaultDocument), SLOT(I, SetCurrMode), SLOT(I, GetCurrMode), SLOT(I, SetModeSettingAt),
            SLOT(I, GetModeSettingAt), SLOT(I, SetModeSetting), SLOT(I, GetCurrentModeSetting)});
    prefbook::test::ExpectSlotsFrom(
        11, {SLOT(I, SetCustomBlock), SLOT(I, GetCustomBlock), SLOT(I, SetCustomColors),
             SLOT(I, GetCustomColors), SLOT(I, Reserved), SLOT(I, SetText), SLOT(I, GetText),
             SLOT(I, LoadDocument), SLOT(I, SaveDocumentAs), SLOT(I, SaveDocument)});
}

TEST(PadsAbi, RecordSizes) {
    EXPECT_EQ(sizeof(FT610Record), 150u);
    EXPECT_EQ(sizeof(ModeSetting), 5u);
    EXPECT_EQ(sizeof(VLModeSetting), 6u);
    EXPECT_EQ(offsetof(FT610Record, tail), 92u);
}

}  // namespace
