#pragma once

#include <QVector>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "profilecore/CustomColor.h"
#include "profilecore/PackedRecord.h"

constexpr size_t kVL550ModeCount = 10;
constexpr size_t kVL550BlockColors = 21;
constexpr size_t kVL550CustomBlockSize = kVL550BlockColors * 3;  // r, g, b per colour
constexpr size_t kVL550TextSize = 2;                             // mode, period

#pragma pack(push, 1)
// Speed, colour and brightness of one VL550 lighting mode, exchanged with the suite byte for byte.
struct VLModeSetting {
    uint8_t id;
    uint8_t speed;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t brightness;
};
#pragma pack(pop)
static_assert(sizeof(VLModeSetting) == 6, "VLModeSetting is exchanged as 6 bytes");

PREFBOOK_BYTEWISE_EQUALITY(VLModeSetting)

// The setting a mode takes before its document says otherwise, and the one that pads a short list.
constexpr VLModeSetting kVLDefaultModeSetting{0, 3, 255, 255, 255, 255};

// The single profile of the VL550 store, with its creation values.
struct VL550Profile {
    uint8_t id = 0;
    std::string name = "PROFILE";  // never written to the document
    uint8_t currMode = 0;
    QVector<CustomColor> customColors;
    QVector<VLModeSetting> modes;
    std::array<uint8_t, kVL550CustomBlockSize> customBlock{};
    uint8_t currText = 0;
    uint8_t textMode = 0;
    uint8_t textPeriod = 10;
    uint8_t changed = 0;  // not persisted
};
