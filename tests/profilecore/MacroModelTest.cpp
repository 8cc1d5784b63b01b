#include <gtest/gtest.h>

#include <QFile>
#include <cstring>

#include "profilecore/MacroModel.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

MacroEntry MakeEntry(const std::string& name, uint8_t mode, int actions,
                     QVector<MacroAssignment> assignments) {
    MacroEntry e;
    SetRecordName(e.record, name);
    e.record.mode = mode;
    e.record.actionCount = static_cast<uint8_t>(actions);
    for (int i = 0; i < actions; ++i) {
        e.record.actions[i] = {static_cast<uint16_t>(1000 + i), static_cast<uint8_t>(i % 3),
                               static_cast<uint16_t>(65535 - i)};
    }
    e.assignments = std::move(assignments);
    return e;
}

// Reads a "macros" element out of a wrapper document.
void ReadMacrosXml(const QByteArray& xml, MacroSet& set, const StoreHost& host) {
    QXmlStreamReader r(xml);
    while (r.readNextStartElement()) {
        if (r.name() == QLatin1String("macros")) {
            ShortMacros::Read(r, {set.path, set.currMacro, set.macros}, host);
            return;
        }
    }
}

class MacroModelTest : public ::testing::Test {
protected:
    TestHost t;
    MacroSet set;
};

TEST_F(MacroModelTest, KeyListAssignReadsEveryPartAsAKey) {
    QVector<uint16_t> keys;
    const QString text = "17,300,x,70000";
    KeyListAssign::Parse(QStringRef(&text), keys);
    EXPECT_EQ(keys, (QVector<uint16_t>{17, 300, 0, 0}));
    EXPECT_EQ(KeyListAssign::Format(keys), "17,300,0,0");
}

// A read merges into the set: a macro of the same name is replaced whole, a nameless one is skipped.
// The assign attribute keeps only well-formed slot:key pairs; the mode keeps its low byte.
TEST_F(MacroModelTest, ReadingMergesAndReplacesMacrosOfTheSameName) {
    set.macros["keep"] = MakeEntry("keep", 1, 1, {});
    set.macros["over"] = MakeEntry("over", 1, 5, {{1, 1}});
    ReadMacrosXml(
        R"(<p><macros><macro name="over" mode="2" assign=""><action key="7" event="1" timer="9"/></macro>
                     <macro name="" mode="5"/><macro name="m" mode="300" assign="3:17,bad,4:5:6,2:300"/>
                     </macros></p>)",
        set, t.Host());
    ASSERT_EQ(set.macros.size(), 3u);
    EXPECT_EQ(set.macros.at("keep").record.actionCount, 1);
    const MacroEntry& over = set.macros.at("over");
    EXPECT_EQ(over.record.mode, 2);
    EXPECT_EQ(over.record.actionCount, 1);
    EXPECT_EQ(over.record.actions[0].key, 7);
    EXPECT_TRUE(over.assignments.isEmpty());
    const MacroEntry& m = set.macros.at("m");
    EXPECT_EQ(m.assignments, (QVector<MacroAssignment>{{3, 17}, {2, 300}}));
    EXPECT_EQ(m.record.mode, 44);
    EXPECT_EQ(m.record.actionCount, 0);
}

TEST_F(MacroModelTest, SurplusActionsAreDroppedAndLogged) {
    QByteArray xml = R"(<p><macros><macro name="long" mode="0" assign="">)";
    for (int i = 0; i < 250; ++i)
        xml += "<action key=\"" + QByteArray::number(i) + "\" event=\"1\" timer=\"2\"/>";
    xml += "</macro></macros></p>";
    ReadMacrosXml(xml, set, t.Host());
    const MacroRecord& r = set.macros.at("long").record;
    EXPECT_EQ(r.actionCount, 199);
    EXPECT_EQ(r.actions[198].key, 198);
    EXPECT_EQ(t.log.Lines(), QStringList({"Macro long holds more than 199 actions; the rest are dropped."}));
}

