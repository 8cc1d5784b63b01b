#include <gtest/gtest.h>

#include <QBuffer>

#include "devices/keypad/KeydeckProfileCfgImpl.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

QString Golden(int type, const char* name) {
    return QString(PREFBOOK_TEST_DATA) + (type == 19 ? "/keydeck_g/" : "/keydeck_c/") + name;
}

// The file's bytes equal the golden document's, which must exist.
void ExpectGolden(const QString& path, int type, const char* name) {
    const QByteArray golden = ReadAll(Golden(type, name));
    ASSERT_FALSE(golden.isEmpty()) << name;
    EXPECT_EQ(ReadAll(path), golden);
}

class KeydeckGolden : public ::testing::TestWithParam<int> {
protected:
    TestHost t;
    int type = GetParam();
    QString out = t.habitat.GetBaseDir() + "/out.xml";
};

// The store's documents and exports are golden-checked over every store; these are the created default
// file and a profile export written back after its import.
TEST_P(KeydeckGolden, CreatedDefaultsAndAReimportedProfileMatchTheGoldenDocuments) {
    KeydeckProfileCfgImpl store(t.Host());
    ASSERT_TRUE(store.CreateDefaultFile(type, out));
    ExpectGolden(out, type, "default.xml");

    KeydeckProfileCfgImpl imported(t.Host());
    ASSERT_TRUE(imported.ImportProfile(type, Golden(type, "profile-export.xml")));
    EXPECT_EQ(imported.GetCurrentProfileId(type), 5);
    ASSERT_TRUE(imported.ExportProfile(type, out));
    ExpectGolden(out, type, "profile-export.xml");
}

INSTANTIATE_TEST_SUITE_P(BothVariants, KeydeckGolden, ::testing::Values(19, 20));

struct ReadCase {
    const char* name;
    QByteArray xml;
    bool ok;
    std::function<void(const KeydeckDocument&)> check;
};

const QByteArray kHead = R"(<KEYDECK_G flag="1282" exportPath="E" currentProfileID="7">)";

const ReadCase kReadCases[] = {
    {"RootWithoutFlagLetsTheNextElementFail", R"(<KEYDECK_C exportPath="E"><application/></KEYDECK_C>)",
     false, [](const KeydeckDocument& d) { EXPECT_EQ(d.exportPath, "E"); }},
    {"IndicatorOfTwoPartsKeepsWhite",
     kHead +
         R"(<profile indicator="1:2:3,4:5:6"/><profile indicator="1:2,4:5:6,7:8:9,10:11:300"/></KEYDECK_G>)",
     true,
     [](const KeydeckDocument& d) {
         ASSERT_EQ(d.profiles.size(), 2);
         EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(d.profiles[0].indicator), 12),
                   QByteArray(12, '\xFF'));
         const uint8_t* second = d.profiles[1].indicator;
         EXPECT_EQ(second[0], 255);  // a part that is not three numbers stays
         EXPECT_EQ(second[3], 4);
         EXPECT_EQ(second[11], 44);  // low byte of 300
     }},
    {"UnknownElementsAreSkippedWhole",
     kHead + R"(<extra flag="0" exportPath="X"><profile/></extra><profile/></KEYDECK_G>)", true,
     [](const KeydeckDocument& d) {
         EXPECT_EQ(d.exportPath, "E");
         EXPECT_EQ(d.profiles.size(), 1);
     }},
    {"AppListOfAnotherLengthLeavesTheStoredOne",
     kHead +
         R"(<application><app path="1"/><app path="2"/><app path="3"/><app path="4"/></application></KEYDECK_G>)",
     true,
     [](const KeydeckDocument& d) {
         EXPECT_EQ(d.appPaths, QStringList({"a", "b", "c"}));
     }},
    {"AppListOfTheSameLengthReplacesIt",
     kHead + R"(<application><app path="1"/><app/><app path="3"/></application></KEYDECK_G>)", true,
     [](const KeydeckDocument& d) {
         EXPECT_EQ(d.appPaths, QStringList({"1", "", "3"}));
     }},
    {"ProfileWithoutChildrenHasEmptyListsAndAFullPool",
     kHead + R"(<profile id="300" name="X"><unknown><macros/></unknown></profile></KEYDECK_G>)", true,
     [](const KeydeckDocument& d) {
         ASSERT_EQ(d.profiles.size(), 1);
         EXPECT_EQ(d.profiles[0].id, 44);
         EXPECT_EQ(d.currentProfileId, 7);
         EXPECT_TRUE(d.profiles[0].macros.macros.empty());
         EXPECT_EQ(d.profiles[0].freeMacroIds, FullKeydeckMacroIdPool());
         EXPECT_TRUE(d.profiles[0].lighting.effects.isEmpty());
     }},
    {"EffectAndPadKeyWithMissingPartsTakeTheirStartValues",
     kHead + R"(<profile><lighting><general><mode id="9" red="1"/></general></lighting>
        <mapping><keydeck><key general="70000" dual="5"/></keydeck></mapping></profile></KEYDECK_G>)",
     true,
     [](const KeydeckDocument& d) {
         ASSERT_EQ(d.profiles.size(), 1);
         ASSERT_EQ(d.profiles[0].lighting.effects.size(), 1);
         const KeydeckLightEffect expected{9, 3, 0, 0, 255, 1, 255, 255, 255, 0, 0, 0};
         EXPECT_EQ(d.profiles[0].lighting.effects[0], expected);
         ASSERT_EQ(d.profiles[0].mapping.padKeys.size(), 1);
         const PadKey key{0, 0, 0, 5, 0, 0, 0};
         EXPECT_EQ(d.profiles[0].mapping.padKeys[0], key);
     }},
    {"AssignmentsKeepOneIdPerSlot",
     kHead +
         R"(<profile><macros><macro name="m" assign="3:1,bad,3:2,4:5:6,1:9"/></macros></profile></KEYDECK_G>)",
     true,
     [](const KeydeckDocument& d) {
         ASSERT_EQ(d.profiles.size(), 1);
         const KeydeckMacroEntry* m = d.profiles[0].macros.macros.Find("m");
         ASSERT_NE(m, nullptr);
         EXPECT_EQ(m->assignments, KeydeckSlotMap({{1, 9}, {3, 2}}));
     }},
};

