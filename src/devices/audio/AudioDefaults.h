#pragma once

#include <QMap>
#include <QVector>
#include <initializer_list>

#include "devices/audio/AudioRecords.h"
#include "profilecore/CustomColor.h"

namespace prefbook {

// The equaliser presets and surround preset of the DS180, AU320 and AU340 profiles. The AU570 has
// its own presets with other band values.
SoundSettings SoundDefaults();
SurroundSettings SurroundDefaults();

// The speaker layout of the "Default" surround mode; also what a "virtual" element read from a
// document starts from, so a malformed angle or distance list leaves a usable layout.
SpeakerValues DefaultSpeakerAngles();
SpeakerValues DefaultSpeakerDistances();

// The seven colours a default profile starts with (DS180 foreground, AU320/AU340 entry list).
QVector<CustomColor> DefaultColorEntries();

// The table of equaliser modes of a preset list: {id, name, hz64, hz250, hz1k, hz4k, hz16k}.
struct EqPreset {
    int32_t id;
    const char* name;
    int32_t hz64, hz250, hz1k, hz4k, hz16k;
};
QMap<int, EqMode> EqModesFrom(std::initializer_list<EqPreset> presets);

}  // namespace prefbook
