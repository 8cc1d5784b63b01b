// The KR720 store: in-memory operations (defaults, addressing, lighting codes, the bulk transfer), then
// the store on disk (load acceptance, saves, exports and imports).
#include <QFile>
#include <functional>

#include "KR720TestSupport.h"
#include "profilecore/ProfileFolder.h"

namespace prefbook::test {
namespace {

LightEffect EffectWithId(uint8_t id) {
    LightEffect e{};
    e.id = id;
    e.speed = 3;
    return e;
}

TEST_F(KR720Test, RecordIndexesOfProfilesAndModes) {
    auto s = NewStore();
    EXPECT_EQ(s->GetRecordIndex(4, 4), 24);
    EXPECT_EQ(s->GetRecordIndex(1, 3), 8);
    QVector<uint8_t> indexes{99};
    ASSERT_TRUE(s->GetProfileIndexes(3, indexes));
    EXPECT_EQ(indexes, (QVector<uint8_t>{15, 16, 17, 18, 19}));
    s->SetCurrProfile(2);
    s->SetCurrAimMode(4);
    EXPECT_EQ(s->GetCurrIndex(), 14);
}

TEST_F(KR720Test, ProfileNameAndExeCoverTheFiveRecordsOfTheProfileOnly) {
    auto s = NewStore();
    s->SetProfileName(2, "Racing");
    s->SetProfileExe(2, "race.exe");
    for (int i = 0; i < 25; ++i) {
        const bool inProfile = i >= 10 && i <= 14;
        EXPECT_EQ(s->Records()[i].name, inProfile ? "Racing" : "PROFILE" + std::to_string(i / 5)) << i;
        EXPECT_EQ(s->Records()[i].exe, inProfile ? "race.exe" : "") << i;
    }
    EXPECT_EQ(s->GetProfileName(2), "Racing");
}

TEST_F(KR720Test, SettingLightingDataSelectsItsMode) {
    auto s = NewStore();
    const uint8_t filters[kKR720FilterBytes] = {1, 2, 3};
    const struct {
        const char* operation;
        std::function<void()> set;
        int8_t mode;
    } cases[] = {
        {"SetCustomColors", [&] { s->SetCustomColors(6, KR720CustomBlock{}); }, 4},
        {"SetMultilayerEffects", [&] { s->SetMultilayerEffects(6, QVector<LightEffect>(4)); }, 19},
        {"SetMultizone", [&] { s->SetMultizone(6, QVector<LightEffect>(4), filters); }, 20},
        {"SetGeneralEffect", [&] { s->SetGeneralEffect(6, 18, EffectWithId(7)); }, 7},
    };
    for (const auto& c : cases) {
        s->SetLightMode(6, 99);
        c.set();
        EXPECT_EQ(s->GetLightMode(6), c.mode) << c.operation;
        EXPECT_EQ(s->GetLightMode(5), 0) << c.operation << ": neighbour untouched";
    }
}

TEST_F(KR720Test, ChangeFlagsFollowCurrentProfileAndMode) {
    auto s = NewStore();
    s->SetCurrProfile(1);
    s->SetCurrAimMode(2);
    s->SetChanged(7, 3);
    EXPECT_TRUE(s->HasChanges());
    EXPECT_EQ(s->IsProfileChanged(1), 3);
    EXPECT_EQ(s->IsAimModeChanged(2), 3);
    EXPECT_EQ(s->IsAimModeChanged(5), 0);
    s->ClearChanged();
    EXPECT_FALSE(s->HasChanges());
}

TEST_F(KR720Test, SensitActuatPackSensitIntoTheLowByte) {
    auto s = NewStore();
    ASSERT_TRUE(s->SetSensitActuat(3, 0x0A05));
    AimMode mode;
    ASSERT_TRUE(s->GetAimMode(3, mode));
    EXPECT_EQ(mode.sensit, 5);
    EXPECT_EQ(mode.actuat, 10);
    uint16_t pair = 0;
    ASSERT_TRUE(s->GetSensitActuat(3, pair));
    EXPECT_EQ(pair, 0x0A05);
    s->SetAimModeName(3, "MINE");
    s->ResetAimModeName(3);
    EXPECT_EQ(s->GetAimModeName(3), "ADVANCED FLIGHT");
}

TEST_F(KR720Test, MacroModeCallsLogTheStoresMessage) {
    auto s = NewStore();
    EXPECT_EQ(s->GetMacroMode(3, ""), 0);
    s->SetMacroMode(25, "x", 4);
    EXPECT_EQ(host.log.Lines(),
              (QStringList{"KR720ProfileCfg: GetMacroMode Failed. Profile Id[3]. Macro Name[].",
                           "KR720ProfileCfg: SetMacroMode Failed. Profile Id[25]. Macro Name[x]."}));
    s->SetMacroMode(3, "m", 9);
    EXPECT_EQ(s->GetMacroMode(3, "m"), 9);
}

// ---- Bulk transfer ----

MacroRecord TransferMacro(const char* name, uint8_t mode, uint8_t slot, uint8_t key) {
    MacroRecord m{};
    m.slot = slot;
    m.key = key;
    SetRecordName(m, name);
    m.mode = mode;
    m.actionCount = 2;
    m.actions[0] = {0x1E, 1, 10};
    m.actions[1] = {0x1E, 0, 20};
    return m;
}

struct TransferData {
    uint8_t lightMode = 9;
    LightEffect general[19];
    KR720CustomBlock custom;
    LightEffect multilayer[4];
    LightEffect multizone[4];
    uint8_t filters[kKR720FilterBytes];
    uint16_t mapping[256];
    MacroRecord macros[20];
    uint16_t specKeys[8] = {11, 12, 13, 14, 15, 16, 17, 18};
    uint16_t sensitActuat = 0x0A05;

