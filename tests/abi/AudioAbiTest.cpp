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
    EXPECT_SLOT(I, GetProfileData, 0);
    EXPECT_SLOT(I, SetProfileData, 1);
    EXPECT_SLOT(I, GetEqModes, 2);
    EXPECT_SLOT(I, SetEqModes, 3);
    EXPECT_SLOT(I, GetEqMode, 4);
    EXPECT_SLOT(I, SetEqMode, 5);
    EXPECT_SLOT(I, GetBass, 6);
    EXPECT_SLOT(I, SetBass, 7);
    EXPECT_SLOT(I, GetTreble, 8);
    EXPECT_SLOT(I, SetTreble, 9);
    EXPECT_SLOT(I, GetCurrModeId, 10);
    EXPECT_SLOT(I, SetCurrModeId, 11);
    EXPECT_SLOT(I, AddEqMode, 12);
    EXPECT_SLOT(I, DeleteEqMode, 13);
    EXPECT_SLOT(I, RenameEqMode, 14);
    EXPECT_SLOT(I, SaveProfile, 15);
    EXPECT_SLOT(I, ExportProfile, 16);
    EXPECT_SLOT(I, ImportProfile, 17);
}

// The DS180 and the AU320 share one table of 52 operations; only their effect records differ.
template <class I>
void ExpectLitAudioSlots() {
    EXPECT_SLOT(I, GetProfileNum, 0);
    EXPECT_SLOT(I, SetExportPath, 1);
    EXPECT_SLOT(I, GetExportPath, 2);
    EXPECT_SLOT(I, SetOpenExePath, 3);
    EXPECT_SLOT(I, GetOpenExePath, 4);
    EXPECT_SLOT(I, SetProfileExe, 5);
    EXPECT_SLOT(I, GetProfileExe, 6);
    EXPECT_SLOT(I, SetProfileName, 7);
    EXPECT_SLOT(I, GetProfileName, 8);
    EXPECT_SLOT(I, SetForeground, 9);
    EXPECT_SLOT(I, GetForeground, 10);
    EXPECT_SLOT(I, SetLightEffect, 11);
    EXPECT_SLOT(I, GetLightEffect, 12);
    EXPECT_SLOT(I, SetLightEffects, 13);
    EXPECT_SLOT(I, GetLightEffects, 14);
    EXPECT_SLOT(I, SetLightingMode, 15);
    EXPECT_SLOT(I, GetLightingMode, 16);
    EXPECT_SLOT(I, GetSoundSettings, 17);
    EXPECT_SLOT(I, SetSoundSettings, 18);
    EXPECT_SLOT(I, GetEqModes, 19);
    EXPECT_SLOT(I, SetEqModes, 20);
    EXPECT_SLOT(I, GetEqMode, 21);
    EXPECT_SLOT(I, SetEqMode, 22);
    EXPECT_SLOT(I, GetBass, 23);
    EXPECT_SLOT(I, SetBass, 24);
    EXPECT_SLOT(I, GetTreble, 25);
    EXPECT_SLOT(I, SetTreble, 26);
    EXPECT_SLOT(I, GetCurrModeId, 27);
    EXPECT_SLOT(I, SetCurrModeId, 28);
    EXPECT_SLOT(I, AddEqMode, 29);
    EXPECT_SLOT(I, DeleteEqMode, 30);
    EXPECT_SLOT(I, RenameEqMode, 31);
    EXPECT_SLOT(I, GetSurroundModes, 32);
    EXPECT_SLOT(I, SetSurroundModes, 33);
    EXPECT_SLOT(I, GetSurroundMode, 34);
    EXPECT_SLOT(I, SetSurroundMode, 35);
    EXPECT_SLOT(I, GetVssEnable, 36);
    EXPECT_SLOT(I, SetVssEnable, 37);
    EXPECT_SLOT(I, GetSmvssEnable, 38);
    EXPECT_SLOT(I, SetSmvssEnable, 39);
    EXPECT_SLOT(I, GetDistances, 40);
    EXPECT_SLOT(I, SetDistances, 41);
    EXPECT_SLOT(I, GetAngles, 42);
    EXPECT_SLOT(I, SetAngles, 43);
    EXPECT_SLOT(I, GetSurroundModeId, 44);
    EXPECT_SLOT(I, SetSurroundModeId, 45);
    EXPECT_SLOT(I, AddSurroundMode, 46);
    EXPECT_SLOT(I, DeleteSurroundMode, 47);
    EXPECT_SLOT(I, RenameSurroundMode, 48);
    EXPECT_SLOT(I, SaveProfile, 49);
    EXPECT_SLOT(I, ExportProfile, 50);
    EXPECT_SLOT(I, ImportProfile, 51);
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
    EXPECT_SLOT(I, GetProfileNum, 0);
    EXPECT_SLOT(I, SetExportPath, 1);
    EXPECT_SLOT(I, GetExportPath, 2);
    EXPECT_SLOT(I, SetOpenExePath, 3);
    EXPECT_SLOT(I, GetOpenExePath, 4);
    EXPECT_SLOT(I, SetProfileExe, 5);
    EXPECT_SLOT(I, GetProfileExe, 6);
    EXPECT_SLOT(I, SetProfileName, 7);
    EXPECT_SLOT(I, GetProfileName, 8);
    EXPECT_SLOT(I, SetForeground, 9);
    EXPECT_SLOT(I, GetForeground, 10);
    EXPECT_SLOT(I, GetSoundSettings, 11);
    EXPECT_SLOT(I, SetSoundSettings, 12);
    EXPECT_SLOT(I, GetEqModes, 13);
    EXPECT_SLOT(I, SetEqModes, 14);
    EXPECT_SLOT(I, GetEqMode, 15);
    EXPECT_SLOT(I, SetEqMode, 16);
    EXPECT_SLOT(I, GetBass, 17);
    EXPECT_SLOT(I, SetBass, 18);
    EXPECT_SLOT(I, GetTreble, 19);
    EXPECT_SLOT(I, SetTreble, 20);
    EXPECT_SLOT(I, GetCurrModeId, 21);
    EXPECT_SLOT(I, SetCurrModeId, 22);
    EXPECT_SLOT(I, AddEqMode, 23);
    EXPECT_SLOT(I, DeleteEqMode, 24);
    EXPECT_SLOT(I, RenameEqMode, 25);
    EXPECT_SLOT(I, GetSurroundModes, 26);
    EXPECT_SLOT(I, SetSurroundModes, 27);
    EXPECT_SLOT(I, GetSurroundMode, 28);
    EXPECT_SLOT(I, SetSurroundMode, 29);
    EXPECT_SLOT(I, GetVssEnable, 30);
    EXPECT_SLOT(I, SetVssEnable, 31);
    EXPECT_SLOT(I, GetSmvssEnable, 32);
    EXPECT_SLOT(I, SetSmvssEnable, 33);
    EXPECT_SLOT(I, GetDistances, 34);
    EXPECT_SLOT(I, SetDistances, 35);
    EXPECT_SLOT(I, GetAngles, 36);
    EXPECT_SLOT(I, SetAngles, 37);
    EXPECT_SLOT(I, GetSurroundModeId, 38);
    EXPECT_SLOT(I, SetSurroundModeId, 39);
    EXPECT_SLOT(I, AddSurroundMode, 40);
    EXPECT_SLOT(I, DeleteSurroundMode, 41);
    EXPECT_SLOT(I, RenameSurroundMode, 42);
    EXPECT_SLOT(I, SaveProfile, 43);
    EXPECT_SLOT(I, ExportProfile, 44);
    EXPECT_SLOT(I, ImportProfile, 45);
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
