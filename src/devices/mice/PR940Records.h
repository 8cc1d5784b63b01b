#pragma once

#include <QVector>
#include <cstdint>
#include <map>
#include <string>

#include "devices/mice/MouseMacroRecord.h"
#include "profilecore/CustomColor.h"
#include "profilecore/PackedRecord.h"

constexpr int kSurfaceNameBytes = 64;  // bytes of the name kept inside a surface record

#pragma pack(push, 1)
// A learned surface of the sensor, exchanged byte for byte with the suite.
struct SurfaceTuning {
    char name[kSurfaceNameBytes];  // NUL-padded, not terminated when the name fills it
    int32_t learn1;
    int32_t learn2;
};
#pragma pack(pop)
static_assert(sizeof(SurfaceTuning) == 72, "SurfaceTuning is exchanged as 72 bytes");
PREFBOOK_BYTEWISE_EQUALITY(SurfaceTuning)

// One image of the display. pixels are the image converter's words (one bit per display pixel).
struct OledArtwork {
    std::string name;
    uint8_t pen = 1;
    uint8_t background = 0;
    QVector<uint32_t> pixels;
};

// A display profile: the artworks it shows, in which order and for how long each.
struct OledProfile {
    std::string name;
    QVector<int32_t> order;
    double duration = 3.0;
    std::string currArtworkName;
    std::map<std::string, OledArtwork> artworks;
};

using SurfaceTuningMap = std::map<std::string, SurfaceTuning>;
using OledProfileMap = std::map<std::string, OledProfile>;
using OledArtworkMap = std::map<std::string, OledArtwork>;
using PR940MacroMap = std::map<std::string, MouseMacroRecord>;

// One PR940 profile. It holds strings and maps, so it is never exchanged as bytes and is left at its
// natural alignment: packing it would misalign the strings inside it.
struct PR940Profile {
    int32_t id = 0;
    std::string name;
    std::string exe;
    int32_t currView = 0;
    uint8_t tactix = 0;
    int32_t lightingMode = 0;
    int32_t currCustom = 0;
    int32_t currBeat = 0;
    QVector<CustomColor> customColors;
    SurfaceTuningMap surfaces;
    std::string currOledProfile;
    OledProfileMap oledProfiles;
    std::string macroPath;
    std::string currMacro;
    PR940MacroMap macros;
};

inline bool operator==(const OledArtwork& x, const OledArtwork& y) {
    return x.name == y.name && x.pen == y.pen && x.background == y.background && x.pixels == y.pixels;
}
inline bool operator==(const OledProfile& x, const OledProfile& y) {
    return x.name == y.name && x.order == y.order && x.duration == y.duration &&
           x.currArtworkName == y.currArtworkName && x.artworks == y.artworks;
}
inline bool operator==(const PR940Profile& x, const PR940Profile& y) {
    return x.id == y.id && x.name == y.name && x.exe == y.exe && x.currView == y.currView &&
           x.tactix == y.tactix && x.lightingMode == y.lightingMode && x.currCustom == y.currCustom &&
           x.currBeat == y.currBeat && x.customColors == y.customColors && x.surfaces == y.surfaces &&
           x.currOledProfile == y.currOledProfile && x.oledProfiles == y.oledProfiles &&
           x.macroPath == y.macroPath && x.currMacro == y.currMacro && x.macros == y.macros;
}
