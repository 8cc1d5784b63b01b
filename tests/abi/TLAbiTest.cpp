#include <gtest/gtest.h>

#include "abi/AbiSlots.h"
#include "devices/keyboards/ITL460ProfileCfg.h"
#include "devices/keyboards/ITL480ProfileCfg.h"

namespace prefbook::test {
namespace {

template <class I>
void ExpectTLSlots() {
    ExpectSlotsFrom(0, {SLOT(I, GetProfileNum),  SLOT(I, GetProfileName),  SLOT(I, GetProfileNameList),
                        SLOT(I, SetExportPath),  SLOT(I, GetExportPath),   SLOT(I, SetOpenExePath),
                        SLOT(I, GetOpenExePath), SLOT(I, SetProfileExe),   SLOT(I, GetProfileExe),
                        SLOT(I, SetProfileName), SLOT(I, SetCustomColors), SLOT(I, GetCustomColors),
                        SLOT(I, SetMultiLayer),  SLOT(I, GetMultiLayer),   SLOT(I, SetMultiZone),
                        SLOT(I, GetMultiZone),   SLOT(I, GetMacroSet),     SLOT(I, SetMacroSet),
                        SLOT(I, GetCurrMacro),   SLOT(I, SetCurrMacro),    SLOT(I, SetMacroEntry),
                        SLOT(I, AddMacro),       SLOT(I, DeleteMacro),     SLOT(I, RenameMacro),
                        SLOT(I, GetMacroNames),  SLOT(I, GetMacroEntry),   SLOT(I, SetMacro),
                        SLOT(I, GetMacroKeys),   SLOT(I, SetMacroKeys),    SLOT(I, AddMacroKey)});
    ExpectSlotsFrom(
        30, {SLOT(I, RemoveMacroKey), SLOT(I, ClearMacroKeys), SLOT(I, GetMacroMode), SLOT(I, SetMacroMode),
             SLOT(I, GetMacroPath), SLOT(I, SetMacroPath), SLOT(I, SaveProfile)});
}

TEST(Abi, TL480Slots) {
    ExpectTLSlots<ITL480ProfileCfg>();
}
TEST(Abi, TL460Slots) {
    ExpectTLSlots<ITL460ProfileCfg>();
}

TEST(Abi, InterfacesHoldNothingButTheirTable) {
    EXPECT_EQ(sizeof(ITL480ProfileCfg), sizeof(void*));
    EXPECT_EQ(sizeof(ITL460ProfileCfg), sizeof(void*));
    EXPECT_FALSE(std::has_virtual_destructor<ITL480ProfileCfg>::value);
}

TEST(Abi, SharedRecordSizes) {
    EXPECT_EQ(sizeof(MacroAction), 5u);
    EXPECT_EQ(sizeof(MacroRecord), 1015u);
    EXPECT_EQ(sizeof(MacroRecordLong), 1016u);
    EXPECT_EQ(sizeof(MacroAssignment), 3u);
    EXPECT_EQ(sizeof(CustomColor), 5u);
}

}  // namespace
}  // namespace prefbook::test
