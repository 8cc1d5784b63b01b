#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DocumentProbe.h"
#include "FolderDoctor.h"
#include "Output.h"

// How prefbookctl sees one device store.
//
// To add a store, write tools/prefbookctl/adapters/<Model>Adapter.cpp (picked up by the build) with a
// class derived from StoreAdapter and one line at namespace scope:
//
//     PREFBOOKCTL_REGISTER_ADAPTER(TL480Adapter);
//
// The adapter builds the store's implementation class itself, with ToolHost() so that what the store
// logs is captured, and only when first asked (a store loads its folder in its constructor); a
// LazyStore (AdapterKit.h) member does both:
//
//     LazyStore<prefbook::TL480ProfileCfgImpl> store_;
//     prefbook::TL480ProfileCfgImpl& Store() { return store_.Get(); }
//
// Show() returns the profiles as a Table, which prints as text or JSON by itself; it shows only what
// the store saves, since commands that save compare it with a store built afresh over the folder,
// and diff compares it between two documents. Acceptance checks ask the store's own rule (a static
// Accepts of its class). The store belongs to this adapter alone: restore and diff build a second
// adapter of the class to read one document. Everything a store does not support keeps the default
// below.
namespace prefbookctl {

struct StoreSummary {
    QString model;       // "TL480"
    QString profileDir;  // the folder the store loads from
    QString document;    // file name of the document the store loaded, or "defaults"
    int profileCount = 0;
};

// One export or import at the command line.
struct Transfer {
    QString kind;      // one of TransferKinds(); the first when not given
    int profile = -1;  // --profile, -1 when not given
    int aimMode = -1;  // --aim-mode, -1 when not given
    QString path;      // the user's file, absolute
};

// What validate finds out about a file with a store's reader.
struct Validation {
    QString model;  // "KR720"
    QString kind;   // "store document", "record export", ...
    int profiles = 0;
    QString unit = QStringLiteral("profiles");  // what profiles counts
    bool read = false;                          // the model's reader took it without error
    bool storeAccepts = false;
    QString storeLoad;  // how a store's load treats it, in words
    QString import;     // the command that imports it, empty when none does
    QStringList problems;

    bool Valid() const { return read && (storeAccepts || !import.isEmpty()); }
};

class StoreAdapter {
public:
    virtual ~StoreAdapter() = default;

    virtual QStringList Names() const = 0;  // lower-case command names, e.g. {"tl480", "tl480b", "tl480w"}
    virtual int DeviceType() const = 0;     // the type whose profile folder the store uses
    virtual StoreSummary Summary() = 0;
    virtual Table Show() = 0;

    // Whether profiles have names that Rename changes.
    virtual bool HasProfileNames() const { return false; }
    // Renames profile index (0 .. profileCount-1, checked by the caller) and saves the store.
    // False with *error set when the save fails.
    virtual bool Rename(int index, const std::string& name, QString* error);

    // Saves the store as it stands (restore loads an older document into a fresh adapter and saves
    // it). False with *error set, the store's log lines included, when the save fails.
    virtual bool Save(QString* error);

    // Export and import through the store's own operations; the first kind is the default. Import
    // saves the store when the store took the file, and leaves the folder alone when it did not.
    // Both throw UsageError for options the kind does not take, and return false with *error set
    // (the store's log lines included) on failure. *document receives the saved document's name.
    virtual QStringList TransferKinds() const { return {}; }
    virtual QString TransferHelp() const { return {}; }  // one line per kind, for --help
    virtual bool Export(const Transfer& transfer, QString* error);
    virtual bool Import(const Transfer& transfer, QString* document, QString* error);

    // The store's profile folders as its load sees them.
    virtual QVector<FolderReport> Doctor() = 0;

    // Claims the file when it is this store's (by root element, or by form for a binary store) and
    // reads it with the store's reader. False when the file is not this store's.
    virtual bool Validate(const DocumentProbe& probe, Validation* result) = 0;
};

// Every registered adapter, in registration order.
const std::vector<std::unique_ptr<StoreAdapter>>& Adapters();
// The adapter answering to a name (any letter case), or nullptr.
StoreAdapter* FindAdapter(const QString& name);
// A new adapter of the same class, with a store of its own that has not loaded yet; nullptr for an
// adapter registered without a factory.
std::unique_ptr<StoreAdapter> NewAdapter(const StoreAdapter& like);

using AdapterFactory = std::function<std::unique_ptr<StoreAdapter>()>;
// Used by PREFBOOKCTL_REGISTER_ADAPTER during static initialisation.
bool RegisterAdapter(std::unique_ptr<StoreAdapter> adapter, AdapterFactory factory = {});

}  // namespace prefbookctl

#define PREFBOOKCTL_REGISTER_ADAPTER(Class)                                                      \
    namespace {                                                                                  \
    [[maybe_unused]] const bool registered##Class = ::prefbookctl::RegisterAdapter(              \
        std::make_unique<Class>(),                                                               \
        [] { return std::unique_ptr<::prefbookctl::StoreAdapter>(std::make_unique<Class>()); }); \
    }
