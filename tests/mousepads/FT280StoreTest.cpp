#include <gtest/gtest.h>

#include "devices/mousepads/FT280ProfileCfgImpl.h"
#include "profilecore/DeviceType.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

const ModeSetting kWhite{0, 3, 255, 255, 255};

QByteArray Document(const QByteArray& profiles) {
    return "<?xml version=\"1.0\"?><ft280>" + profiles + "</ft280>";
}
QByteArray Profile(int currMode, const QByteArray& modes = "", const QByteArray& colors = "") {
    return "<profile><lighting curr_mode=\"" + QByteArray::number(currMode) + "\"><general>" + modes +
           "</general><foreground>" + colors + "</foreground></lighting></profile>";
}

class FT280StoreTest : public ::testing::Test {
protected:
    TestHost t;
    QString Dir(int type) { return t.habitat.ProfileDir(type); }
    // A document of the type's folder, minutes after a fixed start.
    void Put(int type, int minute, const QByteArray& content) { PutDocument(Dir(type), minute, content); }
};

class FT280SizeTest : public FT280StoreTest, public ::testing::WithParamInterface<int> {};

TEST_P(FT280SizeTest, SavedSizeReloadsAndLeavesTheOtherSizesAlone) {
    const int type = GetParam();
    for (int other : {FT280M, FT280L, FT280XL}) {
        if (other != type) Put(other, 0, Document(Profile(40 + other)));
    }
    // What the size itself saves and reloads is golden-checked per size by the store catalogue.
    ASSERT_TRUE(FT280ProfileCfgImpl(t.Host()).SaveProfile(type));
    FT280ProfileCfgImpl reloaded(t.Host());
    for (int other : {FT280M, FT280L, FT280XL}) {
        if (other == type) continue;
        EXPECT_EQ(ListFolder(Dir(other)), QStringList({"2025-01-01 10-00-00.xml"}));
        EXPECT_EQ(reloaded.GetCurrMode(other), 40 + other);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, FT280SizeTest, ::testing::Values(FT280M, FT280L, FT280XL));

TEST_F(FT280StoreTest, SetModeSettingReplacesTheEntryAndSelectsItsId) {
    FT280ProfileCfgImpl store(t.Host());
    store.SetModeSetting(FT280L, 2, {5, 1, 2, 3, 4});
    EXPECT_EQ(store.GetCurrMode(FT280L), 5);
    ModeSetting m{};
    ASSERT_TRUE(store.GetModeSetting(FT280L, 2, m));
    EXPECT_EQ(m, ModeSetting({5, 1, 2, 3, 4}));

    store.SetModeSetting(FT280L, 4, {6, 1, 2, 3, 4});  // past the four defaults
    EXPECT_EQ(store.GetCurrMode(FT280L), 5);
    EXPECT_FALSE(store.GetModeSetting(FT280L, 4, m));
    EXPECT_EQ(store.GetCurrMode(FT280M), 1);  // other sizes untouched
}

TEST_F(FT280StoreTest, ReaderKeepsLowBytesAndSkipsForeignElements) {
    Put(FT280XL, 0,
        Document("<other><profile/></other>" +
                 Profile(261, "<mode id=\"300\" speed=\"2\" red=\"1\" green=\"2\" blue=\"3\"/><x/>",
                         "<custom enable=\"5\" r=\"256\" g=\"1\" b=\"2\" a=\"3\"/><junk/>")));
    FT280ProfileCfgImpl store(t.Host());
    EXPECT_EQ(store.GetCurrMode(FT280XL), 5);
    QVector<ModeSetting> modes;
    QVector<CustomColor> colors;
    store.GetModeSettings(FT280XL, modes);
    store.GetCustomColors(FT280XL, colors);
    EXPECT_EQ(modes, QVector<ModeSetting>({{44, 2, 1, 2, 3}}));
    EXPECT_EQ(colors, QVector<CustomColor>({{1, 0, 1, 2, 3}}));
}

TEST_F(FT280StoreTest, ImportFailuresChangeOnlyWhatTheyRead) {
    FT280ProfileCfgImpl store(t.Host());
    const QString base = t.habitat.GetBaseDir();
    WriteFile(base + "/two.xml", Document(Profile(6) + Profile(7)));
    EXPECT_FALSE(store.ImportProfile(FT280M, base + "/two.xml"));
    EXPECT_EQ(store.GetCurrMode(FT280M), 6);  // taken although refused

    WriteFile(base + "/broken.xml", "<ft280><profile><lighting curr_mode=\"3\"><general></lighting>");
    EXPECT_FALSE(store.ImportProfile(FT280M, base + "/broken.xml"));
    // The list is now empty: nothing to work on, and nothing crashes.
    store.SetCurrMode(FT280M, 2);
    store.SetModeSetting(FT280M, 0, kWhite);
    QVector<ModeSetting> modes;
    EXPECT_EQ(store.GetCurrMode(FT280M), 0);
    EXPECT_FALSE(store.GetModeSettings(FT280M, modes));
    EXPECT_FALSE(store.SetCustomColors(FT280M, {}));
}

}  // namespace
}  // namespace prefbook::test
