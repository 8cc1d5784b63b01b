// In-memory operations of the KR720 store: defaults, addressing, lighting codes, the bulk transfer.
#include <functional>

#include "KR720TestSupport.h"

namespace prefbook::test {
namespace {

LightEffect EffectWithId(uint8_t id) {
    LightEffect e{};
    e.id = id;
    e.speed = 3;
    return e;
}

TEST_F(KR720Test, RecordIndexesOfProfilesAndModes) {
    auto s = NewStore();
    EXPECT_EQ(s->GetRecordIndex(4, 4), 24);
    EXPECT_EQ(s->GetRecordIndex(1, 3), 8);
    QVector<uint8_t> indexes{99};
    ASSERT_TRUE(s->GetProfileIndexes(3, indexes));
    EXPECT_EQ(indexes, (QVector<uint8_t>{15, 16, 17, 18, 19}));
    s->SetCurrProfile(2);
    s->SetCurrAimMode(4);
    EXPECT_EQ(s->GetCurrIndex(), 14);
}

TEST_F(KR720Test, ProfileNameAndExeCoverTheFiveRecordsOfTheProfileOnly) {
    auto s = NewStore();
    s->SetProfileName(2, "Racing");
    s->SetProfileExe(2, "race.exe");
    for (int i = 0; i < 25; ++i) {
        const bool inProfile = i >= 10 && i <= 14;
        EXPECT_EQ(s->Records()[i].name, inProfile ? "Racing" : "PROFILE" + std::to_string(i / 5)) << i;
        EXPECT_EQ(s->Records()[i].exe, inProfile ? "race.exe" : "") << i;
    }
    EXPECT_EQ(s->GetProfileName(2), "Racing");
}

TEST_F(KR720Test, SettingLightingDataSelectsItsMode) {
    auto s = NewStore();
    const uint8_t filters[kKR720FilterBytes] = {1, 2, 3};
    const struct {
        const char* operation;
        std::function<void()> set;
        int8_t mode;
    } cases[] = {
        {"SetCustomColors", [&] { s->SetCustomColors(6, KR720CustomBlock{}); }, 4},
        {"SetMultilayerEffects", [&] { s->SetMultilayerEffects(6, QVector<LightEffect>(4)); }, 19},
        {"SetMultizone", [&] { s->SetMultizone(6, QVector<LightEffect>(4), filters); }, 20},
        {"SetGeneralEffect", [&] { s->SetGeneralEffect(6, 18, EffectWithId(7)); }, 7},
    };
    for (const auto& c : cases) {
        s->SetLightMode(6, 99);
        c.set();
        EXPECT_EQ(s->GetLightMode(6), c.mode) << c.operation;
        EXPECT_EQ(s->GetLightMode(5), 0) << c.operation << ": neighbour untouched";
    }
}

TEST_F(KR720Test, ChangeFlagsFollowCurrentProfileAndMode) {
    auto s = NewStore();
    s->SetCurrProfile(1);
    s->SetCurrAimMode(2);
    s->SetChanged(7, 3);
    EXPECT_TRUE(s->HasChanges());
    EXPECT_EQ(s->IsProfileChanged(1), 3);
    EXPECT_EQ(s->IsAimModeChanged(2), 3);
    EXPECT_EQ(s->IsAimModeChanged(5), 0);
    s->ClearChanged();
    EXPECT_FALSE(s->HasChanges());
}

TEST_F(KR720Test, SensitActuatPackSensitIntoTheLowByte) {
    auto s = NewStore();
    ASSERT_TRUE(s->SetSensitActuat(3, 0x0A05));
    AimMode mode;
    ASSERT_TRUE(s->GetAimMode(3, mode));
    EXPECT_EQ(mode.sensit, 5);
    EXPECT_EQ(mode.actuat, 10);
    uint16_t pair = 0;
    ASSERT_TRUE(s->GetSensitActuat(3, pair));
    EXPECT_EQ(pair, 0x0A05);
    s->SetAimModeName(3, "MINE");
    s->ResetAimModeName(3);
    EXPECT_EQ(s->GetAimModeName(3), "ADVANCED FLIGHT");
}

TEST_F(KR720Test, MacroModeCallsLogTheStoresMessage) {
    auto s = NewStore();
    EXPECT_EQ(s->GetMacroMode(3, ""), 0);
    s->SetMacroMode(25, "x", 4);
    EXPECT_EQ(host.log.Lines(),
              (QStringList{"KR720ProfileCfg: GetMacroMode Failed. Profile Id[3]. Macro Name[].",
                           "KR720ProfileCfg: SetMacroMode Failed. Profile Id[25]. Macro Name[x]."}));
    s->SetMacroMode(3, "m", 9);
    EXPECT_EQ(s->GetMacroMode(3, "m"), 9);
}

// ---- Bulk transfer ----

MacroRecord TransferMacro(const char* name, uint8_t mode, uint8_t slot, uint8_t key) {
    MacroRecord m{};
    m.slot = slot;
    m.key = key;
    SetRecordName(m, name);
    m.mode = mode;
    m.actionCount = 2;
    m.actions[0] = {0x1E, 1, 10};
    m.actions[1] = {0x1E, 0, 20};
    return m;
}

struct TransferData {
    uint8_t lightMode = 9;
    LightEffect general[19];
    KR720CustomBlock custom;
    LightEffect multilayer[4];
    LightEffect multizone[4];
    uint8_t filters[kKR720FilterBytes];
    uint16_t mapping[256];
    MacroRecord macros[20];
    uint16_t specKeys[8] = {11, 12, 13, 14, 15, 16, 17, 18};
    uint16_t sensitActuat = 0x0A05;

