#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "profilecore/ProfileFolder.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

// A document writer that puts content into the temporary file.
std::function<bool(const QString&)> Writes(const QByteArray& content) {
    return [content](const QString& tmp) {
        QFile f(tmp);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
    };
}

class ProfileFolderTest : public ::testing::Test {
protected:
    TestHost t;
    QString dir = t.habitat.ProfileDir(1);

    bool Save(const QByteArray& content) {
        return SaveProfileDocument(t.Host(), dir, "xml", Writes(content));
    }
    const QDateTime start = t.clock.Now();
    QString Stamp(int secondsFromStart) const { return DocumentStamp(start.addSecs(secondsFromStart)); }
};

TEST_F(ProfileFolderTest, SaveKeepsTheTwoNewestDocumentsAndRemovesEverythingElse) {
    WriteFile(dir + "notes.txt", "stray");
    WriteFile(dir + "2020-01-01 00-00-00.tmp", "left over");
    WriteFile(dir + "2020-01-01 00-00-01.XML", "wrong case is not a document");
    for (int i = 0; i < 3; ++i) {
        t.clock.Set(start.addSecs(60 * i));
        ASSERT_TRUE(Save("doc" + QByteArray::number(i)));
    }
    const QStringList files = ListFolder(dir);
    ASSERT_EQ(files, QStringList({Stamp(60) + ".xml", Stamp(120) + ".xml"}));
    EXPECT_EQ(ReadAll(dir + files[1]), "doc2");
    EXPECT_EQ(ReadAll(dir + files[0]), "doc1");
}

// The second save waits (on the clock) for the next second: names never run ahead of the time.
TEST_F(ProfileFolderTest, SavesWithinOneSecondGiveDocumentsForConsecutiveSeconds) {
    ASSERT_TRUE(Save("first"));
    ASSERT_TRUE(Save("second"));
    EXPECT_EQ(ListFolder(dir), QStringList({Stamp(0) + ".xml", Stamp(1) + ".xml"}));
    EXPECT_EQ(ReadAll(dir + Stamp(0) + ".xml"), "first");
    EXPECT_EQ(ReadAll(dir + Stamp(1) + ".xml"), "second");
    EXPECT_EQ(DocumentStamp(t.clock.Now()), Stamp(1));
}

// A clock stepped back, or a backup restored with later dates: the save's own document survives its
// pruning, keeps the local time as its name, and is what the next load picks.
TEST_F(ProfileFolderTest, FutureDatedDocumentsNeitherNameNorOutliveTheNewSave) {
    for (const char* name : {"2099-01-01 00-00-00.xml", "2099-01-01 00-00-01.xml"}) {
        WriteFile(dir + name, "future");
        SetModified(dir + name, QDateTime(QDate(2099, 1, 1), QTime(0, 0)));
    }
    ASSERT_TRUE(Save("new"));
    ASSERT_TRUE(Save("newer"));
    const QFileInfoList files = ListProfileFolder(dir);
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[0].fileName(), Stamp(1) + ".xml");
    EXPECT_EQ(ReadAll(files[0].absoluteFilePath()), "newer");
    EXPECT_EQ(files[1].fileName(), Stamp(0) + ".xml");
}

// Links planted at the names a save may use (temporary or document, this second or the next) are
// never followed: nothing outside the folder is written, created or deleted. The save waits past two
// taken seconds at most, so the third second's temporary name is the one it opens.
TEST_F(ProfileFolderTest, PlantedLinksAreNeverFollowed) {
    const QString outside = t.habitat.GetBaseDir() + "/outside-";
    WriteFile(outside + "victim", "victim");
    const QStringList planted = {Stamp(0) + ".tmp", Stamp(0) + ".xml", Stamp(1) + ".tmp", Stamp(2) + ".tmp"};
    for (const QString& name : planted) {
        const bool existing = name.endsWith(".xml") || name.startsWith(Stamp(2));
        ASSERT_TRUE(QFile::link(outside + (existing ? "victim" : name), dir + name));  // existing or dangling
    }
    ASSERT_TRUE(Save("new"));
    EXPECT_EQ(ReadAll(outside + "victim"), "victim");
    for (const QString& name : planted) {
        EXPECT_FALSE(QFileInfo::exists(outside + name)) << "created through a link: " << name.toStdString();
        EXPECT_TRUE(QFileInfo(dir + name).isSymLink());
    }
    EXPECT_EQ(ListProfileFolder(dir).value(0).fileName(), Stamp(3) + ".xml");
    EXPECT_EQ(ReadAll(dir + Stamp(3) + ".xml"), "new");
}

