#pragma once

#include "abi/AbiSlots.h"
#include "devices/mice/PR26xRecords.h"

// Slot tables of the operation runs the button mice share, each from the slot its run starts at.
namespace prefbook::test {

template <class I>
void ExpectButtonMouseHeadSlots() {
    ExpectSlotsFrom(0, {SLOT(I, GetProfileNum),    SLOT(I, SetCurrentProfileID), SLOT(I, GetCurrentProfileID),
                        SLOT(I, SetExportPath),    SLOT(I, GetExportPath),       SLOT(I, SetOpenExePath),
                        SLOT(I, GetOpenExePath),   SLOT(I, SetProfileExe),       SLOT(I, GetProfileExe),
                        SLOT(I, SetProfileName),   SLOT(I, GetProfileName),      SLOT(I, SetProfile),
                        SLOT(I, GetProfile),       SLOT(I, SetChangedFlag),      SLOT(I, HasChangedProfile),
                        SLOT(I, GetChangedFlag),   SLOT(I, ClearChangedFlags),   SLOT(I, SetProfileMarks),
                        SLOT(I, GetProfileMark),   SLOT(I, SetResetFlag),        SLOT(I, GetResetFlag),
                        SLOT(I, SetAllResetFlags), SLOT(I, SetMapping),          SLOT(I, GetMapping),
                        SLOT(I, SetButtonMapping), SLOT(I, GetButtonMapping),    SLOT(I, SetButtonMacros),
                        SLOT(I, GetButtonMacros),  SLOT(I, ClearButtonMacros),   SLOT(I, SetButtonMacro),
                        SLOT(I, GetButtonMacro),   SLOT(I, SetComboEnable),      SLOT(I, GetComboEnable),
                        SLOT(I, SetComboView),     SLOT(I, GetComboView)});
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
