#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

#include "devices/keyboards/TLProfileStore.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

template <class Store>
class TLStoreTest : public ::testing::Test {
protected:
    TestHost t;
    int type = Store(t.Host()).ProfileDir().contains("TL480") ? 1 : 3;
    QString dir = t.habitat.ProfileDir(type);
    QString root = type == 1 ? "tl480" : "tl460";
    QString model = type == 1 ? "TL480" : "TL460";

    std::unique_ptr<Store> Fresh() { return std::make_unique<Store>(t.Host()); }
    QString Only() {
        const QStringList files = ListFolder(dir);
        return files.size() == 1 ? dir + files[0] : QString();
    }
    void Put(const QString& name, const QByteArray& xml, int ageSeconds) {
        WriteFile(dir + name, xml);
        SetModified(dir + name, QDateTime::currentDateTime().addSecs(-ageSeconds));
    }
    QByteArray Doc(int profiles, const QByteArray& first = {}) {
        QByteArray xml = "<" + root.toLatin1() + " exportPath=\"E\" openExePath=\"O\">";
        for (int i = 0; i < profiles; ++i) {
            xml += i == 0 && !first.isEmpty() ? first
                                              : "<profile id=\"" + QByteArray::number(i) + "\" name=\"P" +
                                                    QByteArray::number(i) + "\" exe=\"\"/>";
        }
        return xml + "</" + root.toLatin1() + ">";
    }
};

using Stores = ::testing::Types<TL480ProfileCfgImpl, TL460ProfileCfgImpl>;
TYPED_TEST_SUITE(TLStoreTest, Stores);

TYPED_TEST(TLStoreTest, FreshFolderGivesDefaultsAndSaveWritesThemAllOut) {
    auto store = this->Fresh();
    ASSERT_EQ(store->GetProfileNum(), 5);
    QStringList names;
    store->GetProfileNameList(names);
    EXPECT_EQ(names, QStringList({"PROFILE0", "PROFILE1", "PROFILE2", "PROFILE3", "PROFILE4"}));
    EXPECT_EQ(store->GetCustomColors(4, true), QVector<CustomColor>(7, CustomColor{}));
    EXPECT_TRUE(store->LoadedFrom().isEmpty());

    ASSERT_TRUE(store->SaveProfile());
    QFile file(this->Only());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader r(&file);
    int profiles = 0, customs = 0;
    QStringList seen;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement) continue;
        if (r.name() == QLatin1String("profile")) ++profiles;
        if (r.name() == QLatin1String("custom")) ++customs;
        if (seen.size() < 7) seen << r.name().toString();
    }
    EXPECT_FALSE(r.hasError());
    EXPECT_EQ(profiles, 5);
    EXPECT_EQ(customs, 5 * 14);
    EXPECT_EQ(seen,
              QStringList({this->root, "profile", "lighting", "foreground", "custom", "custom", "custom"}));
}

