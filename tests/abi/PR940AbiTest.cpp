#include <gtest/gtest.h>

#include <cstddef>

#include "abi/AbiSlots.h"
#include "devices/mice/IPR940ProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(Abi, PR940Slots) {
    using I = IPR940ProfileCfg;
    ExpectSlotsFrom(0, {SLOT(I, GetProfileNum), SLOT(I, GetProfileName), SLOT(I, GetProfileNameList),
                        SLOT(I, SetExportPath), SLOT(I, GetExportPath), SLOT(I, SetOpenExePath),
                        SLOT(I, GetOpenExePath), SLOT(I, SetProfileExe), SLOT(I, GetProfileExe),
                        SLOT(I, SetProfileName), SLOT(I, SetCurrView), SLOT(I, GetCurrView)});
    ExpectSlotsFrom(12, {SLOT(I, SetTactix), SLOT(I, GetTactix), SLOT(I, SetCustomColors),
                         SLOT(I, GetCustomColors), SLOT(I, SetCurrCustom), SLOT(I, GetCurrCustom),
                         SLOT(I, SetCurrBeat), SLOT(I, GetCurrBeat), SLOT(I, SetLightingMode),
                         SLOT(I, GetLightingMode), SLOT(I, GetSurfaceMap), SLOT(I, SetSurfaceMap)});
    ExpectSlotsFrom(24, {SLOT(I, GetSurface), SLOT(I, SetSurface), SLOT(I, RemoveSurface),
                         SLOT(I, RenameSurface), SLOT(I, GetCurrOledProfile), SLOT(I, SetCurrOledProfile)});
    ExpectSlotsFrom(30, {SLOT(I, GetOledProfileMap), SLOT(I, SetOledProfileMap), SLOT(I, GetOledProfile),
                         SLOT(I, SetOledProfile), SLOT(I, AddOledProfile), SLOT(I, RemoveOledProfile),
                         SLOT(I, RenameOledProfile), SLOT(I, SetOledOrder), SLOT(I, GetOledOrder),
                         SLOT(I, SetOledDuration), SLOT(I, GetOledCurrArtwork), SLOT(I, SetOledCurrArtwork)});
    ExpectSlotsFrom(42, {SLOT(I, GetArtworkMap), SLOT(I, SetArtworkMap), SLOT(I, GetArtwork),
                         SLOT(I, SetArtwork), SLOT(I, GetArtworkPixels), SLOT(I, SetArtworkPixels),
                         SLOT(I, GetArtworkPen), SLOT(I, SetArtworkPen), SLOT(I, AddArtwork),
                         SLOT(I, RemoveArtwork), SLOT(I, RenameArtwork), SLOT(I, GetMacroMap)});
    ExpectSlotsFrom(54, {SLOT(I, SetMacroMap), SLOT(I, GetCurrMacro), SLOT(I, SetCurrMacro),
                         SLOT(I, AddMacro), SLOT(I, AddEmptyMacro), SLOT(I, RemoveMacro)});
    ExpectSlotsFrom(60, {SLOT(I, RenameMacro), SLOT(I, GetMacroNames), SLOT(I, GetMacro), SLOT(I, SetMacro),
                         SLOT(I, GetMacroMode), SLOT(I, SetMacroMode), SLOT(I, GetMacroPath),
                         SLOT(I, SetMacroPath), SLOT(I, SaveProfile)});
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
