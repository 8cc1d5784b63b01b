#pragma once

#include <cstdint>

#include "profilecore/PackedRecord.h"

#pragma pack(push, 1)
// One entry of a custom-colour list, exchanged with the suite byte for byte.
struct CustomColor {
    uint8_t enable;  // 0 or 1
    uint8_t r;
    uint8_t g;
    uint8_t b;
    uint8_t a;
};
#pragma pack(pop)
static_assert(sizeof(CustomColor) == 5, "CustomColor is exchanged as 5 bytes");

PREFBOOK_BYTEWISE_EQUALITY(CustomColor)