TYPED_TEST(TLStoreTest, SaveAndReloadKeepsEveryField) {
    auto store = this->Fresh();
    store->SetExportPath("C:/exports/é");
    store->SetOpenExePath("D:/games");
    store->SetProfileName(1, "Überprofil ✓");
    store->SetProfileExe(1, "game.exe");
    store->SetMultiLayer(1, -3);
    store->SetMultiZone(1, 70000);
    store->SetCustomColors(1, false, {{1, 255, 0, 7, 9}, {0, 1, 2, 3, 4}});
    store->SetCustomColors(1, true, QVector<CustomColor>(9, CustomColor{1, 10, 20, 30, 40}));
    store->SetMacroPath(1, "macros/dir");
    store->SetCurrMacro(1, "long");
    MacroRecord record{};
    record.mode = 2;
    record.actionCount = 199;
    for (int i = 0; i < 199; ++i) record.actions[i] = {uint16_t(i), uint8_t(i), uint16_t(60000 + i)};
    store->SetMacro(1, "long", record);
    store->SetMacroKeys(1, "long", {5, 300, 5});
    store->AddMacro(1, "empty");
    ASSERT_TRUE(store->SaveProfile());

    auto back = this->Fresh();
    EXPECT_FALSE(back->LoadedFrom().isEmpty());
    EXPECT_EQ(back->GetExportPath(), "C:/exports/é");
    EXPECT_EQ(back->GetOpenExePath(), "D:/games");
    EXPECT_EQ(back->GetProfileName(1), "Überprofil ✓");
    EXPECT_EQ(back->GetProfileExe(1), "game.exe");
    EXPECT_EQ(back->GetMultiLayer(1), -3);
    EXPECT_EQ(back->GetMultiZone(1), 70000);
    EXPECT_EQ(back->GetCustomColors(1, false), store->GetCustomColors(1, false));
    EXPECT_EQ(back->GetCustomColors(1, true).size(), 9);
    EXPECT_EQ(back->GetMacroPath(1), "macros/dir");
    EXPECT_EQ(back->GetCurrMacro(1), "long");
    std::vector<std::string> names;
    back->GetMacroNames(1, names);
    EXPECT_EQ(names, (std::vector<std::string>{"empty", "long"}));
    const KeyMacroEntry& entry = back->GetMacroEntry(1, "long");
    EXPECT_EQ(entry.keys, (QVector<uint16_t>{5, 300, 5}));
    EXPECT_EQ(entry.record.actionCount, 199);
    EXPECT_EQ(std::memcmp(entry.record.actions, record.actions, sizeof record.actions), 0);
    EXPECT_EQ(RecordName(back->GetMacroEntry(1, "empty").record), "empty");
    EXPECT_EQ(back->GetProfileName(0), "PROFILE0");
}

TYPED_TEST(TLStoreTest, WrongProfileCountIsKeptOnlyWhenNothingBetterExists) {
    this->Put("a.xml", this->Doc(4), 10);
    auto alone = this->Fresh();
    EXPECT_EQ(alone->GetProfileNum(), 4);
    EXPECT_EQ(alone->GetProfileName(0), "P0");
    EXPECT_EQ(alone->GetExportPath(), "E");

    this->Put("b.xml", this->Doc(5), 20);
    auto older = this->Fresh();
    EXPECT_EQ(older->GetProfileNum(), 5);
    EXPECT_TRUE(older->LoadedFrom().endsWith("b.xml"));
}

TYPED_TEST(TLStoreTest, BrokenNewestDocumentFallsBackWithTheModelsMessages) {
    this->Put("new.xml",
              this->Doc(5, "<profile id=\"0\" name=\"x\"><lighting><foreground><custom r=\"1\"></lighting>"),
              10);
    this->Put("old.xml", this->Doc(5), 20);
    auto store = this->Fresh();
    EXPECT_TRUE(store->LoadedFrom().endsWith("old.xml"));
    const QStringList lines = this->t.log.Lines();
    ASSERT_EQ(lines.size(), 2) << lines.join("\n").toStdString();
    EXPECT_TRUE(lines[0].startsWith("Parse " + this->model + " XML Failed. " + this->dir + "new.xml : "));
    EXPECT_TRUE(lines[1].startsWith("Failed to parse file " + this->dir + "new.xml : "));
}

TYPED_TEST(TLStoreTest, ColourListsAreNarrowedAndCountedAsRead) {
    this->Put("a.xml", this->Doc(5, R"(<profile id="0"><lighting multilayer="2"><foreground>
        <custom enable="5" r="300" g="-1" b="x" a="255"/></foreground><background/></lighting></profile>)"),
              10);
    auto store = this->Fresh();
    ASSERT_EQ(store->GetCustomColors(0, false).size(), 1);
    const CustomColor c = store->GetCustomColors(0, false)[0];
    EXPECT_EQ(c, (CustomColor{1, 44, 255, 0, 255}));
    EXPECT_TRUE(store->GetCustomColors(0, true).isEmpty());
    EXPECT_EQ(store->GetMultiLayer(0), 2);
    const QString prefix = "Get " + this->model + " Custom Color Num From XML != 7. size[";
    EXPECT_EQ(this->t.log.Lines(), QStringList({prefix + "1]", prefix + "0]"}));
}

