#include "BenchSupport.h"
#include "devices/keyboards/KR720ProfileCfgImpl.h"

namespace prefbook::bench {
namespace {

// Every one of the 25 records gets the given number of macros, each with that many actions and one
// key assignment.
std::shared_ptr<void> BuildKR720(const StoreHost& host, Content content) {
    auto store = std::make_shared<KR720ProfileCfgImpl>(host);
    for (uint32_t r = 0; r < store->GetRecordCount(); ++r) {
        for (int m = 0; m < content.macros; ++m) {
            const std::string name = "macro " + std::to_string(m);
            store->SetMacro(r, name, BenchMacroRecord(content.actions));
            store->SetMacroAssignments(r, name, {{uint8_t(m % 4), uint16_t(m + 1)}});
        }
    }
    return store->SaveProfile() ? store : nullptr;
}

const Register kr720({"kr720",
                      {0},
                      true,
                      kKR720Records,
                      BuildKR720,
                      [](void* s) { return static_cast<KR720ProfileCfgImpl*>(s)->SaveProfile(); },
                      [](const StoreHost& host) { return std::make_shared<KR720ProfileCfgImpl>(host); }});

}  // namespace
}  // namespace prefbook::bench
