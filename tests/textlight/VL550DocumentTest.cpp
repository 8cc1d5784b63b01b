#include <gtest/gtest.h>

#include <QBuffer>

#include "devices/textlight/VL550Document.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

QString Write(const VL550Profile& p) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteXmlDevice(buffer, [&](QXmlStreamWriter& w) { WriteVL550Document(w, p); }));
    return QString::fromUtf8(buffer.data());
}

TEST(VL550DocumentTest, ShortModeListIsPaddedToTenInWriterOrder) {
    VL550Profile p;
    p.modes = {{0, 1, 2, 3, 4, 5}};
    p.customColors = {{1, 2, 3, 4, 5}};
    const QString doc = Write(p);
    EXPECT_EQ(doc.count("<mode "), 10);
    EXPECT_TRUE(
        doc.contains("<mode id=\"0\" speed=\"1\" brightness=\"5\" red=\"2\" green=\"3\" blue=\"4\"/>"));
    EXPECT_EQ(
        doc.count("<mode id=\"0\" speed=\"3\" brightness=\"255\" red=\"255\" green=\"255\" blue=\"255\"/>"),
        9);
    EXPECT_EQ(doc.count("<rgb r=\"0\" g=\"0\" b=\"0\"/>"), 21);
    EXPECT_FALSE(doc.contains("PROFILE"));
}

TEST(VL550DocumentTest, ReaderIgnoresSurplusColoursAndForeignElements) {
    QByteArray xml =
        "<vl550><extra><profile id=\"9\"/></extra><profile id=\"1\"><lighting curr_mode=\"300\"><custom>";
    for (int i = 0; i < 25; ++i) xml += "<rgb r=\"" + QByteArray::number(i) + "\" g=\"1\" b=\"2\"/>";
    xml += "</custom><unknown/></lighting></profile></vl550>";
    QBuffer buffer(&xml);
    buffer.open(QIODevice::ReadOnly);
    TestHost t;
    VL550Profile p;
    p.customColors = {{1, 1, 1, 1, 1}};
    ASSERT_TRUE(ReadXmlDevice(t.Host(), buffer, "mem", kVL550ParseFailure,
                              [&](QXmlStreamReader& r) { ReadVL550Document(t.Host(), r, p); }));
    EXPECT_EQ(p.id, 1);
    EXPECT_EQ(p.currMode, 44);
    EXPECT_EQ(p.customBlock[60], 20);
    EXPECT_EQ(p.currText, 0);  // the fields after the block are not overrun
    EXPECT_EQ(p.textPeriod, 10);
    EXPECT_TRUE(p.customColors.isEmpty());
}

}  // namespace
}  // namespace prefbook::test
