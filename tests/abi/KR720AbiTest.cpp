// The KR720 interface's virtual table and the sizes of the records the suite exchanges byte for byte.
#include <gtest/gtest.h>

#include <cstddef>

#include "AbiSlots.h"
#include "devices/keyboards/IKR720ProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(KR720Abi, OperationsSitInTheirDeclaredSlots) {
    using I = IKR720ProfileCfg;
    ExpectSlotsFrom(0, {SLOT(GetSignature), SLOT(SetSignature), SLOT(GetRecordCount), SLOT(GetCurrProfile),
                        SLOT(SetCurrProfile), SLOT(GetCurrAimMode), SLOT(SetCurrAimMode), SLOT(GetCurrIndex),
                        SLOT(GetRecordIndex), SLOT(GetProfileIndexes)});
    ExpectPathSlots<I>(10);
    ExpectSlotsFrom(17, {SLOT(GetProfileName), SLOT(SetProfileBlock), SLOT(GetProfileBlock), SLOT(SetChanged),
                         SLOT(HasChanges), SLOT(IsChanged), SLOT(IsProfileChanged), SLOT(IsAimModeChanged),
                         SLOT(ClearChanged), SLOT(GetAuxFlag), SLOT(SetAuxFlag), SLOT(GetAimMode),
                         SLOT(SetAimMode), SLOT(GetSpecKeys), SLOT(SetSpecKeys), SLOT(GetSensitActuat),
                         SLOT(SetSensitActuat), SLOT(GetDigitalKeys), SLOT(SetDigitalKeys)});
    ExpectSlotsFrom(36, {SLOT(GetAimModeName), SLOT(SetAimModeName), SLOT(ResetAimModeName),
                         SLOT(GetAimpadPath), SLOT(SetAimpadPath)});
    ExpectKeyboardLightingToMacroSlots<I>(41);
    ExpectSlotsFrom(
        93, {SLOT(ImportAimpadFile), SLOT(ExportAimpadFile), SLOT(ImportRecord), SLOT(ExportRecord),
             SLOT(ImportProfile), SLOT(ExportProfile), SLOT(SaveProfile), SLOT(SaveSoftwareSettings)});
}

TEST(KR720Abi, ExchangedRecordSizes) {
    ExpectTableOnly<IKR720ProfileCfg>();
    EXPECT_EQ(sizeof(LightEffect), 14u);
    EXPECT_EQ(sizeof(KR720CustomBlock), 547u);
    EXPECT_EQ(sizeof(MacroRecord), 1015u);
    EXPECT_EQ(sizeof(MacroAssignment), 3u);
    EXPECT_EQ(sizeof(CustomColor), 5u);
    EXPECT_EQ(sizeof(KR720ProfileBlock), 29 * sizeof(void*));
    EXPECT_EQ(offsetof(KR720ProfileBlock, macros), 7 * sizeof(void*));
    EXPECT_EQ(offsetof(KR720ProfileBlock, sensitActuat), 28 * sizeof(void*));
    EXPECT_EQ(offsetof(LightEffect, bgBrightness), 13u);
    EXPECT_EQ(offsetof(KR720CustomBlock, brightness), 546u);
}

}  // namespace
}  // namespace prefbook::test
