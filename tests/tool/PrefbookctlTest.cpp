#include <QJsonArray>
#include <QSet>

#include "ToolRunner.h"

namespace prefbook::test {
namespace {

// --- settings set ---

const QString kParam = "/config/param/param.arg", kPaths = "/config/param/param_chg.arg";

struct SetCase {
    const char* label;
    QStringList nameValue;
    QByteArray expectedLine;  // in the file's [group]
    QByteArray group;
    QString file = "/reset.ini";
};

class SettingsSet : public Tool, public ::testing::WithParamInterface<SetCase> {};

TEST_P(SettingsSet, WritesTheIniFileAndKeepsOtherValues) {
    HandWrite(kParam, "[Keyboard]\npid=0x0021\n");
    const Result result = RunOk(QStringList{"settings", "set"} + GetParam().nameValue);
    EXPECT_TRUE(result.err.isEmpty());

    const QByteArray text = Text(GetParam().file);
    EXPECT_TRUE(text.contains("[" + GetParam().group + "]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\n" + GetParam().expectedLine + "\n")) << text.toStdString();
    EXPECT_TRUE(Text(kParam).contains("[Keyboard]\npid=0x0021\n"));
}

const SetCase kSetCases[] = {
    {"swUpdate", {"swUpdate", "true"}, "swUpdate=true", "Reset"},
    {"backup", {"backup", "OFF"}, "backup=false", "Reset"},
    {"precision", {"precision", "0.25"}, "precision=0.25", "KeyMapping", kParam},
    {"maxStepNum", {"maxStepNum", "20"}, "maxStepNum=20", "MouseOled", kParam},
    {"kr720Path", {"kr720Path", "C:/a b/kr.xml"}, "kr720Path=C:/a b/kr.xml", "ProfileExportPath", kPaths},
    {"pr940Path", {"pr940Path", "D:/pr940"}, "pr940Path=D:/pr940", "ProfileExportPath", kPaths},
    {"resetByName", {"KR720", "yes"}, "KR720=true", "Reset"},
    {"resetTableNameWithBlank", {"BX310 V2", "1"}, "BX310%20V2=true", "Reset"},
    {"resetModelKey", {"BX330V2", "on"}, "BX330V2=true", "Reset"},
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
                      QStringList{"nosuch", "--help"}, QStringList{"help", "nosuch"},
                      QStringList{"--base", "", "overview"}, QStringList{"doctor", "--force"},
                      QStringList{"show", "tl480", "--all"},
                      QStringList{"rename", "tl480", "0", QString("Ga") + QChar(1) + "me"},
                      QStringList{"import", "keydeck_g", "in.xml", "--kind", "profile", "--profile", "7"}));

// A mistyped word is answered with the nearest right one, and under --json as an object on stdout.
TEST_F(Tool, ErrorsSuggestTheNearestWordAndAreJsonUnderJson) {
    const Result command = RunHere({"shwo"});
    EXPECT_TRUE(
        command.err.startsWith("prefbookctl: unknown command 'shwo' (did you mean show?); commands: "
                               "overview, devices, settings, show,"))
        << command.err.toStdString();
    EXPECT_TRUE(
        RunHere({"show", "tl48"}).err.startsWith("prefbookctl: unknown model 'tl48' (did you mean tl480?)"));

    const Result json = RunHere({"--json", "restore", "tl480"});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_TRUE(json.err.isEmpty());
    const QJsonObject error = ParseJson(json.out);
    EXPECT_EQ(error["exitCode"].toInt(), 1);
    EXPECT_TRUE(error["error"].toString().startsWith("TL480 has no previous document in "));
    EXPECT_EQ(ParseJson(RunHere({"--json", "shwo"}).out)["exitCode"].toInt(), 2);
    EXPECT_EQ(RunOk({"help", "show"}).out, RunOk({"show", "--help"}).out);
}

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
    EXPECT_TRUE(Text(kParam).contains("maxStepNum=9"));
    EXPECT_EQ(RunTool({"settings", "get", "maxStepNum"}, Base()).out, "9\n");
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
    // ...with their descriptions in one column.
    const QRegularExpression option(QStringLiteral("\n  [a-z0-9_]+ --kind [^\n]*?\\S  ( *)\\S"));
    QSet<int> columns;
    for (auto m = option.globalMatch(exportHelp); m.hasNext();) {
        const QRegularExpressionMatch match = m.next();
        columns << match.capturedEnd(1) - match.capturedStart();
    }
    EXPECT_EQ(columns.size(), 1) << exportHelp.toStdString();
    // The summary lists them all.
    const Result help = RunTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* usage : {"settings set NAME VALUE", "validate FILE", "doctor [MODEL]",
                              "export MODEL FILE", "import MODEL FILE", "help [COMMAND]", "clean MODEL",
                              "pr941, au570", "keydeck_g, keydeck_c, vl550"})
        EXPECT_TRUE(help.out.contains(usage)) << usage;
}

