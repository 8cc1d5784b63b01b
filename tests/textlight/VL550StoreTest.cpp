#include <gtest/gtest.h>

#include <QDir>
#include <stdexcept>

#include "devices/textlight/VL550ProfileCfgImpl.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

// Three modes only, colours, a partial custom block and the text selection.
const QByteArray kDocument =
    "<?xml version=\"1.0\"?><vl550><profile id=\"4\"><lighting curr_mode=\"2\"><general>"
    "<mode id=\"0\" speed=\"1\" brightness=\"9\" red=\"1\" green=\"2\" blue=\"3\"/>"
    "<mode id=\"1\"/>"
    "<mode id=\"2\" speed=\"258\" brightness=\"8\" red=\"4\" green=\"5\" blue=\"6\"/></general>"
    "<customColor enable=\"7\" r=\"1\" g=\"2\" b=\"3\" a=\"4\"/><customColor enable=\"0\" r=\"5\" g=\"6\" "
    "b=\"7\" a=\"8\"/>"
    "<custom><rgb r=\"10\" g=\"20\" b=\"30\"/><rgb r=\"40\" g=\"50\" b=\"60\"/></custom></lighting>"
    "<text curr_text=\"3\"><text mode=\"3\" period=\"12\"/></text></profile></vl550>";

std::vector<VLModeSetting> DefaultModes() {
    std::vector<VLModeSetting> modes;
    for (uint8_t id = 0; id < 10; ++id) modes.push_back({id, 3, 255, 255, 255, 255});
    return modes;
}
std::vector<VLModeSetting> Modes(const VL550ProfileCfgImpl& store) {
    return {store.Profile().modes.begin(), store.Profile().modes.end()};
}

class VL550StoreTest : public ::testing::Test {
protected:
    TestHost t;
    QString folder = t.habitat.GetBaseDir() + "/profile/VL550/";
    void MakeFolder() { QDir().mkpath(folder); }
};

TEST_F(VL550StoreTest, MissingFolderKeepsCreationValues) {
    VL550ProfileCfgImpl store(t.Host());
    EXPECT_EQ(t.log.Lines(), QStringList("Read VL550 XML File Failed : " + folder + "not exists."));
    EXPECT_TRUE(store.Profile().modes.isEmpty());
    EXPECT_TRUE(store.DocumentPath().isEmpty());
    EXPECT_EQ(store.Profile().textPeriod, 10);
    VLModeSetting m{};
    try {
        store.GetModeSettingAt(0, m);
        FAIL() << "expected out_of_range";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "invalid vector subscript");
    }
}

