#include <gtest/gtest.h>

#include "audio/EqModeBuilder.h"
#include "devices/audio/AU570ProfileCfgImpl.h"
#include "profilecore/DeviceType.h"

namespace prefbook::test {
namespace {

QMap<int, EqMode> Presets() {
    return {{1, Eq(1, "POP MUSIC", 0, 0, 1, 3, 3)},
            {2, Eq(2, "MOVIE", 3, 3, 1, 1, 1)},
            {3, Eq(3, "GAMING(BASS+)", 2, 2, -1, 1, 1)}};
}

QByteArray Document(const QByteArray& mode) {
    return "<?xml version=\"1.0\"?>\n<au570>" + mode + "</au570>\n";
}

class AU570StoreTest : public AudioFolderTest<AU570> {};

TEST_F(AU570StoreTest, ModeBassAndTrebleStayInMemory) {
    AU570ProfileCfgImpl store(t.Host());
    EqMode m = Eq(4, "MINE", 1, 1, 1, 1, 1);
    m.bass = 6;
    m.treble = 8;
    store.AddEqMode(m);
    EXPECT_EQ(store.GetEqMode(4), m);  // kept and copied in memory
    ASSERT_TRUE(store.SaveProfile());
    AU570ProfileCfgImpl reloaded(t.Host());
    m.bass = m.treble = 0;
    EXPECT_EQ(reloaded.GetEqModes().value(4), m);
}

struct ReadCase {
    const char* what;
    QByteArray mode;
    QMap<int, EqMode> modes;
};

class AU570ReadTest : public AU570StoreTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(AU570ReadTest, ReadsTheTable) {
    Put(0, Document(GetParam().mode));
    AU570ProfileCfgImpl store(t.Host());
    EXPECT_EQ(store.GetEqModes(), GetParam().modes);
    EXPECT_TRUE(t.log.Lines().isEmpty()) << t.log.Lines().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Documents, AU570ReadTest,
    ::testing::Values(
        ReadCase{"an eq without a name ends the list",
                 "<mode><eq id=\"1\" name=\"A\"/><eq id=\"2\" name=\"\"/><eq id=\"3\" name=\"C\"/></mode>",
                 {{1, Eq(1, "A", 0, 0, 0, 0, 0)}}},
        ReadCase{"a foreign element ends the list",
                 "<mode><eq id=\"1\" name=\"A\"/><other/><eq id=\"3\" name=\"C\"/></mode>",
                 {{1, Eq(1, "A", 0, 0, 0, 0, 0)}}},
        ReadCase{"a later duplicate id wins",
                 "<mode><eq id=\"1\" name=\"A\" Hz64=\"1\"/><eq id=\"1\" name=\"B\" Hz64=\"2\"/></mode>",
                 {{1, Eq(1, "B", 2, 0, 0, 0, 0)}}},
        ReadCase{"bands, negatives and non-numbers",
                 "<mode><eq id=\"-4\" name=\"N\" Hz64=\"-1\" Hz250=\"x\" Hz1K=\"-30\" Hz4K=\"7\"/></mode>",
                 {{-4, Eq(-4, "N", -1, 0, -30, 7, 0)}}},
        ReadCase{"eq outside mode is not read",
                 "<eq id=\"8\" name=\"out\"/><mode><eq id=\"1\" name=\"A\"/></mode>",
                 {{1, Eq(1, "A", 0, 0, 0, 0, 0)}}},
        ReadCase{"a mode is read wherever it stands, after another's foreign child too",
                 "<x><mode><eq id=\"1\" name=\"A\"/><y><mode><eq id=\"2\" name=\"B\"/></mode></y></mode></x>",
                 {{1, Eq(1, "A", 0, 0, 0, 0, 0)}, {2, Eq(2, "B", 0, 0, 0, 0, 0)}}}));

TEST_F(AU570StoreTest, ModeWithoutEqLoadsEmptyAndImportingItResetsToPresets) {
    const QByteArray empty = Document("<mode bass=\"4\" treble=\"5\" currModeId=\"2\"/>");
    Put(0, empty);
    AU570ProfileCfgImpl store(t.Host());
    EXPECT_TRUE(store.GetEqModes().isEmpty());
    EXPECT_EQ(store.GetBass(), 4);
    EXPECT_EQ(store.GetCurrModeId(), 2);

    store.SetBass(9);
    ASSERT_TRUE(store.ImportProfile(UserFile(empty)));
    EXPECT_EQ(store.GetEqModes(), Presets());
    EXPECT_EQ(store.GetCurrModeId(), 3);
    EXPECT_EQ(store.GetBass(), 0);  // the presets bring their own levels
}

TEST_F(AU570StoreTest, ImportTakesTableAndModeInUseButKeepsTheLevels) {
    AU570ProfileCfgImpl store(t.Host());
    store.SetBass(3);
    store.SetTreble(-2);
    ASSERT_TRUE(store.ImportProfile(UserFile(
        Document("<mode bass=\"50\" treble=\"60\" currModeId=\"7\"><eq id=\"7\" name=\"S\"/></mode>"))));
    EXPECT_EQ(store.GetBass(), 3);
    EXPECT_EQ(store.GetTreble(), -2);
    EXPECT_EQ(store.GetCurrModeId(), 7);
    EXPECT_EQ(store.GetEqModes(), (QMap<int, EqMode>{{7, Eq(7, "S", 0, 0, 0, 0, 0)}}));
}

TEST_F(AU570StoreTest, FailedImportLeavesTheSetAlone) {
    AU570ProfileCfgImpl store(t.Host());
    store.SetBass(3);
    const AU570ProfileData before = store.GetProfileData();
    const QString path = UserFile(Document("<mode bass=\"1\" currModeId=\"1\"><eq id=\"1\" name=\"A\"/>"));
    EXPECT_FALSE(store.ImportProfile(path));
    EXPECT_EQ(store.GetProfileData(), before);
    ASSERT_EQ(t.log.Lines().size(), 1);
    EXPECT_TRUE(t.log.Lines()[0].startsWith("Failed to parse file " + path + " : "));
}

TEST_F(AU570StoreTest, OnlyUnreadableDocumentsGiveThePresets) {
    Put(0, "not xml at all <");
    AU570ProfileCfgImpl store(t.Host());
    EXPECT_EQ(store.GetProfileData().modes, Presets());
    EXPECT_EQ(store.GetCurrModeId(), 3);
}

TEST_F(AU570StoreTest, GetEqModeOfZeroIsDetachedAndOtherIdsAreInserted) {
    AU570ProfileCfgImpl store(t.Host());
    EqMode& zero = store.GetEqMode(0);
    EXPECT_EQ(zero, EqMode{});
    zero.name = "scribble";
    EXPECT_EQ(store.GetEqMode(0), EqMode{});  // a fresh empty record each time
    EXPECT_EQ(store.GetEqModes(), Presets());

    store.GetEqMode(6).hz64 = 4;  // the reference reaches the table
    EXPECT_EQ(store.GetEqModes().value(6).hz64, 4);
    EXPECT_EQ(store.GetEqModes().value(6).id, 0);
}

TEST_F(AU570StoreTest, TableEditsFollowTheirRules) {
    AU570ProfileCfgImpl store(t.Host());
    store.DeleteEqMode(3);
    EXPECT_EQ(store.GetCurrModeId(), 3);  // points at a missing id now
    EXPECT_FALSE(store.GetEqModes().contains(3));

    store.AddEqMode(Eq(8, "EIGHT", 1, 2, 3, 4, 5));
    EXPECT_EQ(store.GetCurrModeId(), 8);
    store.SetEqMode(10, Eq(11, "keyed apart", 0, 0, 0, 0, 0));
    EXPECT_EQ(store.GetCurrModeId(), 8);
    EXPECT_EQ(store.GetEqModes().value(10).id, 11);

    store.RenameEqMode(1, "POP");
    store.RenameEqMode(12, "NEW");
    EXPECT_EQ(store.GetEqModes().value(1).name, "POP");
    EXPECT_EQ(store.GetEqModes().value(12).name, "NEW");
    EXPECT_EQ(store.GetEqModes().value(12).id, 0);
}

}  // namespace
}  // namespace prefbook::test
