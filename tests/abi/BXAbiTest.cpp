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
    ExpectSlotsFrom(0, {SLOT(I, GetRecordCount), SLOT(I, GetCurrentProfileID), SLOT(I, SetCurrentProfileID),
                        SLOT(I, SetExportPath), SLOT(I, GetExportPath), SLOT(I, SetOpenExePath),
                        SLOT(I, GetOpenExePath), SLOT(I, SetProfileExe), SLOT(I, GetProfileExe),
                        SLOT(I, SetProfileName), SLOT(I, GetProfileName), SLOT(I, SetRecord)});
    ExpectSlotsFrom(
        12, {SLOT(I, GetRecord), SLOT(I, SetChanged), SLOT(I, HasChanges), SLOT(I, IsChanged),
             SLOT(I, ClearChanged), SLOT(I, SetAllProfileFlags), SLOT(I, GetProfileFlag), SLOT(I, SetMarked),
             SLOT(I, IsMarked), SLOT(I, MarkAll), SLOT(I, SetLightMode), SLOT(I, GetLightMode)});
    ExpectSlotsFrom(24, {SLOT(I, SetGeneralEffect), SLOT(I, GetGeneralEffect), SLOT(I, SetGeneralEffects),
                         SLOT(I, GetGeneralEffects), SLOT(I, SetCustomColors), SLOT(I, GetCustomColors)});
    ExpectSlotsFrom(
        30, {SLOT(I, SetMultilayerCurrMode), SLOT(I, GetMultilayerCurrMode), SLOT(I, SetMultilayerEffects),
             SLOT(I, GetMultilayerEffects), SLOT(I, GetCurrMultilayerEffect), SLOT(I, GetMultilayerIds),
             SLOT(I, SetMultizoneCurrMode), SLOT(I, GetMultizoneCurrMode), SLOT(I, SetMultizone),
             SLOT(I, GetMultizone), SLOT(I, GetCurrMultizoneEffect), SLOT(I, GetMultizoneIds)});
    ExpectSlotsFrom(
        42, {SLOT(I, SetCustomList), SLOT(I, GetCustomList), SLOT(I, ClearCustomEnables), SLOT(I, SetMapping),
             SLOT(I, GetMapping), SLOT(I, SetMappedKey), SLOT(I, GetMappedKey), SLOT(I, GetMacroSet),
             SLOT(I, SetMacroSet), SLOT(I, GetCurrMacro), SLOT(I, SetCurrMacro), SLOT(I, SetMacroEntry)});
    ExpectSlotsFrom(54, {SLOT(I, AddMacro), SLOT(I, DeleteMacro), SLOT(I, RenameMacro),
                         SLOT(I, GetMacroNames), SLOT(I, GetMacro), SLOT(I, SetMacro)});
    ExpectSlotsFrom(
        60, {SLOT(I, GetMacroAssignments), SLOT(I, GetMacroAssignedKeys), SLOT(I, SetMacroAssignments),
             SLOT(I, AddMacroAssignment), SLOT(I, RemoveMacroAssignment), SLOT(I, HasMacroAssignment),
             SLOT(I, ClearAllMacroAssignments), SLOT(I, ClearMacroAssignments), SLOT(I, GetMacroMode),
             SLOT(I, SetMacroMode), SLOT(I, GetMacroPath), SLOT(I, SetMacroPath)});
    ExpectSlotsFrom(72, {SLOT(I, ImportMacroFile), SLOT(I, ExportMacroFile), SLOT(I, ImportProfile),
                         SLOT(I, ExportProfile), SLOT(I, ImportAllProfiles), SLOT(I, ExportAllProfiles),
                         SLOT(I, SaveProfile), SLOT(I, SaveSoftwareSettings)});
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
}  // namespace prefbook::test
