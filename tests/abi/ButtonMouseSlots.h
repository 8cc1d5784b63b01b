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
    ExpectSlotsFrom(
        first, {SLOT(I, SetPerformanceConfig), SLOT(I, GetPerformanceConfig), SLOT(I, SetDpiLevel),
                SLOT(I, GetDpiLevel), SLOT(I, SetDpiStep), SLOT(I, SetPollingRate), SLOT(I, SetAngleSnapping),
                SLOT(I, SetLiftOffDistance), SLOT(I, SetAngleTunability), SLOT(I, SetOsSensitivity),
                SLOT(I, SetOsDoubleClickSpeed), SLOT(I, SetButtonResponseTime)});
    ExpectSlotsFrom(first + 12, {SLOT(I, SetSurfaces), SLOT(I, GetSurfaces), SLOT(I, SetCurrSurface),
                                 SLOT(I, GetCurrSurface), SLOT(I, ResetSurfaces), SLOT(I, SetSurface),
                                 SLOT(I, GetSurface), SLOT(I, AddSurface), SLOT(I, RemoveSurface),
                                 SLOT(I, RenameSurface), SLOT(I, SetMacros), SLOT(I, GetMacros)});
    ExpectSlotsFrom(first + 24, {SLOT(I, GetCurrMacro), SLOT(I, SetCurrMacro), SLOT(I, AddMacro),
                                 SLOT(I, AddEmptyMacro), SLOT(I, RemoveMacro), SLOT(I, RenameMacro),
                                 SLOT(I, GetMacroNames), SLOT(I, GetButtonMacroName), SLOT(I, SetMacro),
                                 SLOT(I, GetMacro), SLOT(I, GetMacroId), SLOT(I, SetMacroId)});
    ExpectSlotsFrom(first + 36, {SLOT(I, GetMacroMode), SLOT(I, SetMacroMode), SLOT(I, GetMacroPath),
                                 SLOT(I, SetMacroPath)});
}

// Macro files and one-profile export and import.
template <class I>
void ExpectButtonMouseFileSlots(int first) {
    ExpectSlotsFrom(first, {SLOT(I, ImportMacroFile), SLOT(I, ExportMacroFile), SLOT(I, ImportProfile),
                            SLOT(I, ExportProfile)});
}

}  // namespace prefbook::test
