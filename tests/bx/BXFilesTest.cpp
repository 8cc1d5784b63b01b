// Both BX stores on disk: load acceptance, the in-place software rewrite, exports and imports.
#include <QFile>
#include <QFileInfo>

#include "BXFixture.h"

namespace prefbook::test {
namespace {

template <class Store>
using BXFilesTest = BXTest<Store>;
TYPED_TEST_SUITE(BXFilesTest, BXStores);

template <class Store>
struct OtherModel;
template <>
struct OtherModel<BX310V2ProfileCfgImpl> {
    using type = BX330V2ProfileCfgImpl;
};
template <>
struct OtherModel<BX330V2ProfileCfgImpl> {
    using type = BX310V2ProfileCfgImpl;
};

const QDateTime kOld(QDate(2026, 1, 1), QTime(10, 0, 0));
const QDateTime kNew(QDate(2026, 1, 2), QTime(10, 0, 0));

QVector<BXProfile> NamedRecords(int count, const std::string& name) {
    QVector<BXProfile> records(count);
    for (BXProfile& p : records) p.name = name;
    return records;
}

// Writes a document straight into the profile folder and dates it.
void PutBXDocument(TestHost& host, const BXModel& model, const QString& path, uint16_t flag,
                   const QVector<BXProfile>& records, const QDateTime& time) {
    ASSERT_TRUE(
        WriteBXFile(host.Host(), model, path, WriteMode::Direct, {flag, "exports", "exes", 2}, records));
    SetModified(path, time);
}

TYPED_TEST(BXFilesTest, LoadAcceptsOnlyAStoreDocumentOfFiveRecords) {
    const BXModel m = this->Model();
    const QString older = this->Dir() + "2026-01-01 10-00-00.xml";
    const QString newer = this->Dir() + "2026-01-02 10-00-00.xml";
    PutBXDocument(this->host, m, older, kBXStoreFlag, NamedRecords(5, "OLD"), kOld);
    PutBXDocument(this->host, m, newer, kBXExportFlag, NamedRecords(5, "NEW"), kNew);
    auto s = this->NewStore();
    EXPECT_EQ(s->GetProfileName(0), "OLD") << "an export is passed over for an older store document";
    EXPECT_EQ(s->DocumentPath(), older);
    EXPECT_EQ(s->GetCurrentProfileID(), 2);

    QFile::remove(older);
    EXPECT_EQ(this->NewStore()->GetProfileName(4), "NEW") << "the last readable document of five is kept";

    PutBXDocument(this->host, m, newer, kBXStoreFlag, NamedRecords(4, "FEW"), kNew);
    auto few = this->NewStore();
    EXPECT_EQ(few->GetRecordCount(), 5u);
    EXPECT_EQ(few->GetProfileName(0), "PROFILE0");
    EXPECT_TRUE(few->GetExportPath().isEmpty());
    EXPECT_TRUE(few->DocumentPath().isEmpty());
}

TYPED_TEST(BXFilesTest, SoftwareSettingsRewriteKeepsTheDeviceSideOfTheStoredDocument) {
    auto s = this->NewStore();
    EXPECT_FALSE(s->SaveSoftwareSettings()) << "no document loaded or saved";
    FillDistinct(*s);
    ASSERT_TRUE(s->SaveProfile());
    const QString document = s->DocumentPath();

    s->SetProfileName(0, "Renamed");                       // software side
    s->SetProfileExe(1, "new.exe");                        // software side
    s->SetCustomList(3, 1, {CustomColor{1, 9, 9, 9, 9}});  // software side
    s->AddMacro(3, "Fresh");                               // software side
    s->SetLightMode(3, 42);                                // device side
    s->SetMappedKey(3, 5, 1234);                           // device side
    s->SetCurrentProfileID(1);
    ASSERT_TRUE(s->SaveSoftwareSettings());
    EXPECT_EQ(ListFolder(this->Dir()), QStringList{QFileInfo(document).fileName()})
        << "rewritten in place, no leftovers";

    auto loaded = this->NewStore();
    const BXProfile distinct = DistinctBXRecord(3, this->Width());
    const BXProfile& r = loaded->Records()[3];
    EXPECT_EQ(loaded->GetProfileName(0), "Renamed");
    EXPECT_EQ(loaded->GetProfileExe(1), "new.exe");
    EXPECT_EQ(r.background, (QVector<CustomColor>{CustomColor{1, 9, 9, 9, 9}}));
    EXPECT_EQ(r.macros.macros.count("Fresh"), 1u);
    EXPECT_EQ(r.currMode, distinct.currMode);
    EXPECT_EQ(r.mapping[5], distinct.mapping[5]);
    EXPECT_EQ(loaded->GetCurrentProfileID(), 3) << "the document's own current profile";
}

// ---- Exports and imports ----

enum class File { Profile, All, Macros, Store, OtherProfile, OtherAll, OtherMacros };
enum class Import { Profile, All, Macros };

template <class Store>
bool Write(Store& s, File kind, const QString& path) {
    switch (kind) {
        case File::Profile:
        case File::OtherProfile:
            return s.ExportProfile(path);
        case File::All:
        case File::OtherAll:
            return s.ExportAllProfiles(path);
        case File::Macros:
        case File::OtherMacros:
            return s.ExportMacroFile(path);
        case File::Store:
            return s.SaveProfile() && QFile::copy(s.DocumentPath(), path);
    }
    return false;
}

template <class Store>
bool Read(Store& s, Import kind, const QString& path) {
    switch (kind) {
        case Import::Profile:
            return s.ImportProfile(path);
        case Import::All:
            return s.ImportAllProfiles(path);
        case Import::Macros:
            return s.ImportMacroFile(path);
    }
    return false;
}

TYPED_TEST(BXFilesTest, EachImportTakesOnlyItsOwnExportOfItsOwnModel) {
    using Other = typename OtherModel<TypeParam>::type;
    const struct {
        Import import;
        File file;
        bool accepted;
    } cases[] = {
        {Import::Profile, File::Profile, true},       {Import::Profile, File::All, false},
        {Import::Profile, File::Store, false},        {Import::Profile, File::Macros, false},
        {Import::Profile, File::OtherProfile, false}, {Import::All, File::All, true},
        {Import::All, File::Profile, false},          {Import::All, File::Store, false},
        {Import::All, File::OtherAll, false},         {Import::Macros, File::Macros, true},
        {Import::Macros, File::OtherMacros, false},   {Import::Macros, File::Profile, false},
    };
    const auto defaults = this->NewStore();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "import " << int(c.import) << " of file " << int(c.file));
        auto target = this->NewStore();  // built before a store export lands in the profile folder
        target->SetCurrentProfileID(1);
        const QString path = this->UserFile("export.xml");
        QFile::remove(path);
        bool written;
        QVector<BXProfile> sent;
        if (c.file >= File::OtherProfile) {
            Other source(this->host.Host());
            FillDistinct(source);
            written = Write(source, c.file, path);
        } else {
            auto source = this->NewStore();
            FillDistinct(*source);
            written = Write(*source, c.file, path);
            sent = source->Records();
        }
        ASSERT_TRUE(written);
        for (const QString& f : ListFolder(this->Dir())) QFile::remove(this->Dir() + f);  // a saved store

