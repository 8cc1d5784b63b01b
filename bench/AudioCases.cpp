#include "BenchSupport.h"
#include "devices/audio/AU570ProfileCfgImpl.h"
#include "devices/audio/AudioProfileStore.h"
#include "profilecore/DeviceType.h"

namespace prefbook::bench {
namespace {

// A user who saved many presets: this many equaliser and surround modes beside the built-in ones.
constexpr int kHeavyPresets = 100;
constexpr int kFirstUserId = 1000;

void AddEqPresets(QMap<int, EqMode>& modes) {
    for (int i = 0; i < kHeavyPresets; ++i) {
        EqMode m;
        m.id = kFirstUserId + i;
        m.name = "User preset " + std::to_string(i);
        m.hz64 = -12 + i % 25;
        m.hz250 = 12 - i % 25;
        m.hz1k = i % 7;
        m.hz4k = -(i % 9);
        m.hz16k = i % 13;
        modes.insert(m.id, m);
    }
}

QMap<int, SurroundMode> SurroundPresets(QMap<int, SurroundMode> modes) {
    for (int i = 0; i < kHeavyPresets; ++i) {
        SurroundMode m;
        m.id = kFirstUserId + i;
        m.name = "Room " + std::to_string(i);
        m.vssEnable = 1;
        m.smvssEnable = i & 1;
        for (int s = 0; s < kVirtualSpeakerCount; ++s) {
            m.angle[s] = (45 * s + i) % 360;
            m.distance[s] = 100 + 10 * s + i;
        }
        modes.insert(m.id, m);
    }
    return modes;
}

std::shared_ptr<void> BuildAU570(const StoreHost& host, Content content) {
    auto store = std::make_shared<AU570ProfileCfgImpl>(host);
    if (content.Heavy()) {
        QMap<int, EqMode> modes = store->GetEqModes();
        AddEqPresets(modes);
        store->SetEqModes(modes);
    }
    return store->SaveProfile() ? store : nullptr;
}

const Register au570({"au570",
                      {AU570},
                      true,
                      0,
                      BuildAU570,
                      [](void* s) { return static_cast<AU570ProfileCfgImpl*>(s)->SaveProfile(); },
                      [](const StoreHost& host) { return std::make_shared<AU570ProfileCfgImpl>(host); }});

template <class Store>
std::shared_ptr<void> BuildSurround(const StoreHost& host, Content content) {
    auto store = std::make_shared<Store>(host);
    if (content.Heavy()) {
        QMap<int, EqMode> eq;
        QMap<int, SurroundMode> surround;
        if (!store->GetEqModes(eq) || !store->GetSurroundModes(surround)) return nullptr;
        AddEqPresets(eq);
        store->SetEqModes(eq);
        store->SetSurroundModes(SurroundPresets(surround));
    }
    return store->SaveProfile() ? store : nullptr;
}

template <class Store>
StoreCase SurroundCase(const char* name, int type) {
    return {name,
            {type},
            true,
            0,
            BuildSurround<Store>,
            [](void* s) { return static_cast<Store*>(s)->SaveProfile(); },
            [](const StoreHost& host) { return std::make_shared<Store>(host); }};
}

const Register ds180(SurroundCase<DS180ProfileCfgImpl>("ds180", DS180));
const Register au320(SurroundCase<AU320ProfileCfgImpl>("au320", AU320));
const Register au340(SurroundCase<AU340ProfileCfgImpl>("au340", AU340));

}  // namespace
}  // namespace prefbook::bench
