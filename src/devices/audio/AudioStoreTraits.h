#pragma once

#include <QVector>

#include "devices/audio/AudioXml.h"
#include "devices/audio/IAU320ProfileCfg.h"
#include "devices/audio/IAU340ProfileCfg.h"
#include "devices/audio/IDS180ProfileCfg.h"
#include "profilecore/DeviceType.h"

namespace prefbook {

// What tells the DS180, AU320 and AU340 stores apart; everything else is AudioProfileStore.
// Entries() is the colour list of operations 9 and 10: the DS180 foreground, which its document
// carries, or the AU320/AU340 entry list, which no document carries.

struct DS180Traits {
    using Interface = IDS180ProfileCfg;
    using Profile = DS180Profile;
    using Effect = DS180LightEffect;
    static constexpr int kDeviceType = DS180;
    static constexpr const char* kRoot = "ds180";
    static constexpr const char* kModel = "DS180";
    static constexpr bool kHasLighting = true;
    static constexpr bool kPersistsEntries = true;
    static constexpr BassTreble kBassTreble = BassTreble::Carried;
    template <class P>
    static auto& Entries(P& p) {
        return p.lighting.foreground;
    }
    static QVector<Effect> DefaultEffects();
};

struct AU320Traits {
    using Interface = IAU320ProfileCfg;
    using Profile = AU320Profile;
    using Effect = AU320LightEffect;
    static constexpr int kDeviceType = AU320;
    static constexpr const char* kRoot = "au320";
    static constexpr const char* kModel = "AU320";
    static constexpr bool kHasLighting = true;
    static constexpr bool kPersistsEntries = false;
    static constexpr BassTreble kBassTreble = BassTreble::Carried;
    template <class P>
    static auto& Entries(P& p) {
        return p.lighting.foreground;
    }
    static QVector<Effect> DefaultEffects();
};

struct AU340Traits {
    using Interface = IAU340ProfileCfg;
    using Profile = AU340Profile;
    static constexpr int kDeviceType = AU340;
    static constexpr const char* kRoot = "au340";
    static constexpr const char* kModel = "AU340";
    static constexpr bool kHasLighting = false;
    static constexpr bool kPersistsEntries = false;
    static constexpr BassTreble kBassTreble = BassTreble::Omitted;
    template <class P>
    static auto& Entries(P& p) {
        return p.foreground;
    }
};

}  // namespace prefbook
