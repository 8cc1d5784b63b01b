#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <functional>
#include <memory>
#include <random>

#include "catalogue/StoreCatalogue.h"
#include "profilecore/ProfileFolder.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

// Every catalogue store that carries a mark (build, save and a number that survives a reload).
std::vector<StoreEntry> Stores(bool merging) {
    std::vector<StoreEntry> stores;
    for (const StoreEntry& e : Catalogue())
        if (e.mark && e.build && (!merging || e.merge)) stores.push_back(e);
    return stores;
}

int EnvOr(const char* name, int fallback) {
    const QByteArray fromEnv = qgetenv(name);
    return fromEnv.isEmpty() ? fallback : fromEnv.toInt();
}

class SaveRace : public ::testing::TestWithParam<StoreEntry> {
protected:
    TestHost t;
    const StoreEntry& kind = GetParam();
    QString dir = t.habitat.ProfileDir(kind.deviceType);

    // The mark a fresh store loads; the load must not have had to skip anything.
    int LoadedMark(const std::string& round) {
        t.log.Clear();
        const int mark = kind.markOf(kind.build(t.Host()).get());
        EXPECT_TRUE(t.log.Lines().isEmpty()) << round << ": " << t.log.Lines().join('\n').toStdString();
        return mark;
    }

    // Saves generation 1, then per round forks a child that saves (or merges) in a tight loop, each
    // generation with a new mark, and kills it at a random moment. Whatever the moment, the folder
    // loads one complete generation without skipping a file. A saving child's clock moves on instead
    // of sleeping, so every save is a real one.
    void KillRepeatedly(int rounds, bool merging, unsigned seed) {
        {
            auto store = kind.build(t.Host());
            kind.mark(store.get(), 1);
            ASSERT_TRUE(kind.save(store.get()));
        }
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> delayUs(0, 15000);
        for (int round = 0; round < rounds; ++round) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                RecordingTracebook quiet;
                ManualClock clock(QDateTime::currentDateTime().addSecs(round * 1000));
                auto store = kind.build({&t.habitat, &quiet, merging ? &t.clock : &clock});
                for (int generation = 2;; ++generation) {
                    kind.mark(store.get(), generation % 199 + 2);
                    if (merging && !kind.merge(store.get())) _exit(1);
                    if (!merging) kind.save(store.get());
                }
            }
            usleep(static_cast<useconds_t>(delayUs(random)));
            kill(child, SIGKILL);
            int status = 0;
            waitpid(child, &status, 0);
            ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << ": a merge reported false";
            const int mark = LoadedMark("round " + std::to_string(round));
            ASSERT_GE(mark, 1) << "round " << round << ": no complete generation loaded";
            ASSERT_LE(mark, 200) << "round " << round;
        }
        RecordProperty("kills", rounds);
    }
};

TEST_P(SaveRace, EveryKillLeavesTheOldOrTheNewDocument) {
    KillRepeatedly(std::max(1, EnvOr("PREFBOOK_KILL_ROUNDS", 225) / int(Stores(false).size())), false,
                   20261205);
}

// The mice rewrite the document they loaded (the device side kept, the user's side from memory): a
// kill during a merge still leaves one whole generation, never a half-written document.
using MergeRace = SaveRace;

TEST_P(MergeRace, EveryKillDuringAMergeLeavesAWholeDocument) {
    KillRepeatedly(EnvOr("PREFBOOK_MERGE_KILLS", 200), true, 20261206);  // per merging store
    EXPECT_EQ(QDir(dir).entryList({"*.xml"}, QDir::Files).size(), 1) << "a merge rewrites, never adds";
}

// Two processes (the suite and the tool, say) save the same store at the same instant and both report
// success: both documents must be in the folder, complete, named for their own seconds.
TEST_P(SaveRace, TwoProcessesSavingAtOnceKeepBothDocuments) {
    const int rounds = EnvOr("PREFBOOK_RACE_ROUNDS", 3);
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        const QDateTime now = t.clock.Now().addSecs(round * 100);
        pid_t children[2];
        for (int c = 0; c < 2; ++c) {
            children[c] = fork();
            ASSERT_GE(children[c], 0);
            if (children[c] == 0) {
                close(start[1]);
                RecordingTracebook quiet;
                ManualClock clock(now);
                auto store = kind.build({&t.habitat, &quiet, &clock});
                kind.mark(store.get(), 10 + c);
                char go;
                const bool released = read(start[0], &go, 1) == 0;  // the parent closing releases both
                _exit(released && kind.save(store.get()) ? 0 : 1);
            }
        }
        close(start[0]);
        close(start[1]);
        for (const pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save reported false";
        }
        const QFileInfoList files = ListProfileFolder(dir);
        ASSERT_EQ(files.size(), 2);
        QStringList names = {files[0].fileName(), files[1].fileName()};
        names.sort();
        EXPECT_EQ(names[0].left(19), DocumentStamp(now));
        EXPECT_EQ(names[1].left(19), DocumentStamp(now.addSecs(1)));
        // The newest loads; with it gone, the other one.
        const int newest = LoadedMark("newest");
        ASSERT_TRUE(QFile::remove(files[0].absoluteFilePath()));
        EXPECT_EQ(newest + LoadedMark("older"), 21) << "one save was lost";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryStore, SaveRace, ::testing::ValuesIn(Stores(false)),
                         [](const auto& info) { return info.param.model.toStdString(); });
INSTANTIATE_TEST_SUITE_P(MergingMice, MergeRace, ::testing::ValuesIn(Stores(true)),
                         [](const auto& info) { return info.param.model.toStdString(); });

}  // namespace
}  // namespace prefbook::test
