#include "pr260/PR26xDistinct.h"
#include "pr260/PR26xTestSupport.h"

namespace prefbook::test {
namespace {

class PR941Test : public PR26xTest<PR941ProfileCfgImpl> {
protected:
    // A document of n profiles whose lighting holds the given number of modes.
    QByteArray WithModes(uint16_t flag, int profiles, int modes) {
        QByteArray general = "<lighting><general>";
        for (int m = 0; m < modes; ++m) general += "<mode id=\"" + QByteArray::number(m) + "\"/>";
        return Doc(flag, profiles, general + "</general></lighting>");
    }
};

// The all profiles export is the store document itself, paths included.
TEST_F(PR941Test, AllProfilesExportIsTheStoreDocument) {
    auto source = Fresh();
    FillDistinct(*source);
    const QString all = t.habitat.GetTempDir() + "/all.xml";
    ASSERT_TRUE(source->ExportAllProfiles(all));
    EXPECT_EQ(ReadAll(all), Golden("distinct"));
}

// A one-profile import needs all thirteen lighting modes, no more and no fewer.
TEST_F(PR941Test, OneProfileImportNeedsThirteenModes) {
    auto store = Fresh();
    store->SetCurrentProfileID(0);
    const QByteArray before = State(*store);
    for (int modes : {12, 14}) {
        EXPECT_FALSE(store->ImportProfile(Put("refused.xml", WithModes(609, 1, modes)))) << modes;
        EXPECT_EQ(State(*store), before) << modes;
    }
    // The root is matched with its case, and a PR260 export is not a PR941 one.
    EXPECT_FALSE(store->ImportAllProfiles(Put("lower.xml", Doc(1282, 5).replace("PR941", "pr941"))));
    EXPECT_FALSE(store->ImportProfile(Put("pr260.xml", WithModes(608, 1, 13))));
    EXPECT_EQ(State(*store), before);
    EXPECT_TRUE(store->ImportProfile(Put("thirteen.xml", WithModes(609, 1, 13))));
    EXPECT_NE(State(*store), before);
}

TEST_F(PR941Test, MacroFileImportsAndTheParseMessages) {
    auto store = Fresh();
    FillDistinct(*store);
    const QString file = t.habitat.GetTempDir() + "/macros.xml";
    ASSERT_TRUE(store->ExportMacroFile(file));
    store->SetCurrentProfileID(0);
    ASSERT_TRUE(store->ImportMacroFile(file));
    EXPECT_EQ(store->GetMacroId(0, "Zoom - (1)"), 3);

    EXPECT_FALSE(store->ImportMacroFile(Put("bad.xml", "<PR941 flag=\"13107\"><macros>")));
    EXPECT_EQ(t.log.Lines().filter("Parse PR941 macros Failed. ").size(), 1);
    EXPECT_FALSE(store->ImportProfile(Put("bad.xml", "<PR941 flag=\"609\"><profile><buttons>")));
    EXPECT_EQ(t.log.Lines().filter("Parse PR941 XML Failed. ").size(), 1);
}

// The merge writes the user's side of memory (names, macros, surfaces, foreground) over the loaded
// document and keeps what the device side stored there.
TEST_F(PR941Test, MergeKeepsTheStoredDeviceSide) {
    const QString loaded = PutDocument(dir, 1, Golden("distinct"));
    auto store = Fresh();
    ASSERT_EQ(store->DocumentPath(), loaded);
    for (int i = 0; i < 5; ++i) {
        store->SetProfileName(i, "merged" + std::to_string(i));
        store->SetPerformanceConfig(i, DefaultPerformanceConfig5());
        store->SetWireless(i, {});
        store->SetStarsMode(i, 99);
        store->SetComboEnable(i, 1);
        store->ClearForegroundEnables(i);
        store->ResetSurfaces(i);
        store->SetMacros(i, {});
        store->SetButtonMapping(i, 0, 7);
        store->SetProfileExe(i, "merged.exe");
        store->SetComboView(i, 0);
        store->ClearButtonMacros(i);
        store->SetMacroPath(i, "merged/macros");
    }
    store->SetExportPath("merged/export");
    ASSERT_TRUE(store->MergeSaveProfile());
    ASSERT_EQ(ListFolder(dir).size(), 1);  // rewritten in place, no new document

    TestHost host;
    const QString folder = host.habitat.ProfileDir(10);
    PutDocument(folder, 1, ReadAll(loaded));
    PR941ProfileCfgImpl reread(host.Host());
    ASSERT_EQ(reread.DocumentPath(), folder + ListFolder(folder).first());
    EXPECT_EQ(reread.GetExportPath(), "merged/export");
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        PR941Profile got, mine;
        reread.GetProfile(i, got);
        store->GetProfile(i, mine);
        EXPECT_EQ(
            std::tie(got.name, got.exe, got.comboView, got.currSurface, got.macroPath, got.currMacro),
            std::tie(mine.name, mine.exe, mine.comboView, mine.currSurface, mine.macroPath, mine.currMacro));
        EXPECT_TRUE(got.buttonMacros.empty());
        EXPECT_EQ(got.surfaces, DefaultSurfaces());
        EXPECT_TRUE(got.macros.empty());
        EXPECT_EQ(got.lighting.foreground, mine.lighting.foreground);
        // From the file: config, wireless, the rest of the lighting, combo switch and mapping.
        EXPECT_EQ(+got.config.dpi[0], 100 + i);
        EXPECT_EQ(+got.wireless.time, 600 + i);
        EXPECT_EQ(got.lighting.starsMode, 10 + i);
        EXPECT_EQ(got.comboEnable, 0);
        EXPECT_EQ(got.mapping[0], 100 * (i + 1));
    }
}

// A gone document and a store on defaults are the PR26x merge test's (the same merge); here a document
// that no longer holds the store's five profiles.
TEST_F(PR941Test, MergeWithoutItsDocumentWritesNothing) {
    const QString loaded = PutDocument(dir, 1, Golden("default"));
    auto store = Fresh();
    WriteFile(loaded, Doc(1282, 4));
    EXPECT_FALSE(store->MergeSaveProfile());
    EXPECT_EQ(ReadAll(loaded), Doc(1282, 4));
}

}  // namespace
}  // namespace prefbook::test
