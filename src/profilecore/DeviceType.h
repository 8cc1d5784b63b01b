#pragma once

#include <string>

// Device models served by the suite. The numbers are stored in files and passed across the library
// boundary, so they never change.
enum DeviceType : int {
    KR720 = 0,
    TL480B = 1,
    TL480W = 2,
    TL460B = 3,
    TL460W = 4,
    BX310V2 = 5,
    BX330V2 = 6,
    PR940 = 7,
    PR260 = 8,
    PR261 = 9,
    PR941 = 10,
    AU570 = 11,
    AU320 = 12,
    AU340 = 13,
    DS180 = 14,
    FT610 = 15,
    FT280M = 16,
    FT280L = 17,
    FT280XL = 18,
    KEYDECK_G = 19,
    KEYDECK_C = 20,
    VL530 = 21,
    VL550 = 22,
    VL570 = 23,
    ZN205 = 24,
};

constexpr int kDeviceTypeCount = 25;

// The model's name, which is also the key of its reset flag; nullptr for a number outside the table.
// Header-only so that the host services (a separate library) name folders from the same table.
inline const char* DeviceTypeName(int type) {
    constexpr const char* kNames[kDeviceTypeCount] = {
        "KR720",   "TL480B",    "TL480W",    "TL460B", "TL460W", "BX310 V2", "BX330 V2", "PR940",  "PR260",
        "PR261",   "PR941",     "AU570",     "AU320",  "AU340",  "DS180",    "FT610",    "FT280M", "FT280L",
        "FT280XL", "KEYDECK_G", "KEYDECK_C", "VL530",  "VL550",  "VL570",    "ZN205"};
    return type >= 0 && type < kDeviceTypeCount ? kNames[type] : nullptr;
}

// The folder of a model's profiles under "<base>/profile/": its name without blanks ("BX310 V2" ->
// "BX310V2"), or "type<N>" outside the table so that every type still gets a folder of its own.
inline std::string ProfileFolderName(int type) {
    const char* name = DeviceTypeName(type);
    if (!name) return "type" + std::to_string(type);
    std::string folder;
    for (const char* c = name; *c; ++c) {
        if (*c != ' ') folder += *c;
    }
    return folder;
}
