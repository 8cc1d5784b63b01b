#include <gtest/gtest.h>

#include "pr940/PR940TestSupport.h"
#include "settings/DeviceType.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

struct PR940StoreTest : ::testing::Test {
    TestHost t;
    RecordingGlyphPress press;
    QString dir = t.habitat.ProfileDir(PR940);
    std::unique_ptr<PR940ProfileCfgImpl> Open() {
        return std::make_unique<PR940ProfileCfgImpl>(t.Host(), press);
    }
};

TEST_F(PR940StoreTest, TheLastDocumentTriedIsKeptWithoutFiveProfiles) {
    const QByteArray five = ReadAll(PREFBOOK_TEST_DATA "/pr940/distinct.xml");
    QByteArray four = five;
    four.replace(four.lastIndexOf("    <profile"),
                 four.lastIndexOf("</pr940>") - four.lastIndexOf("    <profile"), "");
    TestHost alone;
    PutDocument(alone.habitat.ProfileDir(PR940), 1, four);
    PR940ProfileCfgImpl kept(alone.Host(), press);
    EXPECT_EQ(kept.GetProfileNum(), 4);
    EXPECT_EQ(kept.GetExportPath(), "C:/export dir");
}

TEST_F(PR940StoreTest, UnknownNamesGiveTheFallbacks) {
    auto s = Open();
    s->AddOledProfile(0, "op");
    s->AddArtwork(0, "op", "art");
    QVector<uint32_t> out{7};
    EXPECT_FALSE(s->GetArtworkPixels(0, "op", "none", out));
    EXPECT_FALSE(s->GetArtworkPixels(0, "none", "art", out));
    EXPECT_EQ(out, QVector<uint32_t>({7}));
    EXPECT_EQ(s->GetArtworkPen(0, "op", "none"), 0);
    EXPECT_EQ(s->GetArtworkPen(0, "op", "art"), 1);
    EXPECT_EQ(s->GetOledProfile(0, "none").duration, 3.0);
    EXPECT_EQ(s->GetSurface(0, "none"), SurfaceTuning{});
    s->SetOledProfile(0, "new", OledProfile{});    // replaces only
    s->SetArtwork(0, "op", "new", OledArtwork{});  // likewise
    s->SetOledDuration(0, "none", 9);
    EXPECT_EQ(s->GetOledProfileMap(0).size(), 1u);
    EXPECT_EQ(s->GetArtworkMap(0, "op").size(), 1u);
    EXPECT_EQ(s->GetMacroMap(0).size(), 0u);
    EXPECT_EQ(s->GetProfileName(4), "PROFILE4");
}

TEST_F(PR940StoreTest, RenamesMoveTheEntryItsOwnNameAndTheCurrentNames) {
    auto s = Open();
    SurfaceTuning cloth{};
    SetSurfaceName(cloth, "carpet");
    cloth.learn1 = 5;
    s->SetSurface(0, "carpet", cloth);
    s->RenameSurface(0, "carpet", "ab");
    ASSERT_EQ(s->GetSurfaceMap(0).size(), 1u);
    const SurfaceTuning& renamed = s->GetSurface(0, "ab");
    EXPECT_EQ(std::string(renamed.name, sizeof(renamed.name)), "ab" + std::string(62, '\0'));
    EXPECT_EQ(int(renamed.learn1), 5);

    s->AddOledProfile(0, "a");
    s->SetCurrOledProfile(0, "a");
    s->AddArtwork(0, "a", "x");
    s->SetOledCurrArtwork(0, "a", "x");
    s->RenameArtwork(0, "a", "x", "y");
    s->RenameOledProfile(0, "a", "b");
    EXPECT_EQ(s->GetCurrOledProfile(0), "b");
    EXPECT_EQ(s->GetOledProfile(0, "b").name, "b");
    EXPECT_EQ(s->GetOledCurrArtwork(0, "b"), "y");
    EXPECT_EQ(s->GetArtwork(0, "b", "y").name, "y");
    EXPECT_EQ(s->GetOledProfileMap(0).count("a") + s->GetArtworkMap(0, "b").count("x"), 0u);

    const std::string longName(45, 'L');
    s->AddEmptyMacro(0, "m");
    s->SetMacroMode(0, "m", 4);
    s->RenameMacro(0, "m", longName);
    EXPECT_EQ(s->GetCurrMacro(0), "m");  // the current macro's name is not carried along
    EXPECT_EQ(std::string(s->GetMacro(0, longName).name, kMouseMacroNameBytes), longName.substr(0, 40));
    EXPECT_EQ(s->GetMacroMode(0, longName), 4);

    // To the same name, or from a missing one: no change.
    s->RenameMacro(0, longName, longName);
    s->RenameOledProfile(0, "missing", "b");
    s->RenameSurface(0, "ab", "");
    EXPECT_EQ(s->GetMacroMap(0).size(), 1u);
    EXPECT_EQ(s->GetOledProfile(0, "b").artworks.size(), 1u);
    EXPECT_EQ(s->GetSurfaceMap(0).count("ab"), 1u);
}

