#include "BenchSupport.h"
#include "devices/mousepads/FT280ProfileCfgImpl.h"
#include "devices/mousepads/FT610ProfileCfgImpl.h"
#include "profilecore/DeviceType.h"

namespace prefbook::bench {
namespace {

// The FT610 record has a fixed size: the heavy variant only sets every byte.
std::shared_ptr<void> BuildFT610(const StoreHost& host, Content content) {
    auto store = std::make_shared<FT610ProfileCfgImpl>(host);
    if (content.Heavy()) {
        FT610Record record{};
        auto* bytes = reinterpret_cast<uint8_t*>(&record);
        for (size_t i = 0; i < sizeof(record); ++i) bytes[i] = static_cast<uint8_t>(0x80 + i);
        store->SetRecord(&record);
    }
    return store->SaveProfile() ? store : nullptr;
}

const Register ft610({"ft610",
                      {FT610},
                      false,
                      0,
                      BuildFT610,
                      [](void* s) { return static_cast<FT610ProfileCfgImpl*>(s)->SaveProfile(); },
                      [](const StoreHost& host) { return std::make_shared<FT610ProfileCfgImpl>(host); }});

// One store serves the three sizes and its constructor loads all three folders, so the case owns
// all three documents: load and raw figures cover the same three files, save writes all three.
constexpr int kFT280Sizes[] = {FT280M, FT280L, FT280XL};

std::shared_ptr<void> BuildFT280(const StoreHost& host, Content content) {
    auto store = std::make_shared<FT280ProfileCfgImpl>(host);
    for (int type : kFT280Sizes) {
        if (content.Heavy()) {
            // Far more modes and colours than the pad offers, with three-digit values throughout.
            QVector<ModeSetting> modes;
            QVector<CustomColor> colors;
            for (int i = 0; i < 16; ++i) {
                modes.push_back(
                    {uint8_t(i), uint8_t(1 + i % 5), uint8_t(200 + i), uint8_t(150 + i), uint8_t(100 + i)});
                colors.push_back({1, uint8_t(255 - i), uint8_t(128 + i), uint8_t(100 + i), 255});
            }
            store->SetModeSettings(type, modes);
            store->SetCustomColors(type, colors);
            store->SetCurrMode(type, 7);
        }
        if (!store->SaveProfile(type)) return nullptr;
    }
    return store;
}

bool SaveFT280(void* s) {
    auto* store = static_cast<FT280ProfileCfgImpl*>(s);
    bool ok = true;
    for (int type : kFT280Sizes) ok = store->SaveProfile(type) && ok;
    return ok;
}

const Register ft280(
    {"ft280", {FT280M, FT280L, FT280XL}, true, 0, BuildFT280, SaveFT280, [](const StoreHost& host) {
         return std::make_shared<FT280ProfileCfgImpl>(host);
     }});

}  // namespace
}  // namespace prefbook::bench
