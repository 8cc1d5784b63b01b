#pragma once

#include "abi/AbiSlots.h"
#include "devices/mice/PR26xRecords.h"

// Slot tables of the operation runs the button mice share, each from the slot its run starts at.
namespace prefbook::test {

template <class I>
void ExpectButtonMouseHeadSlots() {
    EXPECT_SLOT(I, GetProfileNum, 0);
    EXPECT_SLOT(I, SetCurrentProfileID, 1);
    EXPECT_SLOT(I, GetCurrentProfileID, 2);
    EXPECT_SLOT(I, SetExportPath, 3);
    EXPECT_SLOT(I, GetExportPath, 4);
    EXPECT_SLOT(I, SetOpenExePath, 5);
    EXPECT_SLOT(I, GetOpenExePath, 6);
    EXPECT_SLOT(I, SetProfileExe, 7);
    EXPECT_SLOT(I, GetProfileExe, 8);
    EXPECT_SLOT(I, SetProfileName, 9);
    EXPECT_SLOT(I, GetProfileName, 10);
    EXPECT_SLOT(I, SetProfile, 11);
    EXPECT_SLOT(I, GetProfile, 12);
    EXPECT_SLOT(I, SetChangedFlag, 13);
    EXPECT_SLOT(I, HasChangedProfile, 14);
    EXPECT_SLOT(I, GetChangedFlag, 15);
    EXPECT_SLOT(I, ClearChangedFlags, 16);
    EXPECT_SLOT(I, SetProfileMarks, 17);
    EXPECT_SLOT(I, GetProfileMark, 18);
    EXPECT_SLOT(I, SetResetFlag, 19);
    EXPECT_SLOT(I, GetResetFlag, 20);
    EXPECT_SLOT(I, SetAllResetFlags, 21);
    EXPECT_SLOT(I, SetMapping, 22);
    EXPECT_SLOT(I, GetMapping, 23);
    EXPECT_SLOT(I, SetButtonMapping, 24);
    EXPECT_SLOT(I, GetButtonMapping, 25);
    EXPECT_SLOT(I, SetButtonMacros, 26);
    EXPECT_SLOT(I, GetButtonMacros, 27);
    EXPECT_SLOT(I, ClearButtonMacros, 28);
    EXPECT_SLOT(I, SetButtonMacro, 29);
    EXPECT_SLOT(I, GetButtonMacro, 30);
    EXPECT_SLOT(I, SetComboEnable, 31);
    EXPECT_SLOT(I, GetComboEnable, 32);
    EXPECT_SLOT(I, SetComboView, 33);
    EXPECT_SLOT(I, GetComboView, 34);
}

// The sensor block, surfaces, named macros and macro path.
template <class I>
void ExpectButtonMouseConfigSlots(int first) {
    EXPECT_SLOT(I, SetPerformanceConfig, 35 - 35 + first);
    EXPECT_SLOT(I, GetPerformanceConfig, 36 - 35 + first);
    EXPECT_SLOT(I, SetDpiLevel, 37 - 35 + first);
    EXPECT_SLOT(I, GetDpiLevel, 38 - 35 + first);
    EXPECT_SLOT(I, SetDpiStep, 39 - 35 + first);
    EXPECT_SLOT(I, SetPollingRate, 40 - 35 + first);
    EXPECT_SLOT(I, SetAngleSnapping, 41 - 35 + first);
    EXPECT_SLOT(I, SetLiftOffDistance, 42 - 35 + first);
    EXPECT_SLOT(I, SetAngleTunability, 43 - 35 + first);
    EXPECT_SLOT(I, SetOsSensitivity, 44 - 35 + first);
    EXPECT_SLOT(I, SetOsDoubleClickSpeed, 45 - 35 + first);
    EXPECT_SLOT(I, SetButtonResponseTime, 46 - 35 + first);
    EXPECT_SLOT(I, SetSurfaces, 47 - 35 + first);
    EXPECT_SLOT(I, GetSurfaces, 48 - 35 + first);
    EXPECT_SLOT(I, SetCurrSurface, 49 - 35 + first);
    EXPECT_SLOT(I, GetCurrSurface, 50 - 35 + first);
    EXPECT_SLOT(I, ResetSurfaces, 51 - 35 + first);
    EXPECT_SLOT(I, SetSurface, 52 - 35 + first);
    EXPECT_SLOT(I, GetSurface, 53 - 35 + first);
    EXPECT_SLOT(I, AddSurface, 54 - 35 + first);
    EXPECT_SLOT(I, RemoveSurface, 55 - 35 + first);
    EXPECT_SLOT(I, RenameSurface, 56 - 35 + first);
    EXPECT_SLOT(I, SetMacros, 57 - 35 + first);
    EXPECT_SLOT(I, GetMacros, 58 - 35 + first);
    EXPECT_SLOT(I, GetCurrMacro, 59 - 35 + first);
    EXPECT_SLOT(I, SetCurrMacro, 60 - 35 + first);
    EXPECT_SLOT(I, AddMacro, 61 - 35 + first);
    EXPECT_SLOT(I, AddEmptyMacro, 62 - 35 + first);
    EXPECT_SLOT(I, RemoveMacro, 63 - 35 + first);
    EXPECT_SLOT(I, RenameMacro, 64 - 35 + first);
    EXPECT_SLOT(I, GetMacroNames, 65 - 35 + first);
    EXPECT_SLOT(I, GetButtonMacroName, 66 - 35 + first);
    EXPECT_SLOT(I, SetMacro, 67 - 35 + first);
    EXPECT_SLOT(I, GetMacro, 68 - 35 + first);
    EXPECT_SLOT(I, GetMacroId, 69 - 35 + first);
    EXPECT_SLOT(I, SetMacroId, 70 - 35 + first);
    EXPECT_SLOT(I, GetMacroMode, 71 - 35 + first);
    EXPECT_SLOT(I, SetMacroMode, 72 - 35 + first);
    EXPECT_SLOT(I, GetMacroPath, 73 - 35 + first);
    EXPECT_SLOT(I, SetMacroPath, 74 - 35 + first);
}

// Macro files and one-profile export and import.
template <class I>
void ExpectButtonMouseFileSlots(int first) {
    EXPECT_SLOT(I, ImportMacroFile, 75 - 75 + first);
    EXPECT_SLOT(I, ExportMacroFile, 76 - 75 + first);
    EXPECT_SLOT(I, ImportProfile, 77 - 75 + first);
    EXPECT_SLOT(I, ExportProfile, 78 - 75 + first);
}

}  // namespace prefbook::test
