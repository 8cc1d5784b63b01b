// The BX reader's limits: surplus values never spill into a neighbouring field.
#include <QBuffer>

#include "BXFixture.h"

namespace prefbook::test {
namespace {

template <class Store>
using BXDocumentTest = BXTest<Store>;
TYPED_TEST_SUITE(BXDocumentTest, BXStores);

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
TYPED_TEST(BXDocumentTest, SurplusValuesAreDroppedWithoutOverrunningAField) {
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
        if (w < kBXMaxFilterWidth) EXPECT_EQ(p.filters[r][w], 0) << "nothing past the model's width";
    }
    EXPECT_EQ(p.mapping, QVector<uint16_t>{1});
    EXPECT_TRUE(p.general.isEmpty()) << "the document defines the list sizes";
    EXPECT_TRUE(p.foreground.isEmpty());
}

}  // namespace
}  // namespace prefbook::test
