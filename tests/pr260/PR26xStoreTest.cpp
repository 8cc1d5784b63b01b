// The PR260 and PR261 stores: what their reader takes from a document, then imports, exports, the merge
// and the named entries.
#include <QFile>

#include "pr260/PR26xDistinct.h"
#include "pr260/PR26xTestSupport.h"

namespace prefbook::test {
namespace {

TYPED_TEST_SUITE(PR26xTest, PR26xStores);

TYPED_TEST(PR26xTest, ConfigValuesAreTakenByPositionWithSwitchesNarrowed) {
    QByteArray config = "<performance><config dpi_level=\"5\">";
    for (int k = 0; k < 7; ++k)
        config += "<dpi x=\"" + QByteArray::number(k + 1) + "\" y=\"9\" enable=\"0\"/>";
    // Foreign names, a child element inside a value, snapping 7 and lift-off 2, then one surplus value.
    config +=
        "<a>4</a><b>7</b><c><x/>2</c><d> -12 </d><e>300</e><f>8</f><g>9</g><h>77</h></config></performance>";
    PutDocument(this->dir, 1, this->Doc(1282, 5, config));
    auto store = this->Fresh();
    PerformanceConfig c{};
    ASSERT_TRUE(store->GetPerformanceConfig(0, c));
    EXPECT_EQ(c.dpiLevel, 5);
    EXPECT_EQ(+c.dpi[6].x, 7);
    EXPECT_EQ(+c.dpi[6].y, 9);
    EXPECT_EQ(c.dpiEnable[0], 0);
    EXPECT_EQ(c.pollingRate, 4);
    EXPECT_EQ(c.angleSnapping, 1);
    EXPECT_EQ(c.liftOffDistance, 1);
    EXPECT_EQ(+c.angleTunability, -12);
    EXPECT_EQ(c.osSensitivity, 300 & 0xFF);
    EXPECT_EQ(c.osDoubleClickSpeed, 8);
    EXPECT_EQ(c.buttonResponseTime, 9);
    EXPECT_EQ(c.reserved1, 10);  // not in the document: the defaults stay
    EXPECT_EQ(c.reserved2, 16);
}

TYPED_TEST(PR26xTest, ButtonsOutsideTheMappingAreIgnoredAndLoggedOncePerDocument) {
    const QByteArray buttons =
        "<buttons comboEnable=\"5\" comboView=\"0\"><mapping><btn id=\"12\" assign=\"65535\"/>"
        "<btn id=\"13\" assign=\"1\"/><btn id=\"200\" assign=\"2\"/><btn id=\"257\" assign=\"3\"/></mapping>"
        "<macros><macro name=\"M\" id=\"40\" mode=\"1\"/><macro name=\"N\" id=\"4\" "
        "mode=\"1\"/></macros></buttons>";
    PutDocument(this->dir, 1, this->Doc(1282, 5, buttons));
    auto store = this->Fresh();
    QVector<uint16_t> mapping;
    ASSERT_TRUE(store->GetMapping(0, mapping));
    QVector<uint16_t> expected(13, 0);
    expected[12] = 65535;
    expected[1] = 3;  // 257 names button 1 by its low byte
    EXPECT_EQ(mapping, expected);
    EXPECT_EQ(store->GetComboEnable(0), 1);
    ButtonMacroMap bound;
    ASSERT_TRUE(store->GetButtonMacros(0, bound));
    ASSERT_EQ(bound.size(), 1u);
    EXPECT_EQ(bound.begin()->first, 4);
    EXPECT_EQ(this->t.log.Count("Button id 13 is outside the 13 buttons; ignored."), 1);
    EXPECT_EQ(this->t.log.Lines().filter("outside the 13 buttons").size(), 1);
}

TYPED_TEST(PR26xTest, TheLastDocumentTriedIsKeptDespiteItsFlag) {
    // When it is the last one tried, what it read stays; four profiles never do.
    TestHost t;
    const QString dir = t.habitat.ProfileDir(this->model.deviceType);
    PutDocument(dir, 1, this->Doc(this->model.exportFlag, 5, "<buttons comboView=\"1\"/>"));
    PutDocument(dir, 2, this->Doc(1282, 4));
    PutDocument(dir, 3, "<" + this->root + " flag=\"1282\"><profile>");
    TypeParam kept(t.Host());
    EXPECT_EQ(kept.GetProfileNum(), 5);
    EXPECT_EQ(kept.GetComboView(0), 1);
    EXPECT_EQ(kept.GetProfileName(0), "P0");

    TestHost t2;
    PutDocument(t2.habitat.ProfileDir(this->model.deviceType), 1, this->Doc(1282, 4));
    TypeParam defaults(t2.Host());
    EXPECT_EQ(defaults.GetProfileName(4), "PROFILE5");
    EXPECT_EQ(defaults.GetCurrentProfileID(), 255);
    EXPECT_TRUE(defaults.DocumentPath().isEmpty());
}

TYPED_TEST(PR26xTest, ProfileImportsAcceptOnlyTheirOwnExports) {
    auto source = this->Fresh();
    FillDistinct(*source);  // current profile 3
    const QString one = this->t.habitat.GetTempDir() + "/one.xml";
    const QString all = this->t.habitat.GetTempDir() + "/all.xml";
    ASSERT_TRUE(source->ExportProfile(one));
    ASSERT_TRUE(source->ExportAllProfiles(all));

    auto target = this->Fresh();
    target->SetCurrentProfileID(1);
    ASSERT_TRUE(target->ImportProfile(one));
    EXPECT_EQ(target->GetProfileName(1), "Mouse 3");
    EXPECT_EQ(target->GetProfileName(3), "PROFILE4");
    ASSERT_TRUE(target->ImportAllProfiles(all));
    EXPECT_EQ(target->GetCurrentProfileID(), 3);
    EXPECT_TRUE(target->GetExportPath().isEmpty());  // an import brings profiles, not the store's paths
    target->SetExportPath(source->GetExportPath());
    target->SetOpenExePath(source->GetOpenExePath());
    EXPECT_EQ(this->State(*target), this->State(*source));

    // A broken file, and the other model's root under this model's flag (the store catalogue refuses
    // the other model's own files, which differ in their flag too), leave the store as it was.
    const uint16_t flag = this->model.exportFlag;
    auto fresh = this->Fresh();
    fresh->SetCurrentProfileID(0);
    const QByteArray before = this->State(*fresh);
    EXPECT_FALSE(fresh->ImportProfile(this->Put("broken.xml", this->Doc(flag, 1).left(60))));
    EXPECT_EQ(this->State(*fresh), before);
    const QByteArray otherRoot = this->root == "pr260" ? "pr261" : "pr260";
    EXPECT_FALSE(
        fresh->ImportAllProfiles(this->Put("root.xml", this->Doc(flag, 5).replace(this->root, otherRoot))));
    EXPECT_EQ(this->State(*fresh), before);
    fresh->SetCurrentProfileID(5);  // a current profile outside the list exports and imports nothing
    EXPECT_FALSE(fresh->ImportProfile(one));
    EXPECT_FALSE(fresh->ExportProfile(this->t.habitat.GetTempDir() + "/none.xml"));
    EXPECT_FALSE(QFile::exists(this->t.habitat.GetTempDir() + "/none.xml"));
}

TYPED_TEST(PR26xTest, MacroFilesCarryIdThreeAndMergeUnderFreeNames) {
    auto source = this->Fresh();
    FillDistinct(*source);
    const QString file = this->t.habitat.GetTempDir() + "/macros.xml";
    ASSERT_TRUE(source->ExportMacroFile(file));
    const QByteArray text = ReadAll(file);          // written with id 3 throughout (golden-checked)
    EXPECT_EQ(source->GetMacroId(3, "Fire3"), 13);  // the store keeps its own ids

    auto target = this->Fresh();
    target->SetCurrentProfileID(0);
    ASSERT_TRUE(target->ImportMacroFile(file));
    EXPECT_EQ(target->GetMacroPath(0), "C:/macros/3");
    EXPECT_EQ(target->GetCurrMacro(0), "Fire3");
    target->SetCurrMacro(0, "kept");
    ASSERT_TRUE(target->ImportMacroFile(file));
    ASSERT_TRUE(target->ImportMacroFile(file));
    std::vector<std::string> names;
    target->GetMacroNames(0, names);
    EXPECT_EQ(names, (std::vector<std::string>{"Fire3", "Fire3 - (1)", "Fire3 - (2)", "Zoom", "Zoom - (1)",
                                               "Zoom - (2)"}));
    EXPECT_EQ(target->GetCurrMacro(0), "kept");  // a profile with macros keeps its own path and current
    MouseMacroRecord renamed{};
    ASSERT_TRUE(target->GetMacro(0, "Fire3 - (2)", renamed));
    EXPECT_EQ(RecordName(renamed), "Fire3 - (2)");
    EXPECT_EQ(renamed.id, 3);
    EXPECT_EQ(renamed.actionCount, 1);
    EXPECT_EQ(+renamed.actions[0].timer, 1003);

    const QByteArray before = this->State(*target);
    const QByteArray other = this->root == "pr260" ? "pr261" : "pr260";
    for (const QByteArray& bad :
         {QByteArray(text).replace("13107", "13106"), QByteArray(text).replace(this->root, other),
          "<" + this->root + " flag=\"1282\"/>"}) {
        this->t.log.Clear();
        EXPECT_FALSE(target->ImportMacroFile(this->Put("bad.xml", bad)));
        EXPECT_TRUE(this->t.log.Contains("Import macro file format error."));
        EXPECT_EQ(this->State(*target), before);
    }
    EXPECT_FALSE(target->ImportMacroFile(this->Put("cut.xml", text.left(text.size() / 2))));
}

// The merge is the one PR941 shares, whose test checks every field of both sides over all profiles; here
// it runs over these models' documents, with the head that comes from memory.
TYPED_TEST(PR26xTest, MergeKeepsTheDevicesSideOfTheLoadedDocument) {
    const QString loaded = PutDocument(this->dir, 1, this->Golden("distinct"));
    auto s = this->Fresh();
    ASSERT_EQ(s->DocumentPath(), loaded);
    s->SetProfileName(0, "renamed");  // the software side
    s->SetDpiLevel(0, 6);             // the device side
    s->SetCurrentProfileID(4);
    if constexpr (TestFixture::kLit) s->SetForeground(0, {{1, 9, 9, 9, 9}});
    ASSERT_TRUE(s->MergeSaveProfile());
    EXPECT_EQ(ListFolder(this->dir).size(), 1);

    TestHost t;
    const QString dir = t.habitat.ProfileDir(this->model.deviceType);
    WriteFile(dir + "merged.xml", ReadAll(loaded));
    TypeParam merged(t.Host());
    ASSERT_EQ(merged.DocumentPath(), dir + "merged.xml");
    EXPECT_EQ(merged.GetProfileName(0), "renamed");
    EXPECT_EQ(merged.GetDpiLevel(0), 3);
    EXPECT_EQ(merged.GetCurrentProfileID(), 4);
    if constexpr (TestFixture::kLit) {
        QVector<CustomColor> foreground;
        merged.GetForeground(0, foreground);
        EXPECT_EQ(foreground, QVector<CustomColor>({{1, 9, 9, 9, 9}}));
    }

    // A document that has gone is not recreated; a store on defaults has none to merge into.
    QFile::remove(loaded);
    EXPECT_FALSE(s->MergeSaveProfile());
    EXPECT_TRUE(ListFolder(this->dir).isEmpty());
    EXPECT_FALSE(this->Fresh()->MergeSaveProfile());
}

TYPED_TEST(PR26xTest, NamedEntriesFollowTheirRules) {
    auto s = this->Fresh();
    std::string name;
    ASSERT_TRUE(s->GetButtonMacroName(0, 12, name));
    EXPECT_EQ(name, "MACRO");
    const std::string longName(45, 'L');
    s->AddEmptyMacro(0, longName);
    EXPECT_EQ(s->GetMacroId(0, longName), 13);
    EXPECT_EQ(s->GetMacroId(0, "missing"), 13);
    s->AddMacro(0, "B", MacroOf("B", 12, 4, {}));
    s->AddMacro(0, "A", MacroOf("A", 12, 4, {}));
    ASSERT_TRUE(s->GetButtonMacroName(0, 12, name));
    EXPECT_EQ(name, "A");  // the first in name order
    MouseMacroRecord m{};
    ASSERT_TRUE(s->GetMacro(0, longName, m));
    EXPECT_EQ(RecordName(m), longName.substr(0, 40));

    s->RenameMacro(0, "A", longName);
    s->RenameMacro(0, "B", "B");
    ASSERT_TRUE(s->GetMacro(0, longName, m));
    EXPECT_EQ(m.id, 12);
    EXPECT_EQ(RecordName(m), longName.substr(0, 40));
    std::vector<std::string> names;
    s->GetMacroNames(0, names);
    EXPECT_EQ(names, (std::vector<std::string>{"B", longName}));
    s->SetMacroMode(0, "nobody", 3);  // only existing macros are changed
    EXPECT_FALSE(s->GetMacro(0, "nobody", m));

    s->AddSurface(0, {"Pad", -1, 255});
    s->RenameSurface(0, "Pad", "Desk");
    s->SetSurface(0, "Nowhere", 1, 1);
    SurfaceValue v;
    ASSERT_TRUE(s->GetSurface(0, "Desk", v));
    EXPECT_EQ(v, (SurfaceValue{"Desk", -1, 255}));
    EXPECT_FALSE(s->GetSurface(0, "Pad", v) || s->GetSurface(0, "Nowhere", v));
    s->ResetSurfaces(0);
    SurfaceMap surfaces;
    s->GetSurfaces(0, surfaces);
    EXPECT_EQ(surfaces, DefaultSurfaces());
    EXPECT_EQ(s->GetCurrSurface(0), "DEFAULT SURFACE");

    s->SetMapping(0, QVector<uint16_t>(20, 5));
    QVector<uint16_t> mapping;
    s->GetMapping(0, mapping);
    EXPECT_EQ(mapping, QVector<uint16_t>(13, 5));

    if constexpr (TestFixture::kLit) {
        s->SetCustomRgb(0, {{{1, 2, 3}, {4, 5, 6}}});
        EXPECT_EQ(s->GetLightingMode(0), 176);  // custom colours select the custom mode
        s->SetForeground(0, {{1, 9, 9, 9, 9}, {1, 8, 8, 8, 8}});
        s->ClearForegroundEnables(0);
        QVector<CustomColor> foreground;
        ASSERT_TRUE(s->GetForeground(0, foreground));
        EXPECT_EQ(foreground, QVector<CustomColor>({{0, 9, 9, 9, 9}, {0, 8, 8, 8, 8}}));
        LightingModeEntry entry{};
        EXPECT_FALSE(s->GetLightingModeEntry(0, 4, entry));
    }
}

}  // namespace
}  // namespace prefbook::test
