#include <gtest/gtest.h>

#include <cstring>

#include "audio/EqModeBuilder.h"
#include "devices/audio/AudioProfileStore.h"
#include "profilecore/DeviceType.h"

// The DS180, AU320 and AU340 stores share one implementation; what they share is tested once over
// all three, what tells them apart below.

namespace prefbook::test {
namespace {

// The store, its traits (device type and root name) and whether bass and treble persist, which the
// test states itself.
template <class Store, class Traits, bool LevelsPersist>
struct Case : Traits {
    using Impl = Store;
    static constexpr bool kLevelsPersist = LevelsPersist;
};
using DS180Case = Case<DS180ProfileCfgImpl, DS180Traits, true>;
using AU320Case = Case<AU320ProfileCfgImpl, AU320Traits, true>;
using AU340Case = Case<AU340ProfileCfgImpl, AU340Traits, false>;

const SpeakerValues kDefaultAngles{-45, 0, 45, 90, 135, -135, -90, 15};

const QVector<CustomColor> kSomeColors{{1, 1, 2, 3, 4}, {0, 250, 251, 252, 253}};

template <class Case>
class AudioStoreTest : public AudioFolderTest<Case::kDeviceType> {
protected:
    static QByteArray Doc(const QByteArray& profiles) {
        const QByteArray root = Case::kRoot;
        return "<?xml version=\"1.0\"?>\n<" + root + " exportPath=\"E\" openExePath=\"O\">" + profiles +
               "</" + root + ">\n";
    }
    static QByteArray Profile(const QByteArray& name, const QByteArray& content = "") {
        return "<profile id=\"0\" name=\"" + name + "\" exe=\"\">" + content + "</profile>";
    }
    static QByteArray Sound(const QByteArray& eqs) {
        return "<sound bass=\"5\" treble=\"6\" currModeId=\"9\">" + eqs + "</sound>";
    }
};

using StoreCases = ::testing::Types<DS180Case, AU320Case, AU340Case>;
TYPED_TEST_SUITE(AudioStoreTest, StoreCases);

TYPED_TEST(AudioStoreTest, LoadFillsOnlyTheMissingPartsOfTheFirstProfile) {
    this->Put(0, this->Doc(this->Profile("first", this->Sound("<eq id=\"9\" name=\"N\" Hz64=\"-2\"/>")) +
                           this->Profile("second")));
    typename TypeParam::Impl store(this->t.Host());
    EXPECT_EQ(store.GetProfileNum(), 2);
    QMap<int, EqMode> eqs;
    ASSERT_TRUE(store.GetEqModes(eqs));
    EXPECT_EQ(eqs, (QMap<int, EqMode>{{9, Eq(9, "N", -2, 0, 0, 0, 0)}}));
    EXPECT_EQ(store.GetBass(), TypeParam::kLevelsPersist ? 5 : 0);
    EXPECT_EQ(store.GetSurroundModeId(), 1);  // no "virtual": the surround defaults
    EXPECT_TRUE(store.GetVssEnable(1));
}

TYPED_TEST(AudioStoreTest, VirtualSpeakerListsAreTakenOnlyWithEightNumbers) {
    const QByteArray surround =
        "<surround currModeId=\"4\">"
        "<virtual id=\"4\" name=\"nine\" VssEnable=\"1\" SmvssEnable=\"0\" distance=\"1,2,3,4,5,6,7,8\" "
        "angle=\"1,2,3,4,5,6,7,8,9\"/>"
        "<virtual id=\"5\" name=\"junk\" distance=\"1,2,3,x,5,6,7,8\" angle=\"-1,-2,-3,-4,-5,-6,-7,-8\"/>"
        "</surround>";
    this->Put(0, this->Doc(this->Profile("p", surround)));
    typename TypeParam::Impl store(this->t.Host());
    QVector<int> values;
    ASSERT_TRUE(store.GetAngles(4, values));
    EXPECT_EQ(values, QVector<int>(kDefaultAngles.begin(), kDefaultAngles.end()));
    ASSERT_TRUE(store.GetDistances(4, values));
    EXPECT_EQ(values, (QVector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    ASSERT_TRUE(store.GetDistances(5, values));
    EXPECT_EQ(values, QVector<int>(8, 30));
    ASSERT_TRUE(store.GetAngles(5, values));
    EXPECT_EQ(values, (QVector<int>{-1, -2, -3, -4, -5, -6, -7, -8}));
    EXPECT_TRUE(store.GetVssEnable(4));
    EXPECT_FALSE(store.GetSmvssEnable(4));
}

TYPED_TEST(AudioStoreTest, SurroundSettersCheckTheirInput) {
    typename TypeParam::Impl store(this->t.Host());
    QVector<int> before, after;
    ASSERT_TRUE(store.GetDistances(1, before));
    EXPECT_FALSE(store.SetDistances(1, {1, 2, 3, 4, 5, 6, 7}));
    EXPECT_FALSE(store.SetAngles(1, QVector<int>(9, 1)));
    ASSERT_TRUE(store.GetDistances(1, after));
    EXPECT_EQ(after, before);
    ASSERT_TRUE(store.GetAngles(1, after));
    EXPECT_EQ(after, QVector<int>(kDefaultAngles.begin(), kDefaultAngles.end()));

    EXPECT_TRUE(store.SetAngles(1, {8, 7, 6, 5, 4, 3, 2, 1}));
    ASSERT_TRUE(store.GetAngles(1, after));
    EXPECT_EQ(after, (QVector<int>{8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_FALSE(store.SetDistances(99, QVector<int>(8, 1)));  // no such mode
    EXPECT_FALSE(store.GetAngles(99, after));

    store.SetVssEnable(1, false);
    store.SetSmvssEnable(1, false);
    EXPECT_FALSE(store.GetVssEnable(1));
    EXPECT_FALSE(store.GetSmvssEnable(1));
    EXPECT_FALSE(store.RenameSurroundMode(99, "x"));
    EXPECT_TRUE(store.RenameSurroundMode(1, "Renamed"));
    SurroundMode m;
    ASSERT_TRUE(store.GetSurroundMode(1, m));
    EXPECT_EQ(m.name, "Renamed");
    EXPECT_EQ(m.vssEnable, 0);
    EXPECT_TRUE(store.DeleteSurroundMode(1));
    EXPECT_FALSE(store.DeleteSurroundMode(1));
    EXPECT_EQ(store.GetSurroundModeId(), 1);
}

TYPED_TEST(AudioStoreTest, EqModeAccessFollowsItsRules) {
    typename TypeParam::Impl store(this->t.Host());
    store.SetBass(4);
    store.SetTreble(-5);
    QMap<int, EqMode> before, after;
    ASSERT_TRUE(store.GetEqModes(before));
    EqMode m = Eq(99, "untouched", 1, 1, 1, 1, 1);
    EXPECT_FALSE(store.GetEqMode(0, m));
    EXPECT_EQ(m.name, "untouched");
    ASSERT_TRUE(store.GetEqModes(after));
    EXPECT_EQ(after, before);

    ASSERT_TRUE(store.GetEqMode(2, m));
    EqMode expected = Eq(2, "MOVIE", 8, 8, 7, 7, 5);
    expected.bass = 4;
    expected.treble = -5;
    EXPECT_EQ(m, expected);
    ASSERT_TRUE(store.GetEqModes(after));
    EXPECT_EQ(after.value(2).bass, 0);  // the copy carries the levels, the table does not

    ASSERT_TRUE(store.GetEqMode(6, m));  // an absent id is inserted empty
    ASSERT_TRUE(store.GetEqModes(after));
    EXPECT_TRUE(after.contains(6));

    ASSERT_TRUE(store.AddEqMode(Eq(8, "EIGHT", 0, 0, 0, 0, 0)));
    EXPECT_EQ(store.GetCurrModeId(), 8);
    EXPECT_TRUE(store.DeleteEqMode(8));
    EXPECT_FALSE(store.DeleteEqMode(8));
    EXPECT_EQ(store.GetCurrModeId(), 8);
    EXPECT_TRUE(store.RenameEqMode(1, "POP"));
    ASSERT_TRUE(store.GetEqModes(after));
    EXPECT_EQ(after.value(1).name, "POP");
}

TYPED_TEST(AudioStoreTest, ImportKeepsTheLevelsAndFillsMissingParts) {
    typename TypeParam::Impl store(this->t.Host());
    store.SetBass(7);
    store.SetTreble(8);
    ASSERT_TRUE(store.ImportProfile(
        this->UserFile(this->Doc(this->Profile("in", this->Sound("<eq id=\"2\" name=\"B\"/>"))))));
    EXPECT_EQ(store.GetBass(), 7);
    EXPECT_EQ(store.GetTreble(), 8);
    EXPECT_EQ(store.GetCurrModeId(), 9);
    EXPECT_EQ(store.GetExportPath(), "E");
    EXPECT_EQ(store.GetSurroundModeId(), 1);

    // Without equaliser modes the sound defaults replace the whole sound part, levels included.
    ASSERT_TRUE(store.ImportProfile(this->UserFile(this->Doc(this->Profile("bare")))));
    EXPECT_EQ(store.GetBass(), 0);
    EXPECT_EQ(store.GetCurrModeId(), 3);
}

TYPED_TEST(AudioStoreTest, TwoProfileImportFailsButKeepsWhatItRead) {
    typename TypeParam::Impl store(this->t.Host());
    ASSERT_FALSE(store.ImportProfile(this->UserFile(this->Doc(this->Profile("a") + this->Profile("b")))));
    ASSERT_EQ(store.GetProfileNum(), 2);
    QString name;
    ASSERT_TRUE(store.GetProfileName(1, name));
    EXPECT_EQ(name, "b");
    EXPECT_FALSE(store.GetProfileName(2, name));
}

TYPED_TEST(AudioStoreTest, UnreadableImportLeavesTheStoreAlone) {
    typename TypeParam::Impl store(this->t.Host());
    EXPECT_FALSE(store.ImportProfile(this->UserFile(this->Doc(this->Profile("a")).left(50))));
    QString name;
    ASSERT_TRUE(store.GetProfileName(0, name));
    EXPECT_EQ(name, "PROFILE0");
    EXPECT_EQ(store.GetProfileNum(), 1);
}

TYPED_TEST(AudioStoreTest, WithoutAProfileEveryProfileOperationReportsFalse) {
    typename TypeParam::Impl store(this->t.Host());
    ASSERT_FALSE(store.ImportProfile(this->UserFile(this->Doc(""))));
    ASSERT_EQ(store.GetProfileNum(), 0);
    QString text;
    QVector<CustomColor> colors;
    SoundSettings sound;
    QMap<int, EqMode> eqs;
    EqMode eq;
    QMap<int, SurroundMode> surrounds;
    SurroundMode surround;
    QVector<int> values;
    EXPECT_FALSE(store.SetProfileName(0, "x"));
    EXPECT_FALSE(store.GetProfileExe(0, text));
    EXPECT_FALSE(store.SetForeground(kSomeColors));
    EXPECT_FALSE(store.GetForeground(colors));
    EXPECT_FALSE(store.GetSoundSettings(sound));
    EXPECT_FALSE(store.SetSoundSettings(sound));
    EXPECT_FALSE(store.GetEqModes(eqs));
    EXPECT_FALSE(store.SetEqModes(eqs));
    EXPECT_FALSE(store.GetEqMode(1, eq));
    EXPECT_FALSE(store.SetEqMode(1, eq));
    EXPECT_FALSE(store.AddEqMode(eq));
    EXPECT_FALSE(store.DeleteEqMode(1));
    EXPECT_FALSE(store.RenameEqMode(1, "x"));
    EXPECT_FALSE(store.GetSurroundModes(surrounds));
    EXPECT_FALSE(store.SetSurroundModes(surrounds));
    EXPECT_FALSE(store.GetSurroundMode(1, surround));
    EXPECT_FALSE(store.SetSurroundMode(1, surround));
    EXPECT_FALSE(store.GetDistances(1, values));
    EXPECT_FALSE(store.SetAngles(1, QVector<int>(8, 0)));
    EXPECT_FALSE(store.AddSurroundMode(surround));
    EXPECT_FALSE(store.DeleteSurroundMode(1));
    EXPECT_FALSE(store.RenameSurroundMode(1, "x"));
    store.SetBass(3);
    store.SetCurrModeId(3);
    store.SetSurroundModeId(3);
    store.SetVssEnable(1, true);
    EXPECT_EQ(store.GetBass(), 0);
    EXPECT_EQ(store.GetCurrModeId(), 0);
    EXPECT_EQ(store.GetSurroundModeId(), 0);
    EXPECT_FALSE(store.GetVssEnable(1));
    EXPECT_EQ(store.GetProfileNum(), 0);
    // The empty store still saves, and a new store over that folder falls back to the defaults.
    ASSERT_TRUE(store.SaveProfile());
    typename TypeParam::Impl reloaded(this->t.Host());
    EXPECT_EQ(reloaded.GetProfileNum(), 1);
    EXPECT_EQ(reloaded.GetExportPath(), "");
}

// ---- Lighting: DS180 (five-byte effects) and AU320 (six bytes with brightness) ----

template <class Case>
class LitStoreTest : public AudioStoreTest<Case> {};
using LitCases = ::testing::Types<DS180Case, AU320Case>;
TYPED_TEST_SUITE(LitStoreTest, LitCases);

TYPED_TEST(LitStoreTest, SettingAnEffectSelectsItsMode) {
    typename TypeParam::Impl store(this->t.Host());
    using Effect = typename std::remove_reference_t<decltype(store)>::Effect;
    Effect e;
    std::memset(&e, 0, sizeof e);
    e.id = 3;
    e.red = 200;
    store.SetLightEffect(2, e);
    EXPECT_EQ(store.GetLightingMode(), 3);
    Effect read;  // the catalogue fills the list whole: only this stores one effect
    ASSERT_TRUE(store.GetLightEffect(2, read));
    EXPECT_EQ(read, e);
}

}  // namespace
}  // namespace prefbook::test
