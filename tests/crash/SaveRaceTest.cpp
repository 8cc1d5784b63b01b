#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <functional>
#include <memory>
#include <random>

#include "devices/audio/AU570ProfileCfgImpl.h"
#include "devices/audio/AudioProfileStore.h"
#include "devices/keyboards/BXProfileStore.h"
#include "devices/keyboards/KR720ProfileCfgImpl.h"
#include "devices/keyboards/TLProfileStore.h"
#include "devices/keypad/KeydeckProfileCfgImpl.h"
#include "devices/mice/PR26xProfileCfgImpl.h"
#include "devices/mice/PR940ProfileCfgImpl.h"
#include "devices/mice/PR941ProfileCfgImpl.h"
#include "devices/mousepads/FT280ProfileCfgImpl.h"
#include "devices/mousepads/FT610ProfileCfgImpl.h"
#include "hostservices/IGlyphPress.h"
#include "profilecore/ProfileFolder.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

// What the process tests need of a store: build it over a host (which loads), save it, and put a
// number (1-200) into it that survives a save and a reload. A new store joins with one row.
struct StoreKind {
    const char* name;
    int deviceType;
    std::function<std::shared_ptr<void>(const StoreHost&)> make;
    std::function<bool(void*)> save;
    std::function<void(void*, int)> mark;
    std::function<int(void*)> markOf;
    std::function<bool(void*)> merge = {};  // the mice that rewrite their loaded document in place
};

void PrintTo(const StoreKind& kind, std::ostream* os) {
    *os << kind.name;
}

template <class S>
S& As(void* s) {
    return *static_cast<S*>(s);
}

template <class S>
std::shared_ptr<void> Make(const StoreHost& host) {
    return std::make_shared<S>(host);
}

int NumberIn(const std::string& text) {
    return text.rfind("mark ", 0) == 0 ? std::stoi(text.substr(5)) : -1;
}

// Every one of the five profiles carries the mark of one generation; a mix of two is none.
template <class S>
StoreKind Keyboard(const char* name, int type,
                   std::function<std::shared_ptr<void>(const StoreHost&)> make = Make<S>) {
    return {name,
            type,
            make,
            [](void* s) { return As<S>(s).SaveProfile(); },
            [](void* s, int n) {
                for (int i = 0; i < 5; ++i) As<S>(s).SetProfileName(i, "mark " + std::to_string(n));
            },
            [](void* s) {
                const int n = NumberIn(As<S>(s).GetProfileName(0));
                for (int i = 1; i < 5; ++i)
                    if (NumberIn(As<S>(s).GetProfileName(i)) != n) return -1;
                return n;
            }};
}

template <class S>
StoreKind Audio(const char* name, int type) {
    return {name,
            type,
            Make<S>,
            [](void* s) { return As<S>(s).SaveProfile(); },
            [](void* s, int n) { As<S>(s).SetProfileName(0, QStringLiteral("mark %1").arg(n)); },
            [](void* s) {
                QString text;
                As<S>(s).GetProfileName(0, text);
                return NumberIn(text.toStdString());
            }};
}

template <class S>
StoreKind Merging(const char* name, int type) {
    StoreKind kind = Keyboard<S>(name, type);
    kind.merge = [](void* s) { return As<S>(s).MergeSaveProfile(); };
    return kind;
}

// The keypad keeps each variant in its own folder; five of its profiles carry the mark.
StoreKind Keydeck(const char* name, int type) {
    using S = KeydeckProfileCfgImpl;
    return {name,
            type,
            Make<S>,
            [type](void* s) { return As<S>(s).SaveProfile(type); },
            [type](void* s, int n) {
                for (int i = 0; i < 5; ++i) As<S>(s).SetProfileName(type, i, "mark " + std::to_string(n));
            },
            [type](void* s) {
                const int n = NumberIn(As<S>(s).GetProfileName(type, 0));
                for (int i = 1; i < 5; ++i)
                    if (NumberIn(As<S>(s).GetProfileName(type, i)) != n) return -1;
                return n;
            }};
}

const StoreKind kStores[] = {
    Keyboard<BX310V2ProfileCfgImpl>("BX310V2", 5),
    Keyboard<BX330V2ProfileCfgImpl>("BX330V2", 6),
    Keyboard<PR940ProfileCfgImpl>(
        "PR940", 7,
        [](const StoreHost& h) { return std::make_shared<PR940ProfileCfgImpl>(h, IGlyphPress::Instance()); }),
    Merging<PR260ProfileCfgImpl>("PR260", 8),
    Merging<PR261ProfileCfgImpl>("PR261", 9),
    Merging<PR941ProfileCfgImpl>("PR941", 10),
    Keydeck("KEYDECK_G", 19),
    Keydeck("KEYDECK_C", 20),
    Keyboard<TL480ProfileCfgImpl>("TL480", 1),
    Keyboard<TL460ProfileCfgImpl>("TL460", 3),
    Keyboard<KR720ProfileCfgImpl>("KR720", 0),
    Audio<DS180ProfileCfgImpl>("DS180", 14),
    Audio<AU320ProfileCfgImpl>("AU320", 12),
    Audio<AU340ProfileCfgImpl>("AU340", 13),
    {"AU570", 11, Make<AU570ProfileCfgImpl>, [](void* s) { return As<AU570ProfileCfgImpl>(s).SaveProfile(); },
     [](void* s, int n) { As<AU570ProfileCfgImpl>(s).SetBass(n); },
     [](void* s) { return As<AU570ProfileCfgImpl>(s).GetBass(); }},
    {"FT280M", 16, Make<FT280ProfileCfgImpl>,
     [](void* s) { return As<FT280ProfileCfgImpl>(s).SaveProfile(16); },
     [](void* s, int n) { As<FT280ProfileCfgImpl>(s).SetCurrMode(16, static_cast<uint8_t>(n)); },
     [](void* s) { return int(As<FT280ProfileCfgImpl>(s).GetCurrMode(16)); }},
    {"FT610", 15, Make<FT610ProfileCfgImpl>, [](void* s) { return As<FT610ProfileCfgImpl>(s).SaveProfile(); },
     [](void* s, int n) { As<FT610ProfileCfgImpl>(s).SetHeaderA(static_cast<uint32_t>(n)); },
     [](void* s) { return int(As<FT610ProfileCfgImpl>(s).GetHeaderA()); }},
};
constexpr int kStoreCount = sizeof(kStores) / sizeof(kStores[0]);

