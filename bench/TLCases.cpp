#include "BenchSupport.h"
#include "devices/keyboards/TLProfileStore.h"

namespace prefbook::bench {
namespace {

// Every profile gets the given number of macros, each with that many actions and two keys.
template <class Store>
std::shared_ptr<void> BuildTL(const StoreHost& host, Content content) {
    auto store = std::make_shared<Store>(host);
    for (int p = 0; p < store->GetProfileNum(); ++p) {
        for (int m = 0; m < content.macros; ++m) {
            const std::string name = "macro " + std::to_string(m);
            store->SetMacro(p, name, BenchMacroRecord(content.actions));
            store->SetMacroKeys(p, name, {uint16_t(m), uint16_t(m + 1)});
        }
    }
    return store->SaveProfile() ? store : nullptr;
}

template <class Store>
StoreCase TLCase(const char* name, int type) {
    return {name,
            {type},
            true,
            5,
            BuildTL<Store>,
            [](void* s) { return static_cast<Store*>(s)->SaveProfile(); },
            [](const StoreHost& host) { return std::make_shared<Store>(host); }};
}

const Register tl480(TLCase<TL480ProfileCfgImpl>("tl480", 1));
const Register tl460(TLCase<TL460ProfileCfgImpl>("tl460", 3));

}  // namespace
}  // namespace prefbook::bench
