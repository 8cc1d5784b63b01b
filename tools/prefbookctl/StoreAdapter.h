#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "Output.h"

// How prefbookctl sees one device store.
//
// To add a store, write tools/prefbookctl/adapters/<Model>Adapter.cpp (picked up by the build) with a
// class derived from StoreAdapter and one line at namespace scope:
//
//     PREFBOOKCTL_REGISTER_ADAPTER(TL480Adapter);
//
// The adapter builds the store's implementation class itself, with prefbook::StoreHost::Process(),
// and only when first asked (a store loads its folder in its constructor), e.g.
//
//     prefbook::TLProfileStore& Store() {
//         if (!store_) store_ = std::make_unique<prefbook::TLProfileStore>(prefbook::StoreHost::Process());
//         return *store_;
//     }
//
// Show() returns the profiles as a Table, which prints as text or JSON by itself.
namespace prefbookctl {

struct StoreSummary {
    QString model;       // "TL480"
    QString profileDir;  // from the habitat
    QString document;    // file name of the document the store loaded, or "defaults"
    int profileCount = 0;
};

class StoreAdapter {
public:
    virtual ~StoreAdapter() = default;

    virtual QStringList Names() const = 0;  // lower-case command names, e.g. {"tl480", "tl480b", "tl480w"}
    virtual int DeviceType() const = 0;     // the type whose profile folder the store uses
    virtual StoreSummary Summary() = 0;
    virtual Table Show() = 0;
    // Renames profile index (0 .. profileCount-1, checked by the caller) and saves the store.
    // False with *error set when the save fails.
    virtual bool Rename(int index, const std::string& name, QString* error) = 0;
};

// Every registered adapter, in registration order.
const std::vector<std::unique_ptr<StoreAdapter>>& Adapters();
// The adapter answering to a name (any letter case), or nullptr.
StoreAdapter* FindAdapter(const QString& name);
// Used by PREFBOOKCTL_REGISTER_ADAPTER during static initialisation.
bool RegisterAdapter(std::unique_ptr<StoreAdapter> adapter);

}  // namespace prefbookctl

#define PREFBOOKCTL_REGISTER_ADAPTER(Class)                        \
    namespace {                                                    \
    [[maybe_unused]] const bool registered##Class =                \
        ::prefbookctl::RegisterAdapter(std::make_unique<Class>()); \
    }