    TransferData() {
        auto fill = [](void* p, size_t n, int seed) {
            for (size_t i = 0; i < n; ++i) static_cast<uint8_t*>(p)[i] = static_cast<uint8_t>(i * 7 + seed);
        };
        fill(general, sizeof(general), 1);
        fill(&custom, sizeof(custom), 2);
        fill(multilayer, sizeof(multilayer), 3);
        fill(multizone, sizeof(multizone), 4);
        fill(filters, sizeof(filters), 5);
        fill(mapping, sizeof(mapping), 6);
        for (MacroRecord& m : macros) m = TransferMacro("", 3, 0, 0);  // empty slots
        macros[0] = TransferMacro("Alpha", 1, 2, 17);
        macros[1] = TransferMacro("Alpha", 1, 3, 18);
        macros[2] = TransferMacro("Beta", 2, 4, 0);
        macros[5] = TransferMacro("Skipped", 3, 5, 19);
    }
    KR720ProfileBlock Block() {
        KR720ProfileBlock b{&lightMode, general, &custom, multilayer, multizone,
                            filters,    mapping, {},      specKeys,   &sensitActuat};
        for (int i = 0; i < 20; ++i) b.macros[i] = &macros[i];
        return b;
    }
};

TEST_F(KR720Test, ProfileBlockRoundTripsByteExact) {
    auto s = NewStore();
    s->AddMacro(4, "Old");
    s->AddMacroAssignment(4, "Old", {1, 1});
    s->AddMacro(4, "Keep");
    s->SetCurrMacro(4, "Old");
    s->SetGeneralEffects(4, QVector<LightEffect>(2));

    TransferData in;
    s->SetProfileBlock(4, in.Block());

    std::vector<std::string> names;
    s->GetMacroNames(4, names);
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Beta", "Keep"}))
        << "assigned macros replaced, mode 3 skipped";
    EXPECT_EQ(s->GetCurrMacro(4), "");
    QVector<MacroAssignment> assigned;
    s->GetMacroAssignments(4, "Alpha", assigned);
    EXPECT_EQ(assigned, (QVector<MacroAssignment>{{2, 17}, {3, 18}}));
    EXPECT_FALSE(s->HasMacroAssignment(4, "Beta")) << "key byte 0 stores no assignment";
    s->AddMacroAssignment(4, "Beta", {4, 0x120});

    MacroRecord buffers[20];
    std::memset(buffers, 0xCC, sizeof(buffers));
    KR720ProfileBlock out{};
    for (int i = 0; i < 20; ++i) out.macros[i] = &buffers[i];
    ASSERT_TRUE(s->GetProfileBlock(4, out));
    EXPECT_EQ(*out.lightMode, 9);
    ExpectSameBytes(out.general, in.general, sizeof(in.general), "general");
    ExpectSameBytes(out.custom, &in.custom, sizeof(in.custom), "custom");
    ExpectSameBytes(out.multilayer, in.multilayer, sizeof(in.multilayer), "multilayer");
    ExpectSameBytes(out.multizone, in.multizone, sizeof(in.multizone), "multizone");
    ExpectSameBytes(out.filters, in.filters, sizeof(in.filters), "filters");
    ExpectSameBytes(out.mapping, in.mapping, sizeof(in.mapping), "mapping");
    ExpectSameBytes(out.specKeys, in.specKeys, sizeof(in.specKeys), "specKeys");
    uint16_t pair = 0;
    std::memcpy(&pair, out.sensitActuat, sizeof(pair));
    EXPECT_EQ(pair, 0x0A05);
    ExpectSameBytes(&buffers[0], &in.macros[0], sizeof(MacroRecord), "Alpha, first assignment");
    ExpectSameBytes(&buffers[1], &in.macros[1], sizeof(MacroRecord), "Alpha, second assignment");
    MacroRecord beta = in.macros[2];
    beta.key = 0x20;
    ExpectSameBytes(&buffers[2], &beta, sizeof(MacroRecord), "Beta, with the low byte of its key");
    MacroRecord untouched;
    std::memset(&untouched, 0xCC, sizeof(untouched));
    ExpectSameBytes(&buffers[3], &untouched, sizeof(MacroRecord), "no further buffers: Keep is unassigned");
}

TEST_F(KR720Test, ProfileBlockNeverPointsPastAShortList) {
    auto s = NewStore();
    s->SetGeneralEffects(1, QVector<LightEffect>(2, EffectWithId(5)));
    s->SetMapping(1, {7});
    KR720ProfileBlock out{};
    ASSERT_TRUE(s->GetProfileBlock(1, out));
    EXPECT_EQ(out.general[1].id, 5);
    EXPECT_EQ(out.general[18].id, 0);
    EXPECT_EQ(out.mapping[0], 7);
    EXPECT_EQ(out.mapping[255], 0);
}

// ---- On disk ----

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
