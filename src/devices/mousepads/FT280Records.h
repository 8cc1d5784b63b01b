#pragma once

#include <QVector>
#include <cstdint>

#include "profilecore/CustomColor.h"
#include "profilecore/PackedRecord.h"

#pragma pack(push, 1)
// Speed and colour of one lighting mode of the FT280 pad, exchanged with the suite byte for byte.
struct ModeSetting {
    uint8_t id;
    uint8_t speed;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};
#pragma pack(pop)
static_assert(sizeof(ModeSetting) == 5, "ModeSetting is exchanged as 5 bytes");

PREFBOOK_BYTEWISE_EQUALITY(ModeSetting)

// The single profile of one FT280 size.
struct FT280Profile {
    uint8_t currMode = 0;
    QVector<ModeSetting> modes;
    QVector<CustomColor> foreground;
};
