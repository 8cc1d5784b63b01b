// The two BX interfaces' virtual tables and the sizes of the records they exchange byte for byte.
#include <gtest/gtest.h>

#include <cstddef>

#include "AbiSlots.h"
#include "devices/keyboards/IBX310V2ProfileCfg.h"
#include "devices/keyboards/IBX330V2ProfileCfg.h"

namespace prefbook::test {
namespace {

template <class I>
void ExpectBXSlots() {
    ExpectSlotsFrom(0, {SLOT(GetRecordCount), SLOT(GetCurrentProfileID), SLOT(SetCurrentProfileID)});
    ExpectPathSlots<I>(3);
    ExpectSlotsFrom(10, {SLOT(GetProfileName), SLOT(SetRecord), SLOT(GetRecord), SLOT(SetChanged),
                         SLOT(HasChanges), SLOT(IsChanged), SLOT(ClearChanged), SLOT(SetAllProfileFlags),
                         SLOT(GetProfileFlag), SLOT(SetMarked), SLOT(IsMarked), SLOT(MarkAll)});
    ExpectKeyboardLightingToMacroSlots<I>(22);
    ExpectSlotsFrom(74, {SLOT(ImportProfile), SLOT(ExportProfile), SLOT(ImportAllProfiles),
                         SLOT(ExportAllProfiles), SLOT(SaveProfile), SLOT(SaveSoftwareSettings)});
}

TEST(BXAbi, BX310V2OperationsSitInTheirDeclaredSlots) {
    ExpectBXSlots<IBX310V2ProfileCfg>();
}
TEST(BXAbi, BX330V2OperationsSitInTheirDeclaredSlots) {
    ExpectBXSlots<IBX330V2ProfileCfg>();
}

TEST(BXAbi, ExchangedRecordSizes) {
    ExpectTableOnly<IBX310V2ProfileCfg, IBX330V2ProfileCfg>();
    EXPECT_EQ(sizeof(BXEffect), 12u);
    EXPECT_EQ(offsetof(BXEffect, speed), 4u);
    EXPECT_EQ(offsetof(BXEffect, bgRed), 8u);
    EXPECT_EQ(sizeof(BXProfile::custom), 504u);
    EXPECT_EQ(sizeof(MacroRecordLong), 1016u);
    EXPECT_EQ(offsetof(MacroRecordLong, name), 3u);
}

}  // namespace
}  // namespace prefbook::test
