#include "SettingsFixture.h"
#include "settings/Prefbook.h"

namespace prefbook::test {
namespace {

constexpr char kParam[] = "/config/param/param.arg";
constexpr char kReset[] = "/reset.ini";

using Devs = QVector<unsigned short>;
using Reader = void (*)(Devs&);

// --- Device lists ---

struct PidCase {
    const char* name;
    QByteArray text;
    Devs before, after;
};

class PidLists : public SettingsTest, public ::testing::WithParamInterface<PidCase> {};

TEST_P(PidLists, AreParsedAsHexAndAppended) {
    HandWrite(kParam, GetParam().text);
    Devs devs = GetParam().before;
    Prefbook::ReadKeyboardDev(devs);
    EXPECT_EQ(devs, GetParam().after);
}

const PidCase kPidCases[] = {
    {"prefixed", "[Keyboard]\npid=0x0021,0x0023\n", {}, {0x21, 0x23}},
    {"bothCases", "[Keyboard]\npid=0X00ab,0x00CD,Ef\n", {}, {0xab, 0xcd, 0xef}},
    {"unparsableIsZero", "[Keyboard]\npid=21,xyz\n", {}, {0x21, 0}},
    {"overflowIsZero", "[Keyboard]\npid=ffff,10000\n", {}, {0xffff, 0}},
    {"blanksAroundElements", "[Keyboard]\npid=0x1, 0x2\n", {}, {1, 2}},
    // An empty value is one empty element, which does not parse.
    {"emptyValue", "[Keyboard]\npid=\n", {}, {0}},
    {"appendsToCallersList", "[Keyboard]\npid=0x1\n", {7, 8}, {7, 8, 1}},
    {"missingGroup", "[Mouse]\npid=0x1\n", {5}, {5}},
};

INSTANTIATE_TEST_SUITE_P(Prefbook, PidLists, ::testing::ValuesIn(kPidCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, EachDeviceListReadsItsOwnGroup) {
    const std::pair<const char*, Reader> readers[] = {
        {"Keyboard", Prefbook::ReadKeyboardDev}, {"Mouse", Prefbook::ReadMouseDev},
        {"Headset", Prefbook::ReadHeadsetDev},   {"MousePad", Prefbook::ReadMousePadDev},
        {"DS180", Prefbook::ReadDS180Dev},       {"AU320", Prefbook::ReadAU320Dev},
        {"AU340", Prefbook::ReadAU340Dev},       {"FT280", Prefbook::ReadFT280Dev},
        {"TL460B", Prefbook::ReadTL460BDev},     {"TL460W", Prefbook::ReadTL460WDev},
        {"TL480B", Prefbook::ReadTL480BDev},     {"TL480W", Prefbook::ReadTL480WDev},
        {"VL550", Prefbook::ReadVL550Dev},
    };
    QByteArray text;
    unsigned short id = 0x100;
    for (const auto& reader : readers)
        text += "[" + QByteArray(reader.first) + "]\npid=" + QByteArray::number(id++, 16) + "\n";
    HandWrite(kParam, text);

    id = 0x100;
    for (const auto& reader : readers) {
        Devs devs;
        reader.second(devs);
        EXPECT_EQ(devs, Devs{id++}) << reader.first;
    }
}

// --- Reset flags ---

// The device table as written in the product documentation: each name is also its reset key.
const char* const kDeviceNames[] = {
    "KR720",   "TL480B",    "TL480W",    "TL460B", "TL460W", "BX310 V2", "BX330 V2", "PR940",  "PR260",
    "PR261",   "PR941",     "AU570",     "AU320",  "AU340",  "DS180",    "FT610",    "FT280M", "FT280L",
    "FT280XL", "KEYDECK_G", "KEYDECK_C", "VL530",  "VL550",  "VL570",    "ZN205"};
static_assert(sizeof(kDeviceNames) / sizeof(kDeviceNames[0]) == kDeviceTypeCount, "one name per type");

TEST_F(SettingsTest, TypeAndNameOverloadsShareTheDeviceNameKey) {
    for (int type = 0; type < kDeviceTypeCount; ++type) {
        const std::string name = kDeviceNames[type];
        Prefbook::SavePortalDevResetFlag(static_cast<DeviceType>(type), true);
        EXPECT_TRUE(Prefbook::ReadPortalDevResetFlag(name)) << name;
        Prefbook::SavePortalDevResetFlag(name, false);
        EXPECT_FALSE(Prefbook::ReadPortalDevResetFlag(static_cast<DeviceType>(type))) << name;
    }
    // Only one key per model, so the neighbours were never touched.
    Prefbook::SavePortalDevResetFlag(TL480W, true);
    for (int type = 0; type < kDeviceTypeCount; ++type)
        EXPECT_EQ(Prefbook::ReadPortalDevResetFlag(static_cast<DeviceType>(type)), type == TL480W) << type;
    EXPECT_TRUE(ProcessTracebook().Lines().isEmpty());
}

TEST_F(SettingsTest, TypesOutsideTheTableReadFalseWriteNothingAndAreLogged) {
    HandWrite(kReset, "[Reset]\nKR720=true\n");
    const QByteArray before = ReadAll(PathOf(kReset));
    for (int type : {25, -1, 1000}) {
        ProcessTracebook().Clear();
        EXPECT_FALSE(Prefbook::ReadPortalDevResetFlag(static_cast<DeviceType>(type)));
        Prefbook::SavePortalDevResetFlag(static_cast<DeviceType>(type), true);
        const QString line = "Reset flag of unknown device type " + QString::number(type) + " ignored.";
        EXPECT_EQ(ProcessTracebook().Lines(), QStringList({line, line}));
    }
    EXPECT_EQ(ReadAll(PathOf(kReset)), before);
}

}  // namespace
}  // namespace prefbook::test
