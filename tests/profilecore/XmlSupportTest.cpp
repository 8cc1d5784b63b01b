#include <gtest/gtest.h>

#include <QBuffer>
#include <climits>

#include "profilecore/XmlSupport.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

QXmlStreamAttributes Attrs(const char* xml) {
    QXmlStreamReader r(QByteArray("<e ") + xml + "/>");
    r.readNextStartElement();
    return r.attributes();
}

TEST(XmlSupport, AttributesNarrowAsDocumented) {
    const QXmlStreamAttributes a =
        Attrs(R"(big="300" neg="-1" huge="70000" bad="12x" max="65535" u="4294967295")");
    EXPECT_EQ(attrU8(a, QLatin1String("big")), 44);
    EXPECT_EQ(attrU8(a, QLatin1String("neg")), 255);
    EXPECT_EQ(attrU16(a, QLatin1String("huge")), 0);
    EXPECT_EQ(attrU16(a, QLatin1String("neg")), 0);
    EXPECT_EQ(attrU16(a, QLatin1String("max")), 65535);
    EXPECT_EQ(attrInt(a, QLatin1String("bad")), 0);
    EXPECT_EQ(attrInt(a, QLatin1String("absent")), 0);
    EXPECT_EQ(attrU32(a, QLatin1String("u")), 4294967295u);
    EXPECT_EQ(attrUtf8(a, QLatin1String("absent")), "");
}

TEST(XmlSupport, DecimalTextMatchesQtAtTheExtremes) {
    for (qlonglong v : {0LL, -1LL, 65535LL, qlonglong(INT_MIN), qlonglong(INT_MAX), LLONG_MIN, LLONG_MAX}) {
        EXPECT_EQ(DecimalText(v), QString::number(v));
    }
}

TEST(XmlSupport, ForeignChildrenAreSkippedAndAStreamErrorIsRaised) {
    QXmlStreamReader r(QByteArray("<p><x><deep><deeper/></deep></x><keep n='1'/><keep n='2'/></p>"));
    r.readNextStartElement();
    QStringList seen;
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("keep")) seen << r.attributes().value("n").toString();
        return false;
    });
    EXPECT_EQ(seen, QStringList({"1", "2"}));
    EXPECT_TRUE(r.isEndElement());

    QXmlStreamReader broken(QByteArray("<p><keep></p>"));
    broken.readNextStartElement();
    EXPECT_THROW(ForEachChild(broken, [](QStringRef) { return false; }), ProfileReadError);
}

TEST(XmlSupport, AtomicWriteReplacesTheFileWholeAndReportsAnUnopenableTarget) {
    TestHost t;
    const QString path = t.habitat.GetBaseDir() + "/export.xml";
    WriteFile(path, "old");
    EXPECT_TRUE(WriteXmlFile(t.Host(), path, WriteMode::Atomic,
                             [](QXmlStreamWriter& w) { w.writeEmptyElement("a"); }));
    EXPECT_TRUE(ReadAll(path).contains("<a/>"));
    const QString missing = t.habitat.GetBaseDir() + "/no/such/folder/x.xml";
    EXPECT_FALSE(WriteXmlFile(t.Host(), missing, WriteMode::Atomic, [](QXmlStreamWriter&) {}));
    ASSERT_EQ(t.log.Lines().size(), 1);
    EXPECT_TRUE(t.log.Lines()[0].startsWith("Open " + missing + " Failed : "));
}

}  // namespace
}  // namespace prefbook::test
