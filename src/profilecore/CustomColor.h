#pragma once

#include <cstdint>

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

inline bool operator==(const CustomColor& x, const CustomColor& y) {
    return x.enable == y.enable && x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a;
}
inline bool operator!=(const CustomColor& x, const CustomColor& y) {
    return !(x == y);
}
