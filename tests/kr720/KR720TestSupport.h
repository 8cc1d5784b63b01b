#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "devices/keyboards/KR720ProfileCfgImpl.h"
#include "support/TestHost.h"

namespace prefbook::test {

// A record with a distinct value in every persisted field, so that a lost or swapped field shows.
inline KR720Profile FilledRecord(uint8_t seed) {
    KR720Profile p;
    p.id = seed;
    p.name = "Prof\xC3\xBCl " + std::to_string(seed);
    p.exe = "C:/games/g" + std::to_string(seed) + ".exe";
    p.aimpad.path = "aim/" + std::to_string(seed);
    p.aimpad.mode.id = static_cast<uint8_t>(seed % 5);
    p.aimpad.mode.name = "MODE " + std::to_string(seed);
    p.aimpad.mode.sensit = static_cast<uint8_t>(seed + 1);
    p.aimpad.mode.actuat = static_cast<uint8_t>(seed + 2);
    for (int i = 0; i < kKR720SpecKeys; ++i)
        p.aimpad.mode.specKeys[i] = static_cast<uint16_t>(1000 * seed + i + 1);
    p.aimpad.digitalKeys = {{3, 4}, {70000u + seed, 65535}};
    KR720Lighting& l = p.lighting;
    l.currMode = static_cast<uint8_t>(seed + 3);
    auto* bytes = reinterpret_cast<uint8_t*>(l.general.data());
    for (int i = 0; i < l.general.size() * 14; ++i) bytes[i] = static_cast<uint8_t>(i + seed);
    for (int k = 0; k < kKR720CustomKeys; ++k)
        l.custom.keys[k] = {uint8_t(k), uint8_t(k + seed), uint8_t(255 - k)};
    l.custom.brightness = static_cast<uint8_t>(seed + 4);
    l.multilayerCurrMode = 2;
    l.multizoneCurrMode = 3;
    for (int i = 0; i < kKR720LayerEffects; ++i) {
        l.multilayer[i] = {uint8_t(i + 1), 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, uint8_t(seed)};
        l.multizone[i] = {uint8_t(i + 40), 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 255, 254, uint8_t(seed)};
    }
    for (int r = 0; r < kKR720FilterRows; ++r) {
        for (int c = 0; c < kKR720FilterWidth; ++c) l.filters[r][c] = static_cast<uint8_t>(r * 7 + c + seed);
    }
    for (int i = 0; i < kKR720CustomColors; ++i) {
        l.foreground[i] = {uint8_t(i % 2), uint8_t(i), uint8_t(seed), 30, 40};
        l.background[i] = {uint8_t((i + 1) % 2), 50, uint8_t(i), uint8_t(seed), 60};
    }
    for (int k = 0; k < kKR720MappedKeys; ++k) p.mapping[k] = static_cast<uint16_t>(k * 257 + seed);
    p.macros.path = "macros/" + std::to_string(seed);
    p.macros.currMacro = "Zeta";
    for (const std::string& name : {std::string("Alpha"), std::string("A very long macro name")}) {
        MacroEntry& e = p.macros.macros[name];
        SetRecordName(e.record, name);
        e.record.mode = static_cast<uint8_t>(seed + 5);
        e.record.actionCount = 3;
        for (int i = 0; i < 3; ++i)
            e.record.actions[i] = {uint16_t(0x1E + i), uint8_t(i % 2), uint16_t(500 + i)};
        e.assignments = {{1, 17}, {2, 300}};
    }
    return p;
}

inline void ExpectSameBytes(const void* a, const void* b, size_t n, const char* what) {
    EXPECT_EQ(std::memcmp(a, b, n), 0) << what;
}

// Every field the document carries; reserved bytes and the change flag live only in memory.
inline void ExpectSamePersisted(const KR720Profile& a, const KR720Profile& b) {
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.exe, b.exe);
    EXPECT_EQ(a.aimpad.path, b.aimpad.path);
    EXPECT_EQ(a.aimpad.mode.id, b.aimpad.mode.id);
    EXPECT_EQ(a.aimpad.mode.name, b.aimpad.mode.name);
    EXPECT_EQ(a.aimpad.mode.sensit, b.aimpad.mode.sensit);
    EXPECT_EQ(a.aimpad.mode.actuat, b.aimpad.mode.actuat);
    ExpectSameBytes(a.aimpad.mode.specKeys, b.aimpad.mode.specKeys, sizeof(a.aimpad.mode.specKeys),
                    "specKeys");
    EXPECT_EQ(a.aimpad.digitalKeys, b.aimpad.digitalKeys);
    const KR720Lighting& x = a.lighting;
    const KR720Lighting& y = b.lighting;
    EXPECT_EQ(x.currMode, y.currMode);
    EXPECT_EQ(x.general, y.general);
    ExpectSameBytes(&x.custom, &y.custom, sizeof(x.custom), "custom");
    EXPECT_EQ(x.multilayerCurrMode, y.multilayerCurrMode);
    EXPECT_EQ(x.multilayer, y.multilayer);
    EXPECT_EQ(x.multizoneCurrMode, y.multizoneCurrMode);
    EXPECT_EQ(x.multizone, y.multizone);
    ExpectSameBytes(x.filters, y.filters, sizeof(x.filters), "filters");
    EXPECT_EQ(x.foreground, y.foreground);
    EXPECT_EQ(x.background, y.background);
    EXPECT_EQ(a.mapping, b.mapping);
    EXPECT_EQ(a.macros.path, b.macros.path);
    EXPECT_EQ(a.macros.currMacro, b.macros.currMacro);
    ASSERT_EQ(a.macros.macros.size(), b.macros.macros.size());
    for (auto i = a.macros.macros.begin(), j = b.macros.macros.begin(); i != a.macros.macros.end();
         ++i, ++j) {
        EXPECT_EQ(i->first, j->first);
        EXPECT_EQ(i->second.assignments, j->second.assignments) << i->first;
        // slot and key of a stored macro are transfer-only and not persisted
        ExpectSameBytes(i->second.record.name, j->second.record.name, sizeof(MacroRecord) - 2,
                        i->first.c_str());
    }
}

// A store over its own temporary folders.
class KR720Test : public ::testing::Test {
protected:
    std::unique_ptr<KR720ProfileCfgImpl> NewStore() {
        return std::make_unique<KR720ProfileCfgImpl>(host.Host());
    }
    QString Dir() { return host.habitat.ProfileDir(0); }
    QString UserFile(const QString& name) { return host.habitat.GetBaseDir() + "/" + name; }
    TestHost host;
};

}  // namespace prefbook::test
