// The KR720 interface's virtual table and the sizes of the records the suite exchanges byte for byte.
#include <gtest/gtest.h>

#include <cstddef>

#include "AbiSlots.h"
#include "devices/keyboards/IKR720ProfileCfg.h"

namespace {

TEST(KR720Abi, OperationsSitInTheirDeclaredSlots) {
    EXPECT_SLOT(IKR720ProfileCfg, GetSignature, 0);
    EXPECT_SLOT(IKR720ProfileCfg, SetSignature, 1);
    EXPECT_SLOT(IKR720ProfileCfg, GetRecordCount, 2);
    EXPECT_SLOT(IKR720ProfileCfg, GetCurrProfile, 3);
    EXPECT_SLOT(IKR720ProfileCfg, SetCurrProfile, 4);
    EXPECT_SLOT(IKR720ProfileCfg, GetCurrAimMode, 5);
    EXPECT_SLOT(IKR720ProfileCfg, SetCurrAimMode, 6);
    EXPECT_SLOT(IKR720ProfileCfg, GetCurrIndex, 7);
    EXPECT_SLOT(IKR720ProfileCfg, GetRecordIndex, 8);
    EXPECT_SLOT(IKR720ProfileCfg, GetProfileIndexes, 9);
    EXPECT_SLOT(IKR720ProfileCfg, SetExportPath, 10);
    EXPECT_SLOT(IKR720ProfileCfg, GetExportPath, 11);
    EXPECT_SLOT(IKR720ProfileCfg, SetOpenExePath, 12);
    EXPECT_SLOT(IKR720ProfileCfg, GetOpenExePath, 13);
    EXPECT_SLOT(IKR720ProfileCfg, SetProfileExe, 14);
    EXPECT_SLOT(IKR720ProfileCfg, GetProfileExe, 15);
    EXPECT_SLOT(IKR720ProfileCfg, SetProfileName, 16);
    EXPECT_SLOT(IKR720ProfileCfg, GetProfileName, 17);
    EXPECT_SLOT(IKR720ProfileCfg, SetProfileBlock, 18);
    EXPECT_SLOT(IKR720ProfileCfg, GetProfileBlock, 19);
    EXPECT_SLOT(IKR720ProfileCfg, SetChanged, 20);
    EXPECT_SLOT(IKR720ProfileCfg, HasChanges, 21);
    EXPECT_SLOT(IKR720ProfileCfg, IsChanged, 22);
    EXPECT_SLOT(IKR720ProfileCfg, IsProfileChanged, 23);
    EXPECT_SLOT(IKR720ProfileCfg, IsAimModeChanged, 24);
    EXPECT_SLOT(IKR720ProfileCfg, ClearChanged, 25);
    EXPECT_SLOT(IKR720ProfileCfg, GetAuxFlag, 26);
    EXPECT_SLOT(IKR720ProfileCfg, SetAuxFlag, 27);
    EXPECT_SLOT(IKR720ProfileCfg, GetAimMode, 28);
    EXPECT_SLOT(IKR720ProfileCfg, SetAimMode, 29);
    EXPECT_SLOT(IKR720ProfileCfg, GetSpecKeys, 30);
    EXPECT_SLOT(IKR720ProfileCfg, SetSpecKeys, 31);
    EXPECT_SLOT(IKR720ProfileCfg, GetSensitActuat, 32);
    EXPECT_SLOT(IKR720ProfileCfg, SetSensitActuat, 33);
    EXPECT_SLOT(IKR720ProfileCfg, GetDigitalKeys, 34);
    EXPECT_SLOT(IKR720ProfileCfg, SetDigitalKeys, 35);
    EXPECT_SLOT(IKR720ProfileCfg, GetAimModeName, 36);
    EXPECT_SLOT(IKR720ProfileCfg, SetAimModeName, 37);
    EXPECT_SLOT(IKR720ProfileCfg, ResetAimModeName, 38);
    EXPECT_SLOT(IKR720ProfileCfg, GetAimpadPath, 39);
    EXPECT_SLOT(IKR720ProfileCfg, SetAimpadPath, 40);
    EXPECT_SLOT(IKR720ProfileCfg, SetLightMode, 41);
    EXPECT_SLOT(IKR720ProfileCfg, GetLightMode, 42);
    EXPECT_SLOT(IKR720ProfileCfg, SetGeneralEffect, 43);
    EXPECT_SLOT(IKR720ProfileCfg, GetGeneralEffect, 44);
    EXPECT_SLOT(IKR720ProfileCfg, SetGeneralEffects, 45);
    EXPECT_SLOT(IKR720ProfileCfg, GetGeneralEffects, 46);
    EXPECT_SLOT(IKR720ProfileCfg, SetCustomColors, 47);
    EXPECT_SLOT(IKR720ProfileCfg, GetCustomColors, 48);
    EXPECT_SLOT(IKR720ProfileCfg, SetMultilayerCurrMode, 49);
    EXPECT_SLOT(IKR720ProfileCfg, GetMultilayerCurrMode, 50);
    EXPECT_SLOT(IKR720ProfileCfg, SetMultilayerEffects, 51);
    EXPECT_SLOT(IKR720ProfileCfg, GetMultilayerEffects, 52);
    EXPECT_SLOT(IKR720ProfileCfg, GetCurrMultilayerEffect, 53);
    EXPECT_SLOT(IKR720ProfileCfg, GetMultilayerIds, 54);
    EXPECT_SLOT(IKR720ProfileCfg, SetMultizoneCurrMode, 55);
    EXPECT_SLOT(IKR720ProfileCfg, GetMultizoneCurrMode, 56);
    EXPECT_SLOT(IKR720ProfileCfg, SetMultizone, 57);
    EXPECT_SLOT(IKR720ProfileCfg, GetMultizone, 58);
    EXPECT_SLOT(IKR720ProfileCfg, GetCurrMultizoneEffect, 59);
    EXPECT_SLOT(IKR720ProfileCfg, GetMultizoneIds, 60);
    EXPECT_SLOT(IKR720ProfileCfg, SetCustomList, 61);
    EXPECT_SLOT(IKR720ProfileCfg, GetCustomList, 62);
    EXPECT_SLOT(IKR720ProfileCfg, ClearCustomEnables, 63);
    EXPECT_SLOT(IKR720ProfileCfg, SetMapping, 64);
    EXPECT_SLOT(IKR720ProfileCfg, GetMapping, 65);
    EXPECT_SLOT(IKR720ProfileCfg, SetMappedKey, 66);
    EXPECT_SLOT(IKR720ProfileCfg, GetMappedKey, 67);
    EXPECT_SLOT(IKR720ProfileCfg, GetMacroSet, 68);
    EXPECT_SLOT(IKR720ProfileCfg, SetMacroSet, 69);
    EXPECT_SLOT(IKR720ProfileCfg, GetCurrMacro, 70);
    EXPECT_SLOT(IKR720ProfileCfg, SetCurrMacro, 71);
    EXPECT_SLOT(IKR720ProfileCfg, SetMacroEntry, 72);
    EXPECT_SLOT(IKR720ProfileCfg, AddMacro, 73);
    EXPECT_SLOT(IKR720ProfileCfg, DeleteMacro, 74);
    EXPECT_SLOT(IKR720ProfileCfg, RenameMacro, 75);
    EXPECT_SLOT(IKR720ProfileCfg, GetMacroNames, 76);
    EXPECT_SLOT(IKR720ProfileCfg, GetMacro, 77);
    EXPECT_SLOT(IKR720ProfileCfg, SetMacro, 78);
    EXPECT_SLOT(IKR720ProfileCfg, GetMacroAssignments, 79);
    EXPECT_SLOT(IKR720ProfileCfg, GetMacroAssignedKeys, 80);
    EXPECT_SLOT(IKR720ProfileCfg, SetMacroAssignments, 81);
    EXPECT_SLOT(IKR720ProfileCfg, AddMacroAssignment, 82);
    EXPECT_SLOT(IKR720ProfileCfg, RemoveMacroAssignment, 83);
    EXPECT_SLOT(IKR720ProfileCfg, HasMacroAssignment, 84);
    EXPECT_SLOT(IKR720ProfileCfg, ClearAllMacroAssignments, 85);
    EXPECT_SLOT(IKR720ProfileCfg, ClearMacroAssignments, 86);
    EXPECT_SLOT(IKR720ProfileCfg, GetMacroMode, 87);
    EXPECT_SLOT(IKR720ProfileCfg, SetMacroMode, 88);
    EXPECT_SLOT(IKR720ProfileCfg, GetMacroPath, 89);
    EXPECT_SLOT(IKR720ProfileCfg, SetMacroPath, 90);
    EXPECT_SLOT(IKR720ProfileCfg, ImportMacroFile, 91);
    EXPECT_SLOT(IKR720ProfileCfg, ExportMacroFile, 92);
    EXPECT_SLOT(IKR720ProfileCfg, ImportAimpadFile, 93);
    EXPECT_SLOT(IKR720ProfileCfg, ExportAimpadFile, 94);
    EXPECT_SLOT(IKR720ProfileCfg, ImportRecord, 95);
    EXPECT_SLOT(IKR720ProfileCfg, ExportRecord, 96);
    EXPECT_SLOT(IKR720ProfileCfg, ImportProfile, 97);
    EXPECT_SLOT(IKR720ProfileCfg, ExportProfile, 98);
    EXPECT_SLOT(IKR720ProfileCfg, SaveProfile, 99);
    EXPECT_SLOT(IKR720ProfileCfg, SaveSoftwareSettings, 100);
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
