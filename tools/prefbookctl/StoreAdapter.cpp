#include "StoreAdapter.h"

#include <algorithm>
#include <map>

#include "Commands.h"

namespace prefbookctl {

namespace {
// Function-local so that registrations from other files' static initialisers find it built.
std::vector<std::unique_ptr<StoreAdapter>>& Registry() {
    static std::vector<std::unique_ptr<StoreAdapter>> adapters;
    return adapters;
}

std::map<const StoreAdapter*, AdapterFactory>& Factories() {
    static std::map<const StoreAdapter*, AdapterFactory> factories;
    return factories;
}

QString FirstName(const StoreAdapter& adapter) {
    return adapter.Names().value(0);
}
}  // namespace

bool StoreAdapter::Rename(int, const std::string&, QString*) {
    throw UsageError{FirstName(*this) + " profiles have no names"};
}

bool StoreAdapter::Save(QString*) {
    throw UsageError{FirstName(*this) + " cannot be saved by prefbookctl"};
}

bool StoreAdapter::Export(const Transfer&, QString*) {
    throw UsageError{FirstName(*this) + " has no export operation"};
}

bool StoreAdapter::Import(const Transfer&, QString*, QString*) {
    throw UsageError{FirstName(*this) + " has no import operation"};
}

const std::vector<std::unique_ptr<StoreAdapter>>& Adapters() {
    // Registration order follows the link order of the adapter files; device-type order does not.
    static const bool sorted = [] {
        std::stable_sort(Registry().begin(), Registry().end(),
                         [](const auto& a, const auto& b) { return a->DeviceType() < b->DeviceType(); });
        return true;
    }();
    static_cast<void>(sorted);
    return Registry();
}

StoreAdapter* FindAdapter(const QString& name) {
    for (const auto& adapter : Registry()) {
        if (adapter->Names().contains(name, Qt::CaseInsensitive)) return adapter.get();
    }
    return nullptr;
}

std::unique_ptr<StoreAdapter> NewAdapter(const StoreAdapter& like) {
    const auto found = Factories().find(&like);
    return found != Factories().end() && found->second ? found->second() : nullptr;
}

bool RegisterAdapter(std::unique_ptr<StoreAdapter> adapter, AdapterFactory factory) {
    Factories()[adapter.get()] = std::move(factory);
    Registry().push_back(std::move(adapter));
    return true;
}

}  // namespace prefbookctl
