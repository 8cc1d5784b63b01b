#include <cstring>

#include "BenchSupport.h"
#include "devices/mice/PR26xProfileCfgImpl.h"
#include "devices/mice/PR941ProfileCfgImpl.h"
#include "profilecore/MacroModel.h"

namespace prefbook::bench {
namespace {

// The benchmarks' macro record in the mice's layout.
MouseMacroRecord BenchMouseMacro(const std::string& name, uint8_t id, int actions) {
    const MacroRecord source = BenchMacroRecord(actions);
    MouseMacroRecord record{};
    SetRecordName(record, name);
    record.id = id;
    record.mode = source.mode;
    record.actionCount = source.actionCount;
    std::memcpy(record.actions, source.actions, sizeof(record.actions));
    return record;
}

// Every profile gets the given number of named macros, each of that many actions, a surface per macro
// and, when filled, a macro bound to every button and (the lit mice) ten lighting modes: the mode
// table has 256 ids, so modes made per macro would stop growing with the macros.
template <class Store>
std::shared_ptr<void> BuildPR26x(const StoreHost& host, Content content) {
    auto store = std::make_shared<Store>(host);
    for (int p = 0; p < store->GetProfileNum(); ++p) {
        for (int m = 0; m < content.macros; ++m) {
            const std::string name = "macro " + std::to_string(m);
            store->AddMacro(p, name, BenchMouseMacro(name, 13, content.actions));
            store->AddSurface(p, {"surface " + std::to_string(m), -m, m * 4096});
        }
        if (content.Heavy()) {
            for (uint8_t b = 0; b < kMouseButtons; ++b)
                store->SetButtonMacro(p, b, BenchMouseMacro("bound", b, content.actions));
            for (uint8_t id = 0; id < 10; ++id) {
                if constexpr (std::is_same_v<Store, PR261ProfileCfgImpl>) {
                    store->SetLightingModeEntry(p, id, {id, 3, 0, 100, 255, 128, 0});
                } else if constexpr (std::is_same_v<Store, PR941ProfileCfgImpl>) {
                    store->SetLightingModeEntry(p, id, {id, 3, 1, 0, 100, 255, 128, 0, 1, 2, 3});
                }
            }
        }
    }
    return store->SaveProfile() ? store : nullptr;
}

template <class Store>
StoreCase PR26xCase(const char* name, int type) {
    return {name,
            {type},
            true,
            5,
            BuildPR26x<Store>,
            [](void* s) { return static_cast<Store*>(s)->SaveProfile(); },
            [](const StoreHost& host) { return std::make_shared<Store>(host); }};
}

const Register pr260(PR26xCase<PR260ProfileCfgImpl>("pr260", 8));
const Register pr261(PR26xCase<PR261ProfileCfgImpl>("pr261", 9));
const Register pr941(PR26xCase<PR941ProfileCfgImpl>("pr941", 10));

}  // namespace
}  // namespace prefbook::bench
