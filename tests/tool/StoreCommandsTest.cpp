#include <QImage>

#include "ToolRunner.h"
#include "devices/mice/PR940ProfileCfgImpl.h"
#include "hostservices/DefaultGlyphPress.h"

namespace prefbook::test {
namespace {

// --- overview, show, rename ---

TEST_F(StoreCommands, OverviewListsEveryStoreWithTheDocumentItLoaded) {
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    Place("tl480-broken.xml", "TL460B", "2026-03-14 15-09-26.xml", 0);
    const Result result = RunHere({"overview"});
    EXPECT_EQ(result.exitCode, 1);  // the TL460 store fell back to its defaults
    const int stores = result.out.indexOf("Profile stores\n");
    ASSERT_GE(stores, 0);
    ExpectGolden("overview-stores.txt", result.out.mid(stores), true);
}

// The text of show and validate; show draws it from the same cells as its JSON, so the goldens cover
// both.
TEST_F(StoreCommands, ShowPrintsTheProfilesAsTheStoreLoadedThem) {
    const struct {
        const char *fixture, *folder;  // a document placed first, if any
        QStringList args;
        int exitCode;
        const char* golden;
    } outputs[] = {
        {"tl480-store.xml", "TL480B", {"show", "tl480w"}, 0, "show-tl480.txt"},
        {nullptr, nullptr, {"show", "KR720"}, 0, "show-kr720-defaults.txt"},
        {"../pr261/distinct.xml", "PR261", {"show", "pr261"}, 0, "show-pr261.txt"},
        {"../pr941/distinct.xml", "PR941", {"show", "pr941"}, 0, "show-pr941.txt"},
        {nullptr, nullptr, {"validate", kData + "tl480-broken.xml"}, 1, "validate-tl480-broken.txt"},
        {nullptr, nullptr, {"validate", kData + "kr720-macros.xml"}, 0, "validate-kr720-macros.txt"}};
    for (const auto& output : outputs) {
        if (output.fixture) Place(output.fixture, output.folder, "2026-03-14 15-09-26.xml", 0);
        const Result result = RunHere(output.args);
        EXPECT_EQ(result.exitCode, output.exitCode) << result.err.toStdString();
        ExpectGolden(output.golden, result.out);
    }
}

// Every store shows as many rows as overview counts profiles (KR720: five per profile), and doctor
// walks the folder of every store.
TEST_F(StoreCommands, EveryStoreShowsItsProfilesAsJson) {
    QStringList models;
    for (const QJsonValue& value : Json({"overview"})["stores"].toArray()) {
        const QJsonObject store = value.toObject();
        const QString name = store["commands"].toArray()[0].toString();
        const int perProfile = name == "kr720" ? 5 : 1;
        EXPECT_EQ(ShowRows(name).size(), store["profiles"].toInt() * perProfile) << name.toStdString();
        models << store["model"].toString();
    }
    QStringList doctored;
    for (const QJsonValue& f : Json({"doctor"})["folders"].toArray()) {
        doctored << f.toObject()["model"].toString();
        EXPECT_EQ(f.toObject()["document"].toString(), "defaults");
    }
    EXPECT_EQ(doctored, models);
}

struct RenameCase {
    const char* model;
    const char* folder;
    int index, count;
    QVector<int> rows;  // show rows that carry the profile's name
};

class Rename : public StoreCommands, public ::testing::WithParamInterface<RenameCase> {};

// An index past the store's profiles is refused; the rename saves one document; after a second
// rename, restore makes it what the next run loads.
TEST_P(Rename, SavesANewDocumentThatTheNextRunLoads) {
    const RenameCase& c = GetParam();
    const QString index = QString::number(c.index), count = QString::number(c.count);
    const Result beyond = RunHere({"rename", c.model, count, "Game"});
    EXPECT_EQ(beyond.exitCode, 2);
    EXPECT_EQ(beyond.err,
              "prefbookctl: bad index '" + count + "': expected 0 to " + QString::number(c.count - 1) + "\n");
    const Result result = RunOk({"rename", c.model, index, "Sniper Élite"});
    EXPECT_EQ(result.out, "profile " + index + " renamed to Sniper Élite\n");
    const QStringList documents = Documents(c.folder);
    ASSERT_EQ(documents.size(), 1);
    EXPECT_TRUE(Text("/profile/" + QString(c.folder) + "/" + documents[0]).contains("name=\"Sniper Élite\""));

    ASSERT_EQ(RunHere({"rename", c.model, index, "Second"}).exitCode, 0);
    const Result restore = RunOk({"restore", c.model});
    const QJsonArray rows = ShowRows(c.model);
    for (int row : c.rows) EXPECT_EQ(rows[row].toObject()["name"].toString(), "Sniper Élite") << row;
    if (rows.size() > 1) {
        EXPECT_NE(rows[c.rows.first() == 0 ? rows.size() - 1 : 0].toObject()["name"].toString(),
                  "Sniper Élite");
    }
}

// The white models of a family share the black one's store and folder.
INSTANTIATE_TEST_SUITE_P(Prefbookctl, Rename,
                         ::testing::Values(RenameCase{"tl460w", "TL460B", 3, 5, {3}},
                                           RenameCase{"kr720", "KR720", 4, 5, {20, 21, 22, 23, 24}},
                                           RenameCase{"au340", "AU340", 0, 1, {0}},
                                           RenameCase{"pr261", "PR261", 2, 5, {2}},
                                           RenameCase{"pr940", "PR940", 2, 5, {2}},
                                           RenameCase{"bx330v2", "BX330V2", 2, 5, {2}},
                                           RenameCase{"keydeck_c", "KEYDECK_C", 7, 24, {7}}),
                         [](const auto& info) { return std::string(info.param.model); });

// --- validate ---

struct ValidateCase {
    const char* label;
    QString file;  // under tests/data/tool
    int exitCode;
    QString model, kind;
    int count;
    bool storeAccepts;
    QString import;   // start of the import command, empty for none
    QString problem;  // a problem that must be listed, empty for none at all
};

class Validate : public StoreCommands, public ::testing::WithParamInterface<ValidateCase> {};

TEST_P(Validate, ReadsTheFileWithItsStoresReader) {
    const ValidateCase& c = GetParam();
    const QString path = QDir::cleanPath(kData + c.file);
    const Result result = RunHere({"--json", "validate", path});
    EXPECT_EQ(result.exitCode, c.exitCode) << result.out.toStdString() << result.err.toStdString();
    const QJsonObject json = ParseJson(result.out);
    EXPECT_EQ(json.keys(), QStringList({"count", "file", "flag", "import", "kind", "model", "problems",
                                        "read", "storeAccepts", "storeLoad", "unit", "valid"}));
    EXPECT_EQ(json["file"].toString(), path);
    EXPECT_EQ(json["model"].toString(), c.model);
    EXPECT_EQ(json["kind"].toString(), c.kind);
    EXPECT_EQ(json["count"].toInt(), c.count);
    EXPECT_EQ(json["storeAccepts"].toBool(), c.storeAccepts);
    EXPECT_EQ(json["valid"].toBool(), c.exitCode == 0);
    // The hint names the base folder, so that copying it acts on the same one.
    const QString hint = json["import"].toString();
    EXPECT_TRUE(QString(hint).replace("--base " + Base() + " ", "").startsWith(c.import))
        << hint.toStdString();
    EXPECT_EQ(hint.isEmpty(), c.import.isEmpty());
    const QString problems = QJsonDocument(json["problems"].toArray()).toJson(QJsonDocument::Compact);
    EXPECT_TRUE(c.problem.isEmpty() ? problems == "[]" : problems.contains(c.problem))
        << problems.toStdString();
}

const ValidateCase kValidateCases[] = {
    {"storeDocument", "tl480-store.xml", 0, "TL480", "store document", 5, true, "", "size[6]"},
    {"wrongProfileCount", "tl480-four.xml", 1, "TL480", "store document", 4, false, "",
     "holds 4 profiles, the store expects 5"},
    {"malformed", "tl480-broken.xml", 1, "TL480", "store document", 0, false, "", "line 15, column 36: "},
    {"foreignRoot", "foreign.xml", 1, "", "unknown", 0, false, "",
     "root element 'preferences' belongs to no store"},
    {"notXml", "notes.txt", 1, "", "unknown", 0, false, "", "no root element"},
    {"kr720StoreDocument", "../kr720/distinct.xml", 0, "KR720", "store document", 25, true, "", ""},
    {"macroFile", "kr720-macros.xml", 0, "KR720", "macro file", 2, false,
     "prefbookctl import kr720 --kind macros ", ""},
    {"surplusActions", "kr720-long-macro.xml", 0, "KR720", "macro file", 1, false,
     "prefbookctl import kr720 --kind macros ", "holds more than 199 actions"},
    {"unknownFlag", "kr720-macros-flag8737.xml", 1, "KR720", "unknown", 0, false, "",
     "flag 8737 marks no KR720 file"},
    {"importTakesOneProfile", "ds180-two.xml", 0, "DS180", "store document or export", 2, true, "",
     "holds 2 profiles, an import takes exactly 1"},
    {"noProfile", "ft280-empty.xml", 1, "FT280", "store document or profile export", 0, false, "",
     "holds 0 profiles, 1 expected"},
    {"shortRecord", "short.bin", 0, "FT610",
     "store document (binary record, known by its \".bin\" name only: 100 bytes, a record is 150)", 1, true,
     "", "holds 100 bytes, a record is 150 (the rest reads as zero)"},
    {"record", "record.bin", 0, "FT610",
     "store document (binary record, known by its \".bin\" name only: 150 bytes, a record is 150)", 1, true,
     "", ""},
    {"pr940", "../pr940/distinct.xml", 0, "PR940", "store document", 5, true, "",
     "Load artwork image art/10/Show/Logo.bmp Failed : no such file."},
    {"bxStoreDocument", "../bx330v2/distinct.xml", 0, "BX330V2", "store document", 5, true, "", ""},
    {"pr941AllProfiles", "../pr941/distinct.xml", 0, "PR941", "store document", 5, true,
     "prefbookctl import pr941 --kind all ", ""},
    {"pr941ProfileWithoutEveryMode", "pr941-twelve-modes.xml", 1, "PR941", "profile export", 1, false, "",
     "holds 12 lighting modes; a profile import needs 13"},
};

INSTANTIATE_TEST_SUITE_P(Prefbookctl, Validate, ::testing::ValuesIn(kValidateCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(StoreCommands, ValidateOfAMissingFileFails) {
    const Result result = RunHere({"validate", Base() + "/nothing.xml"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "prefbookctl: cannot open " + Base() + "/nothing.xml: No such file or directory\n");
}

// --- doctor ---

TEST_F(StoreCommands, DoctorExplainsABrokenNewestDocument) {
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    Place("tl480-broken.xml", "TL480B", "2026-03-14 15-09-28.xml", 2);
    Place("foreign.xml", "TL480B", "notes.txt", 3);
    Place("tl480-four.xml", "TL480B", "2026-03-14 15-09-20.xml", -6);
    const Result result = RunHere({"doctor", "tl480"});
    EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
    ExpectGolden("doctor-broken-newest.txt", result.out);

    const QJsonObject folder =
        ParseJson(RunHere({"--json", "doctor", "tl480"}).out)["folders"].toArray()[0].toObject();
    EXPECT_EQ(folder["document"].toString(), "2026-03-14 15-09-26.xml");
    const QJsonObject broken = folder["files"].toArray()[1].toObject();
    EXPECT_EQ(broken["verdict"].toString(), "skipped");
    EXPECT_EQ(broken["nextSave"].toString(), "kept");
    EXPECT_EQ(broken["reason"].toString(),
              "parse error at line 15, column 36: Expected '>' or '/', but got '<'.");
    // What it predicts is what the store does.
    EXPECT_EQ(ShowRows("tl480")[1].toObject()["name"].toString(), "Shooter");
}

TEST_F(StoreCommands, DoctorWarnsWhenTheStoreFallsBackToDefaultsAlthoughDocumentsExist) {
    // A record export read without error, then a document that does not parse: the KR720 store keeps
    // neither.
    ASSERT_EQ(RunHere({"export", "kr720", Base() + "/record.xml", "--kind", "record"}).exitCode, 0);
    HandWrite("/profile/KR720/2026-03-14 15-09-26.xml", Text("/record.xml"));
    SetModified(Base() + "/profile/KR720/2026-03-14 15-09-26.xml", kT0);
    Place("tl480-broken.xml", "KR720", "2026-03-14 15-09-27.xml", 1);
    Place("notes.txt", "KR720", "2026-03-14 15-09-30.tmp", 4);
    const Result result = RunHere({"doctor", "kr720"});
    EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
    ExpectGolden("doctor-kr720-defaults.txt", result.out);
    // What it predicts is what the store does, and the store says so rather than look empty.
    const Result overview = RunHere({"--json", "overview"});
    EXPECT_EQ(overview.exitCode, 1);
    const QJsonObject kr720 = ParseJson(overview.out)["stores"].toArray()[0].toObject();
    EXPECT_EQ(kr720["document"].toString(), "defaults");
    EXPECT_EQ(kr720["note"].toString(), "2 documents not loaded");
    EXPECT_TRUE(RunOk({"show", "kr720"})
                    .out.startsWith("Note: KR720 shows its defaults: it could not load the 2 "
                                    "documents in " +
                                    Base() + "/profile/KR720/"));
}

// --- export and import ---

struct RoundTrip {
    const char* label;
    QString model;
    QStringList exportArgs = {};  // after "export MODEL FILE"
    QStringList importArgs = {};  // after "import MODEL FILE"
    QString importModel = {};     // when not the model
};

class ExportImport : public StoreCommands, public ::testing::WithParamInterface<RoundTrip> {};

// Export from one base folder, import into a fresh one: the import saves a document there, and the
// profile reads back the same.
TEST_P(ExportImport, RoundTripThroughTheStoresOperations) {
    const RoundTrip& c = GetParam();
    const QString file = Base() + "/exchange.xml";
    const QString importModel = c.importModel.isEmpty() ? c.model : c.importModel;
    // Something to carry over where the store has names, and macros for the macro file.
    if (c.model == "kr720") {
        ASSERT_EQ(RunHere({"rename", "kr720", "2", "Racer"}).exitCode, 0);
        const QStringList macros{"import", "kr720", kData + "kr720-macros.xml", "--kind", "macros"};
        ASSERT_EQ(RunHere(macros + QStringList{"--profile", "2", "--aim-mode", "1"}).exitCode, 0);
    } else if (c.model == "ds180") {
        ASSERT_EQ(RunHere({"rename", "ds180", "0", "Cinema"}).exitCode, 0);
    }
    const Result exported = RunOk(QStringList{"export", c.model, file} + c.exportArgs);
    if (c.model == "kr720") {  // the exports share a root element, validate tells them apart by flag
        const QJsonObject validated = Json({"validate", file});
        EXPECT_FALSE(validated["storeAccepts"].toBool());
        EXPECT_EQ(validated["import"].toString(),
                  "prefbookctl --base " + Base() + " import kr720 --kind " + c.exportArgs[1] + " " + file);
    }

    QTemporaryDir other;
    const auto runThere = [&](const QStringList& args) {
        return RunTool(QStringList{"--base", other.path()} + args);
    };
    const Result imported = runThere(QStringList{"import", importModel, file} + c.importArgs);
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    const QStringList saved = QDir(other.path() + "/profile/" + importModel.toUpper()).entryList(QDir::Files);
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(imported.out.endsWith("; saved " + saved[0] + "\n")) << imported.out.toStdString();

    const QJsonArray rows = ParseJson(runThere({"--json", "show", importModel}).out)["profiles"].toArray();
    if (c.model != "kr720") {
        // The imported store exports the same file again.
        const QString again = other.path() + "/again.xml";
        ASSERT_EQ(runThere({"export", importModel, again}).exitCode, 0);
        EXPECT_EQ(ReadAll(again), ReadAll(file));
        if (c.model == "ds180") {
            EXPECT_EQ(rows[0].toObject()["name"].toString(), "Cinema");
        }
    } else if (c.exportArgs[1] == "profile") {  // profile 2 into profile 4
        for (int m = 0; m < 5; ++m) EXPECT_EQ(rows[20 + m].toObject()["name"].toString(), "Racer");
        EXPECT_EQ(rows[20].toObject()["aimModeName"].toString(), "NORMAL");
        EXPECT_EQ(rows[21].toObject()["macros"].toArray(), QJsonArray({"burst", "hello"}));
    } else if (c.exportArgs[1] == "record") {  // record 11 into record 3
        EXPECT_EQ(rows[3].toObject()["name"].toString(), "Racer");
        EXPECT_EQ(rows[3].toObject()["aimModeName"].toString(), "FPS");
        EXPECT_EQ(rows[3].toObject()["macros"].toArray(), QJsonArray({"burst", "hello"}));
        EXPECT_EQ(rows[4].toObject()["name"].toString(), "PROFILE0");
    } else if (c.exportArgs[1] == "macros") {  // macros of record 11 into record 0
        EXPECT_EQ(rows[0].toObject()["macros"].toArray(), QJsonArray({"burst", "hello"}));
        EXPECT_EQ(rows[0].toObject()["name"].toString(), "PROFILE0");
    } else {  // aimpad settings of profile 2 into profile 1
        EXPECT_EQ(rows[5].toObject()["aimModeName"].toString(), "NORMAL");
        EXPECT_EQ(rows[9].toObject()["aimModeName"].toString(), "MOBA");
    }
}

const RoundTrip kRoundTrips[] = {
    {"kr720Profile", "kr720", {"--kind", "profile", "--profile", "2"}, {"--profile", "4"}},
    {"kr720Record",
     "kr720",
     {"--kind", "record", "--profile", "2", "--aim-mode", "1"},
     {"--kind", "record", "--aim-mode", "3"}},
    {"kr720Macros", "kr720", {"--kind", "macros", "--profile", "2", "--aim-mode", "1"}, {"--kind", "macros"}},
    {"kr720Aimpad", "kr720", {"--kind", "aimpad", "--profile", "2"}, {"--kind", "aimpad", "--profile", "1"}},
    {"ds180", "ds180"},
    {"bx310v2", "bx310v2"},
    {"au570", "au570"},
    {"ft280SizeToSize", "ft280m", {}, {}, "ft280xl"},
    {"vl550", "vl550"},
    {"pr260", "pr260"},
    {"pr261", "pr261"},
    {"keydeckG", "keydeck_g", {"--profile", "2"}},
    {"keydeckC", "keydeck_c", {"--profile", "5"}},
};

INSTANTIATE_TEST_SUITE_P(Prefbookctl, ExportImport, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.label); });

struct Refusal {
    const char* label;
    QString model;
    QString file;    // under tests/data/tool
    QString reason;  // a line of the explanation
    QStringList options = {};
};

class RefusedImport : public StoreCommands, public ::testing::WithParamInterface<Refusal> {};

// A refused import saves nothing: no new document, no rotation. (A KR720 file of another kind is
// refused in ToolHints.)
TEST_P(RefusedImport, LeavesTheFolderByteIdenticalAndSaysWhy) {
    const Refusal& c = GetParam();
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    const QMap<QString, QByteArray> before = Snapshot();
    const Result result = RunHere(QStringList{"import", c.model, kData + c.file} + c.options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(result.err.startsWith("prefbookctl: import refused by ")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("\n  " + c.reason)) << result.err.toStdString();
    EXPECT_EQ(Snapshot(), before);
}

const Refusal kRefusals[] = {
    {"macroFileWithWrongFlag",
     "kr720",
     "kr720-macros-flag8737.xml",
     "Import macro file format error.",
     {"--kind", "macros"}},
    {"twoProfiles", "ds180", "ds180-two.xml", "holds 2 profiles, an import takes exactly 1"},
    {"foreignRoot", "au570", "foreign.xml", "the root element 'preferences' does not belong to AU570"},
    {"otherModel", "ft280m", "tl480-store.xml", "the root element 'tl480' does not belong to FT280M"},
    {"malformed", "ft280m", "ft280-broken.xml", "Failed to parse file "},
    {"missing", "vl550", "missing.xml", "the file cannot be opened"},
};

INSTANTIATE_TEST_SUITE_P(Prefbookctl, RefusedImport, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.label); });

// A store can export what its own import refuses; the user hears it at the export.
TEST_F(StoreCommands, ExportWarnsOfAFileNoImportTakes) {
    HandWrite("/profile/PR941/2026-03-14 15-09-26.xml",
              ReadAll(PREFBOOK_TEST_DATA "/pr941/default.xml").replace("            <general/>\n", ""));
    const Result result =
        RunOk({"export", "pr941", Base() + "/out.xml", "--kind", "profile", "--profile", "0"});
    EXPECT_TRUE(result.err.startsWith("prefbookctl: warning: " + Base() +
                                      "/out.xml was written, but no import takes it back: holds 0 lighting "
                                      "modes; a profile import needs 13"))
        << result.err.toStdString();
}

// --- PR940 display artworks ---

TEST_F(StoreCommands, PR940ShowsItsDisplayProfilesAndDrawsAnArtwork) {
    {
        TempHabitat habitat(Base());
        RecordingTracebook log;
        ManualClock clock;
        DefaultGlyphPress press(&habitat, &log);
        PR940ProfileCfgImpl store({&habitat, &log, &clock}, press);
        store.AddOledProfile(1, "Show");
        store.AddArtwork(1, "Show", "Logo");
        store.SetOledCurrArtwork(1, "Show", "Logo");
        store.SetArtworkPixels(1, "Show", "Logo", {0xFFFF0000u, 1, 2, 3, 4});
        ASSERT_TRUE(store.SaveProfile());
    }
    const QJsonObject op = ShowRows("pr940")[1].toObject()["displayProfiles"].toArray()[0].toObject();
    EXPECT_EQ(op["currArtwork"].toString(), "Logo");
    EXPECT_EQ(op["artworks"].toArray()[0].toObject(),
              QJsonObject({{"name", "Logo"}, {"pen", 1}, {"background", 0}, {"words", 5}}));
    EXPECT_TRUE(RunHere({"show", "pr940"}).out.contains("  Show(Logo*)"));

    const QString png = Base() + "/logo.png";
    const Result drawn = RunOk({"artwork", "pr940", "1", "Show", "Logo", png});
    EXPECT_EQ(QImage(png, "PNG").size(), QSize(4 * kArtworkWidth, 4 * 2));  // five words: two rows
    EXPECT_EQ(RunHere({"artwork", "pr940", "1", "Show", "None", png}).exitCode, 1);
    EXPECT_EQ(RunHere({"artwork", "tl480", "1", "Show", "Logo", png}).exitCode, 2);
    EXPECT_EQ(RunHere({"artwork", "pr940", "5", "Show", "Logo", png}).exitCode, 2);
    // An artwork is an output file like an export: kept unless forced, never in a profile folder.
    const QMap<QString, QByteArray> before = Snapshot();
    EXPECT_EQ(RunHere({"artwork", "pr940", "1", "Show", "Logo", png}).err,
              "prefbookctl: " + png + " already exists; add --force to overwrite it\n");
    EXPECT_EQ(RunHere({"artwork", "pr940", "1", "Show", "Logo", Base() + "/profile/PR940/a.png", "--force"})
                  .exitCode,
              1);
    EXPECT_EQ(Snapshot(), before);
    RunOk({"artwork", "pr940", "1", "Show", "Logo", png, "--force"});
}

// --- one profile, stale temporary files ---

TEST_F(StoreCommands, ShowOneProfileAndCleanStaleTemporaryFiles) {
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    for (int i = 0; i < 30; ++i) Place("notes.txt", "TL480B", QString("stale%1.tmp").arg(i), -i - 1);
    EXPECT_TRUE(RunOk({"show", "tl480", "1"}).out.contains(QRegularExpression("\nNAME: +Shooter\n")));

    // Thirty stray files are one line, and one warning that names the first ten.
    const Result doctor = RunHere({"doctor", "tl480"});
    EXPECT_TRUE(doctor.out.contains("\n30 files *.tmp ")) << doctor.out.toStdString();
    EXPECT_TRUE(doctor.out.contains(" and 20 more\n"));
    EXPECT_EQ(RunHere({"doctor", "tl480", "--all"}).out.count("\nstale"), 30);

    const Result clean = RunOk({"clean", "tl480"});
    EXPECT_EQ(clean.out.count("removed " + Base() + "/profile/TL480B/stale"), 30);
    EXPECT_EQ(QDir(Base() + "/profile/TL480B").entryList(QDir::Files),
              QStringList{"2026-03-14 15-09-26.xml"});
    EXPECT_EQ(RunOk({"clean", "tl480"}).out, "no stale temporary files\n");
}

}  // namespace
}  // namespace prefbook::test
