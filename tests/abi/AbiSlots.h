#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <type_traits>
#include <typeinfo>

// One operation of the interface named I where it is used: ExpectSlotsFrom(0, {SLOT(GetProfileNum), ...}).
#define SLOT(Op)                                   \
    ::prefbook::test::NamedSlot {                  \
        ::prefbook::test::VirtualSlot(&I::Op), #Op \
    }

namespace prefbook::test {

// The virtual-table slot a pointer to a virtual member function refers to. Under the Itanium C++ ABI
// such a pointer holds 1 + slot * sizeof(void*) in its first word; -1 for a non-virtual function.
template <class F>
long VirtualSlot(F member) {
    static_assert(sizeof(F) == 2 * sizeof(void*), "Itanium member-function pointer expected");
    std::ptrdiff_t word = 0;
    std::memcpy(&word, &member, sizeof(word));
    if ((word & 1) == 0) return -1;
    return static_cast<long>((word - 1) / static_cast<std::ptrdiff_t>(sizeof(void*)));
}

struct NamedSlot {
    long slot;
    const char* name;
};

// Checks that the operations sit in consecutive slots from `first` on, in the order listed.
inline void ExpectSlotsFrom(long first, std::initializer_list<NamedSlot> operations) {
    for (const NamedSlot& op : operations) EXPECT_EQ(op.slot, first++) << op.name;
}

// Each interface holds its table pointer alone, and its destructor is not in the table (the suite
// never deletes through an interface).
template <class... I>
void ExpectTableOnly() {
    for (const auto& [name, size, virtualDestructor] :
         {std::tuple{typeid(I).name(), sizeof(I), std::has_virtual_destructor<I>::value}...}) {
        EXPECT_EQ(size, sizeof(void*)) << name;
        EXPECT_FALSE(virtualDestructor) << name;
    }
}

// The run of paths and names most tables share, SetExportPath to SetProfileName.
template <class I>
void ExpectPathSlots(long first) {
    ExpectSlotsFrom(first,
                    {SLOT(SetExportPath), SLOT(GetExportPath), SLOT(SetOpenExePath), SLOT(GetOpenExePath),
                     SLOT(SetProfileExe), SLOT(GetProfileExe), SLOT(SetProfileName)});
}

// The lighting, key-mapping and macro operations the BX and KR720 tables share, SetLightMode to
// ExportMacroFile.
template <class I>
void ExpectKeyboardLightingToMacroSlots(long first) {
    ExpectSlotsFrom(first,
                    {SLOT(SetLightMode), SLOT(GetLightMode), SLOT(SetGeneralEffect), SLOT(GetGeneralEffect),
                     SLOT(SetGeneralEffects), SLOT(GetGeneralEffects), SLOT(SetCustomColors),
                     SLOT(GetCustomColors), SLOT(SetMultilayerCurrMode), SLOT(GetMultilayerCurrMode),
                     SLOT(SetMultilayerEffects), SLOT(GetMultilayerEffects), SLOT(GetCurrMultilayerEffect),
                     SLOT(GetMultilayerIds), SLOT(SetMultizoneCurrMode), SLOT(GetMultizoneCurrMode),
                     SLOT(SetMultizone), SLOT(GetMultizone), SLOT(GetCurrMultizoneEffect)});
    ExpectSlotsFrom(
        first + 19,
        {SLOT(GetMultizoneIds), SLOT(SetCustomList), SLOT(GetCustomList), SLOT(ClearCustomEnables),
         SLOT(SetMapping), SLOT(GetMapping), SLOT(SetMappedKey), SLOT(GetMappedKey), SLOT(GetMacroSet),
         SLOT(SetMacroSet), SLOT(GetCurrMacro), SLOT(SetCurrMacro), SLOT(SetMacroEntry), SLOT(AddMacro),
         SLOT(DeleteMacro), SLOT(RenameMacro), SLOT(GetMacroNames), SLOT(GetMacro), SLOT(SetMacro)});
    ExpectSlotsFrom(
        first + 38,
        {SLOT(GetMacroAssignments), SLOT(GetMacroAssignedKeys), SLOT(SetMacroAssignments),
         SLOT(AddMacroAssignment), SLOT(RemoveMacroAssignment), SLOT(HasMacroAssignment),
         SLOT(ClearAllMacroAssignments), SLOT(ClearMacroAssignments), SLOT(GetMacroMode), SLOT(SetMacroMode),
         SLOT(GetMacroPath), SLOT(SetMacroPath), SLOT(ImportMacroFile), SLOT(ExportMacroFile)});
}

}  // namespace prefbook::test
