// Power loss during every write the library and the tool make: each write runs once in a child
// process under the recorder (shim/Recorder.c), every crash state the model of CrashStates.h allows is
// built in the write's folder, and a fresh process reads it with the store's own load, import or
// Prefbook's read. It must see the content from before the write or from after it; once the write
// returned, only the after.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include "catalogue/StoreCatalogue.h"
#include "devices/keyboards/KR720ProfileCfgImpl.h"
#include "devices/keyboards/TLProfileStore.h"
#include "devices/keypad/KeydeckProfileCfgImpl.h"
#include "devices/mice/PR940ProfileCfgImpl.h"
#include "devices/textlight/VL550ProfileCfgImpl.h"
#include "hostservices/DefaultGlyphPress.h"
#include "powerloss/CrashStates.h"
#include "profilecore/ProfileFolder.h"
#include "settings/Prefbook.h"
#include "settings/SettingsFiles.h"

namespace prefbook::test {
namespace {

// What a reader makes of a folder. previous: for rotating saves, what the load gives once the newest
// document is gone, so that the document before the write is checked to be kept as well.
struct Observation {
    QString now, previous;
    bool operator==(const Observation& o) const { return now == o.now && previous == o.previous; }
    std::string Text() const {
        return (now + (previous.isNull() ? "" : " / previous " + previous)).toStdString();
    }
};

// The folder's services, shared by the setup, the writing child and the reading children.
struct Folder {
    explicit Folder(QString path) : root(std::move(path)) {}
    QString root;
    TempHabitat habitat{root};
    RecordingTracebook log;
    StoreHost Host(ManualClock& clock) { return {&habitat, &log, &clock}; }
};

struct Scenario {
    std::string name;
    std::function<void(Folder&)> setup;
    std::function<bool(Folder&)> act;  // runs in the recorded child
    QStringList tool;                  // or these prefbookctl arguments after --base
    std::function<Observation(Folder&)> observe;
    // A known weakness of the library: the checker must keep finding it, and nothing else, until it
    // is fixed.
    enum class Weakness { None, ArtworkMix } weakness = Weakness::None;
};

// The PR940 save rewrites its artwork images under the names the old document gives too, before its
// own rename, and leaves the images' folder unsynced: a crash may pair either document with either
// image, but both are whole generations.
bool MixesWholeGenerations(const QString& seen, const QString& before, const QString& after) {
    const QStringList parts = seen.split(" pixels "), b = before.split(" pixels "),
                      a = after.split(" pixels ");
    return parts.size() == 2 && (parts[0] == b[0] || parts[0] == a.value(0)) &&
           (parts[1] == b.value(1) || parts[1] == a.value(1));
}

QDateTime Minute(int m) {
    return QDateTime(QDate(2026, 3, 14), QTime(15, m));
}

// Takes the newest document (not a temporary file) out of a profile folder.
void RemoveNewestDocument(const QString& dir, const QString& suffix) {
    for (const QFileInfo& file : ListProfileFolder(dir))
        if (file.suffix() == suffix) {
            QFile::remove(file.absoluteFilePath());
            return;
        }
}

// The store's load over the folder; for rotations also with its newest document gone.
Observation LoadMark(Folder& f, const StoreEntry& e, bool rotation) {
    ManualClock clock;
    const auto mark = [&] { return QString::number(e.markOf(e.build(f.Host(clock)).get())); };
    Observation o{mark(), QString()};
    if (!rotation) return o;
    RemoveNewestDocument(f.habitat.ProfileDir(e.deviceType), e.suffix);
    o.previous = mark();
    return o;
}

bool SaveMarked(Folder& f, const StoreEntry& e, int mark, int minute) {
    ManualClock clock(Minute(minute));
    auto store = e.build(f.Host(clock));
    e.mark(store.get(), mark);
    return e.save(store.get());
}

// A write that rewrites the document the store loaded, in place.
Scenario InPlace(const StoreEntry& e, const std::string& name, std::function<bool(void*)> rewrite) {
    return {name,
            [e](Folder& f) { ASSERT_TRUE(SaveMarked(f, e, 1, 0)); },
            [e, rewrite](Folder& f) {
                ManualClock clock(Minute(2));
                auto store = e.build(f.Host(clock));
                e.mark(store.get(), 2);
                return rewrite(store.get());
            },
            {},
            [e](Folder& f) { return LoadMark(f, e, false); }};
}

void AddStoreScenarios(std::vector<Scenario>& all, const StoreEntry& e) {
    const std::string model = e.model.toStdString();
    // Two documents before the save, so that the one before the new document is checked to stay.
    all.push_back({"save_" + model,
                   [e](Folder& f) { ASSERT_TRUE(SaveMarked(f, e, 1, 0) && SaveMarked(f, e, 2, 1)); },
                   [e](Folder& f) { return SaveMarked(f, e, 3, 2); },
                   {},
                   [e](Folder& f) { return LoadMark(f, e, true); }});
    if (e.merge) all.push_back(InPlace(e, "merge_" + model, e.merge));
    // Exports over an export of the default store (where it has one to give): the import reads the
    // old file or the new one. Stores are made as the catalogue makes them, for their current profile.
    for (const DocumentKind& k : e.kinds) {
        if (!k.write || !k.import) continue;
        const auto path = [](Folder& f) { return f.root + "/exports/profile.xml"; };
        const auto made = [e](Folder& f, TestHost& t) {
            t.habitat.SetBaseDir(f.root);
            return e.make(t);
        };
        const auto write = [e, k, path, made](Folder& f, bool filled) {
            TestHost t;
            auto store = made(f, t);
            if (filled && e.fill) e.fill(store.get());
            if (filled && !e.fill) e.mark(store.get(), 7);
            return k.write(store.get(), path(f));
        };
        all.push_back(
            {"export_" + model + "_" + QString(k.name).replace(' ', '_').toStdString(),
             [write](Folder& f) {
                 QDir(f.root).mkpath("exports");
                 write(f, false);
             },
             [write](Folder& f) { return write(f, true); },
             {},
             [k, path, made](Folder& f) {
                 TestHost t;
                 const QByteArray bytes = ReadAll(path(f));
                 auto store = made(f, t);
                 if (!QFileInfo::exists(path(f))) return Observation{"absent", {}};
                 if (!k.import(store.get(), path(f))) return Observation{"refused", {}};
                 return Observation{QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex(), {}};
             }});
    }
}

const StoreEntry& Entry(const char* model) {
    for (const StoreEntry& e : Catalogue())
        if (e.model == model) return e;
    throw std::runtime_error(model);
}

// The keypad and the KR720 (its software-side fields) rewrite the document they loaded; the VL550
// keeps one named document.
void AddRewriteScenarios(std::vector<Scenario>& all) {
    const auto rewrite = [](const char* model, auto call) {
        const StoreEntry& e = Entry(model);
        return InPlace(e, "rewrite_" + e.model.toStdString(), [call](void* s) { return call(s); });
    };
    all.push_back(
        rewrite("KR720", [](void* s) { return As<KR720ProfileCfgImpl>(s).SaveSoftwareSettings(); }));
    all.push_back(rewrite("KEYDECK_G",
                          [](void* s) { return As<KeydeckProfileCfgImpl>(s).RewriteDocument(KEYDECK_G); }));
    // The VL550 rewrites only a document it loaded: the setup writes the first one.
    const auto vl550 = [](Folder& f, int mode, bool first) {
        const QString folder = f.root + "/profile/VL550/";
        QDir().mkpath(folder);
        ManualClock clock;
        VL550ProfileCfgImpl store(f.Host(clock));
        if (mode < 0) return int(store.GetCurrMode());
        store.SetCurrMode(uint8_t(mode));
        return int(first ? store.SaveDocumentAs(folder + "default.bin") : store.SaveDocument());
    };
    all.push_back({"rewrite_VL550",
                   [vl550](Folder& f) { ASSERT_EQ(vl550(f, 3, true), 1); },
                   [vl550](Folder& f) { return vl550(f, 6, false) == 1; },
                   {},
                   [vl550](Folder& f) {
                       return Observation{QString::number(vl550(f, -1, false)), {}};
                   }});
}

// The PR940 save writes its artwork images beside the document, through the default converter.
void AddArtworkScenario(std::vector<Scenario>& all) {
    const auto open = [](Folder& f, ManualClock& clock, std::unique_ptr<DefaultGlyphPress>& press) {
        press = std::make_unique<DefaultGlyphPress>(&f.habitat, &f.log);
        return std::make_unique<PR940ProfileCfgImpl>(f.Host(clock), *press);
    };
    const auto save = [open](Folder& f, int mark) {
        ManualClock clock(Minute(mark));
        std::unique_ptr<DefaultGlyphPress> press;
        auto store = open(f, clock, press);
        store->AddOledProfile(0, "Show");
        store->AddArtwork(0, "Show", "Logo");
        store->SetArtworkPixels(0, "Show", "Logo", QVector<uint32_t>(64, 0x01010101u * uint32_t(mark)));
        for (int i = 0; i < 5; ++i) store->SetProfileName(i, "mark " + std::to_string(mark));
        return store->SaveProfile();
    };
    all.push_back({"artwork_PR940",
                   [save](Folder& f) { ASSERT_TRUE(save(f, 1) && save(f, 2)); },
                   [save](Folder& f) { return save(f, 3); },
                   {},
                   [open](Folder& f) {
                       const auto read = [&] {
                           ManualClock clock;
                           std::unique_ptr<DefaultGlyphPress> press;
                           auto store = open(f, clock, press);
                           QVector<uint32_t> pixels;
                           store->GetArtworkPixels(0, "Show", "Logo", pixels);
                           return QString::fromStdString(store->GetProfileName(0)) + " pixels " +
                                  QString::number(pixels.value(0) & 0xff);
                       };
                       Observation o{read(), {}};
                       RemoveNewestDocument(f.habitat.ProfileDir(PR940), "xml");
                       o.previous = read();
                       return o;
                   },
                   Scenario::Weakness::ArtworkMix});
}

// Prefbook's settings: each of the three files through one of its writers.
void AddSettingsScenarios(std::vector<Scenario>& all) {
    struct Setting {
        const char* name;
        std::function<void(int)> write;
        std::function<QString()> read;
    };
    const std::vector<Setting> settings = {
        {"param", [](int v) { Prefbook::WriteKeyMappingParam(v / 4.0); },
         [] {
             double p = 0;
             Prefbook::ReadKeyMappingParam(p);
             return QString::number(p);
         }},
        {"reset", [](int v) { Prefbook::WriteSWUpdate(v > 1); },
         [] { return QString::number(Prefbook::ReadSWUpdate()); }},
        {"param_chg",
         [](int v) { SaveProfileExportPath(kKR720ExportPathKey, "/exports/" + QString::number(v)); },
         [] { return ReadProfileExportPath(kKR720ExportPathKey); }},
    };
    // In forked children only: the test process never caches a settings file of its own.
    const auto inChild = [](Folder& f, const std::function<void()>& run) {
        const pid_t child = fork();
        if (child == 0) {
            ProcessHabitat().SetBaseDir(f.root);
            run();
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
    };
    for (const Setting& s : settings)
        all.push_back({std::string("settings_") + s.name,
                       [s, inChild](Folder& f) { inChild(f, [&] { s.write(1); }); },
                       [s](Folder& f) {
                           ProcessHabitat().SetBaseDir(f.root);
                           s.write(3);
                           return true;
                       },
                       {},
                       [s](Folder& f) {
                           ProcessHabitat().SetBaseDir(f.root);
                           return Observation{s.read(), {}};
                       }});
}

// The tool's write commands, run as the built prefbookctl.
void AddToolScenarios(std::vector<Scenario>& all) {
    const auto tlNames = [](Folder& f, const char* name, int minute) {
        ManualClock clock(Minute(minute));
        TL480ProfileCfgImpl store(f.Host(clock));
        if (name) store.SetProfileName(0, name);
        return name ? QString::number(store.SaveProfile()) : QString::fromStdString(store.GetProfileName(0));
    };
    const auto tlObserve = [tlNames](Folder& f) {
        Observation o{tlNames(f, nullptr, 0), {}};
        RemoveNewestDocument(f.habitat.ProfileDir(TL480B), "xml");
        o.previous = tlNames(f, nullptr, 0);
        return o;
    };
    const auto twoNames = [tlNames](Folder& f) {
        ASSERT_EQ(tlNames(f, "older", 0), "1");
        ASSERT_EQ(tlNames(f, "newer", 1), "1");
    };
    all.push_back({"tool_rename", twoNames, nullptr, {"rename", "tl480", "0", "renamed"}, tlObserve});
    all.push_back({"tool_restore", twoNames, nullptr, {"restore", "tl480"}, tlObserve});
    const StoreEntry& keypad = Entry("KEYDECK_G");
    all.push_back({"tool_import",
                   [keypad](Folder& f) {
                       ASSERT_TRUE(SaveMarked(f, keypad, 1, 0) && SaveMarked(f, keypad, 2, 1));
                       ManualClock clock;
                       KeydeckProfileCfgImpl other(f.Host(clock));
                       keypad.mark(&other, 3);
                       const QString file = f.root + "/import.xml";
                       ASSERT_TRUE(other.ExportAllProfiles(KEYDECK_G, file));
                       // The exporting store's own folder is not part of what the import changes.
                       QDir(f.root + "/profile").removeRecursively();
                       ASSERT_TRUE(SaveMarked(f, keypad, 1, 0) && SaveMarked(f, keypad, 2, 1));
                   },
                   nullptr,
                   {"import", "keydeck_g", "IMPORT", "--kind", "all"},
                   [keypad](Folder& f) { return LoadMark(f, keypad, true); }});
    all.push_back({"tool_settings",
                   [](Folder& f) { QDir(f.root).mkpath("config/param"); },
                   nullptr,
                   {"settings", "set", "precision", "0.75"},
                   [](Folder& f) {
                       ProcessHabitat().SetBaseDir(f.root);
                       double p = 0;
                       Prefbook::ReadKeyMappingParam(p);
                       return Observation{QString::number(p), {}};
                   }});
}

std::vector<Scenario>& Scenarios() {
    static std::vector<Scenario> all = [] {
        std::vector<Scenario> list;
        for (const StoreEntry& e : Catalogue())
            if (e.mark && e.build && e.rotates) AddStoreScenarios(list, e);
        AddRewriteScenarios(list);
        AddArtworkScenario(list);
        AddSettingsScenarios(list);
        AddToolScenarios(list);
        return list;
    }();
    return all;
}

const Scenario& Named(const std::string& name) {
    for (const Scenario& s : Scenarios())
        if (s.name == name) return s;
    throw std::runtime_error(name);
}

// The recorded child: performs the scenario's write and reports its result as its status.
TEST(PowerLossChild, DISABLED_Act) {
    const std::string name = qgetenv("PREFBOOK_POWERLOSS_ACT").toStdString();
    Folder f(QString::fromLocal8Bit(qgetenv("PREFBOOK_POWERLOSS_ROOT")));
    ASSERT_TRUE(Named(name).act(f)) << f.log.Lines().join('\n').toStdString();
}

// Reads the folder in a forked child: a fresh store, nothing cached from earlier reads.
Observation Observe(const Scenario& s, Folder& f) {
    int pipes[2];
    if (pipe(pipes) != 0) return {"no pipe", {}};
    const pid_t child = fork();
    if (child == 0) {
        close(pipes[0]);
        const Observation o = s.observe(f);
        const QByteArray out =
            o.now.toUtf8() + '\n' + (o.previous.isNull() ? "-" : "+" + o.previous.toUtf8());
        (void)!write(pipes[1], out.constData(), size_t(out.size()));
        _exit(0);
    }
    close(pipes[1]);
    QByteArray in;
    char buffer[512];
    for (ssize_t n; (n = read(pipes[0], buffer, sizeof buffer)) > 0;) in.append(buffer, int(n));
    close(pipes[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status)) return {"reader crashed", {}};
    const int cut = in.indexOf('\n');
    Observation o{QString::fromUtf8(in.left(cut)), QString()};
    if (in.mid(cut + 1).startsWith('+')) o.previous = QString::fromUtf8(in.mid(cut + 2));
    return o;
}

// Runs the write under the recorder; the trace, or empty with a failure recorded.
std::vector<TraceEvent> Record(const Scenario& s, Folder& f, const QString& logPath) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LD_PRELOAD", PREFBOOK_POWERLOSS_SHIM);
    env.insert("PREFBOOK_POWERLOSS_ROOT", f.root);
    env.insert("PREFBOOK_POWERLOSS_LOG", logPath);
    env.insert("PREFBOOK_POWERLOSS_ACT", QString::fromStdString(s.name));
    p.setProcessEnvironment(env);
    if (s.tool.isEmpty()) {
        p.start(QFile::symLinkTarget("/proc/self/exe"),
                {"--gtest_filter=PowerLossChild.DISABLED_Act", "--gtest_also_run_disabled_tests"});
    } else {
        QStringList args = {"--base", f.root};
        for (const QString& a : s.tool) args << (a == "IMPORT" ? f.root + "/import.xml" : a);
        p.start(PREFBOOK_CTL, args);
    }
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << "the write failed:\n" << p.readAll().toStdString();
    return ParseTrace(ReadAll(logPath));
}

struct Counts {
    int states = 0, points = 0;
    QStringList violations;
    int known = 0;  // states that show the scenario's known weakness
};

Counts Explore(const Scenario& s, const ExploreLimits& limits = {}) {
    Counts counts;
    QTemporaryDir temp;
    Folder f(QDir(temp.path()).canonicalPath() + "/base");
    QDir().mkpath(f.root);
    s.setup(f);
    // Rebuilt once, so that the trace's file numbers are the ones the write meets.
    const Tree built = ScanTree(f.root);
    const Observation before = Observe(s, f);
    Materialise(f.root, built);
    const Tree initial = ScanTree(f.root);
    const std::vector<TraceEvent> events = Record(s, f, temp.path() + "/trace");
    const Tree written = ScanTree(f.root);
    if (qEnvironmentVariableIsSet("PREFBOOK_POWERLOSS_VERBOSE"))
        for (const TraceEvent& e : events)
            std::cout << e.kind << " " << e.ino << " " << e.a.toStdString() << " -> " << e.b.toStdString()
                      << " " << e.data.size() << "\n";
    Observation after = Observe(s, f);
    // A rotating save keeps the document before it as the previous one: that is what the write must
    // leave, whatever the folder now holds.
    if (!before.previous.isNull()) {
        const bool mixed = s.weakness == Scenario::Weakness::ArtworkMix &&
                           MixesWholeGenerations(after.previous, before.now, after.now);
        if (after.previous != before.now && !mixed)
            ADD_FAILURE() << "the write did not keep the document before it: " << after.Text();
        counts.known += mixed && after.previous != before.now;
        after.previous = before.now;
    }
    // The recorder saw every change the write made: replaying it gives the folder as it is.
    Tree replayed = FinalTree(initial, events);
    EXPECT_EQ(Describe(replayed), Describe(written)) << "the recorder missed a change";
    EXPECT_TRUE(replayed == written) << "the recorder missed a change of content or time";
    EXPECT_FALSE(before.now == after.now) << "the write changed nothing a reader sees: " << after.Text();
    const int last = int(events.size());
    counts.points = last + 1;
    for (const CrashState& state : ExploreCrashStates(initial, events, limits)) {
        Materialise(f.root, state.tree);
        const Observation seen = Observe(s, f);
        ++counts.states;
        if (qEnvironmentVariableIsSet("PREFBOOK_POWERLOSS_VERBOSE"))
            std::cout << state.point << " " << state.how.toStdString() << ": " << seen.Text() << "\n";
        const bool returned = state.point == last;
        bool ok = seen == after || (!returned && seen == before);
        // A reader that sees the new content must find the one before behind it: never a replaced one.
        if (seen.now == after.now && !(seen == after)) ok = false;
        const bool known = s.weakness == Scenario::Weakness::ArtworkMix &&
                           MixesWholeGenerations(seen.now, before.now, after.now);
        if (!ok && known) ++counts.known;
        if (!ok && !known)
            counts.violations << QStringLiteral(
                                     "crash after %1 of %2 calls%3 (%4): read %5, expected %6%7\n%8")
                                     .arg(state.point)
                                     .arg(last)
                                     .arg(returned ? " (the write had returned)" : "")
                                     .arg(state.how)
                                     .arg(QString::fromStdString(seen.Text()))
                                     .arg(returned ? "" : QString::fromStdString(before.Text()) + " or ")
                                     .arg(QString::fromStdString(after.Text()))
                                     .arg(Describe(state.tree));
    }
    return counts;
}

class PowerLoss : public ::testing::TestWithParam<std::string> {};

TEST_P(PowerLoss, EveryCrashStateReadsTheOldOrTheNewContent) {
    const Scenario& s = Named(GetParam());
    const Counts counts = Explore(s);
    RecordProperty("crash_states", counts.states);
    std::cout << s.name << ": " << counts.states << " crash states over " << counts.points
              << " crash points, " << counts.violations.size() << " wrong, " << counts.known
              << " with the known weakness\n";
    // A recorder that saw nothing would leave one state: the folder as the write left it.
    ASSERT_GE(counts.states, 2);
    if (s.weakness != Scenario::Weakness::None) {
        EXPECT_GT(counts.known, 0) << "the known weakness is gone: take it off the scenario";
    }
    EXPECT_TRUE(counts.violations.isEmpty())
        << counts.violations.size() << " wrong crash states, the first:\n"
        << counts.violations.value(0).toStdString();
}

std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const Scenario& s : Scenarios()) names.push_back(s.name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(EveryWritePath, PowerLoss, ::testing::ValuesIn(Names()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace prefbook::test
