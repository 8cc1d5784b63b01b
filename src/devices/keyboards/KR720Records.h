#pragma once

#include <QVector>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "profilecore/CustomColor.h"
#include "profilecore/MacroTypes.h"
#include "profilecore/PackedRecord.h"

// Sizes of the KR720 lighting and key data as the device exchanges them.
constexpr int kKR720Profiles = 5;  // user profiles
constexpr int kKR720AimModes = 5;  // analog-key modes per profile
constexpr int kKR720Records = kKR720Profiles * kKR720AimModes;
constexpr int kKR720GeneralEffects = 19;
constexpr int kKR720LayerEffects = 4;  // multilayer and multizone lists
constexpr int kKR720CustomKeys = 182;  // colour triplets of the custom block
constexpr int kKR720FilterRows = 4;
constexpr int kKR720FilterWidth = 192;
constexpr int kKR720FilterBytes = kKR720FilterRows * kKR720FilterWidth;
constexpr int kKR720MappedKeys = 256;
constexpr int kKR720CustomColors = 7;  // foreground and background lists
constexpr int kKR720BlockMacros = 20;  // macro buffers of a bulk transfer
constexpr int kKR720SpecKeys = 8;

#pragma pack(push, 1)
// One lighting effect, exchanged with the device byte for byte.
struct LightEffect {
    uint8_t id;
    uint8_t speed;
    uint8_t direction;
    uint8_t brightness;
    uint8_t random;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t bgMode;
    uint8_t bgRed;
    uint8_t bgGreen;
    uint8_t bgBlue;
    uint8_t bgRandom;
    uint8_t bgBrightness;
};

struct KR720Rgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

// Per-key colours of the custom lighting mode followed by their common brightness.
struct KR720CustomBlock {
    KR720Rgb keys[kKR720CustomKeys];
    uint8_t brightness;
};
#pragma pack(pop)
static_assert(sizeof(LightEffect) == 14, "LightEffect is exchanged as 14 bytes");
static_assert(sizeof(KR720Rgb) == 3, "KR720Rgb is exchanged as 3 bytes");
static_assert(sizeof(KR720CustomBlock) == 547, "KR720CustomBlock is exchanged as 547 bytes");

PREFBOOK_BYTEWISE_EQUALITY(LightEffect)

// Settings of one analog-key mode.
struct AimMode {
    uint8_t id = 0;
    std::string name;
    // sensit and actuat travel together as one little-endian u16 (sensit low) in transfers, which
    // point straight at this pair: keep them adjacent and 2-aligned.
    alignas(2) uint8_t sensit = 0;
    uint8_t actuat = 0;
    uint16_t specKeys[kKR720SpecKeys]{};
    uint8_t reserved[4]{};
};

using DigitalKeyMap = std::map<uint32_t, uint16_t>;

// A record's analog-key settings.
struct AimpadSettings {
    std::string path;
    AimMode mode;
    DigitalKeyMap digitalKeys;
    uint8_t reserved[4]{};
};

// Key lighting of one record. Default lists have the sizes the bulk transfer carries.
struct KR720Lighting {
    uint8_t currMode = 0;  // 4 custom, 19 multilayer, 20 multizone, else a general effect's id
    QVector<LightEffect> general = QVector<LightEffect>(kKR720GeneralEffects, LightEffect{});
    KR720CustomBlock custom{};
    uint8_t multilayerCurrMode = 0;
    QVector<LightEffect> multilayer = QVector<LightEffect>(kKR720LayerEffects, LightEffect{});
    uint8_t multizoneCurrMode = 0;
    QVector<LightEffect> multizone = QVector<LightEffect>(kKR720LayerEffects, LightEffect{});
    uint8_t filters[kKR720FilterRows][kKR720FilterWidth]{};
    QVector<CustomColor> foreground = QVector<CustomColor>(kKR720CustomColors, CustomColor{});
    QVector<CustomColor> background = QVector<CustomColor>(kKR720CustomColors, CustomColor{});
};

// One record: one profile in one aim mode.
struct KR720Profile {
    uint8_t id = 0;
    std::string name;
    std::string exe;
    AimpadSettings aimpad;
    KR720Lighting lighting;
    uint8_t reserved1[4]{};
    QVector<uint16_t> mapping = QVector<uint16_t>(kKR720MappedKeys, 0);
    uint8_t reserved2[4]{};
    MacroSet macros;
    uint8_t reserved3[4]{};
    uint8_t changed = 0;
    uint8_t reserved4[4]{};
};

// Bulk transfer of one record to and from the device. On a set the store copies from the pointed-to
// data; on a get it points the fields at its own data (and fills the caller's macro buffers).
struct KR720ProfileBlock {
    uint8_t* lightMode;
    LightEffect* general;  // kKR720GeneralEffects entries
    KR720CustomBlock* custom;
    LightEffect* multilayer;  // kKR720LayerEffects entries
    LightEffect* multizone;   // kKR720LayerEffects entries
    uint8_t* filters;         // kKR720FilterBytes bytes, row after row
    uint16_t* mapping;        // kKR720MappedKeys entries
    MacroRecord* macros[kKR720BlockMacros];
    uint16_t* specKeys;      // kKR720SpecKeys entries
    uint16_t* sensitActuat;  // sensit low byte, actuat high byte
};
static_assert(sizeof(KR720ProfileBlock) == (9 + kKR720BlockMacros) * sizeof(void*),
              "KR720ProfileBlock is a plain block of pointers");
