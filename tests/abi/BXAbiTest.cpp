// The two BX interfaces' virtual tables and the sizes of the records they exchange byte for byte.
#include <gtest/gtest.h>

#include <cstddef>

#include "AbiSlots.h"
#include "devices/keyboards/IBX310V2ProfileCfg.h"
#include "devices/keyboards/IBX330V2ProfileCfg.h"

namespace {

template <class I>
void ExpectBXSlots() {
    EXPECT_SLOT(I, GetRecordCount, 0);
    EXPECT_SLOT(I, GetCurrentProfileID, 1);
    EXPECT_SLOT(I, SetCurrentProfileID, 2);
    EXPECT_SLOT(I, SetExportPath, 3);
    EXPECT_SLOT(I, GetExportPath, 4);
    EXPECT_SLOT(I, SetOpenExePath, 5);
    EXPECT_SLOT(I, GetOpenExePath, 6);
    EXPECT_SLOT(I, SetProfileExe, 7);
    EXPECT_SLOT(I, GetProfileExe, 8);
    EXPECT_SLOT(I, SetProfileName, 9);
    EXPECT_SLOT(I, GetProfileName, 10);
    EXPECT_SLOT(I, SetRecord, 11);
    EXPECT_SLOT(I, GetRecord, 12);
    EXPECT_SLOT(I, SetChanged, 13);
    EXPECT_SLOT(I, HasChanges, 14);
    EXPECT_SLOT(I, IsChanged, 15);
    EXPECT_SLOT(I, ClearChanged, 16);
    EXPECT_SLOT(I, SetAllProfileFlags, 17);
    EXPECT_SLOT(I, GetProfileFlag, 18);
    EXPECT_SLOT(I, SetMarked, 19);
    EXPECT_SLOT(I, IsMarked, 20);
    EXPECT_SLOT(I, MarkAll, 21);
    EXPECT_SLOT(I, SetLightMode, 22);
    EXPECT_SLOT(I, GetLightMode, 23);
    EXPECT_SLOT(I, SetGeneralEffect, 24);
    EXPECT_SLOT(I, GetGeneralEffect, 25);
    EXPECT_SLOT(I, SetGeneralEffects, 26);
    EXPECT_SLOT(I, GetGeneralEffects, 27);
    EXPECT_SLOT(I, SetCustomColors, 28);
    EXPECT_SLOT(I, GetCustomColors, 29);
    EXPECT_SLOT(I, SetMultilayerCurrMode, 30);
    EXPECT_SLOT(I, GetMultilayerCurrMode, 31);
    EXPECT_SLOT(I, SetMultilayerEffects, 32);
    EXPECT_SLOT(I, GetMultilayerEffects, 33);
    EXPECT_SLOT(I, GetCurrMultilayerEffect, 34);
    EXPECT_SLOT(I, GetMultilayerIds, 35);
    EXPECT_SLOT(I, SetMultizoneCurrMode, 36);
    EXPECT_SLOT(I, GetMultizoneCurrMode, 37);
    EXPECT_SLOT(I, SetMultizone, 38);
    EXPECT_SLOT(I, GetMultizone, 39);
    EXPECT_SLOT(I, GetCurrMultizoneEffect, 40);
    EXPECT_SLOT(I, GetMultizoneIds, 41);
    EXPECT_SLOT(I, SetCustomList, 42);
    EXPECT_SLOT(I, GetCustomList, 43);
    EXPECT_SLOT(I, ClearCustomEnables, 44);
    EXPECT_SLOT(I, SetMapping, 45);
    EXPECT_SLOT(I, GetMapping, 46);
    EXPECT_SLOT(I, SetMappedKey, 47);
    EXPECT_SLOT(I, GetMappedKey, 48);
    EXPECT_SLOT(I, GetMacroSet, 49);
    EXPECT_SLOT(I, SetMacroSet, 50);
    EXPECT_SLOT(I, GetCurrMacro, 51);
    EXPECT_SLOT(I, SetCurrMacro, 52);
    EXPECT_SLOT(I, SetMacroEntry, 53);
    EXPECT_SLOT(I, AddMacro, 54);
    EXPECT_SLOT(I, DeleteMacro, 55);
    EXPECT_SLOT(I, RenameMacro, 56);
    EXPECT_SLOT(I, GetMacroNames, 57);
    EXPECT_SLOT(I, GetMacro, 58);
    EXPECT_SLOT(I, SetMacro, 59);
    EXPECT_SLOT(I, GetMacroAssignments, 60);
    EXPECT_SLOT(I, GetMacroAssignedKeys, 61);
    EXPECT_SLOT(I, SetMacroAssignments, 62);
    EXPECT_SLOT(I, AddMacroAssignment, 63);
    EXPECT_SLOT(I, RemoveMacroAssignment, 64);
    EXPECT_SLOT(I, HasMacroAssignment, 65);
    EXPECT_SLOT(I, ClearAllMacroAssignments, 66);
    EXPECT_SLOT(I, ClearMacroAssignments, 67);
    EXPECT_SLOT(I, GetMacroMode, 68);
    EXPECT_SLOT(I, SetMacroMode, 69);
    EXPECT_SLOT(I, GetMacroPath, 70);
    EXPECT_SLOT(I, SetMacroPath, 71);
    EXPECT_SLOT(I, ImportMacroFile, 72);
    EXPECT_SLOT(I, ExportMacroFile, 73);
    EXPECT_SLOT(I, ImportProfile, 74);
    EXPECT_SLOT(I, ExportProfile, 75);
    EXPECT_SLOT(I, ImportAllProfiles, 76);
    EXPECT_SLOT(I, ExportAllProfiles, 77);
    EXPECT_SLOT(I, SaveProfile, 78);
    EXPECT_SLOT(I, SaveSoftwareSettings, 79);
}

TEST(BXAbi, BX310V2OperationsSitInTheirDeclaredSlots) {
    ExpectBXSlots<IBX310V2ProfileCfg>();
}
TEST(BXAbi, BX330V2OperationsSitInTheirDeclaredSlots) {
    ExpectBXSlots<IBX330V2ProfileCfg>();
}

TEST(BXAbi, InterfacesHoldNothingButTheirTable) {
    EXPECT_EQ(sizeof(IBX310V2ProfileCfg), sizeof(void*));
    EXPECT_EQ(sizeof(IBX330V2ProfileCfg), sizeof(void*));
}

TEST(BXAbi, ExchangedRecordSizes) {
    EXPECT_EQ(sizeof(BXEffect), 12u);
    EXPECT_EQ(offsetof(BXEffect, speed), 4u);
    EXPECT_EQ(offsetof(BXEffect, bgRed), 8u);
    EXPECT_EQ(sizeof(BXProfile::custom), 504u);
    EXPECT_EQ(sizeof(MacroRecordLong), 1016u);
    EXPECT_EQ(offsetof(MacroRecordLong, name), 3u);
}

}  // namespace
