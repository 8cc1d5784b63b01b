#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>

#include "StoreCommands.h"
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
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const int stores = result.out.indexOf("Profile stores\n");
    ASSERT_GE(stores, 0);
    ExpectGolden("overview-stores.txt", result.out.mid(stores), true);
}

TEST_F(StoreCommands, ShowPrintsTheProfilesAsTheStoreLoadedThem) {
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    const Result tl480 = RunHere({"show", "tl480w"});
    ASSERT_EQ(tl480.exitCode, 0) << tl480.err.toStdString();
    ExpectGolden("show-tl480.txt", tl480.out);
    const Result kr720 = RunHere({"show", "KR720"});
    ASSERT_EQ(kr720.exitCode, 0) << kr720.err.toStdString();
    ExpectGolden("show-kr720-defaults.txt", kr720.out);

    const QJsonObject json = Json({"show", "tl480"});
    EXPECT_EQ(json["model"].toString(), "TL480");
    const QJsonArray rows = json["profiles"].toArray();
    ASSERT_EQ(rows.size(), 5);
    const QJsonObject shooter = rows[1].toObject();
    EXPECT_EQ(shooter["name"].toString(), "Shooter");
    EXPECT_EQ(shooter["exe"].toString(), "game.exe");
    EXPECT_EQ(shooter["multiLayer"].toInt(), 2);
    EXPECT_EQ(shooter["macros"].toArray(), QJsonArray({"grenade", "reload"}));
    EXPECT_EQ(shooter["foreground"].toArray()[1].toObject(),
              QJsonObject({{"enable", 1}, {"r", 40}, {"g", 80}, {"b", 254}, {"a", 255}}));
    EXPECT_EQ(rows[2].toObject()["foreground"].toArray().size(), 6);  // kept as read
}

TEST_F(StoreCommands, ShowPrintsTheMiceDpiStepsAndBoundMacros) {
    HandWrite("/profile/PR261/2026-03-14 15-09-26.xml", ReadAll(PREFBOOK_TEST_DATA "/pr261/distinct.xml"));
    const Result pr261 = RunHere({"show", "pr261"});
    ASSERT_EQ(pr261.exitCode, 0) << pr261.err.toStdString();
    ExpectGolden("show-pr261.txt", pr261.out);
    HandWrite("/profile/PR941/2026-03-14 15-09-26.xml", ReadAll(PREFBOOK_TEST_DATA "/pr941/distinct.xml"));
    const Result pr941 = RunHere({"show", "pr941"});
    ASSERT_EQ(pr941.exitCode, 0) << pr941.err.toStdString();
    ExpectGolden("show-pr941.txt", pr941.out);
}

// Every store shows as many rows as overview counts profiles (KR720: five per profile).
TEST_F(StoreCommands, EveryStoreShowsItsProfilesAsJson) {
    for (const QJsonValue& value : Json({"overview"})["stores"].toArray()) {
        const QJsonObject store = value.toObject();
        const QString name = store["commands"].toArray()[0].toString();
        const int perProfile = name == "kr720" ? 5 : 1;
        EXPECT_EQ(ShowRows(name).size(), store["profiles"].toInt() * perProfile) << name.toStdString();
    }
}

struct RenameCase {
    const char* model;
    const char* folder;
    int index;
    QString nameKey;    // show's key of the profile name
    QVector<int> rows;  // show rows that carry the profile's name
};

