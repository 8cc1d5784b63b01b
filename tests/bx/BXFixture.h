#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "devices/keyboards/BXProfileStore.h"
#include "support/TestHost.h"

namespace prefbook::test {

// The record of position i of tests/data/<model>/distinct.xml: a distinct value in every persisted
// field, so that a lost, swapped or misplaced field shows. W is the model's filter width.
inline BXProfile DistinctBXRecord(int i, int width) {
    BXProfile p;
    p.id = static_cast<uint8_t>(i);
    p.name = "Pro&file " + std::to_string(i);
    p.exe = "C:/g/bx" + std::to_string(i) + ".exe";
    p.currMode = static_cast<uint8_t>(10 + i);
    const auto fill = [](QVector<BXEffect>& list, int base) {
        for (int j = 0; j < list.size(); ++j) {
            auto* bytes = reinterpret_cast<uint8_t*>(&list[j]);
            for (int k = 0; k < 12; ++k) bytes[k] = static_cast<uint8_t>(base + j * 12 + k);
        }
    };
    fill(p.general, i * 7);
    for (int b = 0; b < kBXCustomBytes; ++b) p.custom[b] = static_cast<uint8_t>(b + i);
    p.multilayerCurrMode = static_cast<uint8_t>((i + 1) % 4);
    fill(p.multilayer, 100 + i);
    p.multizoneCurrMode = static_cast<uint8_t>((i + 2) % 4);
    fill(p.multizone, 150 + i);
    for (int r = 0; r < kBXFilterRows; ++r) {
        for (int c = 0; c < width; ++c) p.filters[r][c] = static_cast<uint8_t>(r * 50 + c + i);
    }
    for (int j = 0; j < kBXCustomColors; ++j) {
        p.foreground[j] = {uint8_t(j % 2), uint8_t(j), uint8_t(i), uint8_t(30 + j), uint8_t(40 + j)};
        p.background[j] = {uint8_t((j + 1) % 2), uint8_t(50 + j), uint8_t(j), uint8_t(i), uint8_t(60 + j)};
    }
    for (int k = 0; k < kBXMappedKeys; ++k) p.mapping[k] = static_cast<uint16_t>(k * 257 + i);
    p.macros.path = "macros/" + std::to_string(i);
    p.macros.currMacro = "Beta";
    for (const std::string name : {"Alpha", "Beta is a long macro name"}) {
        MacroEntryLong& e = p.macros.macros[name];
        SetRecordName(e.record, name);
        e.record.mode = static_cast<uint8_t>(5 + i);
        e.record.actionCount = 3;
        for (int a = 0; a < 3; ++a)
            e.record.actions[a] = {uint16_t(0x1E + a), uint8_t(a % 2), uint16_t(500 + a)};
        e.assignments = {{1, 17}, {2, 300}};
    }
    return p;
}

// Fills a store with the distinct document's values through its interface.
template <class Store>
void FillDistinct(Store& s) {
    for (int i = 0; i < kBXRecords; ++i) s.SetRecord(i, DistinctBXRecord(i, s.Model().filterWidth));
    s.SetExportPath("C:/exports");
    s.SetOpenExePath("C:/apps");
    s.SetCurrentProfileID(3);
}

using BXStores = ::testing::Types<BX310V2ProfileCfgImpl, BX330V2ProfileCfgImpl>;

// Tests run over both stores: TYPED_TEST with this fixture.
template <class Store>
class BXTest : public ::testing::Test {
protected:
    std::unique_ptr<Store> NewStore() { return std::make_unique<Store>(host.Host()); }
    static BXModel Model() { return Store::ModelTraits::Model(); }
    static int Width() { return Model().filterWidth; }
    QString Dir() { return host.habitat.ProfileDir(Model().deviceType); }
    QString UserFile(const QString& name) { return host.habitat.GetBaseDir() + "/" + name; }
    TestHost host;
};

}  // namespace prefbook::test