// The durable steps in their order, with a writer outside the library taking the document's name
// while the save writes: the name is not overwritten, the save takes the next second.
class RecordingSteps final : public FileSteps {
public:
    mutable QStringList steps;
    mutable bool race = true;
    bool SyncFile(const SaveTarget& save) const override {
        steps << "sync " + QFileInfo(save.TmpPath()).fileName();
        return FileSteps::SyncFile(save);
    }
    RenameResult RenameNoReplace(const SaveTarget& save) const override {
        if (race) WriteFile(save.DocumentPath(), "racer");
        race = false;
        steps << "rename " + QFileInfo(save.TmpPath()).fileName();
        return FileSteps::RenameNoReplace(save);
    }
    void SyncFolder(const SaveTarget& save) const override {
        steps << "sync folder";
        FileSteps::SyncFolder(save);
    }
};

TEST_F(ProfileFolderTest, FlushesBeforeRenamingAndNeverReplacesARacingWriter) {
    RecordingSteps steps;
    StoreHost host = t.Host();
    host.steps = &steps;
    ASSERT_TRUE(SaveProfileDocument(host, dir, "xml", Writes("mine")));
    EXPECT_EQ(steps.steps,
              QStringList({"sync " + Stamp(0) + ".tmp", "rename " + Stamp(0) + ".tmp",
                           "sync " + Stamp(1) + ".tmp", "rename " + Stamp(1) + ".tmp", "sync folder"}));
    EXPECT_EQ(ReadAll(dir + Stamp(0) + ".xml"), "racer");
    EXPECT_EQ(ReadAll(dir + Stamp(1) + ".xml"), "mine");
}

// An error no other name cures ends the save at once: no waiting for another second, no temporary file
// left behind, the reason in the log.
TEST_F(ProfileFolderTest, MissingFolderEndsTheSaveAtOnceAndCreatesNothing) {
    const QString missing = t.habitat.GetBaseDir() + "/profile/absent/";
    bool wrote = false;
    EXPECT_FALSE(SaveProfileDocument(t.Host(), missing, "xml", [&](const QString&) { return wrote = true; }));
    EXPECT_FALSE(wrote);
    EXPECT_EQ(t.log.Lines(), QStringList({"Create XML File Failed.", "Save Profile Failed : " + missing +
                                                                         " : No such file or directory"}));
    EXPECT_FALSE(QDir(missing).exists());

    t.log.Clear();
    DeleteEarlierProfileFiles(t.Host(), missing);
    EXPECT_EQ(t.log.Lines(), QStringList({"Delete XML Earlier File Failed : " + missing + "not exists."}));
}

TEST_F(ProfileFolderTest, AFailingWriterEndsTheSaveAtOnceAndLeavesNoTemporaryFile) {
    WriteFile(dir + "2020-01-01 00-00-00.xml", "old");
    int calls = 0;
    EXPECT_FALSE(SaveProfileDocument(t.Host(), dir, "xml", [&](const QString&) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(t.log.Lines(),
              QStringList({"Save Profile Failed : " + dir + " : the document could not be written"}));
    EXPECT_EQ(ListFolder(dir), QStringList({"2020-01-01 00-00-00.xml"}));
    EXPECT_EQ(t.clock.Now(), start);
}

// Only taken names are tried again, a bounded number of times: here someone swaps a file in under every
// temporary name while the writer has it open. Their files stay; no document appears.
TEST_F(ProfileFolderTest, NamesTakenAgainAndAgainAreGivenUpOnAfterABoundedNumberOfAttempts) {
    int calls = 0;
    EXPECT_FALSE(SaveProfileDocument(t.Host(), dir, "xml", [&](const QString& tmp) {
        ++calls;
        QFile::remove(tmp);
        WriteFile(tmp, "theirs");
        return true;
    }));
    EXPECT_EQ(calls, kMaxSaveAttempts);
    EXPECT_EQ(t.log.Lines(),
              QStringList(
                  {QStringLiteral("Save Profile Failed after %1 attempts : ").arg(kMaxSaveAttempts) + dir}));
    for (const QString& name : ListFolder(dir)) {
        EXPECT_TRUE(name.endsWith(".tmp")) << name.toStdString();
        EXPECT_EQ(ReadAll(dir + name), "theirs");
    }
}

// Runs check in a forked child (where it may change its mount namespace or user) and returns what it
// reports; kSkip when the child could not set itself up.
const QString kSkip = QStringLiteral("skip");
QString InChild(const std::function<QString()>& check) {
    int out[2];
    if (::pipe(out) != 0) return kSkip;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        const QByteArray report = check().toUtf8();
        const ssize_t written = ::write(out[1], report.constData(), static_cast<size_t>(report.size()));
        ::_exit(written == report.size() ? 0 : 1);
    }
    ::close(out[1]);
    QByteArray report;
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof(buffer))) > 0;)
        report.append(buffer, static_cast<int>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? QString::fromUtf8(report) : "child failed";
}

