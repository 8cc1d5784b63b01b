#include <gtest/gtest.h>

#include <cstddef>

#include "abi/AbiSlots.h"
#include "devices/mice/IPR940ProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(Abi, PR940Slots) {
    using I = IPR940ProfileCfg;
    EXPECT_SLOT(I, GetProfileNum, 0);
    EXPECT_SLOT(I, GetProfileName, 1);
    EXPECT_SLOT(I, GetProfileNameList, 2);
    EXPECT_SLOT(I, SetExportPath, 3);
    EXPECT_SLOT(I, GetExportPath, 4);
    EXPECT_SLOT(I, SetOpenExePath, 5);
    EXPECT_SLOT(I, GetOpenExePath, 6);
    EXPECT_SLOT(I, SetProfileExe, 7);
    EXPECT_SLOT(I, GetProfileExe, 8);
    EXPECT_SLOT(I, SetProfileName, 9);
    EXPECT_SLOT(I, SetCurrView, 10);
    EXPECT_SLOT(I, GetCurrView, 11);
    EXPECT_SLOT(I, SetTactix, 12);
    EXPECT_SLOT(I, GetTactix, 13);
    EXPECT_SLOT(I, SetCustomColors, 14);
    EXPECT_SLOT(I, GetCustomColors, 15);
    EXPECT_SLOT(I, SetCurrCustom, 16);
    EXPECT_SLOT(I, GetCurrCustom, 17);
    EXPECT_SLOT(I, SetCurrBeat, 18);
    EXPECT_SLOT(I, GetCurrBeat, 19);
    EXPECT_SLOT(I, SetLightingMode, 20);
    EXPECT_SLOT(I, GetLightingMode, 21);
    EXPECT_SLOT(I, GetSurfaceMap, 22);
    EXPECT_SLOT(I, SetSurfaceMap, 23);
    EXPECT_SLOT(I, GetSurface, 24);
    EXPECT_SLOT(I, SetSurface, 25);
    EXPECT_SLOT(I, RemoveSurface, 26);
    EXPECT_SLOT(I, RenameSurface, 27);
    EXPECT_SLOT(I, GetCurrOledProfile, 28);
    EXPECT_SLOT(I, SetCurrOledProfile, 29);
    EXPECT_SLOT(I, GetOledProfileMap, 30);
    EXPECT_SLOT(I, SetOledProfileMap, 31);
    EXPECT_SLOT(I, GetOledProfile, 32);
    EXPECT_SLOT(I, SetOledProfile, 33);
    EXPECT_SLOT(I, AddOledProfile, 34);
    EXPECT_SLOT(I, RemoveOledProfile, 35);
    EXPECT_SLOT(I, RenameOledProfile, 36);
    EXPECT_SLOT(I, SetOledOrder, 37);
    EXPECT_SLOT(I, GetOledOrder, 38);
    EXPECT_SLOT(I, SetOledDuration, 39);
    EXPECT_SLOT(I, GetOledCurrArtwork, 40);
    EXPECT_SLOT(I, SetOledCurrArtwork, 41);
    EXPECT_SLOT(I, GetArtworkMap, 42);
    EXPECT_SLOT(I, SetArtworkMap, 43);
    EXPECT_SLOT(I, GetArtwork, 44);
    EXPECT_SLOT(I, SetArtwork, 45);
    EXPECT_SLOT(I, GetArtworkPixels, 46);
    EXPECT_SLOT(I, SetArtworkPixels, 47);
    EXPECT_SLOT(I, GetArtworkPen, 48);
    EXPECT_SLOT(I, SetArtworkPen, 49);
    EXPECT_SLOT(I, AddArtwork, 50);
    EXPECT_SLOT(I, RemoveArtwork, 51);
    EXPECT_SLOT(I, RenameArtwork, 52);
    EXPECT_SLOT(I, GetMacroMap, 53);
    EXPECT_SLOT(I, SetMacroMap, 54);
    EXPECT_SLOT(I, GetCurrMacro, 55);
    EXPECT_SLOT(I, SetCurrMacro, 56);
    EXPECT_SLOT(I, AddMacro, 57);
    EXPECT_SLOT(I, AddEmptyMacro, 58);
    EXPECT_SLOT(I, RemoveMacro, 59);
    EXPECT_SLOT(I, RenameMacro, 60);
    EXPECT_SLOT(I, GetMacroNames, 61);
    EXPECT_SLOT(I, GetMacro, 62);
    EXPECT_SLOT(I, SetMacro, 63);
    EXPECT_SLOT(I, GetMacroMode, 64);
    EXPECT_SLOT(I, SetMacroMode, 65);
    EXPECT_SLOT(I, GetMacroPath, 66);
    EXPECT_SLOT(I, SetMacroPath, 67);
    EXPECT_SLOT(I, SaveProfile, 68);
    EXPECT_EQ(sizeof(I), sizeof(void*));  // the table pointer alone: no other virtual member
}

TEST(Abi, MouseRecordSizes) {
    EXPECT_EQ(sizeof(SurfaceTuning), 72u);
    EXPECT_EQ(offsetof(SurfaceTuning, learn1), 64u);
    EXPECT_EQ(sizeof(MouseMacroRecord), 1038u);
    EXPECT_EQ(offsetof(MouseMacroRecord, actions), 43u);
}

}  // namespace
}  // namespace prefbook::test
