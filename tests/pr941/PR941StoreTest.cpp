#include <QFile>

#include "pr260/PR26xTestSupport.h"
#include "pr941/PR941Distinct.h"

namespace prefbook::test {
namespace {

class PR941Test : public PR26xTest<PR941ProfileCfgImpl> {
protected:
    // The newest document of the store's folder.
    QByteArray Saved() {
        const QStringList files = ListFolder(dir);
        return files.isEmpty() ? QByteArray() : ReadAll(dir + files.last());
    }
    // A document of n profiles whose lighting holds the given number of modes.
    QByteArray WithModes(uint16_t flag, int profiles, int modes) {
        QByteArray general = "<lighting><general>";
        for (int m = 0; m < modes; ++m) general += "<mode id=\"" + QByteArray::number(m) + "\"/>";
        return Doc(flag, profiles, general + "</general></lighting>");
    }
};

TEST_F(PR941Test, WriterProducesTheGoldenDocuments) {
    auto store = Fresh();
    ASSERT_TRUE(store->SaveProfile());
    EXPECT_EQ(Saved(), Golden("default"));

    FillDistinct(*store);
    t.clock.Advance(1);
    ASSERT_TRUE(store->SaveProfile());
    EXPECT_EQ(Saved(), Golden("distinct"));
}

// Loading a golden document and saving it again gives it back byte for byte, so every field was read.
TEST_F(PR941Test, ReaderTakesEveryFieldOfTheGoldenDocuments) {
    for (const char* name : {"default", "distinct"}) {
        TestHost host;
        const QString folder = host.habitat.ProfileDir(10);
        const QString loaded = PutDocument(folder, 1, Golden(name));
        PR941ProfileCfgImpl store(host.Host());
        EXPECT_EQ(store.DocumentPath(), loaded);
        ASSERT_TRUE(store.SaveProfile());
        EXPECT_EQ(ReadAll(folder + ListFolder(folder).last()), Golden(name)) << name;
    }
}

TEST_F(PR941Test, AllProfileFilesCarryTheStoreFlagAndThePaths) {
    auto source = Fresh();
    FillDistinct(*source);
    const QString all = t.habitat.GetTempDir() + "/all.xml";
    ASSERT_TRUE(source->ExportAllProfiles(all));
    EXPECT_EQ(ReadAll(all), Golden("distinct"));

    auto target = Fresh();
    ASSERT_TRUE(target->ImportAllProfiles(all));
    EXPECT_EQ(State(*target), State(*source));
}

TEST_F(PR941Test, ImportsRefuseEveryOtherKindAndLeaveTheStore) {
    auto source = Fresh();
    FillDistinct(*source);  // current profile 3, two lighting modes
    for (uint8_t id = 20; id < 31; ++id) {
        StarsModeEntry entry{};
        entry.id = id;
        source->SetLightingModeEntry(3, id, entry);
    }
    const QString one = t.habitat.GetTempDir() + "/one.xml";
    ASSERT_TRUE(source->ExportProfile(one));
    EXPECT_TRUE(ReadAll(one).startsWith(
        QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PR941 flag=\"609\"")));

    auto target = Fresh();
    target->SetCurrentProfileID(1);
    ASSERT_TRUE(target->ImportProfile(one));
    PR941Profile got, want;
    target->GetProfile(1, got);
    source->GetProfile(3, want);
    EXPECT_EQ(got.name, want.name);
    EXPECT_EQ(got.wireless, want.wireless);
    EXPECT_EQ(got.lighting.custom, want.lighting.custom);

