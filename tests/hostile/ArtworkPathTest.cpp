#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDirIterator>
#include <QRegularExpression>
#include <algorithm>
#include <set>

#include "devices/mice/PR940ProfileCfgImpl.h"
#include "hostservices/DefaultGlyphPress.h"
#include "profilecore/SafeFileName.h"
#include "settings/DeviceType.h"
#include "support/TestHost.h"
#include "support/WithoutWaiting.h"

namespace prefbook::test {
namespace {

// Names that climb, separate, escape, collide when flattened, or exceed a file name's length.
std::vector<std::string> HostileNames() {
    return {"Logo",
            "a/b",
            "a_b",
            "a%2Fb",
            "a\\b",
            "..",
            ".",
            "",
            "%",
            "~",
            "a.",
            " a",
            "con",
            "CON.txt",
            "nul .x",
            "com1",
            "tab\tx",
            std::string("\x01\x1f", 2),
            "\xff\xfe",
            "\xC3\x9C",
            "../../../../../outside/evil",
            std::string(300, 'n'),
            std::string(300, 'n') + "2",
            std::string(300, '/'),
            std::string(119, 'x') + "/",
            std::string(kSafeFileNameMax, 'y'),
            std::string(kSafeFileNameMax + 1, 'y')};
}

TEST(SafeFileName, EveryNameIsOneBoundedComponentOfItsOwn) {
    std::set<QString> seen;
    for (const std::string& name : HostileNames()) {
        const QString c = SafeFileName(name);
        SCOPED_TRACE(c.toStdString());
        EXPECT_TRUE(seen.insert(c).second) << "two names share a file";
        ASSERT_FALSE(c.isEmpty());
        EXPECT_LE(c.size(), kSafeFileNameMax);
        EXPECT_NE(c, ".");
        EXPECT_NE(c, "..");
        EXPECT_FALSE(c.endsWith('.') || c.endsWith(' ') || c.startsWith('.'));
        for (const QChar ch : c) {
            EXPECT_TRUE(ch.unicode() >= 0x20 && ch.unicode() < 0x7f &&
                        !QStringLiteral("/\\:*?\"<>|").contains(ch));
        }
        std::string back;
        EXPECT_EQ(NameFromSafeFileName(c, back), !c.contains('~'));
        if (!c.contains('~')) {
            EXPECT_EQ(back, name);
        }
    }
    EXPECT_EQ(SafeFileName("Logo"), "Logo");  // ordinary names stay readable
    EXPECT_EQ(SafeFileName("a/b"), "a%2Fb");
    EXPECT_EQ(SafeFileName("con"), "%63on");
    std::string name;
    for (const char* foreign : {"%41", "%2", "a%2fb", "a/b", ".", "%E", "x~0"}) {
        EXPECT_FALSE(NameFromSafeFileName(foreign, name)) << foreign;
    }
}

// Every file under folder, relative to it.
QStringList FilesUnder(const QString& folder) {
    QStringList files;
    for (QDirIterator it(folder, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        files << QDir(folder).relativeFilePath(it.next());
    }
    return files;
}

QVector<uint32_t> PixelsFor(int i) {
    return {0x80000001u ^ uint32_t(i), uint32_t(i) << 8};
}

// Every name the interface takes keeps its own image across a save and a load, and every image lies
// inside the artworks folder; the document keeps the names as given.
TEST(ArtworkPaths, HostileNamesKeepTheirPixelsInsideTheArtworksFolder) {
    TestHost t;
    DefaultGlyphPress press(&t.habitat, &t.log);
    std::vector<std::string> names = HostileNames();
    names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());  // not a name
    for (const std::string& lost : {std::string("\x01\x1f", 2), std::string("\xff\xfe")}) {
        names.erase(std::remove(names.begin(), names.end(), lost), names.end());  // XML cannot carry it
    }
    const std::string ops[] = {"Show", "../../../up", "a/b", "a_b"};
    {
        PR940ProfileCfgImpl store(t.Host(), press);
        for (const std::string& op : ops) {
            store.AddOledProfile(0, op);
            for (size_t i = 0; i < names.size(); ++i) {
                store.AddArtwork(0, op, names[i]);
                store.SetArtworkPixels(0, op, names[i], PixelsFor(int(i) + (op == "a_b" ? 100 : 0)));
            }
        }
        ASSERT_TRUE(store.SaveProfile());
    }
    PR940ProfileCfgImpl reloaded(t.Host(), press);
    for (const std::string& op : ops) {
        ASSERT_EQ(reloaded.GetArtworkMap(0, op).size(), names.size()) << op;
        for (size_t i = 0; i < names.size(); ++i) {
            QVector<uint32_t> pixels;
            ASSERT_TRUE(reloaded.GetArtworkPixels(0, op, names[i], pixels)) << op << " " << names[i];
            EXPECT_EQ(pixels, PixelsFor(int(i) + (op == "a_b" ? 100 : 0))) << op << " " << names[i];
            EXPECT_EQ(reloaded.GetArtwork(0, op, names[i]).name, names[i]);
        }
    }
    EXPECT_EQ(FilesUnder(t.habitat.GetUserDir())
                  .filter(QRegularExpression("^artworks/0/[^/]+/[^/]+\\.bmp$"))
                  .size(),
              int(std::size(ops) * names.size()));
    EXPECT_EQ(FilesUnder(t.habitat.GetBaseDir()).size(),
              int(std::size(ops) * names.size()) + 1);  // + the document
    EXPECT_TRUE(t.log.Lines().isEmpty()) << t.log.Lines().join('\n').toStdString();
}

// A crafted document in the folder: names that climb, an image path that is a FIFO. The load does not
// wait, and the next save writes nothing outside the artworks and profile folders. Run in a child that
// an alarm ends, so a read that blocks fails instead of hanging the test.
TEST(ArtworkPaths, ACraftedDocumentNeitherHangsTheLoadNorLeadsTheSaveOutside) {
    TestHost t;
    const QString fifo = t.habitat.GetBaseDir() + "/fifo.bmp";
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    PutDocument(t.habitat.ProfileDir(PR940), 1,
                "<pr940><profile id='0' name='p'><oled currProfileName=''>"
                "<op name='../../../../../../op' currArtworkName='' order='' duration='3'>"
                "<artwork name='../../../../../../../outside/evil' bmp='" +
                    fifo.toUtf8() +
                    "' pen='1' background='0'/></op></oled></profile>"
                    "<profile id='-1' name='q'><oled currProfileName=''><op name='..' duration='3'>"
                    "<artwork name='..' bmp='/dev/zero'/></op></oled></profile></pr940>");
    ExpectNoWait([&] {
        DefaultGlyphPress press(&t.habitat, &t.log);
        PR940ProfileCfgImpl store(t.Host(), press);
        EXPECT_EQ(store.GetArtworkMap(0, "../../../../../../op").size(), 1u);
        EXPECT_EQ(t.log.Lines(), QStringList({"Load artwork image " + fifo + " Failed : not a regular file.",
                                              "Load artwork image /dev/zero Failed : not a regular file."}));
        EXPECT_TRUE(store.SaveProfile());
        const QStringList files = FilesUnder(t.habitat.GetBaseDir());
        EXPECT_TRUE(files.filter(QRegularExpression("^(profile/|user/artworks/|fifo.bmp$)")).size() ==
                    files.size())
            << files.join(' ').toStdString();
        EXPECT_EQ(files.filter(QRegularExpression("^user/artworks/(-1|0)/%2E[^/]*/%2E[^/]*\\.bmp$")).size(),
                  2)
            << files.join(' ').toStdString();
    });
}

}  // namespace
}  // namespace prefbook::test