TYPED_TEST(TLStoreTest, SettersIgnoreBadInputAndGettersStayEmpty) {
    auto store = this->Fresh();
    store->SetProfileName(2, "");
    EXPECT_EQ(store->GetProfileName(2), "PROFILE2");
    store->SetMacroKeys(2, "m", {1, 2});
    store->RemoveMacroKey(2, "m", 9);
    EXPECT_EQ(store->GetMacroKeys(2, "m"), (QVector<uint16_t>{1, 2}));
    store->RemoveMacroKey(2, "m", 1);
    EXPECT_EQ(store->GetMacroKeys(2, "m"), (QVector<uint16_t>{2}));

    for (int bad : {-1, 5, 1000}) {
        store->SetProfileName(bad, "x");
        store->AddMacro(bad, "m");
        store->SetMacroKeys(bad, "m", {7});
        store->SetMacroMode(bad, "m", 3);
        EXPECT_EQ(store->GetProfileName(bad), "");
        EXPECT_EQ(store->GetProfileExe(bad), "");
        EXPECT_EQ(store->GetCustomColors(bad, false).size(), 7);
        EXPECT_TRUE(store->GetMacroSet(bad).empty());
        EXPECT_TRUE(store->GetMacroKeys(bad, "m").isEmpty());
        EXPECT_EQ(store->GetMacroEntry(bad, "m").record.actionCount, 0);
        EXPECT_EQ(store->GetMacroMode(bad, "m"), 0);
        std::vector<std::string> names{"stale"};
        store->GetMacroNames(bad, names);
        EXPECT_TRUE(names.empty());
    }
    this->t.log.Clear();
    EXPECT_EQ(store->GetMacroMode(0, ""), 0);
    EXPECT_EQ(this->t.log.Lines(),
              QStringList({"KR720ProfileCfg: GetMacroMode Failed. Profile Id[0]. Macro Name[]."}));
    EXPECT_EQ(store->GetMacroMode(0, "unknown"), 0);
    EXPECT_EQ(store->GetMacroSet(0).count("unknown"), 1u);  // access inserts it
}

TEST(TLStores, TheTwoModelsUseTheirOwnFoldersAndRoots) {
    TestHost t;
    TL480ProfileCfgImpl tl480(t.Host());
    TL460ProfileCfgImpl tl460(t.Host());
    ASSERT_TRUE(tl480.SaveProfile());
    ASSERT_TRUE(tl460.SaveProfile());
    const QStringList a = ListFolder(t.habitat.ProfileDir(1));
    const QStringList b = ListFolder(t.habitat.ProfileDir(3));
    ASSERT_EQ(a.size(), 1);
    ASSERT_EQ(b.size(), 1);
    EXPECT_TRUE(ReadAll(t.habitat.ProfileDir(1) + a[0]).contains("<tl480 exportPath=\"\" openExePath=\"\">"));
    EXPECT_TRUE(ReadAll(t.habitat.ProfileDir(3) + b[0]).contains("<tl460 exportPath=\"\" openExePath=\"\">"));
}

TEST(TLStores, DefaultDocumentMatchesTheGoldenFile) {
    TestHost t;
    TL480ProfileCfgImpl store(t.Host());
    store.AddMacro(0, "m");
    store.SetMacroKeys(0, "m", {4, 5});
    ASSERT_TRUE(store.SaveProfile());
    const QString dir = t.habitat.ProfileDir(1);
    EXPECT_EQ(ReadAll(dir + ListFolder(dir).value(0)), ReadAll(PREFBOOK_TEST_DATA "/tl480-default.xml"));
}

}  // namespace
}  // namespace prefbook::test