int EnvOr(const char* name, int fallback) {
    const QByteArray fromEnv = qgetenv(name);
    return fromEnv.isEmpty() ? fallback : fromEnv.toInt();
}

class SaveRace : public ::testing::TestWithParam<StoreKind> {
protected:
    TestHost t;
    const StoreKind& kind = GetParam();
    QString dir = t.habitat.ProfileDir(kind.deviceType);

    // The mark a fresh store loads; the load must not have had to skip anything.
    int LoadedMark(const std::string& round) {
        t.log.Clear();
        const int mark = kind.markOf(kind.make(t.Host()).get());
        EXPECT_TRUE(t.log.Lines().isEmpty()) << round << ": " << t.log.Lines().join('\n').toStdString();
        return mark;
    }
};

// A child saves in a tight loop, each generation with a new mark; the parent kills it at a random
// moment. Whatever the moment, the folder loads one complete generation without skipping a file.
// The child's clock moves on instead of sleeping, so every save is a real one.
TEST_P(SaveRace, EveryKillLeavesTheOldOrTheNewDocument) {
    {
        auto store = kind.make(t.Host());
        kind.mark(store.get(), 1);
        ASSERT_TRUE(kind.save(store.get()));
    }
    std::mt19937 random(20261205);
    std::uniform_int_distribution<int> delayUs(0, 15000);
    const int rounds = std::max(1, EnvOr("PREFBOOK_KILL_ROUNDS", 225) / kStoreCount);
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RecordingTracebook quiet;
            ManualClock clock(QDateTime::currentDateTime().addSecs(round * 1000));
            auto store = kind.make({&t.habitat, &quiet, &clock});
            for (int generation = 2;; ++generation) {
                kind.mark(store.get(), generation % 199 + 2);
                kind.save(store.get());
            }
        }
        usleep(static_cast<useconds_t>(delayUs(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const int mark = LoadedMark("round " + std::to_string(round));
        ASSERT_GE(mark, 1) << "round " << round << ": no complete generation loaded";
        ASSERT_LE(mark, 200) << "round " << round;
    }
    RecordProperty("kills", rounds);
}

std::vector<StoreKind> MergingStores() {
    std::vector<StoreKind> kinds;
    for (const StoreKind& kind : kStores)
        if (kind.merge) kinds.push_back(kind);
    return kinds;
}

// The mice rewrite the document they loaded (the device side kept, the user's side from memory): a
// child merges in a tight loop and is killed at a random moment; the folder still loads one whole
// generation, never a half-written document.
using MergeRace = SaveRace;

TEST_P(MergeRace, EveryKillDuringAMergeLeavesAWholeDocument) {
    {
        auto store = kind.make(t.Host());
        kind.mark(store.get(), 1);
        ASSERT_TRUE(kind.save(store.get()));
    }
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> delayUs(0, 15000);
    const int rounds = std::max(1, EnvOr("PREFBOOK_MERGE_KILLS", 200) / int(MergingStores().size()));
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RecordingTracebook quiet;
            auto store = kind.make({&t.habitat, &quiet, &t.clock});
            for (int generation = 2;; ++generation) {
                kind.mark(store.get(), generation % 199 + 2);
                if (!kind.merge(store.get())) _exit(1);
            }
        }
        usleep(static_cast<useconds_t>(delayUs(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << ": a merge reported false";
        const int mark = LoadedMark("round " + std::to_string(round));
        ASSERT_GE(mark, 1) << "round " << round << ": no whole generation loaded";
        ASSERT_LE(mark, 200) << "round " << round;
    }
    EXPECT_EQ(QDir(dir).entryList({"*.xml"}, QDir::Files).size(), 1) << "a merge rewrites, never adds";
    RecordProperty("kills", rounds);
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
                auto store = kind.make({&t.habitat, &quiet, &clock});
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

INSTANTIATE_TEST_SUITE_P(EveryStore, SaveRace, ::testing::ValuesIn(kStores),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(MergingMice, MergeRace, ::testing::ValuesIn(MergingStores()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace prefbook::test
