#pragma once

#include <QMap>
#include <QString>
#include <QVector>
#include <cstdint>
#include <string>

#include "PrefbookExport.h"
#include "devices/audio/AudioRecords.h"
#include "profilecore/CustomColor.h"

// Natural alignment for the same reason as DS180Profile: it holds std::string and Qt containers.
struct AU340Profile {
    int32_t id = 0;
    std::string name;                 // UTF-8
    std::string exe;                  // UTF-8
    QVector<CustomColor> foreground;  // not carried by the document
    SoundSettings sound;              // the document carries no bass and treble
    SurroundSettings surround;
};

// Profile store of the AU340 headset (no lighting). Sound and surround operations act on the
// profile at index 0 and report false (or do nothing) while the store holds no profile.
class PREFBOOK_EXPORT IAU340ProfileCfg {
public:
    static IAU340ProfileCfg& Instance();

    PREFBOOK_AUDIO_PROFILE_OPERATIONS
    PREFBOOK_AUDIO_SOUND_OPERATIONS

protected:
    IAU340ProfileCfg() = default;
    ~IAU340ProfileCfg() = default;
};
