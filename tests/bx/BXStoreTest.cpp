// Both BX stores: in-memory lighting codes and flags, the reader's limits, and the store on disk (the
// in-place software rewrite and the current-record files).
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <array>

#include "BXFixture.h"

namespace prefbook::test {
namespace {

TYPED_TEST_SUITE(BXTest, BXStores);

BXEffect EffectWithId(uint8_t id) {
    BXEffect e{};
    e.id = id;
    e.bgBrightness = 77;
    return e;
}

TYPED_TEST(BXTest, LightingSettersSetTheirModeCodes) {
    auto s = this->NewStore();
    std::array<uint8_t, kBXCustomBytes> colors{};
    colors.fill(9);
    const QVector<uint8_t> filters(kBXFilterRows * this->Width(), 3);
    const struct {
        const char* what;
        std::function<void()> set;
        int8_t mode;
    } cases[] = {
        {"general effect", [&] { s->SetGeneralEffect(1, 6, EffectWithId(7)); }, 7},
        {"custom colours", [&] { s->SetCustomColors(1, EffectWithId(33), colors.data()); }, 4},
        {"multilayer", [&] { s->SetMultilayerEffects(1, {EffectWithId(2)}); }, 18},
        {"multizone", [&] { s->SetMultizone(1, {EffectWithId(5)}, filters.data()); }, 19},
    };
    for (const auto& c : cases) {
        s->SetLightMode(1, 100);
        c.set();
        EXPECT_EQ(s->GetLightMode(1), c.mode) << c.what;
        EXPECT_EQ(s->GetLightMode(0), 0) << c.what << " touches its own record only";
    }
    BXEffect custom{};
    std::array<uint8_t, kBXCustomBytes> out{};
    ASSERT_TRUE(s->GetCustomColors(1, custom, out.data()));
    EXPECT_EQ(custom, EffectWithId(33));
    EXPECT_EQ(s->Records()[1].general[4], EffectWithId(33)) << "the custom effect sits at general position 4";
    EXPECT_EQ(out, colors);
}

// The multizone block is exactly four rows of the model's width, in and out.
TYPED_TEST(BXTest, MultizoneBlockHoldsFourRowsOfTheModelsWidth) {
    auto s = this->NewStore();
    const int bytes = kBXFilterRows * this->Width();
    QVector<uint8_t> in(bytes);
    for (int i = 0; i < bytes; ++i) in[i] = static_cast<uint8_t>(i * 7 + 1);
    s->SetMultizone(2, {EffectWithId(4)}, in.data());
    QVector<uint8_t> out(bytes + 8, 0xEE);
    QVector<BXEffect> effects;
    s->GetMultizone(2, effects, out.data());
    EXPECT_EQ(out.mid(0, bytes), in);
    EXPECT_EQ(out.mid(bytes), QVector<uint8_t>(8, 0xEE)) << "nothing written past the block";
    EXPECT_EQ(effects, QVector<BXEffect>{EffectWithId(4)});
    EXPECT_EQ(s->Records()[2].filters[1][0], in[this->Width()]) << "row two starts one width in";
}

TYPED_TEST(BXTest, ChangedMarkedAndProfileFlags) {
    auto s = this->NewStore();
    s->SetChanged(2, 1);
    EXPECT_TRUE(s->HasChanges());
    EXPECT_EQ(s->IsChanged(2), 1);
    s->ClearChanged();
    EXPECT_FALSE(s->HasChanges());
    EXPECT_EQ(s->IsChanged(2), 0);
    EXPECT_EQ(s->GetProfileFlag(2), 1) << "clearing changes leaves the profile flags";
    s->SetAllProfileFlags(0x1FE);
    EXPECT_EQ(s->GetProfileFlag(4), 0xFE);
    EXPECT_EQ(s->GetProfileFlag(5), 0);
    s->SetMarked(3);
    EXPECT_EQ(s->IsMarked(3), 1);
    EXPECT_EQ(s->IsMarked(2), 0);
    s->MarkAll();
    EXPECT_EQ(s->IsMarked(0), 1);
}

// ---- The reader ----

BXDocument Read(const BXModel& model, TestHost& host, const QByteArray& xml) {
    QByteArray bytes = xml;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    BXDocument doc;
    EXPECT_TRUE(ReadBXDevice(host.Host(), model, buffer, "fixture", doc));
    return doc;
}

QByteArray Numbers(int count, int first) {
    QByteArray out;
    for (int i = 0; i < count; ++i) out += (i ? "," : "") + QByteArray::number((first + i) % 256);
    return out;
}

// Surplus triplets, rows and values are dropped; nothing lands beyond the model's row width.
TYPED_TEST(BXTest, SurplusValuesAreDroppedWithoutOverrunningAField) {
    const int w = this->Width();
    QByteArray rows, rgb;
    for (int r = 0; r < 5; ++r) rows += "<mode select=\"" + Numbers(kBXMaxFilterWidth + 1, r + 1) + "\"/>";
    for (int k = 0; k < kBXCustomKeys + 1; ++k)
        rgb += "<rgb r=\"9\" g=\"8\" b=\"" + QByteArray::number(k) + "\"/>";
    const QByteArray root = QByteArray(this->Model().root.data());
    const BXDocument doc = Read(this->Model(), this->host,
                                "<" + root +
                                    " flag=\"1282\" currentProfileID=\"258\"><profile id=\"300\"><lighting>"
                                    "<general/><custom>" +
                                    rgb + "</custom><multilayer/><multizone><subMode/><filter>" + rows +
                                    "</filter></multizone></lighting><mapping><key id=\"65537\"/></mapping>"
                                    "</profile></" +
                                    root + ">");
    ASSERT_EQ(doc.records.size(), 1);
    const BXProfile& p = doc.records[0];
    EXPECT_EQ(doc.head.currentProfileID, 2) << "258 narrowed to a byte";
    EXPECT_EQ(p.id, 300 & 0xFF);
    EXPECT_EQ(p.custom[kBXCustomBytes - 1], kBXCustomKeys - 1) << "the 169th triplet is dropped";
    for (int r = 0; r < kBXFilterRows; ++r) {
        EXPECT_EQ(p.filters[r][0], r + 1) << "each mode fills its own row";
        EXPECT_EQ(p.filters[r][w - 1], (r + w) % 256);
        if (w < kBXMaxFilterWidth) {
            EXPECT_EQ(p.filters[r][w], 0) << "nothing past the model's width";
        }
    }
    EXPECT_EQ(p.mapping, QVector<uint16_t>{1});
    EXPECT_TRUE(p.general.isEmpty()) << "the document defines the list sizes";
    EXPECT_TRUE(p.foreground.isEmpty());
}

// ---- On disk ----

TYPED_TEST(BXTest, SoftwareSettingsRewriteKeepsTheDeviceSideOfTheStoredDocument) {
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

TYPED_TEST(BXTest, CurrentRecordFilesNeedACurrentProfileAndAPath) {
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
