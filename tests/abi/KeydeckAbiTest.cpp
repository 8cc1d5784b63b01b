#include <gtest/gtest.h>

#include "abi/AbiSlots.h"
#include "devices/keypad/IKeydeckProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(Abi, KeydeckSlots) {
    using I = IKeydeckProfileCfg;
    ExpectSlotsFrom(0, {SLOT(CreateDefaultFile), SLOT(GetAppPath), SLOT(GetAppPaths), SLOT(SetAppPath),
                        SLOT(SetAppPaths), SLOT(IsAppPathValid), SLOT(GetStateFlag), SLOT(SetStateFlag),
                        SLOT(GetProfileNum), SLOT(GetCurrentProfileId), SLOT(SetCurrentProfileId),
                        SLOT(GetCurrentProfileChanged), SLOT(SetCurrentProfileChanged)});
    ExpectPathSlots<I>(13);
    ExpectSlotsFrom(
        20, {SLOT(GetProfileName), SLOT(SetIndicator), SLOT(GetIndicator), SLOT(SetProfile), SLOT(GetProfile),
             SLOT(SetFlagB), SLOT(GetFlagB), SLOT(HasFlagB), SLOT(HasFlagBAny), SLOT(GetSlotFlag),
             SLOT(ClearFlagB), SLOT(FillSlotFlags), SLOT(SetFlagA), SLOT(GetFlagA), SLOT(ClearFlagA),
             SLOT(TakeFreeMacroId), SLOT(HasFreeMacroId), SLOT(ClaimUsedMacroIds), SLOT(ResetFreeMacroIds)});
    ExpectSlotsFrom(
        39, {SLOT(SetLightingMode), SLOT(GetLightingMode), SLOT(SetLightEffect), SLOT(GetLightEffect),
             SLOT(SetLightEffects), SLOT(GetLightEffects), SLOT(SetCustomLighting), SLOT(SetCustomColors),
             SLOT(GetCustomLighting), SLOT(GetCustomColors), SLOT(SetLayerColors), SLOT(GetLayerColors),
             SLOT(ClearCustomEnables), SLOT(SetMappingMode), SLOT(GetMappingMode), SLOT(SetCurrInput),
             SLOT(GetCurrInput), SLOT(SetCurrKey), SLOT(GetCurrKey)});
    ExpectSlotsFrom(
        58, {SLOT(ResetCurrKey), SLOT(SetPresetMode), SLOT(GetPresetMode), SLOT(SetPadKey), SLOT(GetPadKey),
             SLOT(SetPadKeys), SLOT(GetPadKeys), SLOT(AssignSimpleKey), SLOT(DeleteSimpleKey),
             SLOT(ClearSimpleKeys), SLOT(SetSimpleKey), SLOT(GetSimpleKey), SLOT(SetSimpleKeys),
             SLOT(GetSimpleKeys), SLOT(AssignAdvancedKey), SLOT(DeleteAdvancedKey), SLOT(ClearAdvancedKeys),
             SLOT(SetAdvancedKey), SLOT(GetAdvancedKey)});
    ExpectSlotsFrom(
        77, {SLOT(SetAdvancedKeys), SLOT(GetAdvancedKeys), SLOT(AssignShortcutKey), SLOT(DeleteShortcutKey),
             SLOT(SetShortcutKey), SLOT(GetShortcutKey), SLOT(SetShortcutKeys), SLOT(GetShortcutKeys),
             SLOT(AssignSpecialKey), SLOT(DeleteSpecialKey), SLOT(SetSpecialKey), SLOT(GetSpecialKey),
             SLOT(SetSpecialKeys), SLOT(GetSpecialKeys), SLOT(ResetMapping), SLOT(GetMacroNum),
             SLOT(GetMacroSet), SLOT(SetMacroSet), SLOT(GetCurrMacro)});
    ExpectSlotsFrom(96, {SLOT(SetCurrMacro), SLOT(SetMacroEntry), SLOT(AddMacro), SLOT(DeleteMacro),
                         SLOT(RenameMacro), SLOT(GetMacroNames), SLOT(GetMacro), SLOT(SetMacro),
                         SLOT(GetMacroAssignments), SLOT(SetMacroAssignments), SLOT(AddMacroAssignment),
                         SLOT(SetMacroAssignmentId), SLOT(RemoveSlotAssignment), SLOT(RemoveMacroAssignment),
                         SLOT(HasMacroAssignment), SLOT(ClearAllMacroAssignments),
                         SLOT(ClearMacroAssignments), SLOT(GetMacroMode), SLOT(SetMacroMode)});
    ExpectSlotsFrom(
        115, {SLOT(GetMacroPath), SLOT(SetMacroPath), SLOT(ImportMacroFile), SLOT(ExportMacroFile),
              SLOT(ImportProfile), SLOT(ExportProfile), SLOT(ImportAllProfiles), SLOT(ExportAllProfiles),
              SLOT(SaveProfile), SLOT(RewriteDocument)});
    ExpectTableOnly<I>();
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
