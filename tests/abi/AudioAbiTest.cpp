#include <gtest/gtest.h>

#include <cstddef>

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
        0, {SLOT(GetProfileData), SLOT(SetProfileData), SLOT(GetEqModes), SLOT(SetEqModes), SLOT(GetEqMode),
            SLOT(SetEqMode), SLOT(GetBass), SLOT(SetBass), SLOT(GetTreble), SLOT(SetTreble),
            SLOT(GetCurrModeId), SLOT(SetCurrModeId), SLOT(AddEqMode), SLOT(DeleteEqMode), SLOT(RenameEqMode),
            SLOT(SaveProfile), SLOT(ExportProfile), SLOT(ImportProfile)});
}

// The operations of the DS180, AU320 and AU340 tables but the lighting ones, the sound ones from soundFrom.
template <class I>
void ExpectAudioSlots(long soundFrom) {
    ExpectSlotsFrom(0, {SLOT(GetProfileNum)});
    ExpectPathSlots<I>(1);
    ExpectSlotsFrom(8, {SLOT(GetProfileName), SLOT(SetForeground), SLOT(GetForeground)});
    ExpectSlotsFrom(
        soundFrom,
        {SLOT(GetSoundSettings), SLOT(SetSoundSettings), SLOT(GetEqModes), SLOT(SetEqModes), SLOT(GetEqMode),
         SLOT(SetEqMode), SLOT(GetBass), SLOT(SetBass), SLOT(GetTreble), SLOT(SetTreble), SLOT(GetCurrModeId),
         SLOT(SetCurrModeId), SLOT(AddEqMode), SLOT(DeleteEqMode), SLOT(RenameEqMode), SLOT(GetSurroundModes),
         SLOT(SetSurroundModes), SLOT(GetSurroundMode), SLOT(SetSurroundMode)});
    ExpectSlotsFrom(
        soundFrom + 19,
        {SLOT(GetVssEnable), SLOT(SetVssEnable), SLOT(GetSmvssEnable), SLOT(SetSmvssEnable),
         SLOT(GetDistances), SLOT(SetDistances), SLOT(GetAngles), SLOT(SetAngles), SLOT(GetSurroundModeId),
         SLOT(SetSurroundModeId), SLOT(AddSurroundMode), SLOT(DeleteSurroundMode), SLOT(RenameSurroundMode),
         SLOT(SaveProfile), SLOT(ExportProfile), SLOT(ImportProfile)});
}

// The DS180 and the AU320 share one table of 52 operations; only their effect records differ.
template <class I>
void ExpectLitAudioSlots() {
    ExpectAudioSlots<I>(17);
    ExpectSlotsFrom(11, {SLOT(SetLightEffect), SLOT(GetLightEffect), SLOT(SetLightEffects),
                         SLOT(GetLightEffects), SLOT(SetLightingMode), SLOT(GetLightingMode)});
}

TEST(Abi, DS180Slots) {
    ExpectLitAudioSlots<IDS180ProfileCfg>();
}
TEST(Abi, AU320Slots) {
    ExpectLitAudioSlots<IAU320ProfileCfg>();
}

// The AU340 table: the DS180 one without the six lighting operations 11-16.
TEST(Abi, AU340Slots) {
    ExpectAudioSlots<IAU340ProfileCfg>(11);
}

TEST(Abi, AudioPackedRecordSizes) {
    ExpectTableOnly<IAU570ProfileCfg, IDS180ProfileCfg, IAU320ProfileCfg, IAU340ProfileCfg>();
    EXPECT_EQ(sizeof(DS180LightEffect), 5u);
    EXPECT_EQ(sizeof(AU320LightEffect), 6u);
    EXPECT_EQ(offsetof(AU320LightEffect, brightness), 2u);
    EXPECT_EQ(offsetof(AU320LightEffect, blue), 5u);
    EXPECT_EQ(sizeof(CustomColor), 5u);
}

}  // namespace
}  // namespace prefbook::test
