#include "devices/audio/AudioDefaults.h"

namespace prefbook {

QMap<int, EqMode> EqModesFrom(std::initializer_list<EqPreset> presets) {
    QMap<int, EqMode> modes;
    for (const EqPreset& p : presets) {
        EqMode m;
        m.id = p.id;
        m.name = p.name;
        m.hz64 = p.hz64;
        m.hz250 = p.hz250;
        m.hz1k = p.hz1k;
        m.hz4k = p.hz4k;
        m.hz16k = p.hz16k;
        modes.insert(m.id, m);
    }
    return modes;
}

SoundSettings SoundDefaults() {
    SoundSettings s;
    s.currModeId = 3;
    s.modes = EqModesFrom({
        {3, "GAMING(BASS+)", 5, 6, 5, 8, 6},
        {2, "MOVIE", 8, 8, 7, 7, 5},
        {1, "POP MUSIC", 7, 6, 5, 7, 7},
    });
    return s;
}

SpeakerValues DefaultSpeakerAngles() {
    return {-45, 0, 45, 90, 135, -135, -90, 15};
}

SpeakerValues DefaultSpeakerDistances() {
    SpeakerValues d;
    d.fill(30);
    return d;
}

SurroundSettings SurroundDefaults() {
    SurroundMode m;
    m.id = 1;
    m.name = "Default";
    m.vssEnable = 1;
    m.smvssEnable = 1;
    m.angle = DefaultSpeakerAngles();
    m.distance = DefaultSpeakerDistances();
    SurroundSettings s;
    s.currModeId = 1;
    s.modes.insert(m.id, m);
    return s;
}

QVector<CustomColor> DefaultColorEntries() {
    // A spectrum from red to violet, all enabled and opaque. Appended one by one: GCC 12 misreads the
    // initializer-list copy of a packed record into QVector as an overflow.
    static const CustomColor kSpectrum[] = {
        {1, 255, 0, 0, 255},   {1, 255, 128, 0, 255}, {1, 255, 255, 0, 255}, {1, 0, 255, 0, 255},
        {1, 0, 255, 255, 255}, {1, 0, 0, 255, 255},   {1, 128, 0, 255, 255}};
    QVector<CustomColor> colors;
    colors.reserve(7);
    for (const CustomColor& c : kSpectrum) colors.append(c);
    return colors;
}

}  // namespace prefbook
