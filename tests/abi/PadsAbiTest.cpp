#include <gtest/gtest.h>

#include "abi/AbiSlots.h"
#include "devices/mousepads/IFT280ProfileCfg.h"
#include "devices/mousepads/IFT610ProfileCfg.h"
#include "devices/textlight/IVL550ProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(PadsAbi, FT610Slots) {
    using I = IFT610ProfileCfg;
    ExpectSlotsFrom(0,
                    {SLOT(SetRecord), SLOT(GetRecord), SLOT(SetHeaderA), SLOT(GetHeaderA), SLOT(SetHeaderB),
                     SLOT(GetHeaderB), SLOT(SetTailBlock), SLOT(GetTailBlock), SLOT(SaveProfile)});
}

TEST(PadsAbi, FT280Slots) {
    using I = IFT280ProfileCfg;
    ExpectSlotsFrom(0, {SLOT(SetCustomColors), SLOT(GetCustomColors), SLOT(SetModeSetting),
                        SLOT(GetModeSetting), SLOT(SetModeSettings), SLOT(GetModeSettings), SLOT(SetCurrMode),
                        SLOT(GetCurrMode), SLOT(SaveProfile), SLOT(ExportProfile), SLOT(ImportProfile)});
}

TEST(PadsAbi, VL550Slots) {
    using I = IVL550ProfileCfg;
    ExpectSlotsFrom(0, {SLOT(SetChangeFlag), SLOT(IsChanged), SLOT(GetChangeFlag), SLOT(ClearChangeFlag),
                        SLOT(IsDefaultDocument), SLOT(SetCurrMode), SLOT(GetCurrMode), SLOT(SetModeSettingAt),
                        SLOT(GetModeSettingAt), SLOT(SetModeSetting), SLOT(GetCurrentModeSetting)});
    ExpectSlotsFrom(11, {SLOT(SetCustomBlock), SLOT(GetCustomBlock), SLOT(SetCustomColors),
                         SLOT(GetCustomColors), SLOT(Reserved), SLOT(SetText), SLOT(GetText),
                         SLOT(LoadDocument), SLOT(SaveDocumentAs), SLOT(SaveDocument)});
}

TEST(PadsAbi, RecordSizes) {
    ExpectTableOnly<IFT610ProfileCfg, IFT280ProfileCfg, IVL550ProfileCfg>();
    EXPECT_EQ(sizeof(FT610Record), 150u);
    EXPECT_EQ(sizeof(ModeSetting), 5u);
    EXPECT_EQ(sizeof(VLModeSetting), 6u);
    EXPECT_EQ(offsetof(FT610Record, tail), 92u);
}

}  // namespace
}  // namespace prefbook::test
