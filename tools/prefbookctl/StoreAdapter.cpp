#include "StoreAdapter.h"

namespace prefbookctl {

namespace {
// Function-local so that registrations from other files' static initialisers find it built.
std::vector<std::unique_ptr<StoreAdapter>>& Registry() {
    static std::vector<std::unique_ptr<StoreAdapter>> adapters;
    return adapters;
}
}  // namespace

const std::vector<std::unique_ptr<StoreAdapter>>& Adapters() {
    return Registry();
}

StoreAdapter* FindAdapter(const QString& name) {
    for (const auto& adapter : Registry()) {
        if (adapter->Names().contains(name, Qt::CaseInsensitive)) return adapter.get();
    }
    return nullptr;
}

bool RegisterAdapter(std::unique_ptr<StoreAdapter> adapter) {
    Registry().push_back(std::move(adapter));
    return true;
}

}  // namespace prefbookctl
