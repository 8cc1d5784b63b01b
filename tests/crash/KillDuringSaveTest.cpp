#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "devices/keyboards/TLProfileStore.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

int Rounds() {
    const QByteArray fromEnv = qgetenv("PREFBOOK_KILL_ROUNDS");
    return fromEnv.isEmpty() ? 500 : fromEnv.toInt();
}

void NameEveryProfile(ITL480ProfileCfg& store, const std::string& name) {
    for (int i = 0; i < store.GetProfileNum(); ++i) store.SetProfileName(i, name);
}

// A child saves the store in a tight loop, each generation renaming all five profiles at once; the
// parent kills it at a random moment. Whatever the moment, the folder must load one complete
// generation: never a failed read, never the defaults, never profiles of two generations.
TEST(KillDuringSave, EveryKillLeavesTheOldOrTheNewDocument) {
    TestHost t;
    {
        TL480ProfileCfgImpl store(t.Host());
        NameEveryProfile(store, "gen 0");
        ASSERT_TRUE(store.SaveProfile());
    }
    std::mt19937 random(20261205);
    std::uniform_int_distribution<int> delayUs(0, 15000);
    const int rounds = Rounds();
    int survived = 0;
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RecordingTracebook quiet;
            const StoreHost host{&t.habitat, &quiet, &SystemClock::Instance()};
            TL480ProfileCfgImpl store(host);
            for (int generation = 1;; ++generation) {
                NameEveryProfile(store, "gen " + std::to_string(round) + "." + std::to_string(generation));
                store.SaveProfile();
            }
        }
        usleep(static_cast<useconds_t>(delayUs(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        t.log.Clear();
        TL480ProfileCfgImpl loaded(t.Host());
        ASSERT_FALSE(loaded.LoadedFrom().isEmpty()) << "round " << round << " fell back to defaults";
        // The newest document is always complete: nothing had to be skipped to find it.
        ASSERT_TRUE(t.log.Lines().isEmpty())
            << "round " << round << ": " << t.log.Lines().join('\n').toStdString();
        ASSERT_EQ(loaded.GetProfileNum(), 5) << "round " << round;
        for (int i = 1; i < 5; ++i) {
            ASSERT_EQ(loaded.GetProfileName(i), loaded.GetProfileName(0))
                << "round " << round << " mixed generations";
        }
        ASSERT_NE(loaded.GetProfileName(0), "PROFILE0");
        ++survived;
    }
    EXPECT_EQ(survived, rounds);
    RecordProperty("kills", survived);
}

}  // namespace
}  // namespace prefbook::test
