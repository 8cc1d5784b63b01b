#include <gtest/gtest.h>

#include "abi/AbiSlots.h"
#include "devices/keyboards/ITL460ProfileCfg.h"
#include "devices/keyboards/ITL480ProfileCfg.h"

namespace prefbook::test {
namespace {

template <class I>
void ExpectTLSlots() {
    EXPECT_SLOT(I, GetProfileNum, 0);
    EXPECT_SLOT(I, GetProfileName, 1);
    EXPECT_SLOT(I, GetProfileNameList, 2);
    EXPECT_SLOT(I, SetExportPath, 3);
    EXPECT_SLOT(I, GetExportPath, 4);
    EXPECT_SLOT(I, SetOpenExePath, 5);
    EXPECT_SLOT(I, GetOpenExePath, 6);
    EXPECT_SLOT(I, SetProfileExe, 7);
    EXPECT_SLOT(I, GetProfileExe, 8);
    EXPECT_SLOT(I, SetProfileName, 9);
    EXPECT_SLOT(I, SetCustomColors, 10);
    EXPECT_SLOT(I, GetCustomColors, 11);
    EXPECT_SLOT(I, SetMultiLayer, 12);
    EXPECT_SLOT(I, GetMultiLayer, 13);
    EXPECT_SLOT(I, SetMultiZone, 14);
    EXPECT_SLOT(I, GetMultiZone, 15);
    EXPECT_SLOT(I, GetMacroSet, 16);
    EXPECT_SLOT(I, SetMacroSet, 17);
    EXPECT_SLOT(I, GetCurrMacro, 18);
    EXPECT_SLOT(I, SetCurrMacro, 19);
    EXPECT_SLOT(I, SetMacroEntry, 20);
    EXPECT_SLOT(I, AddMacro, 21);
    EXPECT_SLOT(I, DeleteMacro, 22);
    EXPECT_SLOT(I, RenameMacro, 23);
    EXPECT_SLOT(I, GetMacroNames, 24);
    EXPECT_SLOT(I, GetMacroEntry, 25);
    EXPECT_SLOT(I, SetMacro, 26);
    EXPECT_SLOT(I, GetMacroKeys, 27);
    EXPECT_SLOT(I, SetMacroKeys, 28);
    EXPECT_SLOT(I, AddMacroKey, 29);
    EXPECT_SLOT(I, RemoveMacroKey, 30);
    EXPECT_SLOT(I, ClearMacroKeys, 31);
    EXPECT_SLOT(I, GetMacroMode, 32);
    EXPECT_SLOT(I, SetMacroMode, 33);
    EXPECT_SLOT(I, GetMacroPath, 34);
    EXPECT_SLOT(I, SetMacroPath, 35);
    EXPECT_SLOT(I, SaveProfile, 36);
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
