#include <gtest/gtest.h>

#include "abi/AbiSlots.h"
#include "devices/keyboards/ITL460ProfileCfg.h"
#include "devices/keyboards/ITL480ProfileCfg.h"

namespace prefbook::test {
namespace {

template <class I>
void ExpectTLSlots() {
    ExpectSlotsFrom(0, {SLOT(GetProfileNum), SLOT(GetProfileName), SLOT(GetProfileNameList)});
    ExpectPathSlots<I>(3);
    ExpectSlotsFrom(10, {SLOT(SetCustomColors), SLOT(GetCustomColors), SLOT(SetMultiLayer),
                         SLOT(GetMultiLayer), SLOT(SetMultiZone), SLOT(GetMultiZone), SLOT(GetMacroSet),
                         SLOT(SetMacroSet), SLOT(GetCurrMacro), SLOT(SetCurrMacro), SLOT(SetMacroEntry),
                         SLOT(AddMacro), SLOT(DeleteMacro), SLOT(RenameMacro), SLOT(GetMacroNames),
                         SLOT(GetMacroEntry), SLOT(SetMacro), SLOT(GetMacroKeys), SLOT(SetMacroKeys)});
    ExpectSlotsFrom(29, {SLOT(AddMacroKey), SLOT(RemoveMacroKey), SLOT(ClearMacroKeys), SLOT(GetMacroMode),
                         SLOT(SetMacroMode), SLOT(GetMacroPath), SLOT(SetMacroPath), SLOT(SaveProfile)});
}

TEST(Abi, TL480Slots) {
    ExpectTLSlots<ITL480ProfileCfg>();
}
TEST(Abi, TL460Slots) {
    ExpectTLSlots<ITL460ProfileCfg>();
}

TEST(Abi, SharedRecordSizes) {
    ExpectTableOnly<ITL480ProfileCfg, ITL460ProfileCfg>();
    EXPECT_EQ(sizeof(MacroAction), 5u);
    EXPECT_EQ(sizeof(MacroRecord), 1015u);
    EXPECT_EQ(sizeof(MacroRecordLong), 1016u);
    EXPECT_EQ(sizeof(MacroAssignment), 3u);
    EXPECT_EQ(sizeof(CustomColor), 5u);
}

}  // namespace
}  // namespace prefbook::test