    TransferData() {
        auto fill = [](void* p, size_t n, int seed) {
            for (size_t i = 0; i < n; ++i) static_cast<uint8_t*>(p)[i] = static_cast<uint8_t>(i * 7 + seed);
        };
        fill(general, sizeof(general), 1);
        fill(&custom, sizeof(custom), 2);
        fill(multilayer, sizeof(multilayer), 3);
        fill(multizone, sizeof(multizone), 4);
        fill(filters, sizeof(filters), 5);
        fill(mapping, sizeof(mapping), 6);
        for (MacroRecord& m : macros) m = TransferMacro("", 3, 0, 0);  // empty slots
        macros[0] = TransferMacro("Alpha", 1, 2, 17);
        macros[1] = TransferMacro("Alpha", 1, 3, 18);
        macros[2] = TransferMacro("Beta", 2, 4, 0);
        macros[5] = TransferMacro("Skipped", 3, 5, 19);
    }
    KR720ProfileBlock Block() {
        KR720ProfileBlock b{&lightMode, general, &custom, multilayer, multizone,
                            filters,    mapping, {},      specKeys,   &sensitActuat};
        for (int i = 0; i < 20; ++i) b.macros[i] = &macros[i];
        return b;
    }
};

TEST_F(KR720Test, ProfileBlockRoundTripsByteExact) {
    auto s = NewStore();
    s->AddMacro(4, "Old");
    s->AddMacroAssignment(4, "Old", {1, 1});
    s->AddMacro(4, "Keep");
    s->SetCurrMacro(4, "Old");
    s->SetGeneralEffects(4, QVector<LightEffect>(2));

    TransferData in;
    s->SetProfileBlock(4, in.Block());

    std::vector<std::string> names;
    s->GetMacroNames(4, names);
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Beta", "Keep"}))
        << "assigned macros replaced, mode 3 skipped";
    EXPECT_EQ(s->GetCurrMacro(4), "");
    QVector<MacroAssignment> assigned;
    s->GetMacroAssignments(4, "Alpha", assigned);
    EXPECT_EQ(assigned, (QVector<MacroAssignment>{{2, 17}, {3, 18}}));
    EXPECT_FALSE(s->HasMacroAssignment(4, "Beta")) << "key byte 0 stores no assignment";
    s->AddMacroAssignment(4, "Beta", {4, 0x120});

    MacroRecord buffers[20];
    std::memset(buffers, 0xCC, sizeof(buffers));
    KR720ProfileBlock out{};
    for (int i = 0; i < 20; ++i) out.macros[i] = &buffers[i];
    ASSERT_TRUE(s->GetProfileBlock(4, out));
    EXPECT_EQ(*out.lightMode, 9);
    ExpectSameBytes(out.general, in.general, sizeof(in.general), "general");
    ExpectSameBytes(out.custom, &in.custom, sizeof(in.custom), "custom");
    ExpectSameBytes(out.multilayer, in.multilayer, sizeof(in.multilayer), "multilayer");
    ExpectSameBytes(out.multizone, in.multizone, sizeof(in.multizone), "multizone");
    ExpectSameBytes(out.filters, in.filters, sizeof(in.filters), "filters");
    ExpectSameBytes(out.mapping, in.mapping, sizeof(in.mapping), "mapping");
    ExpectSameBytes(out.specKeys, in.specKeys, sizeof(in.specKeys), "specKeys");
    uint16_t pair = 0;
    std::memcpy(&pair, out.sensitActuat, sizeof(pair));
    EXPECT_EQ(pair, 0x0A05);
    ExpectSameBytes(&buffers[0], &in.macros[0], sizeof(MacroRecord), "Alpha, first assignment");
    ExpectSameBytes(&buffers[1], &in.macros[1], sizeof(MacroRecord), "Alpha, second assignment");
    MacroRecord beta = in.macros[2];
    beta.key = 0x20;
    ExpectSameBytes(&buffers[2], &beta, sizeof(MacroRecord), "Beta, with the low byte of its key");
    MacroRecord untouched;
    std::memset(&untouched, 0xCC, sizeof(untouched));
    ExpectSameBytes(&buffers[3], &untouched, sizeof(MacroRecord), "no further buffers: Keep is unassigned");
}

TEST_F(KR720Test, ProfileBlockNeverPointsPastAShortList) {
    auto s = NewStore();
    s->SetGeneralEffects(1, QVector<LightEffect>(2, EffectWithId(5)));
    s->SetMapping(1, {7});
    KR720ProfileBlock out{};
    ASSERT_TRUE(s->GetProfileBlock(1, out));
    EXPECT_EQ(out.general[1].id, 5);
    EXPECT_EQ(out.general[18].id, 0);
    EXPECT_EQ(out.mapping[0], 7);
    EXPECT_EQ(out.mapping[255], 0);
}

}  // namespace
}  // namespace prefbook::test