TEST_F(PR940StoreTest, SettersFollowTheStoreRules) {
    auto s = Open();
    s->SetProfileName(1, "");
    s->SetProfileExe(1, "a.exe");
    s->SetProfileExe(1, "");
    EXPECT_EQ(s->GetProfileName(1), "PROFILE1");
    EXPECT_EQ(s->GetProfileExe(1), "");

    s->AddOledProfile(1, "op");
    s->SetOledDuration(1, "op", 9);
    s->AddArtwork(1, "op", "art");
    s->SetArtworkPen(1, "op", "art", 0);
    EXPECT_EQ(s->GetArtwork(1, "op", "art").pen, 0);
    EXPECT_EQ(s->GetArtwork(1, "op", "art").background, 1);
    s->SetArtworkPen(1, "op", "art", 257);
    EXPECT_EQ(s->GetArtwork(1, "op", "art").pen, 1);
    EXPECT_EQ(s->GetArtwork(1, "op", "art").background, 0);
    s->RemoveArtwork(1, "op", "art");
    EXPECT_EQ(t.log.Lines(), QStringList({"Profile Idx: 1 Profile Name: opArtwork: art"}));
    s->AddArtwork(1, "op", "art");
    s->AddOledProfile(1, "op");  // resets
    EXPECT_EQ(s->GetOledProfile(1, "op").duration, 3.0);
    EXPECT_TRUE(s->GetArtworkMap(1, "op").empty());

    s->AddEmptyMacro(1, "gone");
    s->RemoveMacro(1, "gone");
    EXPECT_EQ(s->GetCurrMacro(1), "gone");
    EXPECT_EQ(s->GetMacroMode(1, "asked"), 0);  // leaves an empty macro behind, which is saved
    // Asking for a missing macro adds it all zero, its name field too (unlike AddEmptyMacro).
    s->GetMacro(1, "got").mode = 0;
    s->SetMacroMode(1, "moded", 0);
    for (const char* name : {"asked", "got", "moded"})
        EXPECT_EQ(s->GetMacroMap(1).at(name), MouseMacroRecord{}) << name;
    ASSERT_TRUE(s->SaveProfile());
    const QByteArray saved = ReadAll(dir + ListFolder(dir).value(0));
    EXPECT_TRUE(
        saved.contains("<macros path=\"\" currMacro=\"gone\">\n"
                       "            <macro name=\"asked\" mode=\"0\"/>\n"
                       "            <macro name=\"got\" mode=\"0\"/>"));
    EXPECT_TRUE(saved.contains("<op name=\"op\" currArtworkName=\"\" order=\"\" duration=\"3\"/>"));
}

}  // namespace
}  // namespace prefbook::test
