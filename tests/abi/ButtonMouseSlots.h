#pragma once

#include "abi/AbiSlots.h"
#include "devices/mice/PR26xRecords.h"

// Slot tables of the operation runs the button mice share, each from the slot its run starts at.
namespace prefbook::test {

template <class I>
void ExpectButtonMouseHeadSlots() {
    ExpectSlotsFrom(0, {SLOT(GetProfileNum), SLOT(SetCurrentProfileID), SLOT(GetCurrentProfileID)});
    ExpectPathSlots<I>(3);
    ExpectSlotsFrom(
        10, {SLOT(GetProfileName), SLOT(SetProfile), SLOT(GetProfile), SLOT(SetChangedFlag),
             SLOT(HasChangedProfile), SLOT(GetChangedFlag), SLOT(ClearChangedFlags), SLOT(SetProfileMarks),
             SLOT(GetProfileMark), SLOT(SetResetFlag), SLOT(GetResetFlag), SLOT(SetAllResetFlags),
             SLOT(SetMapping), SLOT(GetMapping), SLOT(SetButtonMapping), SLOT(GetButtonMapping),
             SLOT(SetButtonMacros), SLOT(GetButtonMacros), SLOT(ClearButtonMacros)});
    ExpectSlotsFrom(29, {SLOT(SetButtonMacro), SLOT(GetButtonMacro), SLOT(SetComboEnable),
                         SLOT(GetComboEnable), SLOT(SetComboView), SLOT(GetComboView)});
}

// The sensor block, surfaces, named macros and macro path.
template <class I>
void ExpectButtonMouseConfigSlots(int first) {
    ExpectSlotsFrom(
        first, {SLOT(SetPerformanceConfig), SLOT(GetPerformanceConfig), SLOT(SetDpiLevel), SLOT(GetDpiLevel),
                SLOT(SetDpiStep), SLOT(SetPollingRate), SLOT(SetAngleSnapping), SLOT(SetLiftOffDistance),
                SLOT(SetAngleTunability), SLOT(SetOsSensitivity), SLOT(SetOsDoubleClickSpeed),
                SLOT(SetButtonResponseTime), SLOT(SetSurfaces), SLOT(GetSurfaces), SLOT(SetCurrSurface),
                SLOT(GetCurrSurface), SLOT(ResetSurfaces), SLOT(SetSurface), SLOT(GetSurface)});
    ExpectSlotsFrom(
        first + 19,
        {SLOT(AddSurface), SLOT(RemoveSurface), SLOT(RenameSurface), SLOT(SetMacros), SLOT(GetMacros),
         SLOT(GetCurrMacro), SLOT(SetCurrMacro), SLOT(AddMacro), SLOT(AddEmptyMacro), SLOT(RemoveMacro),
         SLOT(RenameMacro), SLOT(GetMacroNames), SLOT(GetButtonMacroName), SLOT(SetMacro), SLOT(GetMacro),
         SLOT(GetMacroId), SLOT(SetMacroId), SLOT(GetMacroMode), SLOT(SetMacroMode)});
    ExpectSlotsFrom(first + 38, {SLOT(GetMacroPath), SLOT(SetMacroPath)});
}

// Macro files and one-profile export and import.
template <class I>
void ExpectButtonMouseFileSlots(int first) {
    ExpectSlotsFrom(first,
                    {SLOT(ImportMacroFile), SLOT(ExportMacroFile), SLOT(ImportProfile), SLOT(ExportProfile)});
}

}  // namespace prefbook::test
