#include <cstring>

#include "BenchSupport.h"
#include "devices/keyboards/BXProfileStore.h"

namespace prefbook::bench {
namespace {

// The benchmarks' macro in the long layout these keyboards exchange.
MacroRecordLong LongRecord(int actions) {
    const MacroRecord shortRecord = BenchMacroRecord(actions);
    MacroRecordLong record{};
    std::memcpy(record.name, shortRecord.name, sizeof(record.name));
    record.mode = shortRecord.mode;
    record.actionCount = shortRecord.actionCount;
    std::memcpy(record.actions, shortRecord.actions, sizeof(record.actions));
    return record;
}

// Every profile gets the given number of macros, each with that many actions and two assignments.
template <class Store>
std::shared_ptr<void> BuildBX(const StoreHost& host, Content content) {
    auto store = std::make_shared<Store>(host);
    for (uint32_t p = 0; p < store->GetRecordCount(); ++p) {
        for (int m = 0; m < content.macros; ++m) {
            const std::string name = "macro " + std::to_string(m);
            store->SetMacro(p, name, LongRecord(content.actions));
            store->SetMacroAssignments(p, name, {{1, uint16_t(m)}, {2, uint16_t(m + 300)}});
        }
    }
    return store->SaveProfile() ? store : nullptr;
}

template <class Store>
StoreCase BXCase(const char* name, int type) {
    return {name,
            {type},
            true,
            kBXRecords,
            BuildBX<Store>,
            [](void* s) { return static_cast<Store*>(s)->SaveProfile(); },
            [](const StoreHost& host) { return std::make_shared<Store>(host); }};
}

const Register bx310v2(BXCase<BX310V2ProfileCfgImpl>("bx310v2", 5));
const Register bx330v2(BXCase<BX330V2ProfileCfgImpl>("bx330v2", 6));

}  // namespace
}  // namespace prefbook::bench
