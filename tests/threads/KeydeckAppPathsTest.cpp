#include <gtest/gtest.h>

#include "devices/keypad/KeydeckProfileCfgImpl.h"
#include "support/TestHost.h"
#include "threads/StartLine.h"

namespace prefbook::test {
namespace {

// Several threads replace and read the application paths while another works on the profiles: every
// list a reader sees is one some writer set whole, and the profile work is undisturbed.
TEST(KeydeckAppPaths, StayWholeUnderConcurrentWriters) {
    TestHost t;
    KeydeckProfileCfgImpl store(t.Host());
    const QStringList lists[] = {{"a", "b", "c"}, {"x", "y", "z"}};
    store.SetAppPaths(lists[0]);
    std::atomic<int> torn{0};
    RunTogether(5, [&](int thread) {
        for (int i = 0; i < 2000; ++i) {
            if (thread == 4) {
                store.SetProfileName(19, i % 24, std::to_string(i));
                store.AddMacroAssignment(20, i % 24, "m", static_cast<uint8_t>(i % 28));
                store.ClearMacroAssignments(20, i % 24, "m");
                continue;
            }
            if (thread % 2 == 0) {
                store.SetAppPaths(lists[(i + thread) % 2]);
                store.SetAppPath(i % 3, lists[i % 2][i % 3]);
            } else {
                QStringList seen;
                store.GetAppPaths(seen);
                QString one;
                store.GetAppPath(i % 3, one);
                if (seen.size() != 3 || one.isEmpty()) torn.fetch_add(1);
                store.IsAppPathValid(i % 3);
            }
        }
    });
    EXPECT_EQ(torn.load(), 0);
    EXPECT_EQ(store.GetProfileName(19, 23), "1991");
    EXPECT_FALSE(store.HasMacroAssignment(20, 0, "m"));
}

}  // namespace
}  // namespace prefbook::test
