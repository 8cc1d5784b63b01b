#include <gtest/gtest.h>

#include "devices/keyboards/TLProfileStore.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

template <class Store>
class TLStoreTest : public ::testing::Test {
protected:
    TestHost t;
    int type = Store(t.Host()).ProfileDir().contains("TL480") ? 1 : 3;
    QString dir = t.habitat.ProfileDir(type);
    QString root = type == 1 ? "tl480" : "tl460";
    QString model = type == 1 ? "TL480" : "TL460";

    std::unique_ptr<Store> Fresh() { return std::make_unique<Store>(t.Host()); }
    void Put(const QString& name, const QByteArray& xml, int ageSeconds) {
        WriteFile(dir + name, xml);
        SetModified(dir + name, QDateTime::currentDateTime().addSecs(-ageSeconds));
    }
    QByteArray Doc(int profiles, const QByteArray& first = {}) {
        QByteArray xml = "<" + root.toLatin1() + " exportPath=\"E\" openExePath=\"O\">";
        for (int i = 0; i < profiles; ++i) {
            xml += i == 0 && !first.isEmpty() ? first
                                              : "<profile id=\"" + QByteArray::number(i) + "\" name=\"P" +
                                                    QByteArray::number(i) + "\" exe=\"\"/>";
        }
        return xml + "</" + root.toLatin1() + ">";
    }
};

using Stores = ::testing::Types<TL480ProfileCfgImpl, TL460ProfileCfgImpl>;
TYPED_TEST_SUITE(TLStoreTest, Stores);

TYPED_TEST(TLStoreTest, WrongProfileCountIsKeptOnlyWhenNothingBetterExists) {
    this->Put("a.xml", this->Doc(4), 10);
    auto alone = this->Fresh();
    EXPECT_EQ(alone->GetProfileNum(), 4);
    EXPECT_EQ(alone->GetProfileName(0), "P0");
    EXPECT_EQ(alone->GetExportPath(), "E");
    // Passed over for an older document of five: the store catalogue's load test.
}

// The fallback to an older document is the store catalogue's rotation test; here the model's messages.
TYPED_TEST(TLStoreTest, BrokenDocumentLogsTheModelsMessages) {
    this->Put("new.xml",
              this->Doc(5, "<profile id=\"0\" name=\"x\"><lighting><foreground><custom r=\"1\"></lighting>"),
              10);
    auto store = this->Fresh();
    const QStringList lines = this->t.log.Lines();
    ASSERT_EQ(lines.size(), 2) << lines.join("\n").toStdString();
    EXPECT_TRUE(lines[0].startsWith("Parse " + this->model + " XML Failed. " + this->dir + "new.xml : "));
    EXPECT_TRUE(lines[1].startsWith("Failed to parse file " + this->dir + "new.xml : "));
}

TYPED_TEST(TLStoreTest, ColourListsAreNarrowedAndCountedAsRead) {
    this->Put("a.xml", this->Doc(5, R"(<profile id="0"><lighting multilayer="2"><foreground>
        <custom enable="5" r="300" g="-1" b="x" a="255"/></foreground><background/></lighting></profile>)"),
              10);
    auto store = this->Fresh();
    ASSERT_EQ(store->GetCustomColors(0, false).size(), 1);
    const CustomColor c = store->GetCustomColors(0, false)[0];
    EXPECT_EQ(c, (CustomColor{1, 44, 255, 0, 255}));
    EXPECT_TRUE(store->GetCustomColors(0, true).isEmpty());
    EXPECT_EQ(store->GetMultiLayer(0), 2);
    const QString prefix = "Get " + this->model + " Custom Color Num From XML != 7. size[";
    EXPECT_EQ(this->t.log.Lines(), QStringList({prefix + "1]", prefix + "0]"}));
}

TYPED_TEST(TLStoreTest, MacroKeyAndModeCallsFollowTheirRules) {
    auto store = this->Fresh();
    store->SetProfileName(2, "");
    EXPECT_EQ(store->GetProfileName(2), "PROFILE2");
    store->SetMacroKeys(2, "m", {1, 2});
    store->RemoveMacroKey(2, "m", 9);
    EXPECT_EQ(store->GetMacroKeys(2, "m"), (QVector<uint16_t>{1, 2}));
    store->RemoveMacroKey(2, "m", 1);
    EXPECT_EQ(store->GetMacroKeys(2, "m"), (QVector<uint16_t>{2}));

    this->t.log.Clear();
    EXPECT_EQ(store->GetMacroMode(0, ""), 0);
    EXPECT_EQ(this->t.log.Lines(),
              QStringList({"KR720ProfileCfg: GetMacroMode Failed. Profile Id[0]. Macro Name[]."}));
    EXPECT_EQ(store->GetMacroMode(0, "unknown"), 0);
    EXPECT_EQ(store->GetMacroSet(0).count("unknown"), 1u);  // access inserts it
}

}  // namespace
}  // namespace prefbook::test
