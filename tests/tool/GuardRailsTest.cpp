#include <sys/stat.h>

#include <QStandardPaths>

#include "ToolRunner.h"

namespace prefbook::test {
namespace {

// --- the base folder, and commands that only look ---

struct BaseCase {
    const char* label;
    bool viaOption;  // --base, else PREFBOOK_BASE_DIR
    bool isFile;
};

class MissingBase : public Tool, public ::testing::WithParamInterface<BaseCase> {};

TEST_P(MissingBase, IsReportedAlikeAndNothingIsCreated) {
    const QString base = Base() + "/elsewhere";
    if (GetParam().isFile) WriteFile(base, "x");
    const Result result =
        GetParam().viaOption ? RunTool({"--base", base, "overview"}) : RunTool({"overview"}, base);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "prefbookctl: base folder '" + base + "': " +
                              (GetParam().isFile ? "Not a directory" : "No such file or directory") + "\n");
    EXPECT_EQ(Entries(), GetParam().isFile ? QStringList{"elsewhere"} : QStringList());
}

const BaseCase kBaseCases[] = {{"option", true, false},
                               {"environment", false, false},
                               {"optionFile", true, true},
                               {"environmentFile", false, true}};

INSTANTIATE_TEST_SUITE_P(Prefbookctl, MissingBase, ::testing::ValuesIn(kBaseCases),
                         [](const auto& info) { return std::string(info.param.label); });

class LookingCommand : public StoreCommands, public ::testing::WithParamInterface<QStringList> {};

TEST_P(LookingCommand, CreatesNothing) {
    RunOk(GetParam());
    EXPECT_EQ(Entries(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Prefbookctl, LookingCommand,
                         ::testing::Values(QStringList{"overview"}, QStringList{"--json", "overview"},
                                           QStringList{"devices"}, QStringList{"settings"},
                                           QStringList{"settings", "get", "backup"},
                                           QStringList{"show", "ft280l"}, QStringList{"doctor"},
                                           QStringList{"validate", kData + "tl480-store.xml"}));

// --- saving over documents the store could not load ---

struct SaveCase {
    const char* command;
    const char* folder;
    const char* model;
    QStringList args;
};

class SavingDefaults : public StoreCommands, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SavingDefaults, IsRefusedUnlessForced) {
    const SaveCase& c = GetParam();
    const QString damaged = Place("tl480-broken.xml", c.folder, "2026-03-14 15-09-26.xml", 0);
    const QMap<QString, QByteArray> before = Snapshot();

    const Result refused = RunHere(c.args);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, QString("prefbookctl: ") + c.model + " could not load " + damaged +
                               " and holds its defaults; " + c.command + " would save them over it (see " +
                               "'prefbookctl --base " + Base() + " doctor " + c.args[1] +
                               "'). Add --force to save anyway.\n");
    EXPECT_EQ(Snapshot(), before);

    ASSERT_EQ(RunHere(c.args + QStringList{"--force"}).exitCode, 0);
    EXPECT_EQ(Documents(c.folder).size(), 2);
    EXPECT_EQ(ReadAll(damaged), ReadAll(kData + "tl480-broken.xml"));
}

const SaveCase kSaveCases[] = {
    {"rename", "TL480B", "TL480", {"rename", "tl480", "0", "Mine"}},
    {"import", "KR720", "KR720", {"import", "kr720", kData + "kr720-macros.xml", "--kind", "macros"}},
};

INSTANTIATE_TEST_SUITE_P(Prefbookctl, SavingDefaults, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.command); });

// --- export targets ---

