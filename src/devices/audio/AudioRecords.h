#pragma once

#include <QMap>
#include <array>
#include <cstdint>
#include <string>

// Records shared by the audio stores (AU570, AU320, AU340, DS180). They hold strings and maps, so
// they are ordinary value types: nothing here is exchanged with the device byte for byte.

// One equaliser mode. bass and treble travel with the record in memory only; documents never carry them.
struct EqMode {
    int32_t id = 0;
    std::string name;  // UTF-8; a nameless mode is not read back from a document
    int32_t bass = 0;
    int32_t treble = 0;
    int32_t hz64 = 0;
    int32_t hz250 = 0;
    int32_t hz1k = 0;
    int32_t hz4k = 0;
    int32_t hz16k = 0;
};

constexpr int kVirtualSpeakerCount = 8;
using SpeakerValues = std::array<int32_t, kVirtualSpeakerCount>;

// One virtual-surround preset: a switch pair and the position of each of the eight virtual speakers.
struct SurroundMode {
    int32_t id = 0;
    std::string name;         // UTF-8
    int32_t vssEnable = 0;    // used as a boolean
    int32_t smvssEnable = 0;  // used as a boolean
    SpeakerValues angle{};
    SpeakerValues distance{};
};

struct SoundSettings {
    int32_t bass = 0;
    int32_t treble = 0;
    int32_t currModeId = 0;
    QMap<int, EqMode> modes;
};

struct SurroundSettings {
    int32_t currModeId = 0;
    QMap<int, SurroundMode> modes;
};

inline bool operator==(const EqMode& x, const EqMode& y) {
    return x.id == y.id && x.name == y.name && x.bass == y.bass && x.treble == y.treble && x.hz64 == y.hz64 &&
           x.hz250 == y.hz250 && x.hz1k == y.hz1k && x.hz4k == y.hz4k && x.hz16k == y.hz16k;
}
inline bool operator!=(const EqMode& x, const EqMode& y) {
    return !(x == y);
}

inline bool operator==(const SurroundMode& x, const SurroundMode& y) {
    return x.id == y.id && x.name == y.name && x.vssEnable == y.vssEnable && x.smvssEnable == y.smvssEnable &&
           x.angle == y.angle && x.distance == y.distance;
}
inline bool operator!=(const SurroundMode& x, const SurroundMode& y) {
    return !(x == y);
}

inline bool operator==(const SoundSettings& x, const SoundSettings& y) {
    return x.bass == y.bass && x.treble == y.treble && x.currModeId == y.currModeId && x.modes == y.modes;
}
inline bool operator!=(const SoundSettings& x, const SoundSettings& y) {
    return !(x == y);
}

inline bool operator==(const SurroundSettings& x, const SurroundSettings& y) {
    return x.currModeId == y.currModeId && x.modes == y.modes;
}
inline bool operator!=(const SurroundSettings& x, const SurroundSettings& y) {
    return !(x == y);
}
