// The KR720 store on disk: load acceptance, saves, exports and imports.
#include <QFile>

#include "KR720TestSupport.h"
#include "profilecore/ProfileFolder.h"

namespace prefbook::test {
namespace {

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

// ---- Exports and imports: which file each import takes is swept over every store elsewhere; here
// what an accepted import replaces ----

TEST_F(KR720Test, AcceptedImportsReplaceOnlyTheirRecords) {
    auto source = NewStore();
    for (int m = 0; m < 5; ++m) source->PutRecord(5 + m, FilledRecord(static_cast<uint8_t>(40 + m)));
    const auto defaults = NewStore();
    source->SetCurrProfile(1);
    source->SetCurrAimMode(2);
    ASSERT_TRUE(source->ExportRecord(UserFile("r.xml")));
    ASSERT_TRUE(source->ExportProfile(UserFile("p.xml")));
    ASSERT_TRUE(source->ExportAimpadFile(UserFile("a.xml")));
    const auto target = [&](const char* file, bool (KR720ProfileCfgImpl::*import)(const QString&)) {
        auto s = NewStore();
        s->SetCurrProfile(1);
        s->SetCurrAimMode(2);
        EXPECT_TRUE(((*s).*import)(UserFile(file))) << file;
        return s;
    };
    auto record = target("r.xml", &KR720ProfileCfgImpl::ImportRecord);
    auto profile = target("p.xml", &KR720ProfileCfgImpl::ImportProfile);
    auto aimpad = target("a.xml", &KR720ProfileCfgImpl::ImportAimpadFile);
    for (int i = 0; i < 25; ++i) {
        SCOPED_TRACE(i);
        const bool inProfile = i >= 5 && i < 10;
        EXPECT_EQ(Persisted(record->Records()[i]), Persisted((i == 7 ? source : defaults)->Records()[i]));
        EXPECT_EQ(record->IsChanged(i), 0);
        EXPECT_EQ(Persisted(profile->Records()[i]), Persisted((inProfile ? source : defaults)->Records()[i]));
        EXPECT_EQ(profile->IsChanged(i), inProfile ? 1 : 0);
        const KR720Profile& a = aimpad->Records()[i];
        EXPECT_EQ(a.aimpad.mode.name, (inProfile ? source : defaults)->Records()[i].aimpad.mode.name);
        EXPECT_EQ(a.aimpad.digitalKeys, (inProfile ? source : defaults)->Records()[i].aimpad.digitalKeys);
        EXPECT_EQ(a.lighting.currMode, defaults->Records()[i].lighting.currMode);
    }
}

// The files' bytes are golden-checked over every store; here what a missing current profile writes.
TEST_F(KR720Test, ExportsOfAMissingCurrentProfile) {
    auto s = NewStore();
    s->SetCurrAimMode(1);
    s->SetCurrProfile(5);
    ASSERT_TRUE(s->ExportProfile(UserFile("p.xml"))) << "no current profile: a document without records";
    EXPECT_EQ(ReadAll(UserFile("p.xml")).count("<profile"), 0);
    EXPECT_FALSE(s->ExportRecord(UserFile("none.xml"))) << "no current record";
    EXPECT_FALSE(QFile::exists(UserFile("none.xml")));
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
}

}  // namespace
}  // namespace prefbook::test
