#include <gtest/gtest.h>

#include "abi/AbiSlots.h"
#include "devices/keypad/IKeydeckProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(Abi, KeydeckSlots) {
    using I = IKeydeckProfileCfg;
    ExpectSlotsFrom(
        0, {SLOT(I, CreateDefaultFile), SLOT(I, GetAppPath), SLOT(I, GetAppPaths), SLOT(I, SetAppPath),
            SLOT(I, SetAppPaths), SLOT(I, IsAppPathValid), SLOT(I, GetStateFlag), SLOT(I, SetStateFlag),
            SLOT(I, GetProfileNum), SLOT(I, GetCurrentProfileId), SLOT(I, SetCurrentProfileId),
            SLOT(I, GetCurrentProfileChanged)});
    ExpectSlotsFrom(12, {SLOT(I, SetCurrentProfileChanged), SLOT(I, SetExportPath), SLOT(I, GetExportPath),
                         SLOT(I, SetOpenExePath), SLOT(I, GetOpenExePath), SLOT(I, SetProfileExe),
                         SLOT(I, GetProfileExe), SLOT(I, SetProfileName), SLOT(I, GetProfileName),
                         SLOT(I, SetIndicator), SLOT(I, GetIndicator), SLOT(I, SetProfile)});
    ExpectSlotsFrom(24, {SLOT(I, GetProfile), SLOT(I, SetFlagB), SLOT(I, GetFlagB), SLOT(I, HasFlagB),
                         SLOT(I, HasFlagBAny), SLOT(I, GetSlotFlag)});
    ExpectSlotsFrom(30, {SLOT(I, ClearFlagB), SLOT(I, FillSlotFlags), SLOT(I, SetFlagA), SLOT(I, GetFlagA),
                         SLOT(I, ClearFlagA), SLOT(I, TakeFreeMacroId), SLOT(I, HasFreeMacroId),
                         SLOT(I, ClaimUsedMacroIds), SLOT(I, ResetFreeMacroIds), SLOT(I, SetLightingMode),
                         SLOT(I, GetLightingMode), SLOT(I, SetLightEffect)});
    ExpectSlotsFrom(42, {SLOT(I, GetLightEffect), SLOT(I, SetLightEffects), SLOT(I, GetLightEffects),
                         SLOT(I, SetCustomLighting), SLOT(I, SetCustomColors), SLOT(I, GetCustomLighting),
                         SLOT(I, GetCustomColors), SLOT(I, SetLayerColors), SLOT(I, GetLayerColors),
                         SLOT(I, ClearCustomEnables), SLOT(I, SetMappingMode), SLOT(I, GetMappingMode)});
    ExpectSlotsFrom(54, {SLOT(I, SetCurrInput), SLOT(I, GetCurrInput), SLOT(I, SetCurrKey),
                         SLOT(I, GetCurrKey), SLOT(I, ResetCurrKey), SLOT(I, SetPresetMode)});
    ExpectSlotsFrom(60, {SLOT(I, GetPresetMode), SLOT(I, SetPadKey), SLOT(I, GetPadKey), SLOT(I, SetPadKeys),
                         SLOT(I, GetPadKeys), SLOT(I, AssignSimpleKey), SLOT(I, DeleteSimpleKey),
                         SLOT(I, ClearSimpleKeys), SLOT(I, SetSimpleKey), SLOT(I, GetSimpleKey),
                         SLOT(I, SetSimpleKeys), SLOT(I, GetSimpleKeys)});
    ExpectSlotsFrom(72, {SLOT(I, AssignAdvancedKey), SLOT(I, DeleteAdvancedKey), SLOT(I, ClearAdvancedKeys),
                         SLOT(I, SetAdvancedKey), SLOT(I, GetAdvancedKey), SLOT(I, SetAdvancedKeys),
                         SLOT(I, GetAdvancedKeys), SLOT(I, AssignShortcutKey), SLOT(I, DeleteShortcutKey),
                         SLOT(I, SetShortcutKey), SLOT(I, GetShortcutKey), SLOT(I, SetShortcutKeys)});
    ExpectSlotsFrom(84, {SLOT(I, GetShortcutKeys), SLOT(I, AssignSpecialKey), SLOT(I, DeleteSpecialKey),
                         SLOT(I, SetSpecialKey), SLOT(I, GetSpecialKey), SLOT(I, SetSpecialKeys)});
    ExpectSlotsFrom(
        90, {SLOT(I, GetSpecialKeys), SLOT(I, ResetMapping), SLOT(I, GetMacroNum), SLOT(I, GetMacroSet),
             SLOT(I, SetMacroSet), SLOT(I, GetCurrMacro), SLOT(I, SetCurrMacro), SLOT(I, SetMacroEntry),
             SLOT(I, AddMacro), SLOT(I, DeleteMacro), SLOT(I, RenameMacro), SLOT(I, GetMacroNames)});
    ExpectSlotsFrom(
        102, {SLOT(I, GetMacro), SLOT(I, SetMacro), SLOT(I, GetMacroAssignments),
              SLOT(I, SetMacroAssignments), SLOT(I, AddMacroAssignment), SLOT(I, SetMacroAssignmentId),
              SLOT(I, RemoveSlotAssignment), SLOT(I, RemoveMacroAssignment), SLOT(I, HasMacroAssignment),
              SLOT(I, ClearAllMacroAssignments), SLOT(I, ClearMacroAssignments), SLOT(I, GetMacroMode)});
    ExpectSlotsFrom(114, {SLOT(I, SetMacroMode), SLOT(I, GetMacroPath), SLOT(I, SetMacroPath),
                          SLOT(I, ImportMacroFile), SLOT(I, ExportMacroFile), SLOT(I, ImportProfile)});
    ExpectSlotsFrom(120, {SLOT(I, ExportProfile), SLOT(I, ImportAllProfiles), SLOT(I, ExportAllProfiles),
                          SLOT(I, SaveProfile), SLOT(I, RewriteDocument)});
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
