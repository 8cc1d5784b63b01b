#include "pr260/PR26xTestSupport.h"

namespace prefbook::test {
namespace {

template <class Store>
using PR26xDocumentTest = PR26xTest<Store>;
TYPED_TEST_SUITE(PR26xDocumentTest, PR26xStores);

TYPED_TEST(PR26xDocumentTest, ConfigValuesAreTakenByPositionWithSwitchesNarrowed) {
    QByteArray config = "<performance><config dpi_level=\"5\">";
    for (int k = 0; k < 7; ++k)
        config += "<dpi x=\"" + QByteArray::number(k + 1) + "\" y=\"9\" enable=\"0\"/>";
    // Foreign names, a child element inside a value, snapping 7 and lift-off 2, then one surplus value.
    config +=
        "<a>4</a><b>7</b><c><x/>2</c><d> -12 </d><e>300</e><f>8</f><g>9</g><h>77</h></config></performance>";
    PutDocument(this->dir, 1, this->Doc(1282, 5, config));
    auto store = this->Fresh();
    PerformanceConfig c{};
    ASSERT_TRUE(store->GetPerformanceConfig(0, c));
    EXPECT_EQ(c.dpiLevel, 5);
    EXPECT_EQ(+c.dpi[6].x, 7);
    EXPECT_EQ(+c.dpi[6].y, 9);
    EXPECT_EQ(c.dpiEnable[0], 0);
    EXPECT_EQ(c.pollingRate, 4);
    EXPECT_EQ(c.angleSnapping, 1);
    EXPECT_EQ(c.liftOffDistance, 1);
    EXPECT_EQ(+c.angleTunability, -12);
    EXPECT_EQ(c.osSensitivity, 300 & 0xFF);
    EXPECT_EQ(c.osDoubleClickSpeed, 8);
    EXPECT_EQ(c.buttonResponseTime, 9);
    EXPECT_EQ(c.reserved1, 10);  // not in the document: the defaults stay
    EXPECT_EQ(c.reserved2, 16);
}

TYPED_TEST(PR26xDocumentTest, ButtonsOutsideTheMappingAreIgnoredAndLoggedOncePerDocument) {
    const QByteArray buttons =
        "<buttons comboEnable=\"5\" comboView=\"0\"><mapping><btn id=\"12\" assign=\"65535\"/>"
        "<btn id=\"13\" assign=\"1\"/><btn id=\"200\" assign=\"2\"/><btn id=\"257\" assign=\"3\"/></mapping>"
        "<macros><macro name=\"M\" id=\"40\" mode=\"1\"/><macro name=\"N\" id=\"4\" "
        "mode=\"1\"/></macros></buttons>";
    PutDocument(this->dir, 1, this->Doc(1282, 5, buttons));
    auto store = this->Fresh();
    QVector<uint16_t> mapping;
    ASSERT_TRUE(store->GetMapping(0, mapping));
    QVector<uint16_t> expected(13, 0);
    expected[12] = 65535;
    expected[1] = 3;  // 257 names button 1 by its low byte
    EXPECT_EQ(mapping, expected);
    EXPECT_EQ(store->GetComboEnable(0), 1);
    ButtonMacroMap bound;
    ASSERT_TRUE(store->GetButtonMacros(0, bound));
    ASSERT_EQ(bound.size(), 1u);
    EXPECT_EQ(bound.begin()->first, 4);
    EXPECT_EQ(this->t.log.Count("Button id 13 is outside the 13 buttons; ignored."), 1);
    EXPECT_EQ(this->t.log.Lines().filter("outside the 13 buttons").size(), 1);
}

TYPED_TEST(PR26xDocumentTest, TheLastDocumentTriedIsKeptDespiteItsFlag) {
    // When it is the last one tried, what it read stays; four profiles never do.
    TestHost t;
    const QString dir = t.habitat.ProfileDir(this->model.deviceType);
    PutDocument(dir, 1, this->Doc(this->model.exportFlag, 5, "<buttons comboView=\"1\"/>"));
    PutDocument(dir, 2, this->Doc(1282, 4));
    PutDocument(dir, 3, "<" + this->root + " flag=\"1282\"><profile>");
    TypeParam kept(t.Host());
    EXPECT_EQ(kept.GetProfileNum(), 5);
    EXPECT_EQ(kept.GetComboView(0), 1);
    EXPECT_EQ(kept.GetProfileName(0), "P0");

    TestHost t2;
    PutDocument(t2.habitat.ProfileDir(this->model.deviceType), 1, this->Doc(1282, 4));
    TypeParam defaults(t2.Host());
    EXPECT_EQ(defaults.GetProfileName(4), "PROFILE5");
    EXPECT_EQ(defaults.GetCurrentProfileID(), 255);
    EXPECT_TRUE(defaults.DocumentPath().isEmpty());
}

}  // namespace
}  // namespace prefbook::test
