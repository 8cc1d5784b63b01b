#pragma once

#include <QString>
#include <QVector>
#include <cstdint>
#include <map>
#include <string>

#include "profilecore/CustomColor.h"
#include "profilecore/MacroTypes.h"
#include "profilecore/PackedRecord.h"

constexpr int kKeydeckProfileCount = 24;
constexpr int kKeydeckIndicatorBytes = 12;    // four colours of three bytes
constexpr int kKeydeckCustomColorBytes = 72;  // 24 colours of three bytes
constexpr int kKeydeckPadKeyCount = 28;       // pad keys of a default profile
constexpr int kKeydeckMacroIdCount = 24;      // ids 0..23 in a profile's pool
constexpr uint8_t kKeydeckNoMacroId = 24;     // what an empty pool hands out

#pragma pack(push, 1)
// One lighting effect, exchanged byte for byte.
struct KeydeckLightEffect {
    uint8_t id;
    uint8_t speed;
    uint8_t direction;
    uint8_t random;
    uint8_t brightness;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t bgBrightness;
    uint8_t bgRed;
    uint8_t bgGreen;
    uint8_t bgBlue;
};

// One pad key's function.
struct PadKey {
    uint8_t type;
    uint16_t general;
    uint16_t gamepad;
    uint16_t dual1;
    uint16_t dual2;
    uint8_t dual3;
    uint8_t dual4;
};

struct ShortcutKeyAssign {
    uint8_t shortcutId;
    uint8_t macroId;
};

struct SpecialKeyAssign {
    uint8_t macoId;  // the suite's spelling
    uint16_t keyId;
};
#pragma pack(pop)

static_assert(sizeof(KeydeckLightEffect) == 12, "KeydeckLightEffect is exchanged as 12 bytes");
static_assert(sizeof(PadKey) == 11, "PadKey is exchanged as 11 bytes");
static_assert(sizeof(ShortcutKeyAssign) == 2, "ShortcutKeyAssign is exchanged as 2 bytes");
static_assert(sizeof(SpecialKeyAssign) == 3, "SpecialKeyAssign is exchanged as 3 bytes");

PREFBOOK_BYTEWISE_EQUALITY(KeydeckLightEffect)
PREFBOOK_BYTEWISE_EQUALITY(PadKey)
PREFBOOK_BYTEWISE_EQUALITY(ShortcutKeyAssign)
PREFBOOK_BYTEWISE_EQUALITY(SpecialKeyAssign)

// A key bound to a macro; the record's slot byte holds the macro id, its key field the key.
struct SimpleKeyAssign {
    int32_t type = 0;
    int32_t func = 0;
    KeydeckMacroRecord macro{};
};

// A key bound to a hotkey. Not packed despite the device side's layout: the strings are Qt objects,
// which must stay aligned.
struct AdvancedKeyAssign {
    uint8_t macroId = 0;
    QString hotkey;
    QString hotkeyName;
};

using SimpleKeyMap = std::map<int, SimpleKeyAssign>;
using AdvancedKeyMap = std::map<int, AdvancedKeyAssign>;
using ShortcutKeyMap = std::map<int, ShortcutKeyAssign>;
using SpecialKeyMap = std::map<int, SpecialKeyAssign>;

struct KeydeckLighting {
    uint8_t currMode = 0;
    QVector<KeydeckLightEffect> effects;
    uint8_t customColors[kKeydeckCustomColorBytes]{};
    QVector<CustomColor> foreground;
    QVector<CustomColor> background;
    uint32_t reserved = 0;
};

struct KeydeckMapping {
    int32_t currMode = 0;
    int32_t currInput = 0;
    int32_t currKey = 0;
    int32_t presetMode = 0;
    QVector<PadKey> padKeys;
    SimpleKeyMap simpleKeys;
    AdvancedKeyMap advancedKeys;
    ShortcutKeyMap shortcutKeys;
    SpecialKeyMap specialKeys;
};

// The full pool a new profile starts with.
inline QVector<uint8_t> FullKeydeckMacroIdPool() {
    QVector<uint8_t> ids;
    for (int id = 0; id < kKeydeckMacroIdCount; ++id) ids.push_back(static_cast<uint8_t>(id));
    return ids;
}

// One keypad profile. Holds strings and containers, so it is copied member by member rather than
// packed: the suite receives it through GetProfile, never as raw bytes.
struct KeydeckProfile {
    uint8_t id = 0;
    std::string name = "PROFILE";
    std::string exe;
    uint8_t indicator[kKeydeckIndicatorBytes] = {255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
    KeydeckLighting lighting;
    KeydeckMapping mapping;
    KeydeckMacroSet macros;
    QVector<uint8_t> freeMacroIds = FullKeydeckMacroIdPool();  // ids no key assignment uses
    uint8_t flagA = 0;
    uint8_t flagB = 0;
    uint32_t reserved = 0;
};
