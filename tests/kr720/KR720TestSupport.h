#pragma once

#include <gtest/gtest.h>

#include <QBuffer>
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

// A record as the document carries it: every persisted field, in the writer's form (reserved bytes,
// the change flag and the transfer-only slot and key of stored macros live only in memory).
inline QByteArray Persisted(const KR720Profile& p) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteXmlDevice(buffer, [&](QXmlStreamWriter& w) { WriteKR720(w, KR720Head{}, {p}); });
    return buffer.data();
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
