#pragma once

#include <QMap>
#include <QString>
#include <QVector>
#include <cstdint>
#include <string>

#include "PrefbookExport.h"
#include "devices/audio/AudioRecords.h"
#include "profilecore/CustomColor.h"
#include "profilecore/PackedRecord.h"

#pragma pack(push, 1)
// One lighting effect, exchanged with the device byte for byte.
struct DS180LightEffect {
    uint8_t id;
    uint8_t speed;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};
#pragma pack(pop)
static_assert(sizeof(DS180LightEffect) == 5, "DS180LightEffect is exchanged as 5 bytes");

PREFBOOK_BYTEWISE_EQUALITY(DS180LightEffect)

struct DS180Lighting {
    uint8_t currMode = 0;
    QVector<DS180LightEffect> effects;
    QVector<CustomColor> foreground;
};

// The profile aggregates keep natural alignment: they hold std::string and Qt containers, which must
// not sit at misaligned addresses. Only the fixed-size records above are packed.
struct DS180Profile {
    int32_t id = 0;
    std::string name;  // UTF-8
    std::string exe;   // UTF-8
    DS180Lighting lighting;
    SoundSettings sound;
    SurroundSettings surround;
};

// Profile store of the DS180 surround device. Lighting, sound and surround operations act on the
// profile at index 0 and report false (or do nothing) while the store holds no profile.
class PREFBOOK_EXPORT IDS180ProfileCfg {
public:
    static IDS180ProfileCfg& Instance();

    PREFBOOK_AUDIO_PROFILE_OPERATIONS
    PREFBOOK_AUDIO_LIGHTING_OPERATIONS(DS180LightEffect)
    PREFBOOK_AUDIO_SOUND_OPERATIONS

protected:
    IDS180ProfileCfg() = default;
    ~IDS180ProfileCfg() = default;
};
