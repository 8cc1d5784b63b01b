#pragma once

#include <QVector>
#include <cstddef>
#include <cstdint>
#include <map>

#include "devices/mice/PR26xRecords.h"

// Records of the PR941: the button mouse with five DPI steps, a lighting block with a music mode and
// a wireless section.

constexpr int kPR941DpiSteps = 5;
constexpr int kPR941Leds = 25;
constexpr int kPR941MusicColors = 6;
constexpr int kPR941ImportModes = 13;  // a one-profile import must carry every lighting mode

#pragma pack(push, 1)
// One mode of the PR941 lighting effects.
struct StarsModeEntry {
    uint8_t id;
    uint8_t speed;
    uint8_t direction;
    uint8_t random;
    uint8_t brightness;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t bgred;
    uint8_t bggreen;
    uint8_t bgblue;
};

// Sensor and pointer settings of one PR941 profile, exchanged whole.
struct PerformanceConfig5 {
    uint8_t dpiLevel;  // selected step, 0..4
    uint16_t dpi[kPR941DpiSteps];
    uint8_t dpiEnable[kPR941DpiSteps];
    int32_t angleTunability;
    uint8_t angleSnapping;  // 0 or 1
    uint8_t liftOffDistance;
    uint8_t pollingRate;
    uint8_t osSensitivity;
    uint8_t osDoubleClickSpeed;
    uint8_t buttonResponseTime;
};

// The music lighting mode: how the colours follow the sound, and its six colours.
struct MusicLighting {
    uint8_t rgbMode;
    RgbColor colors[kPR941MusicColors];
};

// The receiver settings. A fresh profile holds zeros: the suite reads them from the device on its
// first connection and treats zero as "not yet known".
struct WirelessSettings {
    uint16_t time;
    uint8_t brightness;
    int32_t ring;
};
#pragma pack(pop)

using LedColors = CustomRgbSet<kPR941Leds>;

static_assert(sizeof(StarsModeEntry) == 11, "StarsModeEntry is exchanged as 11 bytes");
static_assert(sizeof(PerformanceConfig5) == 26, "PerformanceConfig5 is exchanged as 26 bytes");
static_assert(offsetof(PerformanceConfig5, dpiEnable) == 11 &&
                  offsetof(PerformanceConfig5, angleTunability) == 16,
              "PerformanceConfig5 field offsets");
static_assert(sizeof(MusicLighting) == 19, "MusicLighting is exchanged as 19 bytes");
static_assert(sizeof(WirelessSettings) == 7, "WirelessSettings is exchanged as 7 bytes");
static_assert(sizeof(LedColors) == 75, "LedColors is exchanged as 75 bytes");
PREFBOOK_BYTEWISE_EQUALITY(StarsModeEntry)
PREFBOOK_BYTEWISE_EQUALITY(PerformanceConfig5)
PREFBOOK_BYTEWISE_EQUALITY(MusicLighting)
PREFBOOK_BYTEWISE_EQUALITY(WirelessSettings)
PREFBOOK_BYTEWISE_EQUALITY(LedColors)

using StarsModeMap = std::map<uint8_t, StarsModeEntry>;  // by mode id

// The PR941 lighting block.
struct PR941Lighting {
    uint8_t currMode = 0;
    uint8_t starsMode = 0;
    StarsModeMap modes;
    int32_t currLed = 0;
    LedColors custom{};
    MusicLighting music{};
    QVector<CustomColor> foreground;
};

// What the PR941 profile holds after the macros. Of its six trailing bytes the shared resetFlag and
// changedFlag are two; the other four are kept cleared for the device and never written.
struct PR941Extra {
    WirelessSettings wireless{};
    uint8_t reserved[4]{};
};

using PR941Profile = ButtonMouseProfile<PR941Lighting, PerformanceConfig5, PR941Extra>;