class Rename : public StoreCommands, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(Rename, SavesANewDocumentThatTheNextRunLoads) {
    const RenameCase& c = GetParam();
    const Result result = RunHere({"rename", c.model, QString::number(c.index), "Sniper Élite"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "profile " + QString::number(c.index) + " renamed to Sniper Élite\n");
    const QStringList documents = Documents(c.folder);
    ASSERT_EQ(documents.size(), 1);
    EXPECT_TRUE(Text("/profile/" + QString(c.folder) + "/" + documents[0]).contains("name=\"Sniper Élite\""));

    const QJsonArray rows = ShowRows(c.model);
    for (int row : c.rows) EXPECT_EQ(rows[row].toObject()[c.nameKey].toString(), "Sniper Élite") << row;
    if (rows.size() > 1) {
        EXPECT_NE(rows[c.rows.first() == 0 ? rows.size() - 1 : 0].toObject()[c.nameKey].toString(),
                  "Sniper Élite");
    }
    EXPECT_EQ(Json({"overview"})["stores"].toArray().size(), 20);
}

INSTANTIATE_TEST_SUITE_P(Prefbookctl, Rename,
                         ::testing::Values(RenameCase{"tl460", "TL460B", 3, "name", {3}},
                                           RenameCase{"kr720", "KR720", 4, "name", {20, 21, 22, 23, 24}},
                                           RenameCase{"au340", "AU340", 0, "name", {0}},
                                           RenameCase{"pr261", "PR261", 2, "name", {2}},
                                           RenameCase{"pr940", "PR940", 2, "name", {2}},
                                           RenameCase{"bx330v2", "BX330V2", 2, "name", {2}},
                                           RenameCase{"keydeck_c", "KEYDECK_C", 7, "name", {7}}),
                         [](const auto& info) { return std::string(info.param.model); });

TEST_F(StoreCommands, RenameKeepsTheOlderDocumentBesideTheNewOne) {
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    ASSERT_EQ(RunHere({"rename", "tl480", "0", "Office"}).exitCode, 0);
    const QStringList documents = Documents("TL480B");
    ASSERT_EQ(documents.size(), 2);
    EXPECT_EQ(Text("/profile/TL480B/2026-03-14 15-09-26.xml"), ReadAll(kData + "tl480-store.xml"));
    const QJsonArray rows = ShowRows("tl480");
    EXPECT_EQ(rows[0].toObject()["name"].toString(), "Office");
    EXPECT_EQ(rows[1].toObject()["name"].toString(), "Shooter");
}

TEST_F(StoreCommands, BlackAndWhiteModelsOfAFamilyShareOneStore) {
    ASSERT_EQ(RunHere({"rename", "tl480w", "2", "White"}).exitCode, 0);
    EXPECT_EQ(ShowRows("tl480b")[2].toObject()["name"].toString(), "White");
    ASSERT_EQ(RunHere({"rename", "tl460b", "1", "Black"}).exitCode, 0);
    EXPECT_EQ(ShowRows("tl460w")[1].toObject()["name"].toString(), "Black");
    EXPECT_EQ(Documents("TL480B").size(), 1);
    EXPECT_EQ(Documents("TL460B").size(), 1);
    EXPECT_FALSE(QDir(Base() + "/profile/TL480W").exists());
}

TEST_F(StoreCommands, RenameChecksTheIndexAgainstTheStore) {
    const Result result = RunHere({"rename", "kr720", "5", "Game"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "prefbookctl: bad index '5': expected 0 to 4\n");
    EXPECT_TRUE(Documents("KR720").isEmpty());
}

// --- validate ---

struct ValidateCase {
    const char* label;
    QString file;  // under tests/data/tool, or written by the test (see Files below)
    int exitCode;
    QString model, kind;
    int count;
    bool storeAccepts;
    QString import;   // start of the import command, empty for none
    QString problem;  // a problem that must be listed, empty for none at all
};

class Validate : public StoreCommands, public ::testing::WithParamInterface<ValidateCase> {
protected:
    // Files that are easier to build than to keep: a macro with 201 steps, short and long binary
    // records, a text file that is no XML.
    QString Prepare(const QString& name) {
        if (QFile::exists(kData + name)) return kData + name;
        const QString path = Base() + "/" + name;
        if (name == "kr720-long-macro.xml") {
            QByteArray text =
                "<kr720 flag=\"8738\"><macros path=\"\" currMacro=\"\"><macro name=\"long\" mode=\"0\" "
                "assign=\"\">";
            for (int i = 0; i < 201; ++i) text += "<action key=\"4\" event=\"1\" timer=\"1\"/>";
            WriteFile(path, text + "</macro></macros></kr720>");
        } else if (name == "short.bin") {
            WriteFile(path, QByteArray(100, '\x01'));
        } else if (name == "record.bin") {
            WriteFile(path, QByteArray(150, '\x02'));
        } else if (name == "pr940-distinct.xml") {
            QFile::copy(PREFBOOK_TEST_DATA "/pr940/distinct.xml", path);
        } else if (name == "bx330v2-store.xml") {
            WriteFile(path, ReadAll(PREFBOOK_TEST_DATA "/bx330v2/distinct.xml"));
        } else if (name == "notes.txt") {
            WriteFile(path, "remember the milk\n");
        } else if (name == "pr941-store.xml") {
            WriteFile(path, ReadAll(PREFBOOK_TEST_DATA "/pr941/distinct.xml"));
        } else if (name == "pr941-twelve-modes.xml") {
            QByteArray text = "<PR941 flag=\"609\"><profile><lighting><general>";
            for (int i = 0; i < 12; ++i) text += "<mode id=\"" + QByteArray::number(i) + "\"/>";
            WriteFile(path, text + "</general></lighting></profile></PR941>");
        }
        return path;
    }
};

TEST_P(Validate, ReadsTheFileWithItsStoresReader) {
    const ValidateCase& c = GetParam();
    const QString path = Prepare(c.file);
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
    EXPECT_EQ(json["import"].toString().isEmpty(), c.import.isEmpty());
    const QJsonArray problems = json["problems"].toArray();
    if (c.problem.isEmpty()) {
        EXPECT_EQ(problems, QJsonArray());
    } else {
        bool found = false;
        for (const QJsonValue& p : problems) found = found || p.toString().contains(c.problem);
        EXPECT_TRUE(found) << QJsonDocument(problems).toJson().toStdString();
    }
}

const ValidateCase kValidateCases[] = {
    {"storeDocument", "tl480-store.xml", 0, "TL480", "store document", 5, true, "", "size[6]"},
    {"wrongProfileCount", "tl480-four.xml", 1, "TL480", "store document", 4, false, "",
     "holds 4 profiles, the store expects 5"},
    {"malformed", "tl480-broken.xml", 1, "TL480", "store document", 0, false, "", "line 15, column 36: "},
    {"foreignRoot", "foreign.xml", 1, "", "unknown", 0, false, "",
     "root element 'preferences' belongs to no store"},
    {"notXml", "notes.txt", 1, "", "unknown", 0, false, "", "no root element"},
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
    {"shortRecord", "short.bin", 0, "FT610", "store document (binary record)", 1, true, "",
     "holds 100 bytes, a record is 150 (the rest reads as zero)"},
    {"record", "record.bin", 0, "FT610", "store document (binary record)", 1, true, "", ""},
    {"pr940", "pr940-distinct.xml", 0, "PR940", "store document", 5, true, "",
     "Load artwork image art/10/Show/Logo.bmp Failed : no such file."},
    {"bxStoreDocument", "bx330v2-store.xml", 0, "BX330V2", "store document", 5, true, "", ""},
    {"pr941AllProfiles", "pr941-store.xml", 0, "PR941", "store document", 5, true,
     "prefbookctl import pr941 --kind all ", ""},
    {"pr941ProfileWithoutEveryMode", "pr941-twelve-modes.xml", 1, "PR941", "profile export", 1, false, "",
     "holds 12 lighting modes; a profile import needs 13"},
};

INSTANTIATE_TEST_SUITE_P(Prefbookctl, Validate, ::testing::ValuesIn(kValidateCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(StoreCommands, ValidateTellsTheKR720ExportsApart) {
    ASSERT_EQ(RunHere({"rename", "kr720", "1", "Shooter"}).exitCode, 0);
    const QString kinds[][3] = {{"profile", "profile export", "5"},
                                {"record", "record export", "1"},
                                {"aimpad", "aimpad file", "5"},
                                {"macros", "macro file", "0"}};
    for (const auto& k : kinds) {
        const QString file = Base() + "/" + k[0] + ".xml";
        ASSERT_EQ(RunHere({"export", "kr720", file, "--kind", k[0], "--profile", "1"}).exitCode, 0)
            << k[0].toStdString();
        const QJsonObject json = Json({"validate", file});
        EXPECT_EQ(json["kind"].toString(), k[1]);
        EXPECT_EQ(json["count"].toInt(), k[2].toInt());
        EXPECT_FALSE(json["storeAccepts"].toBool());
        EXPECT_EQ(json["import"].toString(),
                  "prefbookctl --base " + Base() + " import kr720 --kind " + k[0] + " " + file);
    }
    // The store's own document is accepted at load and taken by no import.
    const QString document = Base() + "/profile/KR720/" + Documents("KR720").first();
    const QJsonObject json = Json({"validate", document});
    EXPECT_EQ(json["kind"].toString(), "store document");
    EXPECT_EQ(json["flag"].toString(), "1282");
    EXPECT_TRUE(json["storeAccepts"].toBool());
    EXPECT_EQ(json["import"].toString(), "");
}

TEST_F(StoreCommands, ValidatePrintsAnAlignedReport) {
    const Result broken = RunHere({"validate", kData + "tl480-broken.xml"});
    EXPECT_EQ(broken.exitCode, 1);
    ExpectGolden("validate-tl480-broken.txt", broken.out);
    const Result macros = RunHere({"validate", kData + "kr720-macros.xml"});
    EXPECT_EQ(macros.exitCode, 0);
    ExpectGolden("validate-kr720-macros.txt", macros.out);
}

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
    EXPECT_EQ(folder["warnings"].toArray(), QJsonArray());
    const QJsonArray files = folder["files"].toArray();
    ASSERT_EQ(files.size(), 4);
    const QString verdicts[][3] = {{"notes.txt", "skipped", "deleted"},
                                   {"2026-03-14 15-09-28.xml", "skipped", "kept"},
                                   {"2026-03-14 15-09-26.xml", "loaded", "deleted"},
                                   {"2026-03-14 15-09-20.xml", "not reached", "deleted"}};
    for (int i = 0; i < 4; ++i) {
        const QJsonObject file = files[i].toObject();
        EXPECT_EQ(file["file"].toString(), verdicts[i][0]);
        EXPECT_EQ(file["verdict"].toString(), verdicts[i][1]);
        EXPECT_EQ(file["nextSave"].toString(), verdicts[i][2]);
    }
    EXPECT_EQ(files[1].toObject()["reason"].toString(),
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
    HandWrite("/profile/KR720/2026-03-14 15-09-30.tmp", "");
    SetModified(Base() + "/profile/KR720/2026-03-14 15-09-30.tmp", kT0.addSecs(4));
    const Result result = RunHere({"doctor", "kr720"});
    EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
    ExpectGolden("doctor-kr720-defaults.txt", result.out);

    const QJsonObject folder =
        ParseJson(RunHere({"--json", "doctor", "kr720"}).out)["folders"].toArray()[0].toObject();
    EXPECT_EQ(folder["document"].toString(), "defaults");
    EXPECT_EQ(folder["warnings"].toArray(),
              QJsonArray({"the store falls back to its defaults although 2 .xml documents exist"}));
    EXPECT_EQ(Json({"overview"})["stores"].toArray()[0].toObject()["document"].toString(), "defaults");
}

TEST_F(StoreCommands, DoctorCoversEveryStoreFolder) {
    const QJsonArray folders = Json({"doctor"})["folders"].toArray();
    QStringList models;
    for (const QJsonValue& f : folders) {
        models << f.toObject()["model"].toString();
        EXPECT_EQ(f.toObject()["document"].toString(), "defaults");
    }
    EXPECT_EQ(models, QStringList({"KR720",  "TL480",  "TL460",   "BX310V2",   "BX330V2",   "PR940", "PR260",
                                   "PR261",  "PR941",  "AU570",   "AU320",     "AU340",     "DS180", "FT610",
                                   "FT280M", "FT280L", "FT280XL", "KEYDECK_G", "KEYDECK_C", "VL550"}));
}

// --- export and import ---

struct RoundTrip {
    const char* label;
    QStringList exportArgs;  // after "export MODEL FILE"
    QString model;
    QStringList importArgs;  // after "import MODEL FILE"
    QString importModel;
    QString folder;  // where the import saves
};

class ExportImport : public StoreCommands, public ::testing::WithParamInterface<RoundTrip> {};

// Export from one base folder, import into a fresh one: the import saves a document there, and the
// profile reads back the same.
TEST_P(ExportImport, RoundTripThroughTheStoresOperations) {
    const RoundTrip& c = GetParam();
    const QString file = Base() + "/exchange.xml";
    // Something to carry over where the store has names, and macros for the macro file.
    if (c.model == "kr720") {
        ASSERT_EQ(RunHere({"rename", "kr720", "2", "Racer"}).exitCode, 0);
        ASSERT_EQ(RunHere({"import", "kr720", kData + "kr720-macros.xml", "--kind", "macros", "--profile",
                           "2", "--aim-mode", "1"})
                      .exitCode,
                  0);
    } else if (c.model == "ds180") {
        ASSERT_EQ(RunHere({"rename", "ds180", "0", "Cinema"}).exitCode, 0);
    }
    const Result exported = RunHere(QStringList{"export", c.model, file} + c.exportArgs);
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_TRUE(QFile::exists(file));

    QTemporaryDir other;
    const auto runThere = [&](const QStringList& args) {
        return RunTool(QStringList{"--base", other.path()} + args);
    };
    const Result imported = runThere(QStringList{"import", c.importModel, file} + c.importArgs);
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    const QStringList saved = QDir(other.path() + "/profile/" + c.folder).entryList(QDir::Files);
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(imported.out.endsWith("; saved " + saved[0] + "\n")) << imported.out.toStdString();

    const QJsonObject there = ParseJson(runThere({"--json", "show", c.importModel}).out);
    const QJsonArray rows = there["profiles"].toArray();
    if (c.model != "kr720") {
        // The imported store exports the same file again.
        const QString again = other.path() + "/again.xml";
        ASSERT_EQ(runThere({"export", c.importModel, again}).exitCode, 0);
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

INSTANTIATE_TEST_SUITE_P(
    Prefbookctl, ExportImport,
    ::testing::Values(RoundTrip{"kr720Profile",
                                {"--kind", "profile", "--profile", "2"},
                                "kr720",
                                {"--profile", "4"},
                                "kr720",
                                "KR720"},
                      RoundTrip{"kr720Record",
                                {"--kind", "record", "--profile", "2", "--aim-mode", "1"},
                                "kr720",
                                {"--kind", "record", "--aim-mode", "3"},
                                "kr720",
                                "KR720"},
                      RoundTrip{"kr720Macros",
                                {"--kind", "macros", "--profile", "2", "--aim-mode", "1"},
                                "kr720",
                                {"--kind", "macros"},
                                "kr720",
                                "KR720"},
                      RoundTrip{"kr720Aimpad",
                                {"--kind", "aimpad", "--profile", "2"},
                                "kr720",
                                {"--kind", "aimpad", "--profile", "1"},
                                "kr720",
                                "KR720"},
                      RoundTrip{"ds180", {}, "ds180", {}, "ds180", "DS180"},
                      RoundTrip{"bx310v2", {}, "bx310v2", {}, "bx310v2", "BX310V2"},
                      RoundTrip{"au570", {}, "au570", {}, "au570", "AU570"},
                      RoundTrip{"ft280SizeToSize", {}, "ft280m", {}, "ft280xl", "FT280XL"},
                      RoundTrip{"vl550", {}, "vl550", {}, "vl550", "VL550"},
                      RoundTrip{"pr260", {}, "pr260", {}, "pr260", "PR260"},
                      RoundTrip{"pr261", {}, "pr261", {}, "pr261", "PR261"},
                      RoundTrip{"keydeckG", {"--profile", "2"}, "keydeck_g", {}, "keydeck_g", "KEYDECK_G"},
                      RoundTrip{"keydeckC", {"--profile", "5"}, "keydeck_c", {}, "keydeck_c", "KEYDECK_C"}),
    [](const auto& info) { return std::string(info.param.label); });

struct Refusal {
    const char* label;
    QString model;
    QString file;  // under tests/data/tool, or "missing.xml" / "broken-ft280.xml" made here
    QStringList options;
    QString reason;  // a line of the explanation
};

class RefusedImport : public StoreCommands, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedImport, LeavesTheFolderByteIdenticalAndSaysWhy) {
    const Refusal& c = GetParam();
    // A store with a document of its own, so that an unwanted save would show.
    Place("tl480-store.xml", "TL480B", "2026-03-14 15-09-26.xml", 0);
    ASSERT_EQ(RunHere({"rename", "kr720", "0", "Mine"}).exitCode, 0);
    ASSERT_EQ(RunHere({"rename", "ds180", "0", "Mine"}).exitCode, 0);
    ASSERT_EQ(RunHere({"export", "vl550", Base() + "/vl550.xml"}).exitCode, 0);
    ASSERT_EQ(RunHere({"import", "vl550", Base() + "/vl550.xml"}).exitCode, 0);
    QString file = kData + c.file;
    if (!QFile::exists(file)) {
        file = Base() + "/" + c.file;
        if (c.file == "broken-ft280.xml") WriteFile(file, "<ft280>\n  <profile>\n</ft280>\n");
        if (c.file == "record-export.xml") {
            ASSERT_EQ(RunHere({"export", "kr720", file, "--kind", "record"}).exitCode, 0);
        }
    }
    const QMap<QString, QByteArray> before = Snapshot();

    const Result result = RunHere(QStringList{"import", c.model, file} + c.options);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(result.err.startsWith("prefbookctl: import refused by ")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("\n  " + c.reason)) << result.err.toStdString();
    EXPECT_EQ(Snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Prefbookctl, RefusedImport,
    ::testing::Values(
        Refusal{"recordAsProfile",
                "kr720",
                "record-export.xml",
                {"--kind", "profile"},
                "the file is a KR720 record export, imported with: prefbookctl --base "},
        Refusal{"macroFileWithWrongFlag",
                "kr720",
                "kr720-macros-flag8737.xml",
                {"--kind", "macros"},
                "Import macro file format error."},
        Refusal{"twoProfiles", "ds180", "ds180-two.xml", {}, "holds 2 profiles, an import takes exactly 1"},
        Refusal{"foreignRoot",
                "au570",
                "foreign.xml",
                {},
                "the root element 'preferences' does not belong to AU570"},
        Refusal{"otherModel",
                "ft280m",
                "tl480-store.xml",
                {},
                "the root element 'tl480' does not belong to FT280M"},
        Refusal{"malformed", "ft280m", "broken-ft280.xml", {}, "Failed to parse file "},
        Refusal{"missing", "vl550", "missing.xml", {}, "the file cannot be opened"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace prefbook::test

namespace prefbook::test {
namespace {

// Width and height from a PNG's header chunk.
QSize PngSize(const QByteArray& png) {
    if (!png.startsWith("\x89PNG\r\n\x1a\n") || png.size() < 24) return {};
    const auto big = [&](int at) {
        return int(uint8_t(png[at]) << 24 | uint8_t(png[at + 1]) << 16 | uint8_t(png[at + 2]) << 8 |
                   uint8_t(png[at + 3]));
    };
    return {big(16), big(20)};
}

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
    const Result drawn = RunHere({"artwork", "pr940", "1", "Show", "Logo", png});
    ASSERT_EQ(drawn.exitCode, 0) << drawn.err.toStdString();
    EXPECT_EQ(PngSize(ReadAll(png)), QSize(4 * kArtworkWidth, 4 * 2));  // five words: two rows
    EXPECT_EQ(RunHere({"artwork", "pr940", "1", "Show", "None", png}).exitCode, 1);
    EXPECT_EQ(RunHere({"artwork", "tl480", "1", "Show", "Logo", png}).exitCode, 2);
    EXPECT_EQ(RunHere({"artwork", "pr940", "5", "Show", "Logo", png}).exitCode, 2);
}

}  // namespace
}  // namespace prefbook::test