        ASSERT_EQ(Read(*target, c.import, path), c.accepted);
        EXPECT_EQ(target->GetCurrentProfileID(), c.accepted && c.import == Import::All ? 3 : 1);
        for (int i = 0; i < kBXRecords; ++i) {
            const BXProfile& got = target->Records()[i];
            if (!c.accepted || (c.import != Import::All && i != 1)) {
                ExpectSameRecord(got, defaults->Records()[i], true);
            } else if (c.import == Import::Macros) {
                EXPECT_EQ(got.macros.macros.size(), 2u);
                EXPECT_EQ(got.macros.path, sent[3].macros.path);
                EXPECT_EQ(got.name, "PROFILE1") << "only the macros";
            } else {
                ExpectSameRecord(got, sent[c.import == Import::All ? i : 3], false);
            }
        }
    }
}

TYPED_TEST(BXFilesTest, CurrentRecordFilesNeedACurrentProfileAndAPath) {
    auto s = this->NewStore();
    const QString path = this->UserFile("x.xml");
    for (uint8_t current : {uint8_t(5), uint8_t(255)}) {
        s->SetCurrentProfileID(current);
        EXPECT_FALSE(s->ExportProfile(path));
        EXPECT_FALSE(s->ExportMacroFile(path));
        EXPECT_FALSE(QFile::exists(path));
    }
    s->SetCurrentProfileID(0);
    EXPECT_FALSE(s->ExportProfile(""));
    EXPECT_FALSE(s->ExportAllProfiles(""));
    EXPECT_FALSE(s->ImportAllProfiles(""));
    ASSERT_TRUE(s->ExportProfile(path));
    s->SetCurrentProfileID(5);
    s->SetExportPath("mine");
    EXPECT_FALSE(s->ImportProfile(path));
    EXPECT_EQ(s->GetExportPath(), "mine") << "nothing read without a current profile";
}

}  // namespace
}  // namespace prefbook::test
