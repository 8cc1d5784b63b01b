#include <QJsonArray>

#include "ToolRunner.h"

namespace prefbook::test {
namespace {

// --- settings set ---

struct SetCase {
    const char* label;
    QStringList nameValue;
    QString file;
    QByteArray expectedLine;  // in the file's [group]
    QByteArray group;
};

class SettingsSet : public Tool, public ::testing::WithParamInterface<SetCase> {};

TEST_P(SettingsSet, WritesTheIniFileAndKeepsOtherValues) {
    HandWrite("/config/param/param.arg", "[Keyboard]\npid=0x0021\n");
    const Result result = RunHere(QStringList{"settings", "set"} + GetParam().nameValue);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty());

    const QByteArray text = Text(GetParam().file);
    EXPECT_TRUE(text.contains("[" + GetParam().group + "]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\n" + GetParam().expectedLine + "\n")) << text.toStdString();
    EXPECT_TRUE(Text("/config/param/param.arg").contains("[Keyboard]\npid=0x0021\n"));
}

const SetCase kSetCases[] = {
    {"swUpdate", {"swUpdate", "true"}, "/reset.ini", "swUpdate=true", "Reset"},
    {"backup", {"backup", "OFF"}, "/reset.ini", "backup=false", "Reset"},
    {"precision", {"precision", "0.25"}, "/config/param/param.arg", "precision=0.25", "KeyMapping"},
    {"maxStepNum", {"maxStepNum", "20"}, "/config/param/param.arg", "maxStepNum=20", "MouseOled"},
    {"kr720Path",
     {"kr720Path", "C:/my exports/kr720.xml"},
     "/config/param/param_chg.arg",
     "kr720Path=C:/my exports/kr720.xml",
     "ProfileExportPath"},
    {"pr940Path",
     {"pr940Path", "D:/pr940"},
     "/config/param/param_chg.arg",
     "pr940Path=D:/pr940",
     "ProfileExportPath"},
    {"resetByName", {"KR720", "yes"}, "/reset.ini", "KR720=true", "Reset"},
    {"resetTableNameWithBlank", {"BX310 V2", "1"}, "/reset.ini", "BX310%20V2=true", "Reset"},
    {"resetModelKey", {"BX330V2", "on"}, "/reset.ini", "BX330V2=true", "Reset"},
};

INSTANTIATE_TEST_SUITE_P(Prefbookctl, SettingsSet, ::testing::ValuesIn(kSetCases),
                         [](const auto& info) { return std::string(info.param.label); });

// --- command-line errors ---

class UsageErrors : public Tool, public ::testing::WithParamInterface<QStringList> {};

TEST_P(UsageErrors, GiveOneLineAndStatusTwoAndWriteNothing) {
    const Result result = RunHere(GetParam());
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.startsWith("prefbookctl: ")) << result.err.toStdString();
    EXPECT_EQ(result.err.count('\n'), 1) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(Entries(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Prefbookctl, UsageErrors,
    ::testing::Values(QStringList{"frobnicate"}, QStringList{"--bogus"}, QStringList{"settings", "frob"},
                      QStringList{"settings", "set", "nosuch", "1"}, QStringList{"settings", "set", "backup"},
                      QStringList{"settings", "set", "backup", "maybe"},
                      QStringList{"settings", "set", "maxStepNum", "-1"},
                      QStringList{"settings", "set", "maxStepNum", "1.5"},
                      QStringList{"settings", "set", "precision", "abc"},
                      QStringList{"settings", "set", "precision", "inf"},
                      QStringList{"settings", "set", "localUpdate", "true"},
                      QStringList{"settings", "set", "BX310", "true"}, QStringList{"show", "nosuch"},
                      QStringList{"rename", "ft610", "0", "Game"}, QStringList{"rename", "tl480", "0", ""},
                      QStringList{"devices", "extra"}, QStringList{"show", "tl480", "--kind", "profile"},
                      QStringList{"export", "tl480", "out.xml"}, QStringList{"import", "ft610", "in.bin"},
                      QStringList{"export", "kr720", "out.xml", "--kind", "bogus"},
                      QStringList{"export", "kr720", "out.xml", "--profile", "5"},
                      QStringList{"export", "kr720", "out.xml", "--aim-mode", "x"},
                      QStringList{"export", "kr720", "out.xml", "--kind", "profile", "--aim-mode", "1"},
                      QStringList{"import", "ft280m", "in.xml", "--profile", "0"}, QStringList{"validate"},
                      QStringList{"doctor", "tl480", "extra"}, QStringList{"doctor", "nosuch"},
                      QStringList{"nosuch", "--help"}));

// Settings writes fail silently inside the library; the tool reads back and reports the failure.
TEST_F(Tool, UnwritableSettingsFileFails) {
    ASSERT_TRUE(QDir(Base()).mkdir("reset.ini"));
    const Result result = RunHere({"settings", "set", "swUpdate", "true"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              "prefbookctl: could not write swUpdate to " + Base() + "/reset.ini: Is a directory\n");
}

TEST_F(Tool, WithoutBaseTheDefaultHabitatIsUsed) {
    const Result result = RunTool({"settings", "set", "maxStepNum", "9"}, Base());
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(Text("/config/param/param.arg").contains("maxStepNum=9"));
    EXPECT_EQ(RunTool({"settings", "get", "maxStepNum"}, Base()).out, "9\n");
}

TEST_F(Tool, HelpExitsZero) {
    const Result result = RunTool({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.contains("settings set NAME VALUE"));
    for (const char* command : {"validate FILE", "doctor [MODEL]", "export MODEL FILE", "import MODEL FILE"})
        EXPECT_TRUE(result.out.contains(command)) << command;
}

// Every command explains itself, and --help never runs the command.
TEST_F(Tool, EveryCommandHasItsHelp) {
    const QVector<QStringList> commands = {
        {"overview"}, {"devices"}, {"settings"}, {"settings", "set"}, {"show"},   {"rename"},
        {"validate"}, {"doctor"},  {"export"},   {"import", "kr720"}, {"artwork"}};
    for (const QStringList& command : commands) {
        const Result result = RunHere(command + QStringList{"--help"});
        EXPECT_EQ(result.exitCode, 0) << command.join(' ').toStdString();
        EXPECT_TRUE(result.out.startsWith("Usage: prefbookctl [--base DIR] [--json] " + command.first()))
            << result.out.toStdString();
    }
    EXPECT_EQ(Entries(), QStringList());
    // The kinds of every store that exchanges files are listed.
    const QString exportHelp = RunHere({"export", "--help"}).out;
    for (const char* kind : {"--kind record", "--kind aimpad", "--kind macros", "ft280xl", "vl550", "ds180"})
        EXPECT_TRUE(exportHelp.contains(kind)) << kind;
}

// --- JSON ---

TEST_F(Tool, JsonOutputsParseWithTheirKeys) {
    HandWrite("/config/param/param.arg", "[MouseOled]\nmaxStepNum=20\n[Mouse]\npid=0x1234,0xabcd\n");
    HandWrite("/reset.ini", "[Reset]\nFT610=true\n");

    const QJsonObject overview = Json({"overview"});
    EXPECT_EQ(overview.keys(), QStringList({"base", "devices", "settings", "stores"}));
    EXPECT_EQ(overview["base"].toString(), Base());
    EXPECT_EQ(overview["devices"].toArray().size(), 25);
    EXPECT_EQ(overview["devices"].toArray()[15].toObject()["reset"], QJsonValue(true));
    const QJsonArray stores = overview["stores"].toArray();
    ASSERT_EQ(stores.size(), 20);
    for (const QJsonValue& store : stores) {
        EXPECT_EQ(store.toObject().keys(),
                  QStringList({"commands", "document", "model", "profileDir", "profiles", "type"}));
    }

    const QJsonObject devices = Json({"devices"});
    EXPECT_EQ(devices.keys(), QStringList({"base", "categories", "types"}));
    const QJsonObject type5 = devices["types"].toArray()[5].toObject();
    EXPECT_EQ(type5["type"].toInt(), 5);
    EXPECT_EQ(type5["name"].toString(), "BX310 V2");
    EXPECT_EQ(type5["profileDir"].toString(), Base() + "/profile/BX310V2/");
    const QJsonObject mouse = devices["categories"].toArray()[1].toObject();
    EXPECT_EQ(mouse["category"].toString(), "Mouse");
    EXPECT_EQ(mouse["pids"].toArray(), QJsonArray({0x1234, 0xabcd}));
    EXPECT_EQ(devices["categories"].toArray().size(), 13);

    const QJsonObject settings = Json({"settings"});
    EXPECT_EQ(settings.keys(), QStringList({"base", "resetFlags", "settings"}));
    EXPECT_EQ(settings["resetFlags"].toArray().size(), 25);
    bool found = false;
    for (const QJsonValue& row : settings["settings"].toArray()) {
        const QJsonObject object = row.toObject();
        EXPECT_EQ(object.keys(), QStringList({"file", "group", "key", "name", "value", "writable"}));
        if (object["name"] == "maxStepNum") {
            found = true;
            EXPECT_EQ(object["value"].toInt(), 20);
            EXPECT_EQ(object["writable"], QJsonValue(true));
        }
    }
    EXPECT_TRUE(found);

    const QJsonObject set = Json({"settings", "set", "precision", "0.75"});
    EXPECT_EQ(set, QJsonObject({{"name", "precision"}, {"value", 0.75}}));
}

// --- human devices table ---

TEST_F(Tool, DevicesTableShowsFoldersAndProductIds) {
    HandWrite("/config/param/param.arg",
              "[Keyboard]\npid=0x0021,0x0023\n[MousePad]\npid=ab\n[VL550]\npid=0x0a30,junk\n");
    const Result result = RunHere({"devices"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

    const QString types =
        "Device types\n"
        "TYPE  NAME       SERVED BY  PROFILE FOLDER\n"
        "0     KR720      KR720      " +
        Base() +
        "/profile/KR720/\n"
        "1     TL480B     TL480      " +
        Base() + "/profile/TL480B/\n";
    EXPECT_TRUE(result.out.contains(types)) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains("\n24    ZN205      -          " + Base() + "/profile/ZN205/\n"));

    const QString categories =
        "Product identifiers (param.arg)\n"
        "CATEGORY  PRODUCT IDS\n"
        "Keyboard  0x0021, 0x0023\n"
        "Mouse\n"
        "Headset\n"
        "MousePad  0x00ab\n";
    EXPECT_TRUE(result.out.contains(categories)) << result.out.toStdString();
    EXPECT_TRUE(result.out.endsWith("VL550     0x0a30, 0x0000\n")) << result.out.toStdString();
}

}  // namespace
}  // namespace prefbook::test
