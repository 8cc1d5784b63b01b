#include <gtest/gtest.h>

#include <cstddef>
#include <type_traits>

#include "abi/AbiSlots.h"
#include "devices/audio/IAU320ProfileCfg.h"
#include "devices/audio/IAU340ProfileCfg.h"
#include "devices/audio/IAU570ProfileCfg.h"
#include "devices/audio/IDS180ProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(Abi, AU570Slots) {
    using I = IAU570ProfileCfg;
    ExpectSlotsFrom(
        0, {SLOT(I, GetProfileData), SLOT(I, SetProfileData), SLOT(I, GetEqModes), SLOT(I, SetEqModes),
            SLOT(I, GetEqMode), SLOT(I, SetEqMode), SLOT(I, GetBass), SLOT(I, SetBass), SLOT(I, GetTreble),
            SLOT(I, SetTreble), SLOT(I, GetCurrModeId), SLOT(I, SetCurrModeId), SLOT(I, AddEqMode),
            SLOT(I, DeleteEqMode), SLOT(I, RenameEqMode), SLOT(I, SaveProfile), SLOT(I, ExportProfile),
            SLOT(I, ImportProfile)});
}

// The DS180 and the AU320 share one table of 52 operations; only their effect records differ.
template <class I>
void ExpectLitAudioSlots() {
    ExpectSlotsFrom(0, {SLOT(I, GetProfileNum),    SLOT(I, SetExportPath),   SLOT(I, GetExportPath),
                        SLOT(I, SetOpenExePath),   SLOT(I, GetOpenExePath),  SLOT(I, SetProfileExe),
                        SLOT(I, GetProfileExe),    SLOT(I, SetProfileName),  SLOT(I, GetProfileName),
                        SLOT(I, SetForeground),    SLOT(I, GetForeground),   SLOT(I, SetLightEffect),
                        SLOT(I, GetLightEffect),   SLOT(I, SetLightEffects), SLOT(I, GetLightEffects),
                        SLOT(I, SetLightingMode),  SLOT(I, GetLightingMode), SLOT(I, GetSoundSettings),
                        SLOT(I, SetSoundSettings), SLOT(I, GetEqModes),      SLOT(I, SetEqModes),
                        SLOT(I, GetEqMode),        SLOT(I, SetEqMode),       SLOT(I, GetBass),
                        SLOT(I, SetBass),          SLOT(I, GetTreble),       SLOT(I, SetTreble),
                        SLOT(I, GetCurrModeId),    SLOT(I, SetCurrModeId),   SLOT(I, AddEqMode)});
    ExpectSlotsFrom(30, {SLOT(I, DeleteEqMode),       SLOT(I, RenameEqMode),    SLOT(I, GetSurroundModes),
                         SLOT(I, SetSurroundModes),   SLOT(I, GetSurroundMode), SLOT(I, SetSurroundMode),
                         SLOT(I, GetVssEnable),       SLOT(I, SetVssEnable),    SLOT(I, GetSmvssEnable),
                         SLOT(I, SetSmvssEnable),     SLOT(I, GetDistances),    SLOT(I, SetDistances),
                         SLOT(I, GetAngles),          SLOT(I, SetAngles),       SLOT(I, GetSurroundModeId),
                         SLOT(I, SetSurroundModeId),  SLOT(I, AddSurroundMode), SLOT(I, DeleteSurroundMode),
                         SLOT(I, RenameSurroundMode), SLOT(I, SaveProfile),     SLOT(I, ExportProfile),
                         SLOT(I, ImportProfile)});
}

TEST(Abi, DS180Slots) {
    ExpectLitAudioSlots<IDS180ProfileCfg>();
}
TEST(Abi, AU320Slots) {
    ExpectLitAudioSlots<IAU320ProfileCfg>();
}

// The AU340 table: the DS180 one without the six lighting operations 11-16.
TEST(Abi, AU340Slots) {
    using I = IAU340ProfileCfg;
    ExpectSlotsFrom(0, {SLOT(I, GetProfileNum),    SLOT(I, SetExportPath),   SLOT(I, GetExportPath),
                        SLOT(I, SetOpenExePath),   SLOT(I, GetOpenExePath),  SLOT(I, SetProfileExe),
                        SLOT(I, GetProfileExe),    SLOT(I, SetProfileName),  SLOT(I, GetProfileName),
                        SLOT(I, SetForeground),    SLOT(I, GetForeground),   SLOT(I, GetSoundSettings),
                        SLOT(I, SetSoundSettings), SLOT(I, GetEqModes),      SLOT(I, SetEqModes),
                        SLOT(I, GetEqMode),        SLOT(I, SetEqMode),       SLOT(I, GetBass),
                        SLOT(I, SetBass),          SLOT(I, GetTreble),       SLOT(I, SetTreble),
                        SLOT(I, GetCurrModeId),    SLOT(I, SetCurrModeId),   SLOT(I, AddEqMode),
                        SLOT(I, DeleteEqMode),     SLOT(I, RenameEqMode),    SLOT(I, GetSurroundModes),
                        SLOT(I, SetSurroundModes), SLOT(I, GetSurroundMode), SLOT(I, SetSurroundMode)});
    ExpectSlotsFrom(
        30, {SLOT(I, GetVssEnable), SLOT(I, SetVssEnable), SLOT(I, GetSmvssEnable), SLOT(I, SetSmvssEnable),
             SLOT(I, GetDistances), SLOT(I, SetDistances), SLOT(I, GetAngles), SLOT(I, SetAngles),
             SLOT(I, GetSurroundModeId), SLOT(I, SetSurroundModeId), SLOT(I, AddSurroundMode),
             SLOT(I, DeleteSurroundMode), SLOT(I, RenameSurroundMode), SLOT(I, SaveProfile),
             SLOT(I, ExportProfile), SLOT(I, ImportProfile)});
}

TEST(Abi, AudioInterfacesHoldNothingButTheirTable) {
    EXPECT_EQ(sizeof(IAU570ProfileCfg), sizeof(void*));
    EXPECT_EQ(sizeof(IDS180ProfileCfg), sizeof(void*));
    EXPECT_EQ(sizeof(IAU320ProfileCfg), sizeof(void*));
    EXPECT_EQ(sizeof(IAU340ProfileCfg), sizeof(void*));
    EXPECT_FALSE(std::has_virtual_destructor<IAU570ProfileCfg>::value);
    EXPECT_FALSE(std::has_virtual_destructor<IDS180ProfileCfg>::value);
    EXPECT_FALSE(std::has_virtual_destructor<IAU320ProfileCfg>::value);
    EXPECT_FALSE(std::has_virtual_destructor<IAU340ProfileCfg>::value);
}

TEST(Abi, AudioPackedRecordSizes) {
    EXPECT_EQ(sizeof(DS180LightEffect), 5u);
    EXPECT_EQ(sizeof(AU320LightEffect), 6u);
    EXPECT_EQ(offsetof(AU320LightEffect, brightness), 2u);
    EXPECT_EQ(offsetof(AU320LightEffect, blue), 5u);
    EXPECT_EQ(sizeof(CustomColor), 5u);
}

}  // namespace
}  // namespace prefbook::test
