#include <algorithm>

#include "BenchSupport.h"
#include "devices/keypad/KeydeckProfileCfgImpl.h"

namespace prefbook::bench {
namespace {

constexpr int kTypes[] = {19, 20};

// The bench record cut to the keypad's room: a heavy run's 199 actions become 127.
KeydeckMacroRecord KeydeckBenchRecord(int actions) {
    const MacroRecord full = BenchMacroRecord(std::min(actions, kKeydeckMacroActionCapacity));
    KeydeckMacroRecord record{};
    record.actionCount = full.actionCount;
    std::copy(full.actions, full.actions + full.actionCount, record.actions);
    return record;
}

// Both variants: every one of the 24 profiles of each gets the given number of macros, each with one
// slot assignment, and a simple key carrying a macro of the same length.
std::shared_ptr<void> BuildKeydeck(const StoreHost& host, Content content) {
    auto store = std::make_shared<KeydeckProfileCfgImpl>(host);
    const KeydeckMacroRecord record = KeydeckBenchRecord(content.actions);
    for (int type : kTypes) {
        for (int p = 0; p < store->GetProfileNum(type); ++p) {
            for (int m = 0; m < content.macros; ++m) {
                const std::string name = "macro " + std::to_string(m);
                store->SetMacro(type, p, name, record);
                store->SetMacroAssignments(type, p, name, {{uint8_t(m % 28), uint8_t(m % 24)}});
            }
            if (content.Heavy()) store->SetSimpleKey(type, p, 0, {1, 2, record});
        }
        if (!store->SaveProfile(type)) return nullptr;
    }
    return store;
}

const Register keydeck({"keydeck",
                        {19, 20},
                        true,
                        2 * kKeydeckProfileCount,
                        BuildKeydeck,
                        [](void* s) {
                            auto* store = static_cast<KeydeckProfileCfgImpl*>(s);
                            return store->SaveProfile(19) && store->SaveProfile(20);
                        },
                        [](const StoreHost& host) { return std::make_shared<KeydeckProfileCfgImpl>(host); }});

}  // namespace
}  // namespace prefbook::bench
