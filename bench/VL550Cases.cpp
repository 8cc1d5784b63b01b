#include "BenchSupport.h"
#include "devices/textlight/VL550ProfileCfgImpl.h"
#include "profilecore/DeviceType.h"

namespace prefbook::bench {
namespace {

// The VL550 store keeps one named document, "default.bin" (XML) in <base>/profile/VL550/, the same
// folder the bench habitat gives device type 22. Its load is the constructor's startup walk, which
// reads that document; its save is SaveDocument, which rewrites the document the store came from.
// The first document is created with SaveDocumentAs.
std::shared_ptr<void> BuildVL550(const StoreHost& host, Content content) {
    auto store = std::make_shared<VL550ProfileCfgImpl>(host);
    if (content.Heavy()) {
        for (uint8_t i = 0; i < kVL550ModeCount; ++i) {
            store->SetModeSettingAt(
                i, {i, uint8_t(1 + i % 5), uint8_t(200 + i), uint8_t(150 + i), uint8_t(100 + i), 255});
        }
        QVector<CustomColor> colors;
        for (int i = 0; i < 32; ++i)
            colors.push_back({1, uint8_t(255 - i), uint8_t(128 + i), uint8_t(100 + i), 255});
        store->SetCustomColors(0, colors);
        uint8_t block[kVL550CustomBlockSize];
        for (size_t i = 0; i < sizeof(block); ++i) block[i] = static_cast<uint8_t>(100 + i);
        store->SetCustomBlock(block);
        const uint8_t text[kVL550TextSize] = {3, 200};
        store->SetText(text);
    }
    QString dir;
    host.habitat->GetProfileDir(VL550, &dir);
    return store->SaveDocumentAs(dir + "default.bin") ? store : nullptr;
}

const Register vl550({"vl550",
                      {VL550},
                      true,
                      0,
                      BuildVL550,
                      [](void* s) { return static_cast<VL550ProfileCfgImpl*>(s)->SaveDocument(); },
                      [](const StoreHost& host) { return std::make_shared<VL550ProfileCfgImpl>(host); },
                      false,
                      true});

}  // namespace
}  // namespace prefbook::bench
