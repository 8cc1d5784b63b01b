#include <gtest/gtest.h>

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
    bool SyncFile(const QString& path) const override {
        steps << "sync " + QFileInfo(path).fileName();
        return FileSteps::SyncFile(path);
    }
    RenameResult RenameNoReplace(const QString& from, const QString& to) const override {
        if (race) WriteFile(to, "racer");
        race = false;
        steps << "rename " + QFileInfo(from).fileName();
        return FileSteps::RenameNoReplace(from, to);
    }
    void SyncFolder(const QString& dir) const override {
        steps << "sync folder";
        FileSteps::SyncFolder(dir);
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

TEST_F(ProfileFolderTest, MissingFolderFailsAfterThreeLoggedAttemptsAndCreatesNothing) {
    const QString missing = t.habitat.GetBaseDir() + "/profile/absent/";
    bool wrote = false;
    EXPECT_FALSE(SaveProfileDocument(t.Host(), missing, "xml", [&](const QString&) { return wrote = true; }));
    EXPECT_FALSE(wrote);
    EXPECT_EQ(t.log.Lines(),
              QStringList({"Create XML File Failed.", "Create XML File Failed.", "Create XML File Failed."}));
    EXPECT_FALSE(QDir(missing).exists());

    t.log.Clear();
    DeleteEarlierProfileFiles(t.Host(), missing);
    EXPECT_EQ(t.log.Lines(), QStringList({"Delete XML Earlier File Failed : " + missing + "not exists."}));
}

TEST_F(ProfileFolderTest, AWriterThatKeepsFailingIsGivenUpOnAndNoDocumentAppears) {
    WriteFile(dir + "2020-01-01 00-00-00.xml", "old");
    int calls = 0;
    EXPECT_FALSE(SaveProfileDocument(t.Host(), dir, "xml", [&](const QString&) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(calls, kMaxSaveAttempts);
    EXPECT_EQ(t.log.Lines().size(), 1);
    for (const QString& name : ListFolder(dir))
        EXPECT_FALSE(name.endsWith(".xml") && name != "2020-01-01 00-00-00.xml");
    EXPECT_EQ(ReadAll(dir + "2020-01-01 00-00-00.xml"), "old");
}

TEST_F(ProfileFolderTest, AWriterThatRecoversSavesOnALaterAttempt) {
    int calls = 0;
    EXPECT_TRUE(SaveProfileDocument(t.Host(), dir, "xml",
                                    [&](const QString& tmp) { return ++calls >= 3 && Writes("ok")(tmp); }));
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(ListFolder(dir), QStringList({Stamp(2) + ".xml"}));  // failed temporaries pruned
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