// --- JSON ---

TEST_F(Tool, JsonOutputsParseWithTheirKeys) {
    HandWrite(kParam, "[MouseOled]\nmaxStepNum=20\n");
    HandWrite("/reset.ini", "[Reset]\nFT610=true\n");

    const QJsonObject overview = Json({"overview"});
    EXPECT_EQ(overview.keys(), QStringList({"base", "devices", "settings", "stores"}));
    EXPECT_EQ(overview["base"].toString(), Base());
    EXPECT_EQ(overview["devices"].toArray()[15].toObject()["reset"], QJsonValue(true));
    EXPECT_EQ(overview["stores"].toArray()[0].toObject().keys(),
              QStringList({"commands", "document", "model", "note", "profileDir", "profiles", "type"}));

    const QJsonObject devices = Json({"devices"});
    EXPECT_EQ(devices.keys(), QStringList({"base", "categories", "types"}));

    const QJsonObject settings = Json({"settings"});
    EXPECT_EQ(settings.keys(), QStringList({"base", "resetFlags", "settings"}));
    EXPECT_EQ(settings["resetFlags"].toArray().size(), 25);
    EXPECT_EQ(settings["settings"].toArray()[4].toObject(), QJsonObject({{"name", "maxStepNum"},
                                                                         {"value", 20},
                                                                         {"file", Base() + kParam},
                                                                         {"group", "MouseOled"},
                                                                         {"key", "maxStepNum"},
                                                                         {"writable", true}}));

    const QJsonObject set = Json({"settings", "set", "precision", "0.75"});
    EXPECT_EQ(set, QJsonObject({{"name", "precision"}, {"value", 0.75}}));
}

// --- human devices table ---

// The device types with the store the library forwards each to, and product ids as param.arg holds
// them (short ones widened, unreadable ones zero).
TEST_F(Tool, DevicesTableShowsFoldersAndProductIds) {
    HandWrite(kParam,
              "[Keyboard]\npid=0x0021,0x0023\n[Mouse]\npid=0x1234,0xabcd\n[MousePad]\npid=ab\n"
              "[VL550]\npid=0x0a30,junk\n");
    const Result result = RunOk({"devices"});
    ExpectGolden("devices.txt", result.out);
}

using ServedBy = Tool;

// The tool reaches the stores Prefbook forwards to by device type.
TEST_F(ServedBy, DevicesNameTheServingStoreAndShowTakesATypeNumber) {
    EXPECT_EQ(Json({"show", "4"})["model"], "TL460");
    for (const char* type : {"11", "25"}) {
        const Result unserved = RunHere({"show", type});
        EXPECT_EQ(unserved.exitCode, 2) << type;
        EXPECT_TRUE(unserved.err.contains("served by no store")) << unserved.err.toStdString();
    }
}

}  // namespace
}  // namespace prefbook::test
