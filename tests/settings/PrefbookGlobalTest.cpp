#include <cctype>
#include <functional>

#include "SettingsFixture.h"
#include "settings/Prefbook.h"
#include "settings/SettingsFiles.h"

namespace prefbook::test {
namespace {

constexpr char kParam[] = "/config/param/param.arg";
constexpr char kParamChg[] = "/config/param/param_chg.arg";
constexpr char kReset[] = "/reset.ini";

double Precision() {
    double value = -1;
    Prefbook::ReadKeyMappingParam(value);
    return value;
}

int MaxStepNum() {
    int value = -1;
    Prefbook::ReadMouseOled(value);
    return value;
}

QStringList AppPaths() {
    QStringList paths{"stale"};
    Prefbook::ReadLatestAppPath(paths);
    return paths;
}

using GlobalSettings = SettingsTest;

// Absent files, and keys in groups other than their own, give the defaults; reading creates nothing.
TEST_F(GlobalSettings, AbsentFilesAndKeysOfOtherGroupsGiveDefaults) {
    const auto expectDefaults = [] {
        EXPECT_FALSE(Prefbook::IsLocalUpdate());
        EXPECT_FALSE(Prefbook::ReadSWUpdate());
        EXPECT_TRUE(Prefbook::ReadProfileBackupFlag());
        EXPECT_EQ(Precision(), 0.5);
        EXPECT_EQ(MaxStepNum(), 15);
    };
    expectDefaults();
    EXPECT_EQ(AppPaths(), QStringList({"", "", ""}));
    EXPECT_FALSE(Prefbook::ReadPortalDevResetFlag(std::string("KR720")));
    EXPECT_TRUE(QDir(Base()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    HandWrite(kParam, "[MouseOled]\nprecision=0.9\nlocal=true\n[KeyMapping]\nmaxStepNum=3\n");
    HandWrite(kReset, "[General]\nswUpdate=true\nbackup=false\n");
    expectDefaults();
}

// One row per writable value: the write must land in exactly one file under the right group and
// key, and read back through the matching reader.
struct WriteCase {
    const char* name;
    std::function<void()> write;
    const char* file;
    QByteArray group, key, raw;
    std::function<QVariant()> read;
    QVariant expected;
};

class WrittenValues : public SettingsTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WrittenValues, LandInTheirFileAndGroup) {
    const WriteCase& c = GetParam();
    c.write();
    EXPECT_EQ(RawValue(PathOf(c.file), c.group, c.key), c.raw);
    for (const char* other : {kParam, kParamChg, kReset}) {
        if (QByteArray(other) != c.file) {
            EXPECT_FALSE(QFile::exists(PathOf(other))) << other;
        }
    }
    EXPECT_EQ(c.read(), c.expected);
}

const WriteCase kWriteCases[] = {
    {"swUpdate", [] { Prefbook::WriteSWUpdate(true); }, kReset, "Reset", "swUpdate", "true",
     [] { return QVariant(Prefbook::ReadSWUpdate()); }, true},
    {"backup", [] { Prefbook::SaveProfileBakcupFlag(false); }, kReset, "Reset", "backup", "false",
     [] { return QVariant(Prefbook::ReadProfileBackupFlag()); }, false},
    {"precision", [] { Prefbook::WriteKeyMappingParam(0.75); }, kParam, "KeyMapping", "precision", "0.75",
     [] { return QVariant(Precision()); }, 0.75},
    {"maxStepNum", [] { Prefbook::WriteMouseOled(20); }, kParam, "MouseOled", "maxStepNum", "20",
     [] { return QVariant(MaxStepNum()); }, 20},
    // QSettings percent-encodes the blank of the table name in the file.
    {"resetByType", [] { Prefbook::SavePortalDevResetFlag(BX310V2, true); }, kReset, "Reset", "BX310%20V2",
     "true", [] { return QVariant(Prefbook::ReadPortalDevResetFlag(std::string("BX310 V2"))); }, true},
    {"resetBX310V2", [] { Prefbook::SaveBX310V2ResetFlag(true); }, kReset, "Reset", "BX310V2", "true",
     [] { return QVariant(Prefbook::ReadBX310V2ResetFlag()); }, true},
    {"resetBX330V2", [] { Prefbook::SaveBX330V2ResetFlag(true); }, kReset, "Reset", "BX330V2", "true",
     [] { return QVariant(Prefbook::ReadBX330V2ResetFlag()); }, true},
    {"kr720Path", [] { SaveProfileExportPath(kKR720ExportPathKey, "C:/exports/kr720.xml"); }, kParamChg,
     "ProfileExportPath", "kr720Path", "C:/exports/kr720.xml",
     [] { return QVariant(ReadProfileExportPath(kKR720ExportPathKey)); }, "C:/exports/kr720.xml"},
    {"pr940Path", [] { SaveProfileExportPath(kPR940ExportPathKey, "D:/pr940"); }, kParamChg,
     "ProfileExportPath", "pr940Path", "D:/pr940",
     [] { return QVariant(ReadProfileExportPath(kPR940ExportPathKey)); }, "D:/pr940"},
};

INSTANTIATE_TEST_SUITE_P(Prefbook, WrittenValues, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Values written by hand, including ones that do not convert (they yield the conversion's result).
struct HandCase {
    const char* name;
    const char* file;
    QByteArray text;
    std::function<QVariant()> read;
    QVariant expected;
};

class HandWrittenValues : public SettingsTest, public ::testing::WithParamInterface<HandCase> {};

TEST_P(HandWrittenValues, AreRead) {
    HandWrite(GetParam().file, GetParam().text);
    EXPECT_EQ(GetParam().read(), GetParam().expected);
}

const HandCase kHandCases[] = {
    {"localAsNumber", kParam, "[FWUpdate]\nlocal=1\n", [] { return QVariant(Prefbook::IsLocalUpdate()); },
     true},
    {"localAsWord", kParam, "[FWUpdate]\nlocal=true\n", [] { return QVariant(Prefbook::IsLocalUpdate()); },
     true},
    {"localOff", kParam, "[FWUpdate]\nlocal=0\n", [] { return QVariant(Prefbook::IsLocalUpdate()); }, false},
    {"precision", kParam, "[KeyMapping]\nprecision=0.25\n", [] { return QVariant(Precision()); }, 0.25},
    {"precisionJunk", kParam, "[KeyMapping]\nprecision=fine\n", [] { return QVariant(Precision()); }, 0.0},
    {"maxStepJunk", kParam, "[MouseOled]\nmaxStepNum=abc\n", [] { return QVariant(MaxStepNum()); }, 0},
    {"appPathsPartial", kParam, "[Application]\nillustrator=C:/ai.exe\nphotoshop=C:/ps.exe\n",
     [] { return QVariant(AppPaths()); }, QStringList({"C:/ps.exe", "", "C:/ai.exe"})},
    {"backupOff", kReset, "[Reset]\nbackup=false\n",
     [] { return QVariant(Prefbook::ReadProfileBackupFlag()); }, false},
};

INSTANTIATE_TEST_SUITE_P(Prefbook, HandWrittenValues, ::testing::ValuesIn(kHandCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GlobalSettings, HandEditBetweenCallsIsHonouredAndWritesKeepOtherGroups) {
    Prefbook::WriteMouseOled(20);
    EXPECT_EQ(MaxStepNum(), 20);
    HandWrite(kParam, "[MouseOled]\nmaxStepNum=7\n[Keyboard]\npid=0x0021\n");
    EXPECT_EQ(MaxStepNum(), 7);

    Prefbook::WriteKeyMappingParam(0.125);
    EXPECT_EQ(MaxStepNum(), 7);
    EXPECT_EQ(RawValue(PathOf(kParam), "Keyboard", "pid"), "0x0021");
    EXPECT_EQ(Precision(), 0.125);
}

TEST_F(GlobalSettings, PathsAreTheBaseFollowedVerbatimByTheRelativePath) {
    EXPECT_EQ(SettingsFilePath(kParamFile), Base() + "/config/param/param.arg");

    ProcessHabitat().SetBaseDir(Base() + "/");
    EXPECT_EQ(SettingsFilePath(kResetFile), Base() + "//reset.ini");
    Prefbook::WriteMouseOled(20);  // the doubled separator still names the same folder here
    EXPECT_EQ(RawValue(Base() + "/config/param/param.arg", "MouseOled", "maxStepNum"), "20");
    EXPECT_EQ(ListFolder(Base() + "/config/param"), QStringList{"param.arg"});
}

TEST_F(GlobalSettings, HotKeysFolderIsTheUserFolderPlusHotkeys) {
    QString folder = "stale";
    Prefbook::ReadAppHotKeysFolder(folder);
    EXPECT_EQ(folder, ProcessHabitat().GetUserDir() + "/hotkeys");
    EXPECT_FALSE(QDir(folder).exists());  // nothing is created
}

// Non-ASCII text is stored in the locale's code page, not escaped, and reads back unchanged.
struct CodecCase {
    const char* codec;
    const char* utf8Path;
};

class LocaleCodec : public SettingsTest, public ::testing::WithParamInterface<CodecCase> {};

TEST_P(LocaleCodec, StoresAndReadsTextInTheLocaleCodePage) {
    QTextCodec* codec = QTextCodec::codecForName(GetParam().codec);
    ASSERT_NE(codec, nullptr);
    QTextCodec::setCodecForLocale(codec);
    const QString path = QString::fromUtf8(GetParam().utf8Path);

    SaveProfileExportPath(kKR720ExportPathKey, path);
    EXPECT_EQ(RawValue(PathOf(kParamChg), "ProfileExportPath", "kr720Path"), codec->fromUnicode(path));
    EXPECT_EQ(ReadProfileExportPath(kKR720ExportPathKey), path);

    HandWrite(kParam, "[Application]\npremiere=" + codec->fromUnicode(path) + "\n");
    EXPECT_EQ(AppPaths(), QStringList({"", path, ""}));
}

INSTANTIATE_TEST_SUITE_P(
    Prefbook, LocaleCodec,
    ::testing::Values(CodecCase{"ISO-8859-1",
                                "C:/Users/Jos\xC3\xA9/Pr\xC3\xA9"
                                "f\xC3\xA9rences"},
                      CodecCase{"KOI8-R", "C:/\xD0\x9F\xD1\x80\xD0\xBE\xD1\x84\xD0\xB8\xD0\xBB\xD0\xB8"},
                      CodecCase{"UTF-8", "C:/\xE8\xA8\xAD\xE5\xAE\x9A/\xC3\xA9"}),
    [](const auto& info) {
        std::string name = info.param.codec;
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

}  // namespace
}  // namespace prefbook::test
