#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <initializer_list>

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

}  // namespace prefbook::test

// One operation of interface I for ExpectSlotsFrom: ExpectSlotsFrom(0, {SLOT(I, GetProfileNum), ...}).
#define SLOT(Iface, Op)                                \
    ::prefbook::test::NamedSlot {                      \
        ::prefbook::test::VirtualSlot(&Iface::Op), #Op \
    }

// Checks that the operation sits in the declared slot: EXPECT_SLOT(ITL480ProfileCfg, GetProfileNum, 0).
// Overloaded operations take the exact pointer type: EXPECT_SLOT_AS(I, Op, Sig, n).
#define EXPECT_SLOT(Iface, Op, n) EXPECT_EQ(::prefbook::test::VirtualSlot(&Iface::Op), (n)) << #Iface "::" #Op
#define EXPECT_SLOT_AS(Iface, Op, Sig, n) \
    EXPECT_EQ(::prefbook::test::VirtualSlot(static_cast<Sig>(&Iface::Op)), (n)) << #Iface "::" #Op
