#pragma once

#include "PrefbookExport.h"
#include "devices/keyboards/BXRecords.h"

// Profile store of the BX310V2 keyboard (device type 5): five lit profiles with key mapping and
// macros, persisted as a "bx310V2" document. Every call works on memory; SaveProfile persists.
class PREFBOOK_EXPORT IBX310V2ProfileCfg {
public:
    // The process-wide store, loaded on first use (thread-safe).
    static IBX310V2ProfileCfg& Instance();

    PREFBOOK_BX_OPERATIONS

protected:
    IBX310V2ProfileCfg() = default;
    ~IBX310V2ProfileCfg() = default;
};