    const struct {
        const char* what;
        QByteArray xml;
        bool forOne;
    } refused[] = {
        {"twelve modes", WithModes(609, 1, 12), true},
        {"fourteen modes", WithModes(609, 1, 14), true},
        {"store flag", WithModes(1282, 1, 13), true},
        {"PR260 export flag", WithModes(608, 1, 13), true},
        {"two profiles", WithModes(609, 2, 13), true},
        {"export flag for all", Doc(609, 5), false},
        {"four profiles", Doc(1282, 4), false},
        {"macro file flag", Doc(13107, 5), false},
        {"PR261 root", Doc(1282, 5).replace("PR941", "pr261"), false},
        {"lower-case root", Doc(1282, 5).replace("PR941", "pr941"), false},
        {"broken", Doc(1282, 5).left(80), false},
    };
    auto fresh = Fresh();
    fresh->SetCurrentProfileID(0);
    const QByteArray before = State(*fresh);
    for (const auto& c : refused) {
        const QString path = Put("refused.xml", c.xml);
        EXPECT_FALSE(c.forOne ? fresh->ImportProfile(path) : fresh->ImportAllProfiles(path)) << c.what;
        EXPECT_EQ(State(*fresh), before) << c.what;
    }
    EXPECT_TRUE(fresh->ImportProfile(Put("thirteen.xml", WithModes(609, 1, 13))));
}

TEST_F(PR941Test, MacroFilesUseTheUpperCaseRoot) {
    auto store = Fresh();
    FillDistinct(*store);
    const QString file = t.habitat.GetTempDir() + "/macros.xml";
    ASSERT_TRUE(store->ExportMacroFile(file));
    EXPECT_TRUE(ReadAll(file).contains("<PR941 flag=\"13107\">\n    <macros path=\"C:/macros/3\""));
    store->SetCurrentProfileID(0);
    ASSERT_TRUE(store->ImportMacroFile(file));
    EXPECT_EQ(store->GetMacroId(0, "Zoom - (1)"), 3);

    PR260ProfileCfgImpl other(t.Host());
    other.SetCurrentProfileID(0);
    EXPECT_FALSE(other.ImportMacroFile(file));
    EXPECT_TRUE(t.log.Contains("Import macro file format error."));
    EXPECT_FALSE(store->ImportMacroFile(Put("bad.xml", "<PR941 flag=\"13107\"><macros>")));
    EXPECT_EQ(t.log.Lines().filter("Parse PR941 macros Failed. ").size(), 1);
    EXPECT_FALSE(store->ImportProfile(Put("bad.xml", "<PR941 flag=\"609\"><profile><buttons>")));
    EXPECT_EQ(t.log.Lines().filter("Parse PR941 XML Failed. ").size(), 1);
}

// Every operation on a profile index outside 0..4 and a DPI step past 4 does nothing and answers
// with the fallback values.
TEST_F(PR941Test, BadIndexesAnswerFallbacks) {
    auto s = Fresh();
    FillDistinct(*s);
    const QByteArray before = State(*s);
    for (int idx : {-1, 5, 255}) {
        SCOPED_TRACE(idx);
        WirelessSettings w{1, 1, 1};
        MusicLighting music{1, {}};
        LedColors leds{};
        leds.colors[0].r = 1;
        StarsModeEntry entry{};
        entry.red = 1;
        PerformanceConfig5 c{};
        c.dpiLevel = 9;
        EXPECT_FALSE(s->GetWireless(idx, w) || s->GetMusic(idx, music) || s->GetCustomRgb(idx, leds) ||
                     s->GetLightingModeEntry(idx, 1, entry) || s->GetPerformanceConfig(idx, c));
        EXPECT_EQ(w, WirelessSettings{});
        EXPECT_EQ(music, MusicLighting{});
        EXPECT_EQ(leds, LedColors{});
        EXPECT_EQ(entry, StarsModeEntry{});
        EXPECT_EQ(c.dpiLevel, 0);
        EXPECT_EQ(s->GetStarsMode(idx) + s->GetLightingMode(idx) + s->GetDpiLevel(idx), 0);
        s->SetWireless(idx, {5, 5, 5});
        s->SetMusic(idx, {});
        s->SetStarsMode(idx, 3);
        s->SetCustomRgb(idx, {});
        s->SetDpiStep(idx, 0, 9);
    }
    s->SetDpiStep(0, 5, 9);
    EXPECT_EQ(State(*s), before);
    s->SetCustomRgb(0, {});  // choosing the LED colours selects the custom mode
    EXPECT_EQ(s->GetLightingMode(0), kCustomRgbLightingMode);
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

TEST_F(PR941Test, MergeWithoutItsDocumentWritesNothing) {
    auto fresh = Fresh();  // defaults: no document was loaded
    EXPECT_FALSE(fresh->MergeSaveProfile());
    EXPECT_TRUE(ListFolder(dir).isEmpty());

    const QString loaded = PutDocument(dir, 1, Golden("default"));
    auto store = Fresh();
    ASSERT_TRUE(QFile::remove(loaded));
    EXPECT_FALSE(store->MergeSaveProfile());
    EXPECT_TRUE(ListFolder(dir).isEmpty());

    PutDocument(dir, 1, Doc(1282, 4));  // now too few profiles to merge into
    EXPECT_FALSE(store->MergeSaveProfile());
    EXPECT_EQ(ReadAll(loaded), Doc(1282, 4));
}

}  // namespace
}  // namespace prefbook::test