// An export overwrites a file only when forced, never writes into a profile folder, and says why the
// system refused it.
TEST_F(StoreCommands, ExportRefusesEveryProfileFolderEvenForced) {
    ASSERT_EQ(RunHere({"rename", "kr720", "0", "Mine"}).exitCode, 0);
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    WriteFile(Base() + "/mine.xml", "keep me");
    WriteFile(Base() + "/file", "x");
    const QMap<QString, QByteArray> before = Snapshot();
    const QString refusals[][3] = {
        {"/mine.xml", "", "prefbookctl: <FILE> already exists; add --force to overwrite it\n"},
        {"/profile/KR720/macros.xml", "--force",
         "prefbookctl: <FILE> is inside the profile folder <BASE>/profile/KR720, where the store would take "
         "it for one of its documents\n"},
        {"/profile/TL480B/macros.xml", "--force",
         "prefbookctl: <FILE> is inside the profile folder <BASE>/profile/TL480B, where the store would "
         "take it for one of its documents\n"},
        {"/file/out.xml", "", "\n  <FILE>: Not a directory\n"}};
    for (const auto& r : refusals) {
        QStringList args{"export", "kr720", Base() + r[0], "--kind", "macros"};
        if (!r[1].isEmpty()) args << r[1];
        const Result result = RunHere(args);
        EXPECT_EQ(result.exitCode, 1) << r[0].toStdString();
        EXPECT_TRUE(
            result.err.endsWith(QString(r[2]).replace("<FILE>", Base() + r[0]).replace("<BASE>", Base())))
            << result.err.toStdString();
    }
    EXPECT_EQ(Snapshot(), before);

    ASSERT_EQ(RunHere({"export", "kr720", Base() + "/mine.xml", "--kind", "macros", "--force"}).exitCode, 0);
    EXPECT_TRUE(ReadAll(Base() + "/mine.xml").contains("flag=\"8738\""));
}

// A full disk, in a mount namespace of the test's own where the system allows one.
TEST(FullDisk, WritesFailWithTheReasonAndChangeNothing) {
    QTemporaryDir dir;
    const QString script =
        QString(
            "mount -t tmpfs -o size=12k tmpfs '%1' || exit 77; cd '%1'; mkdir -p config/param "
            "profile/TL480B; printf '[MouseOled]\\nmaxStepNum=5\\n' >config/param/param.arg; "
            "cat /dev/zero >fill 2>/dev/null; %2 --base . settings set maxStepNum 20; %2 --base . "
            "rename tl480 0 Mine; cat config/param/param.arg")
            .arg(dir.path(), PREFBOOK_CTL);
    QProcess shell;
    shell.start("unshare", {"-rm", "sh", "-c", script});
    if (!shell.waitForFinished(60000) || shell.exitCode() == 77 || shell.error() == QProcess::FailedToStart)
        GTEST_SKIP() << "no mount namespace here";
    const QString err = QString::fromUtf8(shell.readAllStandardError());
    EXPECT_TRUE(err.startsWith("prefbookctl: could not write maxStepNum to " + dir.path() +
                               "/config/param/param.arg: No space left on device\n"))
        << err.toStdString();
    EXPECT_TRUE(err.endsWith("\nprefbookctl: the TL480 store could not be saved: " + dir.path() +
                             "/profile/TL480B/: No space left on device\n"))
        << err.toStdString();
    EXPECT_EQ(shell.readAllStandardOutput(), "[MouseOled]\nmaxStepNum=5\n");
}

// --- two runs at once ---

// Two renames of one store race for many rounds: each lands, or refuses with status 1 because the
// other saved between its load and its save; a rename reported done is always on disk.
TEST_F(StoreCommands, RacingRenamesLoseNothingReportedDone) {
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    int landed = 0, refused = 0;
    for (int round = 0; round < 15; ++round) {
        const QString names[2] = {"A" + QString::number(round), "B" + QString::number(round)};
        QProcess runs[2];
        for (int i = 0; i < 2; ++i)
            StartTool(runs[i], {"--base", Base(), "rename", "tl480", QString::number(i + 1), names[i]});
        const QJsonArray rows = [&] {
            Result results[2] = {Finish(runs[0]), Finish(runs[1])};
            const QJsonArray shown = ShowRows("tl480");
            for (int i = 0; i < 2; ++i) {
                if (results[i].exitCode == 0) {
                    ++landed;
                    EXPECT_EQ(shown[i + 1].toObject()["name"].toString(), names[i]) << "round " << round;
                } else {
                    ++refused;
                    EXPECT_EQ(results[i].exitCode, 1);
                    EXPECT_TRUE(results[i].err.contains("changed while this command ran"))
                        << results[i].err.toStdString();
                }
            }
            return shown;
        }();
        EXPECT_EQ(rows.size(), 5);
    }
    EXPECT_GT(landed, 0);
    RecordProperty("refused", refused);
}

