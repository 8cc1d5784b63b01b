// The KR720 reader on hand-written documents: surplus values, narrowing, child order, aimpad values.
#include <QBuffer>

#include "KR720TestSupport.h"

namespace prefbook::test {
namespace {

KR720Document Read(TestHost& host, const QByteArray& xml, bool expectOk = true) {
    QByteArray bytes = xml;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    KR720Document doc;
    EXPECT_EQ(ReadKR720Device(host.Host(), buffer, "fixture", doc), expectOk);
    return doc;
}

QByteArray Numbers(int count, int first) {
    QByteArray out;
    for (int i = 0; i < count; ++i) out += (i ? "," : "") + QByteArray::number(first + i);
    return out;
}

TEST(KR720Reader, SurplusValuesAreDroppedWithoutOverrunningAField) {
    TestHost host;
    QByteArray rows;
    for (int r = 0; r < 5; ++r) rows += "<mode select=\"" + Numbers(193, r) + "\"/>";
    const QByteArray xml =
        "<kr720 flag=\"1282\" signature=\"4294967295\"><profile id=\"300\">"
        "<aimpad><mode spec_keys=\"" +
        Numbers(9, 65530) +
        "\" sensit=\"257\"/></aimpad>"
        "<lighting curr_mode=\"20\"><general/>"
        "<custom brightness=\"9\">" +
        QByteArray("<rgb r=\"1\" g=\"2\" b=\"3\"/>").repeated(182) +
        "<rgb r=\"7\" g=\"7\" b=\"7\"/></custom>"
        "<multilayer/><multizone><subMode/><filter>" +
        rows +
        "</filter></multizone>"
        "</lighting><mapping><key id=\"65537\"/><key/></mapping></profile></kr720>";
    const KR720Document doc = Read(host, xml);
    ASSERT_EQ(doc.records.size(), 1);
    const KR720Profile& p = doc.records[0];
    EXPECT_EQ(doc.head.signature, 4294967295u);
    EXPECT_EQ(p.id, 300 & 0xFF);
    EXPECT_EQ(p.aimpad.mode.sensit, 1) << "narrowed to a byte";
    EXPECT_EQ(p.aimpad.mode.specKeys[0], 65530);
    EXPECT_EQ(p.aimpad.mode.specKeys[5], 65535);
    EXPECT_EQ(p.aimpad.mode.specKeys[6], 0) << "65536 narrowed to 16 bits";
    EXPECT_EQ(p.aimpad.mode.specKeys[7], 1);
    EXPECT_EQ(p.lighting.custom.keys[181].r, 1) << "the 183rd triplet is dropped";
    EXPECT_EQ(p.lighting.custom.brightness, 9);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(p.lighting.filters[r][0], r);
        EXPECT_EQ(p.lighting.filters[r][191], r + 191) << "each mode fills its own row";
    }
    EXPECT_EQ(p.mapping, (QVector<uint16_t>{1, 0}));
    EXPECT_TRUE(p.lighting.general.isEmpty()) << "the document defines the list sizes";
    EXPECT_TRUE(p.lighting.foreground.isEmpty());
}

TEST(KR720Reader, AMissingChildLeavesTheChildrenAfterItUnread) {
    TestHost host;
    const QByteArray xml =
        "<kr720><profile name=\"n\"><aimpad path=\"a\"/><foreign/><lighting curr_mode=\"3\">"
        "<custom brightness=\"5\"/><multilayer curr_mode=\"2\"><mode id=\"1\"/></multilayer>"
        "</lighting><mapping><key id=\"4\"/></mapping><macros currMacro=\"m\"/></profile></kr720>";
    const KR720Document doc = Read(host, xml);
    ASSERT_EQ(doc.records.size(), 1);
    const KR720Profile& p = doc.records[0];
    EXPECT_EQ(p.lighting.currMode, 3);
    EXPECT_EQ(p.lighting.custom.brightness, 0) << "skipped while looking for general";
    EXPECT_TRUE(p.lighting.multilayer.isEmpty());
    EXPECT_EQ(p.mapping, QVector<uint16_t>{4}) << "the profile's own order goes on after lighting";
    EXPECT_EQ(p.macros.currMacro, "m");
    EXPECT_EQ(p.aimpad.path, "a");
}

AimpadSettings ReadAimpadText(const QByteArray& xml, AimpadSettings start = {}) {
    QXmlStreamReader r(xml);
    r.readNextStartElement();
    ReadAimpad(r, start);
    EXPECT_FALSE(r.hasError()) << r.errorString().toStdString();
    return start;
}

TEST(KR720Reader, AimpadListsMergeIntoTheSettings) {
    AimpadSettings start;
    for (int i = 0; i < 8; ++i) start.mode.specKeys[i] = static_cast<uint16_t>(100 + i);
    start.digitalKeys = {{9, 9}};
    const AimpadSettings s = ReadAimpadText(
        "<aimpad path=\"P\"><mode id=\"2\" name=\"X\" spec_keys=\"1,2,3\" "
        "digital_keys=\"5:1,5:2,bad,1:2:3,7:8\"/>"
        "</aimpad>",
        start);
    EXPECT_EQ(s.path, "P");
    const uint16_t keys[8] = {1, 2, 3, 103, 104, 105, 106, 107};
    ExpectSameBytes(s.mode.specKeys, keys, sizeof(keys), "three values set entries 0-2 only");
    EXPECT_EQ(s.digitalKeys, (DigitalKeyMap{{5, 2}, {7, 8}, {9, 9}}));

    const AimpadSettings empty = ReadAimpadText("<aimpad><mode digital_keys=\"\"/></aimpad>");
    EXPECT_TRUE(empty.digitalKeys.empty());
}

}  // namespace
}  // namespace prefbook::test
