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
struct AU320LightEffect {
    uint8_t id;
    uint8_t speed;
    uint8_t brightness;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};
#pragma pack(pop)
static_assert(sizeof(AU320LightEffect) == 6, "AU320LightEffect is exchanged as 6 bytes");

PREFBOOK_BYTEWISE_EQUALITY(AU320LightEffect)

struct AU320Lighting {
    uint8_t currMode = 0;
    QVector<AU320LightEffect> effects;
    QVector<CustomColor> foreground;  // not carried by the document
};

// The profile aggregates keep natural alignment: they hold std::string and Qt containers, which must
// not sit at misaligned addresses. Only the fixed-size records above are packed.
struct AU320Profile {
    int32_t id = 0;
    std::string name;  // UTF-8
    std::string exe;   // UTF-8
    AU320Lighting lighting;
    SoundSettings sound;
    SurroundSettings surround;
};

// Profile store of the AU320 headset. Lighting, sound and surround operations act on the
// profile at index 0 and report false (or do nothing) while the store holds no profile.
class PREFBOOK_EXPORT IAU320ProfileCfg {
public:
    static IAU320ProfileCfg& Instance();

    PREFBOOK_AUDIO_PROFILE_OPERATIONS
    PREFBOOK_AUDIO_LIGHTING_OPERATIONS(AU320LightEffect)
    PREFBOOK_AUDIO_SOUND_OPERATIONS

protected:
    IAU320ProfileCfg() = default;
    ~IAU320ProfileCfg() = default;
};
