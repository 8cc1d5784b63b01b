// The KR720 store on disk: load acceptance, saves, exports and imports.
#include <QFile>
#include <functional>

#include "KR720TestSupport.h"
#include "profilecore/ProfileFolder.h"

namespace prefbook::test {
namespace {

const QDateTime kOld(QDate(2026, 1, 1), QTime(10, 0, 0));
const QDateTime kNew(QDate(2026, 1, 2), QTime(10, 0, 0));

QVector<KR720Profile> NamedRecords(int count, const std::string& name) {
    QVector<KR720Profile> records(count);
    for (KR720Profile& p : records) p.name = name;
    return records;
}

// Writes a document straight into the profile folder and dates it.
void PutDocument(TestHost& host, const QString& dir, const QString& name, uint16_t flag,
                 const QVector<KR720Profile>& records, const QDateTime& time) {
    KR720Head head{flag, 77, "exports", "exes"};
    ASSERT_TRUE(WriteKR720File(host.Host(), dir + name, WriteMode::Direct, head, records));
    SetModified(dir + name, time);
}

TEST_F(KR720Test, NewestRecordExportIsPassedOverForAnOlderStoreDocument) {
    PutDocument(host, Dir(), "2026-01-01 10-00-00.xml", kKR720StoreFlag, NamedRecords(25, "OLD"), kOld);
    PutDocument(host, Dir(), "2026-01-02 10-00-00.xml", kKR720RecordFlag, NamedRecords(25, "NEW"), kNew);
    auto s = NewStore();
    EXPECT_EQ(s->GetProfileName(0), "OLD");
    EXPECT_EQ(s->DocumentPath(), Dir() + "2026-01-01 10-00-00.xml");
    EXPECT_EQ(s->GetSignature(), 77u);
    EXPECT_EQ(s->GetExportPath(), "exports");
}

TEST_F(KR720Test, LastReadableDocumentWithTwentyFiveRecordsIsKeptEvenWithAnotherFlag) {
    PutDocument(host, Dir(), "2026-01-02 10-00-00.xml", kKR720ProfileFlag, NamedRecords(25, "KEPT"), kNew);
    auto s = NewStore();
    EXPECT_EQ(s->GetProfileName(4), "KEPT");
    EXPECT_EQ(s->GetOpenExePath(), "exes");
}

TEST_F(KR720Test, WrongRecordCountFallsBackToDefaultsAndEmptyPaths) {
    PutDocument(host, Dir(), "2026-01-02 10-00-00.xml", kKR720StoreFlag, NamedRecords(5, "FEW"), kNew);
    auto s = NewStore();
    EXPECT_EQ(s->GetRecordCount(), 25u);
    EXPECT_EQ(s->GetProfileName(0), "PROFILE0");
    EXPECT_TRUE(s->GetExportPath().isEmpty());
    EXPECT_TRUE(s->DocumentPath().isEmpty());
    EXPECT_EQ(s->GetSignature(), 77u) << "the signature last read stays";
}

TEST_F(KR720Test, MalformedNewestDocumentFallsBackToTheOlderOne) {
    PutDocument(host, Dir(), "2026-01-01 10-00-00.xml", kKR720StoreFlag, NamedRecords(25, "OLD"), kOld);
    const QString broken = Dir() + "2026-01-02 10-00-00.xml";
    WriteFile(broken, "<kr720 flag=\"1282\"><profile id=\"0\"><lighting></kr720>");
    SetModified(broken, kNew);
    auto s = NewStore();
    EXPECT_EQ(s->GetProfileName(0), "OLD");
    const QStringList lines = host.log.Lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("Parse KR720 XML Failed. " + broken + " : ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("Failed to parse file " + broken + " : ")) << lines[1].toStdString();
}

TEST_F(KR720Test, SaveAndReloadKeepsEveryField) {
    auto s = NewStore();
    for (int i = 0; i < 25; ++i) s->PutRecord(i, FilledRecord(static_cast<uint8_t>(i)));
    s->SetSignature(0xDEADBEEF);
    s->SetExportPath("C:/exp & <dir>");
    s->SetOpenExePath("C:/exe");
    ASSERT_TRUE(s->SaveProfile());
    EXPECT_EQ(ListFolder(Dir()), QStringList{"2026-03-14 15-09-26.xml"});
    EXPECT_EQ(s->DocumentPath(), Dir() + "2026-03-14 15-09-26.xml");

    auto loaded = NewStore();
    EXPECT_EQ(loaded->DocumentPath(), s->DocumentPath());
    EXPECT_EQ(loaded->GetSignature(), 0xDEADBEEF);
    EXPECT_EQ(loaded->GetExportPath(), "C:/exp & <dir>");
    EXPECT_EQ(loaded->GetOpenExePath(), "C:/exe");
    ASSERT_EQ(loaded->GetRecordCount(), 25u);
    for (int i = 0; i < 25; ++i) {
        SCOPED_TRACE(i);
        ExpectSamePersisted(loaded->Records()[i], s->Records()[i]);
    }
    EXPECT_TRUE(host.log.Lines().isEmpty()) << host.log.Lines().join("\n").toStdString();
}

TEST_F(KR720Test, SoftwareSettingsRewriteKeepsTheDeviceSideOfTheStoredDocument) {
    auto s = NewStore();
    s->PutRecord(3, FilledRecord(3));
    ASSERT_TRUE(s->SaveProfile());
    const QString document = s->DocumentPath();

    s->SetProfileName(0, "Renamed");                       // software side
    s->SetCustomList(3, 0, {CustomColor{1, 9, 9, 9, 9}});  // software side
    s->SetAimpadPath(3, "new aim path");
    s->SetAimModeName(3, "NEW NAME");
    s->AddMacro(3, "Fresh");
    s->SetLightMode(3, 42);         // device side
    s->SetMappedKey(3, 5, 1234);    // device side
    s->SetSensitActuat(3, 0x0101);  // device side
    ASSERT_TRUE(s->SaveSoftwareSettings());
    EXPECT_EQ(ListFolder(Dir()), QStringList{QFileInfo(document).fileName()})
        << "rewritten in place, no leftovers";

    auto loaded = NewStore();
    const KR720Profile& r = loaded->Records()[3];
    EXPECT_EQ(r.name, "Renamed");
    EXPECT_EQ(r.lighting.foreground, (QVector<CustomColor>{CustomColor{1, 9, 9, 9, 9}}));
    EXPECT_EQ(r.aimpad.path, "new aim path");
    EXPECT_EQ(r.aimpad.mode.name, "NEW NAME");
    EXPECT_EQ(r.macros.macros.count("Fresh"), 1u);
    EXPECT_EQ(r.lighting.currMode, FilledRecord(3).lighting.currMode);
    EXPECT_EQ(r.mapping[5], FilledRecord(3).mapping[5]);
    EXPECT_EQ(r.aimpad.mode.sensit, FilledRecord(3).aimpad.mode.sensit);
}

TEST_F(KR720Test, SoftwareSettingsNeedADocumentWithTheSameRecordCount) {
    auto s = NewStore();
    EXPECT_FALSE(s->SaveSoftwareSettings()) << "no document loaded or saved";
    PutDocument(host, Dir(), "2026-01-02 10-00-00.xml", kKR720RecordFlag, NamedRecords(25, "X"), kNew);
    auto kept = NewStore();
    const QByteArray before = ReadAll(kept->DocumentPath());
    QFile::resize(kept->DocumentPath(), before.size() / 2);
    EXPECT_FALSE(kept->SaveSoftwareSettings());
}

// ---- Exports and imports ----

enum class Export { Record, Profile, Aimpad, Macros, Store };
enum class Import { Record, Profile, Aimpad, Macros };

struct ImportCase {
    Import import;
    Export file;
    bool accepted;
};

class KR720ImportTest : public KR720Test, public ::testing::WithParamInterface<ImportCase> {
protected:
    // A store whose profile 1 is filled, current at profile 1, aim mode 2 (record 7).
    std::unique_ptr<KR720ProfileCfgImpl> Source() {
        auto s = NewStore();
        for (int m = 0; m < 5; ++m) s->PutRecord(5 + m, FilledRecord(static_cast<uint8_t>(40 + m)));
        s->SetCurrProfile(1);
        s->SetCurrAimMode(2);
        return s;
    }
    QString Write(KR720ProfileCfgImpl& s, Export kind) {
        const QString path = UserFile("export.xml");
        bool ok = false;
        switch (kind) {
            case Export::Record:
                ok = s.ExportRecord(path);
                break;
            case Export::Profile:
                ok = s.ExportProfile(path);
                break;
            case Export::Aimpad:
                ok = s.ExportAimpadFile(path);
                break;
            case Export::Macros:
                ok = s.ExportMacroFile(path);
                break;
            case Export::Store:
                ok = s.SaveProfile() && QFile::copy(s.DocumentPath(), path);
                break;
        }
        EXPECT_TRUE(ok);
        return path;
    }
    static bool Read(KR720ProfileCfgImpl& s, Import kind, const QString& path) {
        switch (kind) {
            case Import::Record:
                return s.ImportRecord(path);
            case Import::Profile:
                return s.ImportProfile(path);
            case Import::Aimpad:
                return s.ImportAimpadFile(path);
            case Import::Macros:
                return s.ImportMacroFile(path);
        }
        return false;
    }
};

TEST_P(KR720ImportTest, EachImportTakesOnlyItsOwnExport) {
    const ImportCase c = GetParam();
    auto target = NewStore();  // built before a store export lands in the shared profile folder
    target->SetCurrProfile(1);
    target->SetCurrAimMode(2);
    const auto defaults = NewStore();
    auto source = Source();
    const QString path = Write(*source, c.file);

    ASSERT_EQ(Read(*target, c.import, path), c.accepted);

    for (int i = 0; i < 25; ++i) {
        SCOPED_TRACE(i);
        const bool profileOne = i >= 5 && i < 10;
        const KR720Profile& got = target->Records()[i];
        if (!c.accepted || !profileOne) {
            ExpectSamePersisted(got, defaults->Records()[i]);
            continue;
        }
        const KR720Profile& sent = source->Records()[i];
        switch (c.import) {
            case Import::Record:
                if (i == 7)
                    ExpectSamePersisted(got, sent);
                else
                    ExpectSamePersisted(got, defaults->Records()[i]);
                break;
            case Import::Profile:
                ExpectSamePersisted(got, sent);
                EXPECT_EQ(got.changed, 1);
                break;
            case Import::Aimpad:
                EXPECT_EQ(got.aimpad.mode.name, sent.aimpad.mode.name);
                EXPECT_EQ(got.aimpad.digitalKeys, sent.aimpad.digitalKeys);
                EXPECT_EQ(got.lighting.currMode, 0);
                break;
            case Import::Macros:
                EXPECT_EQ(got.macros.macros.size(), i == 7 ? 2u : 0u);
                break;
        }
    }
}

std::string ImportCaseName(const ::testing::TestParamInfo<ImportCase>& info) {
    const char* imports[] = {"Record", "Profile", "Aimpad", "Macros"};
    const char* files[] = {"Record", "Profile", "Aimpad", "Macros", "Store"};
    return std::string(imports[int(info.param.import)]) + "From" + files[int(info.param.file)];
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, KR720ImportTest,
    ::testing::Values(
        ImportCase{Import::Record, Export::Record, true}, ImportCase{Import::Record, Export::Profile, false},
        ImportCase{Import::Record, Export::Aimpad, false}, ImportCase{Import::Record, Export::Store, false},
        ImportCase{Import::Profile, Export::Profile, true},
        ImportCase{Import::Profile, Export::Record, false}, ImportCase{Import::Profile, Export::Store, false},
        ImportCase{Import::Aimpad, Export::Aimpad, true}, ImportCase{Import::Aimpad, Export::Record, false},
        ImportCase{Import::Aimpad, Export::Profile, false}, ImportCase{Import::Aimpad, Export::Store, false},
        ImportCase{Import::Aimpad, Export::Macros, false}, ImportCase{Import::Macros, Export::Macros, true},
        ImportCase{Import::Macros, Export::Record, false}),
    ImportCaseName);

TEST_F(KR720Test, ExportsWriteTheRootAttributesInOrder) {
    auto s = NewStore();
    s->SetSignature(5);
    s->SetExportPath("e");
    s->SetOpenExePath("o");
    s->SetCurrProfile(0);
    s->SetCurrAimMode(1);
    ASSERT_TRUE(s->ExportRecord(UserFile("r.xml")));
    const QString text = QString::fromUtf8(ReadAll(UserFile("r.xml")));
    EXPECT_TRUE(
        text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<kr720 flag=\"4369\" signature=\"5\" exportPath=\"e\" openExePath=\"o\">\n"
                        "    <profile id=\"1\" name=\"PROFILE0\" exe=\"\">\n"
                        "        <aimpad path=\"\">\n"
                        "            <mode id=\"1\" name=\"FPS\" sensit=\"0\" actuat=\"0\" "
                        "spec_keys=\"0,0,0,0,0,0,0,0\" digital_keys=\"\"/>\n"))
        << text.left(600).toStdString();
    EXPECT_EQ(text.count("<profile "), 1);

    s->SetCurrProfile(5);
    ASSERT_TRUE(s->ExportProfile(UserFile("p.xml"))) << "no current profile: a document without records";
    EXPECT_EQ(ReadAll(UserFile("p.xml")).count("<profile"), 0);
    EXPECT_FALSE(s->ExportRecord(UserFile("none.xml"))) << "no current record";
    EXPECT_FALSE(QFile::exists(UserFile("none.xml")));
}

// ---- Aimpad file ----

TEST_F(KR720Test, AimpadFileRoundTripRestoresTheFiveModes) {
    auto s = NewStore();
    for (int m = 0; m < 5; ++m) s->PutRecord(10 + m, FilledRecord(static_cast<uint8_t>(60 + m)));
    s->SetCurrProfile(2);
    s->SetCurrAimMode(3);
    ASSERT_TRUE(s->ExportAimpadFile(UserFile("aim.xml")));

    QVector<AimpadSettings> before;
    for (int m = 0; m < 5; ++m) before.push_back(s->Records()[10 + m].aimpad);
    for (int m = 0; m < 5; ++m) {
        s->SetAimMode(10 + m, AimMode{});
        s->SetDigitalKeys(10 + m, {});
        s->SetAimpadPath(10 + m, "");
    }
    s->SetCurrAimMode(0);
    ASSERT_TRUE(s->ImportAimpadFile(UserFile("aim.xml")));
    EXPECT_EQ(s->GetCurrAimMode(), 3);
    for (int m = 0; m < 5; ++m) {
        const AimpadSettings& got = s->Records()[10 + m].aimpad;
        EXPECT_EQ(got.path, before[m].path);
        EXPECT_EQ(got.mode.id, before[m].mode.id);
        EXPECT_EQ(got.mode.name, before[m].mode.name);
        EXPECT_EQ(got.mode.sensit, before[m].mode.sensit);
        EXPECT_EQ(got.mode.actuat, before[m].mode.actuat);
        ExpectSameBytes(got.mode.specKeys, before[m].mode.specKeys, sizeof(got.mode.specKeys), "specKeys");
        EXPECT_EQ(got.digitalKeys, before[m].digitalKeys);
    }
}

QByteArray AimpadFileWith(int aimpads, const char* flag = "4369") {
    QByteArray xml = QByteArray("<kr720 flag=\"") + flag + "\" currMode=\"4\">";
    for (int i = 0; i < aimpads; ++i) xml += "<aimpad path=\"p\"><mode id=\"1\" name=\"N\"/></aimpad>";
    return xml + "</kr720>";
}

TEST_F(KR720Test, AimpadFileMustHoldExactlyFiveModes) {
    for (int count : {4, 6}) {
        SCOPED_TRACE(count);
        auto s = NewStore();
        s->SetCurrProfile(0);
        WriteFile(UserFile("aim.xml"), AimpadFileWith(count));
        host.log.Clear();
        EXPECT_FALSE(s->ImportAimpadFile(UserFile("aim.xml")));
        EXPECT_EQ(s->GetCurrAimMode(), 4) << "currMode is taken even from a refused file";
        EXPECT_EQ(s->GetAimModeName(0), "NORMAL");
        EXPECT_EQ(host.log.Lines(), QStringList{"Import aimpad file format error."});
    }
    auto s = NewStore();
    WriteFile(UserFile("aim.xml"), AimpadFileWith(5, "1282"));
    EXPECT_FALSE(s->ImportAimpadFile(UserFile("aim.xml")));
    EXPECT_EQ(s->GetCurrAimMode(), 255) << "a refused root gives no currMode";
    WriteFile(UserFile("aim.xml"), AimpadFileWith(5));
    EXPECT_FALSE(s->ImportAimpadFile(UserFile("aim.xml"))) << "currProfile 255 names no records";
    EXPECT_EQ(s->GetCurrAimMode(), 4);
    EXPECT_EQ(s->GetAimModeName(0), "NORMAL");
    s->SetCurrProfile(0);
    EXPECT_TRUE(s->ImportAimpadFile(UserFile("aim.xml")));
    EXPECT_EQ(s->GetAimModeName(0), "N");
    EXPECT_EQ(s->GetAimModeName(5), "NORMAL");
    EXPECT_FALSE(s->ImportAimpadFile(""));
}

}  // namespace
}  // namespace prefbook::test
