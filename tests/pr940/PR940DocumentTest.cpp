#include <gtest/gtest.h>

#include <QBuffer>

#include "pr940/PR940TestSupport.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

const QString kDistinct = QStringLiteral(PREFBOOK_TEST_DATA "/pr940/distinct.xml");

QByteArray Write(IGlyphPress& press, const PR940Document& doc) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteXmlDevice(buffer, [&](QXmlStreamWriter& w) { WritePR940Document(press, doc, w); }));
    return buffer.data();
}

bool Read(TestHost& t, IGlyphPress& press, const QByteArray& xml, PR940Document& doc) {
    QBuffer buffer;
    buffer.setData(xml);
    buffer.open(QIODevice::ReadOnly);
    return ReadPR940Document(t.Host(), press, buffer, "doc.xml", doc);
}

// The default document is checked by the store catalogue; the distinct one is written here from a
// document built in code, since the store cannot set every field.
TEST(PR940Document, WriterProducesTheGoldenDocumentAndHandsEveryArtworkToThePress) {
    RecordingGlyphPress press;
    EXPECT_EQ(Write(press, DistinctPR940Document()), ReadAll(kDistinct));
    EXPECT_EQ(press.calls, QStringList({"folder 10 Quiet", "folder 10 Show", "save art/10/Show/Logo.bmp",
                                        "save art/10/Show/Wave.bmp"}));
    EXPECT_EQ(press.images.value("art/10/Show/Wave.bmp"), QVector<uint32_t>({0xdeadbeef}));
}

// The fields are checked by the store catalogue; here the order in which the reader asks the press.
TEST(PR940Document, ReaderLoadsEachArtworkFromThePressInOrder) {
    TestHost t;
    RecordingGlyphPress press;
    press.images = {{"art/10/Show/Logo.bmp", {1, 2, 3}}, {"art/10/Show/Wave.bmp", {0xdeadbeef}}};
    PR940Document doc;
    ASSERT_TRUE(ReadPR940DocumentFile(t.Host(), press, kDistinct, doc));
    EXPECT_EQ(doc.profiles.value(0).oledProfiles["Show"].artworks["Wave"].pixels,
              QVector<uint32_t>({0xdeadbeef}));
    EXPECT_EQ(press.calls, QStringList({"load art/10/Show/Logo.bmp", "load art/10/Show/Wave.bmp"}));
}

TEST(PR940Document, ReaderKeepsOddValuesAsTheSuiteWroteThem) {
    TestHost t;
    RecordingGlyphPress press;
    const QByteArray longName(70, 's');
    const QByteArray xml = "<pr940><profile id='x' name='n'><button tactix='7'/><lighting>" +
                           QByteArray(6 * 13, ' ').replace("             ", "<custom r='300'/>") +
                           "</lighting><performance><surface name='" + longName +
                           "' learn1='-ff' learn2='zz'/></performance><oled><op name='o' order='3,,1'>"
                           "<artwork name='a' bmp='' pen='258'/></op><op name='' /></oled></profile></pr940>";
    PR940Document doc;
    ASSERT_TRUE(Read(t, press, xml, doc));
    ASSERT_EQ(doc.profiles.size(), 1);
    const PR940Profile& p = doc.profiles[0];
    EXPECT_EQ(p.id, 0);
    EXPECT_EQ(p.tactix, 1);
    ASSERT_EQ(p.customColors.size(), 6);
    EXPECT_EQ(p.customColors[5].r, 44);
    EXPECT_EQ(t.log.Lines(), QStringList({"Get PR940 Custom Color Num From XML != 7. size[6]"}));
    const SurfaceTuning& s = p.surfaces.at(longName.toStdString());
    EXPECT_EQ(SurfaceName(s), std::string(64, 's'));
    EXPECT_EQ(int(s.learn1), -255);
    EXPECT_EQ(int(s.learn2), 0);
    ASSERT_EQ(p.oledProfiles.size(), 1u);
    const OledProfile& op = p.oledProfiles.at("o");
    EXPECT_EQ(op.order, QVector<int32_t>({3, 0, 1}));
    EXPECT_EQ(op.duration, 0.0);  // absent, unlike a new display profile's 3
    EXPECT_EQ(op.artworks.at("a").pen, 2);
    EXPECT_EQ(op.artworks.at("a").background, 0);
    EXPECT_TRUE(press.calls.isEmpty());  // no image path, nothing to load

    // The name is written cut to its 64 bytes, so the next load keys it by the short form.
    PR940Document again;
    ASSERT_TRUE(Read(t, press, Write(press, doc), again));
    EXPECT_EQ(again.profiles[0].surfaces.begin()->first, std::string(64, 's'));
}

TEST(PR940Document, BrokenDocumentsFailWithTheModelsMessages) {
    TestHost t;
    RecordingGlyphPress press;
    PR940Document doc;
    EXPECT_FALSE(Read(t, press, "<pr940><profile id='1'><lighting></profile></pr940>", doc));
    ASSERT_EQ(t.log.Lines().size(), 2);
    EXPECT_TRUE(t.log.Lines()[0].startsWith("Parse PR940 XML Failed. doc.xml : "));
    EXPECT_TRUE(t.log.Lines()[1].startsWith("Failed to parse file doc.xml : "));
    EXPECT_FALSE(ReadPR940DocumentFile(t.Host(), press, "/no/such/file.xml", doc));

    // A converter that throws while the document is written ends the write, not the caller.
    struct ThrowingPress : RecordingGlyphPress {
        void GetArtworkFolder(int, QString, QString&) override { throw 1; }
    } throwing;
    t.log.Clear();
    const QString path = t.habitat.GetBaseDir() + "/out.xml";
    EXPECT_FALSE(WritePR940DocumentFile(t.Host(), throwing, DistinctPR940Document(), path));
    EXPECT_EQ(t.log.Lines(), QStringList({"Write PR940 XML Failed: " + path}));
}

}  // namespace
}  // namespace prefbook::test
