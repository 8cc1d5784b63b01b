#include <gtest/gtest.h>

#include "devices/audio/IAU320ProfileCfg.h"
#include "devices/audio/IAU340ProfileCfg.h"
#include "devices/audio/IAU570ProfileCfg.h"
#include "devices/audio/IDS180ProfileCfg.h"
#include "devices/keyboards/IBX310V2ProfileCfg.h"
#include "devices/keyboards/IBX330V2ProfileCfg.h"
#include "devices/keyboards/IKR720ProfileCfg.h"
#include "devices/keyboards/ITL460ProfileCfg.h"
#include "devices/keyboards/ITL480ProfileCfg.h"
#include "devices/keypad/IKeydeckProfileCfg.h"
#include "devices/mice/IPR260ProfileCfg.h"
#include "devices/mice/IPR261ProfileCfg.h"
#include "devices/mice/IPR940ProfileCfg.h"
#include "devices/mice/IPR941ProfileCfg.h"
#include "devices/mousepads/IFT280ProfileCfg.h"
#include "devices/mousepads/IFT610ProfileCfg.h"
#include "devices/textlight/IVL550ProfileCfg.h"
#include "support/TestHost.h"
#include "threads/StartLine.h"

namespace prefbook::test {
namespace {

struct Singleton {
    const char* name;
    const void* (*instance)();
};

void PrintTo(const Singleton& s, std::ostream* os) {
    *os << s.name;
}

// One line per store interface.
// clang-format off
#define PREFBOOK_SINGLETON(Interface) \
    Singleton { #Interface, []() -> const void* { return &Interface::Instance(); } }
// clang-format on

const Singleton kSingletons[] = {
    PREFBOOK_SINGLETON(ITL480ProfileCfg),   PREFBOOK_SINGLETON(ITL460ProfileCfg),
    PREFBOOK_SINGLETON(IKR720ProfileCfg),   PREFBOOK_SINGLETON(IFT610ProfileCfg),
    PREFBOOK_SINGLETON(IFT280ProfileCfg),   PREFBOOK_SINGLETON(IVL550ProfileCfg),
    PREFBOOK_SINGLETON(IAU570ProfileCfg),   PREFBOOK_SINGLETON(IDS180ProfileCfg),
    PREFBOOK_SINGLETON(IAU320ProfileCfg),   PREFBOOK_SINGLETON(IAU340ProfileCfg),
    PREFBOOK_SINGLETON(IPR260ProfileCfg),   PREFBOOK_SINGLETON(IPR261ProfileCfg),
    PREFBOOK_SINGLETON(IPR940ProfileCfg),   PREFBOOK_SINGLETON(IBX310V2ProfileCfg),
    PREFBOOK_SINGLETON(IBX330V2ProfileCfg), PREFBOOK_SINGLETON(IKeydeckProfileCfg),
    PREFBOOK_SINGLETON(IPR941ProfileCfg),
};

class FirstInstanceCalls : public ::testing::TestWithParam<Singleton> {};

// Each case runs in its own process under ctest, so these calls are the store's very first: every
// thread must get the one store, built once while the others wait for it.
TEST_P(FirstInstanceCalls, GiveOneStoreToEveryThread) {
    ProcessHabitat();  // the stores load from a temporary folder, never from the real home
    constexpr int kThreads = 16;
    const void* seen[kThreads] = {};
    RunTogether(kThreads, [&](int i) { seen[i] = GetParam().instance(); });
    ASSERT_NE(seen[0], nullptr);
    for (int i = 1; i < kThreads; ++i) EXPECT_EQ(seen[i], seen[0]) << "thread " << i;
    EXPECT_EQ(GetParam().instance(), seen[0]);
}

INSTANTIATE_TEST_SUITE_P(EveryStore, FirstInstanceCalls, ::testing::ValuesIn(kSingletons),
                         [](const ::testing::TestParamInfo<Singleton>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace prefbook::test