TEST_F(VL550StoreTest, StartupWalk) {
    struct Case {
        const char* name;
        QStringList files;  // oldest first; "default.bin" holds kDocument, "broken.bin" a damaged one
        bool loaded;
        bool defaults;
    };
    const Case cases[] = {
        {"empty folder", {}, false, true},
        {"only another bin", {"other.bin"}, false, false},
        {"default document", {"default.bin"}, true, false},
        {"newer text file", {"default.bin", "notes.txt"}, true, false},
        {"older text file", {"notes.txt"}, false, true},
        {"damaged default", {"broken.bin"}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestHost host;
        const QString dir = host.habitat.GetBaseDir() + "/profile/VL550/";
        QDir().mkpath(dir);
        int minute = 0;
        for (const QString& f : c.files) {
            const bool broken = f == "broken.bin";
            const QString path = dir + (broken ? "default.bin" : f);
            WriteFile(path, broken ? kDocument.left(40) : f == "default.bin" ? kDocument : "x");
            SetModified(path, QDateTime(QDate(2025, 1, 1), QTime(10, minute++)));
        }
        VL550ProfileCfgImpl store(host.Host());
        EXPECT_EQ(store.DocumentPath(), c.loaded ? dir + "default.bin" : QString());
        EXPECT_EQ(store.Profile().id, c.loaded ? 4 : 0);
        if (c.defaults) {
            EXPECT_EQ(Modes(store), DefaultModes());
        } else if (!c.loaded) {
            EXPECT_TRUE(store.Profile().modes.isEmpty());
        }
    }
}

TEST_F(VL550StoreTest, SettersAndTheirSideEffects) {
    MakeFolder();
    VL550ProfileCfgImpl store(t.Host());
    uint8_t block[kVL550CustomBlockSize];
    for (size_t i = 0; i < sizeof(block); ++i) block[i] = static_cast<uint8_t>(i);
    store.SetCustomBlock(block);
    EXPECT_EQ(store.GetCurrMode(), 7);
    EXPECT_FALSE(store.IsChanged());  // only the compound setters mark a change
    uint8_t out[kVL550CustomBlockSize] = {};
    ASSERT_TRUE(store.GetCustomBlock(out));
    EXPECT_EQ(0, memcmp(out, block, sizeof(block)));

    const uint8_t text[2] = {2, 5};
    store.SetText(text);
    uint8_t got[2] = {};
    store.GetText(got);
    EXPECT_EQ(got[0], 2);
    EXPECT_EQ(got[1], 5);
    EXPECT_TRUE(store.IsChanged());
    store.ClearChangeFlag();
    EXPECT_EQ(store.GetChangeFlag(), 0);

    store.SetModeSettingAt(2, {6, 1, 1, 1, 1, 1});
    EXPECT_EQ(store.GetCurrMode(), 6);
    EXPECT_FALSE(store.IsChanged());

    store.SetModeSetting({3, 9, 9, 9, 9, 9});
    EXPECT_EQ(store.GetCurrMode(), 3);
    EXPECT_EQ(store.GetChangeFlag(), 1);
    VLModeSetting m{};
    ASSERT_TRUE(store.GetCurrentModeSetting(m));
    EXPECT_EQ(m, VLModeSetting({3, 9, 9, 9, 9, 9}));
    ASSERT_TRUE(store.GetModeSettingAt(2, m));
    EXPECT_EQ(m, VLModeSetting({6, 1, 1, 1, 1, 1}));
}

TEST_F(VL550StoreTest, DocumentPaths) {
    MakeFolder();
    VL550ProfileCfgImpl store(t.Host());
    EXPECT_TRUE(store.LoadDocument(""));  // no such file here: still true
    EXPECT_EQ(store.DocumentPath(), VL550ProfileCfgImpl::kLoadDefaultPath);
    EXPECT_FALSE(store.IsDefaultDocument());
    store.LoadDocument(VL550ProfileCfgImpl::kDefaultDocument);
    EXPECT_TRUE(store.IsDefaultDocument());

    EXPECT_FALSE(store.SaveDocumentAs(""));
    EXPECT_EQ(store.DocumentPath(), VL550ProfileCfgImpl::kDefaultDocument);
}

TEST_F(VL550StoreTest, SaveDocumentNeverCreatesADocument) {
    MakeFolder();
    VL550ProfileCfgImpl store(t.Host());
    EXPECT_TRUE(store.SaveDocument());  // no current document: nothing written
    EXPECT_TRUE(ListFolder(folder).isEmpty());

    const QString path = folder + "mine.xml";
    store.LoadDocument(path);
    EXPECT_FALSE(store.SaveDocument());
    EXPECT_FALSE(QFile::exists(path));

    WriteFile(path, "<vl550><profile>");
    EXPECT_FALSE(store.SaveDocument());
    EXPECT_EQ(ReadAll(path), "<vl550><profile>");

    WriteFile(path, kDocument);
    store.SetCurrMode(5);
    ASSERT_TRUE(store.SaveDocument());
    VL550ProfileCfgImpl other(t.Host());
    other.LoadDocument(path);
    EXPECT_EQ(other.GetCurrMode(), 5);
}

}  // namespace
}  // namespace prefbook::test