class KeydeckReader : public ::testing::TestWithParam<ReadCase> {};

TEST_P(KeydeckReader, ReadsOrRefuses) {
    TestHost t;
    QByteArray xml = GetParam().xml;
    QBuffer buffer(&xml);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    KeydeckDocument doc;
    doc.appPaths = QStringList({"a", "b", "c"});
    EXPECT_EQ(ReadKeydeckDocument(t.Host(), buffer, "mem", doc), GetParam().ok);
    EXPECT_EQ(t.log.Contains("Read keydeck config failed: device type error."), !GetParam().ok);
    GetParam().check(doc);
}

INSTANTIATE_TEST_SUITE_P(Documents, KeydeckReader, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) {
                             return std::string(info.param.name);
                         });

// The keypad record has room for 127 steps; a longer macro keeps its first 127, in the table and in
// a simple key alike, and says so.
TEST(KeydeckMacroCapacity, KeepsTheFirst127StepsAndLogs) {
    TestHost t;
    QByteArray actions;
    for (int i = 0; i < 130; ++i)
        actions += "<action key=\"" + QByteArray::number(i) + "\" event=\"1\" timer=\"2\"/>";
    QByteArray xml = kHead + "<profile><mapping><application><simple><key idx=\"2\"><macro id=\"3\">" +
                     actions +
                     "</macro></key></simple></application></mapping><macros><macro name=\"long\">" +
                     actions + "</macro></macros></profile></KEYDECK_G>";
    QBuffer buffer(&xml);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    KeydeckDocument doc;
    ASSERT_TRUE(ReadKeydeckDocument(t.Host(), buffer, "mem", doc));
    ASSERT_EQ(doc.profiles.size(), 1);
    const KeydeckMacroRecord& table = doc.profiles[0].macros.macros.Find("long")->record;
    const KeydeckMacroRecord& simple = doc.profiles[0].mapping.simpleKeys.at(2).macro;
    for (const KeydeckMacroRecord* r : {&table, &simple}) {
        EXPECT_EQ(r->actionCount, 127);
        EXPECT_EQ(int{r->actions[126].key}, 126);  // a copy: the packed field is not aligned
    }
    EXPECT_EQ(simple.slot, 3);
    EXPECT_EQ(t.log.Count("Macro long holds more than 127 actions; the rest are dropped."), 1);
    EXPECT_EQ(t.log.Count("Macro key 2 holds more than 127 actions; the rest are dropped."), 1);
}

}  // namespace
}  // namespace prefbook::test