// --- folders and files the user cannot read ---

struct UnreadableCase {
    const char* label;
    const char* mode;  // of the profile folder
    QStringList args;
    int exitCode;
    const char* said;  // in stdout or stderr
};

class Unreadable : public StoreCommands, public ::testing::WithParamInterface<UnreadableCase> {};

// Run as an ordinary user: root reads every folder whatever its mode.
TEST_P(Unreadable, IsAProblemAndNothingIsWritten) {
    if (QStandardPaths::findExecutable("setpriv").isEmpty()) GTEST_SKIP() << "no setpriv(1) to drop root";
    const UnreadableCase& c = GetParam();
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    HandWrite("/reset.ini", "[Reset]\nbackup=true\n");
    ASSERT_EQ(QProcess::execute("chown", {"-R", "nobody:nogroup", Base()}), 0);
    ASSERT_EQ(QProcess::execute("chmod", {c.mode, Base() + "/profile/TL480B", Base() + "/reset.ini"}), 0);
    const QMap<QString, QByteArray> before = Snapshot();

    const Result result =
        RunTool(QStringList{"--base", Base()} + c.args, {},
                {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", PREFBOOK_CTL});
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
    EXPECT_TRUE((result.out + result.err).contains(c.said)) << (result.out + result.err).toStdString();
    EXPECT_EQ(Snapshot(), before);
}

const UnreadableCase kUnreadableCases[] = {
    {"doctor", "300", {"doctor", "tl480"}, 1, "cannot list"},
    {"overview", "000", {"overview"}, 1, "cannot read"},
    {"rename", "300", {"rename", "tl480", "1", "Blind"}, 1, "rename refused, since it could not see"},
    {"backup",
     "300",
     {"backup", "/tmp/prefbookctl-unreadable.tar.gz"},
     1,
     "backup refused, since it could not see"},
    {"settingsGet", "300", {"settings", "get", "backup"}, 1, "reset.ini: Permission denied"},
    {"settingsSet", "300", {"settings", "set", "backup", "false"}, 1, "reset.ini: Permission denied"},
};

INSTANTIATE_TEST_SUITE_P(Prefbookctl, Unreadable, ::testing::ValuesIn(kUnreadableCases),
                         [](const auto& info) { return std::string(info.param.label); });

// Nothing the tool reads may block: a FIFO is not a document.
TEST_F(Tool, ValidateOfAFifoFailsAtOnce) {
    const QString fifo = Base() + "/pipe.bin";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const Result result = RunHere({"validate", fifo});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "prefbookctl: cannot open " + fifo + ": not a regular file\n");
}

// --- diff and restore ---

TEST_F(StoreCommands, DiffAndRestoreUndoTheLastSave) {
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    ASSERT_EQ(RunHere({"rename", "tl480", "1", "Racing"}).exitCode, 0);
    const QStringList saved = Documents("TL480B");
    ASSERT_EQ(saved.size(), 2);

    const Result diff = RunOk({"diff", "tl480"});
    ExpectGolden("diff-tl480.txt", QString(diff.out).replace(saved[1], "<CURRENT>"));

    const Result restore = RunOk({"restore", "tl480"});
    const QStringList restored = Documents("TL480B");
    ASSERT_EQ(restored.size(), 2);
    EXPECT_EQ(restored[0], saved[1]);
    EXPECT_EQ(restore.out, "restored TL480 " + saved[0] + " as " + restored[1] + "; " + saved[1] +
                               " is now the previous document\n");
    EXPECT_EQ(ShowRows("tl480")[1].toObject()["name"].toString(), "Shooter");

    // A second restore undoes the first.
    ASSERT_EQ(RunHere({"restore", "tl480"}).exitCode, 0);
    EXPECT_EQ(ShowRows("tl480")[1].toObject()["name"].toString(), "Racing");
}

TEST_F(StoreCommands, RestoreNeedsAPreviousDocumentTheStoreAccepts) {
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    Result result = RunHere({"restore", "tl480"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "prefbookctl: TL480 has no previous document in " + Base() + "/profile/TL480B/\n");

    const QString four = Place("tl480-four.xml", "TL480B", "2026-03-14 15-09-20.xml", -6);
    const QMap<QString, QByteArray> before = Snapshot();
    result = RunHere({"restore", "tl480"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "prefbookctl: TL480 does not accept " + four +
                              ": holds 4 profiles, the store expects 5 (see 'prefbookctl --base " + Base() +
                              " doctor tl480')\n");
    EXPECT_EQ(Snapshot(), before);
}

// --- what a person reads ---

// The hint of a refused import, pasted into a shell, imports into the same folder and profile.
TEST(ToolHints, RunInAShellAsPrinted) {
    QTemporaryDir root;
    const QString base = root.path() + "/it's mine";
    ASSERT_TRUE(QDir().mkpath(base));
    const QString file = base + "/a record.xml";
    ASSERT_EQ(
        RunTool({"--base", base, "export", "kr720", file, "--kind", "record", "--profile", "2"}).exitCode, 0);
    const Result refused =
        RunTool({"--base", base, "import", "kr720", file, "--kind", "profile", "--profile", "2"});
    ASSERT_EQ(refused.exitCode, 1);
    const QString marker = "imported with: prefbookctl ";
    const int at = refused.err.indexOf(marker);
    ASSERT_GE(at, 0) << refused.err.toStdString();
    const QString hint = refused.err.mid(at + marker.size()).section('\n', 0, 0);

    QProcess shell;
    shell.start("/bin/sh", {"-c", QString(PREFBOOK_CTL) + " " + hint});
    ASSERT_TRUE(shell.waitForFinished(30000));
    EXPECT_EQ(shell.exitCode(), 0) << hint.toStdString() << shell.readAllStandardError().toStdString();
    EXPECT_EQ(QDir(base + "/profile/KR720").entryList({"*.xml"}, QDir::Files).size(), 1);
}

TEST_F(StoreCommands, ALongNameIsCutInTextAndWholeInJson) {
    const QString name(100000, 'n');
    ASSERT_EQ(RunHere({"rename", "tl480", "0", name}).exitCode, 0);
    const Result text = RunHere({"show", "tl480"});
    for (const QString& line : text.out.split('\n')) EXPECT_LT(line.size(), 400);
    EXPECT_TRUE(text.out.contains(" " + QString(59, 'n') + QChar(0x2026) + "  "))
        << text.out.left(400).toStdString();
    EXPECT_EQ(ShowRows("tl480")[0].toObject()["name"].toString(), name);
}

// Colour swatches need a terminal: script(1) gives the tool one.
struct SwatchCase {
    const char* label;
    const char* environment;
    const char* option;
    const char* swatch;  // the escape before a white colour, empty for none
};

class Swatches : public Tool, public ::testing::WithParamInterface<SwatchCase> {};

TEST_P(Swatches, AppearOnlyOnAColourTerminal) {
    if (QStandardPaths::findExecutable("script").isEmpty()) GTEST_SKIP() << "no script(1)";
    QStringList command{PREFBOOK_CTL, "--base", Base()};
    command << GetParam().option << "show"
            << "ft280m";
    QProcess terminal;
    terminal.start("/bin/sh",
                   {"-c", QString("env -u NO_COLOR -u COLORTERM TERM=xterm %1 script -qec \"%2\" /dev/null")
                              .arg(GetParam().environment, command.join(' '))});
    ASSERT_TRUE(terminal.waitForFinished(30000));
    const QString out = QString::fromUtf8(terminal.readAllStandardOutput());
    ASSERT_TRUE(out.contains("ffffff") || out.contains("\"red\": 255")) << out.toStdString();
    if (*GetParam().swatch) {
        EXPECT_TRUE(out.contains(QString("\x1b[") + GetParam().swatch + "m  \x1b[0m#ffffff"))
            << out.toStdString();
    } else {
        EXPECT_FALSE(out.contains('\x1b')) << out.toStdString();
    }
}

const SwatchCase kSwatchCases[] = {
    {"palette", "", "", "48;5;231"},   {"trueColour", "COLORTERM=truecolor", "", "48;2;255;255;255"},
    {"noColor", "NO_COLOR=1", "", ""}, {"dumbTerminal", "TERM=dumb", "", ""},
    {"json", "", "--json", ""},
};

INSTANTIATE_TEST_SUITE_P(Prefbookctl, Swatches, ::testing::ValuesIn(kSwatchCases),
                         [](const auto& info) { return std::string(info.param.label); });

// --- bash completion, with the words the tool gives it ---

struct CompletionCase {
    const char* label;
    QStringList line;  // the words after the tool's name; the last one is being completed
    QStringList offered;
};

// The words bash offers after the line's words, the last one being completed.
QStringList Completed(const QStringList& line) {
    QStringList words{PREFBOOK_CTL};
    for (const QString& word : line) words << "'" + word + "'";
    const QString script = QString(
                               ". '%1'; COMP_WORDS=(%2); COMP_CWORD=%3; _prefbookctl; "
                               "printf '%s\\n' \"${COMPREPLY[@]}\"")
                               .arg(PREFBOOK_TEST_DATA "/../../tools/prefbookctl/prefbookctl.bash")
                               .arg(words.join(' '))
                               .arg(words.size() - 1);
    QProcess bash;
    bash.start("/bin/bash", {"-c", script});
    EXPECT_TRUE(bash.waitForFinished(30000)) << bash.readAllStandardError().toStdString();
    return QString::fromUtf8(bash.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

class Completion : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(Completion, OffersTheToolsOwnWords) {
    EXPECT_EQ(Completed(GetParam().line), GetParam().offered);
}

// Artworks come from the store in the line's base folder.
TEST_F(StoreCommands, CompletionOffersTheArtworksOfTheBase) {
    HandWrite("/profile/PR940/2026-03-14 15-09-26.xml", ReadAll(PREFBOOK_TEST_DATA "/pr940/distinct.xml"));
    EXPECT_EQ(Completed({"--base", Base(), "artwork", "pr940", "0", ""}), QStringList({"Quiet", "Show"}));
    EXPECT_EQ(Completed({"--base", Base(), "artwork", "pr940", "0", "Show", ""}),
              QStringList({"Logo", "Wave"}));
    EXPECT_EQ(Completed({"--base", Base(), "artwork", "pr"}), QStringList({"pr940"}));
}

const CompletionCase kCompletionCases[] = {
    {"command", {"re"}, {"rename", "restore", "restore-backup"}},
    {"backupModels", {"restore-backup", "b.tar.gz", "tl480", "se"}, {"settings"}},
    {"model", {"--json", "show", "tl46"}, {"tl460", "tl460b", "tl460w"}},
    {"kind", {"export", "kr720", "out.xml", "--kind", "a"}, {"aimpad"}},
    {"setting", {"settings", "set", "BX3"}, {"BX310V2", "BX330V2", "BX310\\ V2", "BX330\\ V2"}},
    {"option", {"doctor", "--fo"}, {"--force"}},
    {"dryRun", {"restore-backup", "--dr"}, {"--dry-run"}},
    {"keypadProfiles", {"export", "keydeck_g", "f", "--profile", "2"}, {"2", "20", "21", "22", "23"}},
    {"exportModels", {"export", "pr9"}, {"pr941"}},
    {"onlyWritable", {"settings", "set", "local"}, {}},
    {"readable", {"settings", "get", "local"}, {"localUpdate"}},
    {"value", {"settings", "set", "backup", ""}, {"true", "false"}},
};

INSTANTIATE_TEST_SUITE_P(Prefbookctl, Completion, ::testing::ValuesIn(kCompletionCases),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace prefbook::test
