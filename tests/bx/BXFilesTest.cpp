// Both BX stores on disk: the in-place software rewrite and the current-record files.
#include <QFile>
#include <QFileInfo>

#include "BXFixture.h"

namespace prefbook::test {
namespace {

template <class Store>
using BXFilesTest = BXTest<Store>;
TYPED_TEST_SUITE(BXFilesTest, BXStores);

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
    ASSERT_TRUE(s->ExportProfile(path));
    s->SetCurrentProfileID(5);
    s->SetExportPath("mine");
    EXPECT_FALSE(s->ImportProfile(path));
    EXPECT_EQ(s->GetExportPath(), "mine") << "nothing read without a current profile";
}

}  // namespace
}  // namespace prefbook::test
