#include <gtest/gtest.h>

#include "abi/AbiSlots.h"
#include "devices/keypad/IKeydeckProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(Abi, KeydeckSlots) {
    using I = IKeydeckProfileCfg;
    EXPECT_SLOT(I, CreateDefaultFile, 0);
    EXPECT_SLOT(I, GetAppPath, 1);
    EXPECT_SLOT(I, GetAppPaths, 2);
    EXPECT_SLOT(I, SetAppPath, 3);
    EXPECT_SLOT(I, SetAppPaths, 4);
    EXPECT_SLOT(I, IsAppPathValid, 5);
    EXPECT_SLOT(I, GetStateFlag, 6);
    EXPECT_SLOT(I, SetStateFlag, 7);
    EXPECT_SLOT(I, GetProfileNum, 8);
    EXPECT_SLOT(I, GetCurrentProfileId, 9);
    EXPECT_SLOT(I, SetCurrentProfileId, 10);
    EXPECT_SLOT(I, GetCurrentProfileChanged, 11);
    EXPECT_SLOT(I, SetCurrentProfileChanged, 12);
    EXPECT_SLOT(I, SetExportPath, 13);
    EXPECT_SLOT(I, GetExportPath, 14);
    EXPECT_SLOT(I, SetOpenExePath, 15);
    EXPECT_SLOT(I, GetOpenExePath, 16);
    EXPECT_SLOT(I, SetProfileExe, 17);
    EXPECT_SLOT(I, GetProfileExe, 18);
    EXPECT_SLOT(I, SetProfileName, 19);
    EXPECT_SLOT(I, GetProfileName, 20);
    EXPECT_SLOT(I, SetIndicator, 21);
    EXPECT_SLOT(I, GetIndicator, 22);
    EXPECT_SLOT(I, SetProfile, 23);
    EXPECT_SLOT(I, GetProfile, 24);
    EXPECT_SLOT(I, SetFlagB, 25);
    EXPECT_SLOT(I, GetFlagB, 26);
    EXPECT_SLOT(I, HasFlagB, 27);
    EXPECT_SLOT(I, HasFlagBAny, 28);
    EXPECT_SLOT(I, GetSlotFlag, 29);
    EXPECT_SLOT(I, ClearFlagB, 30);
    EXPECT_SLOT(I, FillSlotFlags, 31);
    EXPECT_SLOT(I, SetFlagA, 32);
    EXPECT_SLOT(I, GetFlagA, 33);
    EXPECT_SLOT(I, ClearFlagA, 34);
    EXPECT_SLOT(I, TakeFreeMacroId, 35);
    EXPECT_SLOT(I, HasFreeMacroId, 36);
    EXPECT_SLOT(I, ClaimUsedMacroIds, 37);
    EXPECT_SLOT(I, ResetFreeMacroIds, 38);
    EXPECT_SLOT(I, SetLightingMode, 39);
    EXPECT_SLOT(I, GetLightingMode, 40);
    EXPECT_SLOT(I, SetLightEffect, 41);
    EXPECT_SLOT(I, GetLightEffect, 42);
    EXPECT_SLOT(I, SetLightEffects, 43);
    EXPECT_SLOT(I, GetLightEffects, 44);
    EXPECT_SLOT(I, SetCustomLighting, 45);
    EXPECT_SLOT(I, SetCustomColors, 46);
    EXPECT_SLOT(I, GetCustomLighting, 47);
    EXPECT_SLOT(I, GetCustomColors, 48);
    EXPECT_SLOT(I, SetLayerColors, 49);
    EXPECT_SLOT(I, GetLayerColors, 50);
    EXPECT_SLOT(I, ClearCustomEnables, 51);
    EXPECT_SLOT(I, SetMappingMode, 52);
    EXPECT_SLOT(I, GetMappingMode, 53);
    EXPECT_SLOT(I, SetCurrInput, 54);
    EXPECT_SLOT(I, GetCurrInput, 55);
    EXPECT_SLOT(I, SetCurrKey, 56);
    EXPECT_SLOT(I, GetCurrKey, 57);
    EXPECT_SLOT(I, ResetCurrKey, 58);
    EXPECT_SLOT(I, SetPresetMode, 59);
    EXPECT_SLOT(I, GetPresetMode, 60);
    EXPECT_SLOT(I, SetPadKey, 61);
    EXPECT_SLOT(I, GetPadKey, 62);
    EXPECT_SLOT(I, SetPadKeys, 63);
    EXPECT_SLOT(I, GetPadKeys, 64);
    EXPECT_SLOT(I, AssignSimpleKey, 65);
    EXPECT_SLOT(I, DeleteSimpleKey, 66);
    EXPECT_SLOT(I, ClearSimpleKeys, 67);
    EXPECT_SLOT(I, SetSimpleKey, 68);
    EXPECT_SLOT(I, GetSimpleKey, 69);
    EXPECT_SLOT(I, SetSimpleKeys, 70);
    EXPECT_SLOT(I, GetSimpleKeys, 71);
    EXPECT_SLOT(I, AssignAdvancedKey, 72);
    EXPECT_SLOT(I, DeleteAdvancedKey, 73);
    EXPECT_SLOT(I, ClearAdvancedKeys, 74);
    EXPECT_SLOT(I, SetAdvancedKey, 75);
    EXPECT_SLOT(I, GetAdvancedKey, 76);
    EXPECT_SLOT(I, SetAdvancedKeys, 77);
    EXPECT_SLOT(I, GetAdvancedKeys, 78);
    EXPECT_SLOT(I, AssignShortcutKey, 79);
    EXPECT_SLOT(I, DeleteShortcutKey, 80);
    EXPECT_SLOT(I, SetShortcutKey, 81);
    EXPECT_SLOT(I, GetShortcutKey, 82);
    EXPECT_SLOT(I, SetShortcutKeys, 83);
    EXPECT_SLOT(I, GetShortcutKeys, 84);
    EXPECT_SLOT(I, AssignSpecialKey, 85);
    EXPECT_SLOT(I, DeleteSpecialKey, 86);
    EXPECT_SLOT(I, SetSpecialKey, 87);
    EXPECT_SLOT(I, GetSpecialKey, 88);
    EXPECT_SLOT(I, SetSpecialKeys, 89);
    EXPECT_SLOT(I, GetSpecialKeys, 90);
    EXPECT_SLOT(I, ResetMapping, 91);
    EXPECT_SLOT(I, GetMacroNum, 92);
    EXPECT_SLOT(I, GetMacroSet, 93);
    EXPECT_SLOT(I, SetMacroSet, 94);
    EXPECT_SLOT(I, GetCurrMacro, 95);
    EXPECT_SLOT(I, SetCurrMacro, 96);
    EXPECT_SLOT(I, SetMacroEntry, 97);
    EXPECT_SLOT(I, AddMacro, 98);
    EXPECT_SLOT(I, DeleteMacro, 99);
    EXPECT_SLOT(I, RenameMacro, 100);
    EXPECT_SLOT(I, GetMacroNames, 101);
    EXPECT_SLOT(I, GetMacro, 102);
    EXPECT_SLOT(I, SetMacro, 103);
    EXPECT_SLOT(I, GetMacroAssignments, 104);
    EXPECT_SLOT(I, SetMacroAssignments, 105);
    EXPECT_SLOT(I, AddMacroAssignment, 106);
    EXPECT_SLOT(I, SetMacroAssignmentId, 107);
    EXPECT_SLOT(I, RemoveSlotAssignment, 108);
    EXPECT_SLOT(I, RemoveMacroAssignment, 109);
    EXPECT_SLOT(I, HasMacroAssignment, 110);
    EXPECT_SLOT(I, ClearAllMacroAssignments, 111);
    EXPECT_SLOT(I, ClearMacroAssignments, 112);
    EXPECT_SLOT(I, GetMacroMode, 113);
    EXPECT_SLOT(I, SetMacroMode, 114);
    EXPECT_SLOT(I, GetMacroPath, 115);
    EXPECT_SLOT(I, SetMacroPath, 116);
    EXPECT_SLOT(I, ImportMacroFile, 117);
    EXPECT_SLOT(I, ExportMacroFile, 118);
    EXPECT_SLOT(I, ImportProfile, 119);
    EXPECT_SLOT(I, ExportProfile, 120);
    EXPECT_SLOT(I, ImportAllProfiles, 121);
    EXPECT_SLOT(I, ExportAllProfiles, 122);
    EXPECT_SLOT(I, SaveProfile, 123);
    EXPECT_SLOT(I, RewriteDocument, 124);
    EXPECT_EQ(sizeof(I), sizeof(void*));
}

TEST(Abi, KeydeckRecordSizes) {
    EXPECT_EQ(sizeof(KeydeckLightEffect), 12u);
    EXPECT_EQ(sizeof(PadKey), 11u);
    EXPECT_EQ(sizeof(ShortcutKeyAssign), 2u);
    EXPECT_EQ(sizeof(SpecialKeyAssign), 3u);
    EXPECT_EQ(sizeof(KeydeckMacroRecord), 656u);
    EXPECT_EQ(offsetof(KeydeckMacroRecord, actionCount), 20u);
    EXPECT_EQ(offsetof(PadKey, dual3), 9u);
}

}  // namespace
}  // namespace prefbook::test