TEST_F(MacroModelTest, ByNameOperations) {
    ShortMacros::Add(set.macros, "A");
    ShortMacros::AddItem(set.macros, "A", {1, 2});
    ShortMacros::AddItem(set.macros, "A", {1, 2});
    ShortMacros::AddItem(set.macros, "A", {3, 4});
    ShortMacros::RemoveItem(set.macros, "A", {1, 2});
    EXPECT_EQ(set.macros.at("A").assignments, (QVector<MacroAssignment>{{1, 2}, {3, 4}}));

    set.macros["B"] = MakeEntry("B", 7, 3, {});
    ShortMacros::Rename(set.macros, "A", "B");  // overwrites B, removes A
    ASSERT_EQ(set.macros.size(), 1u);
    EXPECT_EQ(set.macros.at("B").assignments.size(), 2);
    EXPECT_EQ(RecordName(set.macros.at("B").record), "A");  // the record moves whole

    ShortMacros::Rename(set.macros, "B", "B");
    EXPECT_EQ(set.macros.at("B").assignments.size(), 2);

    EXPECT_FALSE(ShortMacros::HasItems(set.macros, ""));
    EXPECT_FALSE(ShortMacros::HasItems(set.macros, "new"));  // access inserts it
    EXPECT_EQ(set.macros.count("new"), 1u);
    ShortMacros::ClearAllItems(set.macros);
    EXPECT_TRUE(set.macros.at("B").assignments.isEmpty());

    std::vector<std::string> names{"stale"};
    ShortMacros::Names(set.macros, names);
    EXPECT_EQ(names, (std::vector<std::string>{"B", "new"}));
}

TEST_F(MacroModelTest, MacroFileRoundTripIntoAnEmptySet) {
    set.path = "folder";
    set.currMacro = "x";
    set.macros["x"] = MakeEntry("x", 4, 3, {{5, 6}});
    const QString file = t.habitat.GetBaseDir() + "/macros.xml";
    ASSERT_TRUE(ShortMacros::ExportFile(t.Host(), file, QLatin1String("kr720"),
                                        {set.path, set.currMacro, set.macros}));
    EXPECT_TRUE(ReadAll(file).contains("<kr720 flag=\"8738\">"));

    MacroSet back;
    ASSERT_TRUE(ShortMacros::ImportFile(t.Host(), file, QLatin1String("kr720"),
                                        {back.path, back.currMacro, back.macros}));
    EXPECT_EQ(back.path, "folder");
    EXPECT_EQ(back.currMacro, "x");
    EXPECT_EQ(std::memcmp(&back.macros.at("x").record, &set.macros.at("x").record, sizeof(MacroRecord)), 0);
    EXPECT_EQ(back.macros.at("x").assignments, set.macros.at("x").assignments);
}

TEST_F(MacroModelTest, ImportIsNotTransactional) {
    const QString file = t.habitat.GetBaseDir() + "/m.xml";
    // The macros are read, then a second element under the root ends the import with the format error.
    WriteFile(
        file,
        R"(<kr720 flag="8738"><macros path="p"><macro name="n" mode="1" assign=""/></macros><x/></kr720>)");
    EXPECT_FALSE(ShortMacros::ImportFile(t.Host(), file, QLatin1String("kr720"),
                                         {set.path, set.currMacro, set.macros}));
    EXPECT_EQ(set.path, "p");
    EXPECT_EQ(set.macros.count("n"), 1u);

    t.log.Clear();
    WriteFile(file, R"(<kr720 flag="8738"><macros path="q"><macro name="m" mode="1" assign=""/></macros)");
    EXPECT_FALSE(ShortMacros::ImportFile(t.Host(), file, QLatin1String("kr720"),
                                         {set.path, set.currMacro, set.macros}));
    ASSERT_EQ(t.log.Lines().size(), 1);
    EXPECT_TRUE(t.log.Lines()[0].startsWith("Failed to parse file " + file + " : "));
    EXPECT_EQ(set.macros.count("m"), 1u);
}

}  // namespace
}  // namespace prefbook::test
