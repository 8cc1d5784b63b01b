#include <gtest/gtest.h>

#include <QBuffer>
#include <climits>

#include "devices/mice/MouseXml.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

TEST(MouseXml, LearnNumbersAreSignedLowerCaseHex) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "0"}, {255, "ff"}, {-1, "-1"}, {-256, "-100"}, {INT_MAX, "7fffffff"}, {INT_MIN, "-80000000"}};
    for (const auto& [value, text] : cases) {
        const QString written = LearnText(value);
        EXPECT_EQ(written, QLatin1String(text));
        EXPECT_EQ(ParseLearn(QStringRef(&written)), value) << text;
    }
    for (const char* bad : {"", "xyz", "ffffffff", "1g"}) {
        const QString text = QLatin1String(bad);
        EXPECT_EQ(ParseLearn(QStringRef(&text)), 0) << bad;
    }
}

QByteArray Written(const MouseMacroMap& macros, MouseMacroId id) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter w(&buffer);
    w.setAutoFormatting(true);
    WriteMouseMacros(w, "p", "m", macros, id);
    return buffer.data();
}

TEST(MouseXml, MacrosAreWrittenWithTheIdOnlyWhereTheFamilyUsesIt) {
    MouseMacroRecord record{};
    record.id = 3;
    record.mode = 2;
    record.actionCount = 250;  // a caller's count beyond the record must not read past it
    record.actions[0] = {65, 1, 300};
    const MouseMacroMap macros{{"", record}, {"a", record}};
    const QByteArray with = Written(macros, MouseMacroId::Written);
    EXPECT_TRUE(
        with.startsWith("\n<macros path=\"p\" currMacro=\"m\">\n"
                        "    <macro name=\"a\" id=\"3\" mode=\"2\">\n"
                        "        <action key=\"65\" event=\"1\" timer=\"300\"/>\n"));
    EXPECT_EQ(with.count("<action "), kMacroActionCapacity);
    EXPECT_EQ(with.count("<macro "), 1);
    EXPECT_TRUE(Written(macros, MouseMacroId::Omitted).contains("<macro name=\"a\" mode=\"2\">"));
}

TEST(MouseXml, ReadingReplacesTheMapCutsNamesAndKeepsAtMost199Steps) {
    const std::string longName(45, 'n');
    QByteArray xml = "<macros path='p' currMacro='c'><macro name='" + QByteArray::fromStdString(longName) +
                     "' id='7' mode='258'>";
    for (int i = 0; i < 201; ++i) xml += "<action key='" + QByteArray::number(i) + "' event='-1' timer='9'/>";
    xml += "</macro><macro name='' mode='1'/><skip/><macro name='b' id='4'/></macros>";
    for (MouseMacroId id : {MouseMacroId::Omitted, MouseMacroId::Written}) {
        TestHost t;
        QXmlStreamReader r(xml);
        r.readNextStartElement();
        std::string path, curr;
        MouseMacroMap macros{{"old", MouseMacroRecord{}}};
        ReadMouseMacros(r, path, curr, macros, id, t.Host());
        ASSERT_EQ(macros.size(), 2u);
        EXPECT_EQ(path, "p");
        EXPECT_EQ(curr, "c");
        const MouseMacroRecord& m = macros.at(longName);
        EXPECT_EQ(std::string(m.name, sizeof(m.name)), longName.substr(0, kMouseMacroNameBytes));
        EXPECT_EQ(m.mode, 2);
        EXPECT_EQ(m.id, id == MouseMacroId::Written ? 7 : 0);
        EXPECT_EQ(m.actionCount, kMacroActionCapacity);
        EXPECT_EQ(int(m.actions[198].key), 198);  // a packed field: compared by value
        EXPECT_EQ(m.actions[198].event, 255);
        EXPECT_EQ(macros.at("b").id, id == MouseMacroId::Written ? 4 : 0);
        EXPECT_TRUE(r.isEndElement() && r.name() == QLatin1String("macros"));
        EXPECT_EQ(t.log.Lines().size(), 1);
    }
}

}  // namespace
}  // namespace prefbook::test
