// The KR720 interface's virtual table and the sizes of the records the suite exchanges byte for byte.
#include <gtest/gtest.h>

#include <cstddef>

#include "AbiSlots.h"
#include "devices/keyboards/IKR720ProfileCfg.h"

namespace {

TEST(KR720Abi, OperationsSitInTheirDeclaredSlots) {
    using I = IKR720ProfileCfg;
    prefbook::test::ExpectSlotsFrom(
        0, {SLOT(I, GetSignature),      SLOT(I, SetSignature),    SLOT(I, GetRecordCount),
            SLOT(I, GetCurrProfile),    SLOT(I, SetCurrProfile),  SLOT(I, GetCurrAimMode),
            SLOT(I, SetCurrAimMode),    SLOT(I, GetCurrIndex),    SLOT(I, GetRecordIndex),
            SLOT(I, GetProfileIndexes), SLOT(I, SetExportPath),   SLOT(I, GetExportPath),
            SLOT(I, SetOpenExePath),    SLOT(I, GetOpenExePath),  SLOT(I, SetProfileExe),
            SLOT(I, GetProfileExe),     SLOT(I, SetProfileName),  SLOT(I, GetProfileName),
            SLOT(I, SetProfileBlock),   SLOT(I, GetProfileBlock), SLOT(I, SetChanged),
            SLOT(I, HasChanges),        SLOT(I, IsChanged),       SLOT(I, IsProfileChanged),
            SLOT(I, IsAimModeChanged),  SLOT(I, ClearChanged),    SLOT(I, GetAuxFlag),
            SLOT(I, SetAuxFlag),        SLOT(I, GetAimMode),      SLOT(I, SetAimMode)});
    prefbook::test::ExpectSlotsFrom(
        30, {SLOT(I, GetSpecKeys),          SLOT(I, SetSpecKeys),           SLOT(I, GetSensitActuat),
             SLOT(I, SetSensitActuat),      SLOT(I, GetDigitalKeys),        SLOT(I, SetDigitalKeys),
             SLOT(I, GetAimModeName),       SLOT(I, SetAimModeName),        SLOT(I, ResetAimModeName),
             SLOT(I, GetAimpadPath),        SLOT(I, SetAimpadPath),         SLOT(I, SetLightMode),
             SLOT(I, GetLightMode),         SLOT(I, SetGeneralEffect),      SLOT(I, GetGeneralEffect),
             SLOT(I, SetGeneralEffects),    SLOT(I, GetGeneralEffects),     SLOT(I, SetCustomColors),
             SLOT(I, GetCustomColors),      SLOT(I, SetMultilayerCurrMode), SLOT(I, GetMultilayerCurrMode),
             SLOT(I, SetMultilayerEffects), SLOT(I, GetMultilayerEffects),  SLOT(I, GetCurrMultilayerEffect),
             SLOT(I, GetMultilayerIds),     SLOT(I, SetMultizoneCurrMode),  SLOT(I, GetMultizoneCurrMode),
             SLOT(I, SetMultizone),         SLOT(I, GetMultizone),          SLOT(I, GetCurrMultizoneEffect)});
    prefbook::test::ExpectSlotsFrom(
        60, {SLOT(I, GetMultizoneIds), SLOT(I, SetCustomList), SLOT(I, GetCustomList),
             SLOT(I, ClearCustomEnables), SLOT(I, SetMapping), SLOT(I, GetMapping), SLOT(I, SetMappedKey),
             SLOT(I, GetMappedKey), SLOT(I, GetMacroSet), SLOT(I, SetMacroSet), SLOT(I, GetCurrMacro),
             SLOT(I, SetCurrMacro), SLOT(I, SetMacroEntry), SLOT(I, AddMacro), SLOT(I, DeleteMacro)});
    prefbook::test::ExpectSlotsFrom(
        75, {SLOT(I, RenameMacro), SLOT(I, GetMacroNames), SLOT(I, GetMacro), SLOT(I, SetMacro),
             SLOT(I, GetMacroAssignments), SLOT(I, GetMacroAssignedKeys), SLOT(I, SetMacroAssignments),
             SLOT(I, AddMacroAssignment), SLOT(I, RemoveMacroAssignment), SLOT(I, HasMacroAssignment),
             SLOT(I, ClearAllMacroAssignments), SLOT(I, ClearMacroAssignments), SLOT(I, GetMacroMode),
             SLOT(I, SetMacroMode), SLOT(I, GetMacroPath)});
    prefbook::test::ExpectSlotsFrom(
        90,
        {SLOT(I, SetMacroPath), SLOT(I, ImportMacroFile), SLOT(I, ExportMacroFile), SLOT(I, ImportAimpadFile),
         SLOT(I, ExportAimpadFile), SLOT(I, ImportRecord), SLOT(I, ExportRecord), SLOT(I, ImportProfile),
         SLOT(I, ExportProfile), SLOT(I, SaveProfile), SLOT(I, SaveSoftwareSettings)});
}

TEST(KR720Abi, ExchangedRecordSizes) {
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
