#include <gtest/gtest.h>

#include <cstddef>

#include "abi/AbiSlots.h"
#include "devices/mice/IPR940ProfileCfg.h"

namespace prefbook::test {
namespace {

TEST(Abi, PR940Slots) {
    using I = IPR940ProfileCfg;
    ExpectSlotsFrom(0, {SLOT(GetProfileNum), SLOT(GetProfileName), SLOT(GetProfileNameList)});
    ExpectPathSlots<I>(3);
    ExpectSlotsFrom(
        10, {SLOT(SetCurrView), SLOT(GetCurrView), SLOT(SetTactix), SLOT(GetTactix), SLOT(SetCustomColors),
             SLOT(GetCustomColors), SLOT(SetCurrCustom), SLOT(GetCurrCustom), SLOT(SetCurrBeat),
             SLOT(GetCurrBeat), SLOT(SetLightingMode), SLOT(GetLightingMode), SLOT(GetSurfaceMap),
             SLOT(SetSurfaceMap), SLOT(GetSurface), SLOT(SetSurface), SLOT(RemoveSurface),
             SLOT(RenameSurface), SLOT(GetCurrOledProfile)});
    ExpectSlotsFrom(
        29, {SLOT(SetCurrOledProfile), SLOT(GetOledProfileMap), SLOT(SetOledProfileMap), SLOT(GetOledProfile),
             SLOT(SetOledProfile), SLOT(AddOledProfile), SLOT(RemoveOledProfile), SLOT(RenameOledProfile),
             SLOT(SetOledOrder), SLOT(GetOledOrder), SLOT(SetOledDuration), SLOT(GetOledCurrArtwork),
             SLOT(SetOledCurrArtwork), SLOT(GetArtworkMap), SLOT(SetArtworkMap), SLOT(GetArtwork),
             SLOT(SetArtwork), SLOT(GetArtworkPixels), SLOT(SetArtworkPixels)});
    ExpectSlotsFrom(48, {SLOT(GetArtworkPen), SLOT(SetArtworkPen), SLOT(AddArtwork), SLOT(RemoveArtwork),
                         SLOT(RenameArtwork), SLOT(GetMacroMap), SLOT(SetMacroMap), SLOT(GetCurrMacro),
                         SLOT(SetCurrMacro), SLOT(AddMacro), SLOT(AddEmptyMacro), SLOT(RemoveMacro),
                         SLOT(RenameMacro), SLOT(GetMacroNames), SLOT(GetMacro), SLOT(SetMacro),
                         SLOT(GetMacroMode), SLOT(SetMacroMode), SLOT(GetMacroPath)});
    ExpectSlotsFrom(67, {SLOT(SetMacroPath), SLOT(SaveProfile)});
    ExpectTableOnly<I>();
}

TEST(Abi, MouseRecordSizes) {
    EXPECT_EQ(sizeof(SurfaceTuning), 72u);
    EXPECT_EQ(offsetof(SurfaceTuning, learn1), 64u);
    EXPECT_EQ(sizeof(MouseMacroRecord), 1038u);
    EXPECT_EQ(offsetof(MouseMacroRecord, actions), 43u);
}

}  // namespace
}  // namespace prefbook::test