// What a failed save leaves: its result, the folder, the log, and whether it waited for another second.
QString Outcome(bool saved, const QString& dir, const TestHost& t, const QDateTime& start) {
    return QStringList({saved ? "saved" : "failed", ListFolder(dir).join(','), t.log.Lines().join('|'),
                        t.clock.Now() == start ? "no wait" : "waited"})
        .join('\n');
}

// A full disk: a tiny private tmpfs over the folder, filled up.
TEST_F(ProfileFolderTest, AFullDiskEndsTheSaveAtOnceWithItsReason) {
    const QString result = InChild([&]() -> QString {
        const QByteArray path = QFile::encodeName(dir);
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") != 0)
            return kSkip;
        WriteFile(dir + "2020-01-01 00-00-00.xml", "old");
        QFile fill(dir + "fill");
        if (!fill.open(QIODevice::WriteOnly)) return "no fill";
        const QByteArray block(4096, 'f');
        while (fill.write(block) == block.size() && fill.flush()) {
        }
        fill.close();
        const bool saved = SaveProfileDocument(t.Host(), dir, "xml", Writes(QByteArray(128 * 1024, 'x')));
        return Outcome(saved, dir, t, start);
    });
    if (result == kSkip) GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(result, QStringList({"failed", "2020-01-01 00-00-00.xml,fill",
                                   "Save Profile Failed : " + dir + " : No space left on device", "no wait"})
                          .join('\n'));
}

// A folder the user may read but not write; tests run as root, so the child drops to nobody.
TEST_F(ProfileFolderTest, AFolderWithoutWritePermissionEndsTheSaveAtOnceWithItsReason) {
    const QString result = InChild([&]() -> QString {
        for (QString p = dir; p.size() > 1 && p != QDir::tempPath(); p = QFileInfo(QDir::cleanPath(p)).path())
            ::chmod(QFile::encodeName(p).constData(), 0755);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) return kSkip;
        const bool saved = SaveProfileDocument(t.Host(), dir, "xml", Writes("mine"));
        return Outcome(saved, dir, t, start);
    });
    if (result == kSkip) GTEST_SKIP() << "cannot drop privileges here";
    EXPECT_EQ(result,
              QStringList({"failed", "",
                           "Create XML File Failed.|Save Profile Failed : " + dir + " : Permission denied",
                           "no wait"})
                  .join('\n'));
}

// The load walk, with a reader that accepts files whose content starts with "good".
class LoadWalkTest : public ProfileFolderTest {
protected:
    QStringList read;
    int profiles = 0;
    LoadOutcome Load() {
        read.clear();
        return LoadNewestDocument(
            dir, "xml",
            [&](const QString& path) {
                read << QFileInfo(path).fileName();
                const QByteArray content = ReadAll(path);
                profiles = content.count('p');
                return content.startsWith("good");
            },
            [&] { return profiles == 5; });
    }
    void Put(const QString& name, const QByteArray& content, int ageSeconds) {
        WriteFile(dir + name, content);
        SetModified(dir + name, QDateTime::currentDateTime().addSecs(-ageSeconds));
    }
};

// A document with the wrong profile count is kept, unaccepted, only when nothing older is there.
TEST_F(LoadWalkTest, WrongProfileCountIsKeptOnlyAlone) {
    Put("new.xml", "good pppp", 10);
    const LoadOutcome o = Load();
    EXPECT_TRUE(o.keep);
    EXPECT_FALSE(o.accepted);
    Put("old.tmp", "good ppppp", 20);  // even a temporary file
    EXPECT_FALSE(Load().keep);
}

TEST_F(LoadWalkTest, TemporaryOldestEntryDoesNotHideAGoodDocument) {
    Put("doc.xml", "good ppppp", 10);
    Put("left.tmp", "", 20);
    const LoadOutcome o = Load();
    EXPECT_TRUE(o.accepted);
    EXPECT_EQ(read, QStringList({"doc.xml"}));
}

TEST_F(LoadWalkTest, EqualTimesAreOrderedByNameNewestFirst) {
    const QDateTime same = QDateTime::currentDateTime().addSecs(-5);
    WriteFile(dir + "2026-01-01 00-00-00.xml", "good ppppp");
    WriteFile(dir + "2026-01-01 00-00-01.xml", "good ppppp");
    SetModified(dir + "2026-01-01 00-00-00.xml", same);
    SetModified(dir + "2026-01-01 00-00-01.xml", same);
    EXPECT_EQ(QFileInfo(Load().path).fileName(), "2026-01-01 00-00-01.xml");
}

}  // namespace
}  // namespace prefbook::test
