#pragma once

#include "PrefbookExport.h"
#include "devices/keyboards/BXRecords.h"

// Profile store of the BX330V2 keyboard (device type 6): five lit profiles with key mapping and
// macros, persisted as a "bx330V2" document. Every call works on memory; SaveProfile persists.
class PREFBOOK_EXPORT IBX330V2ProfileCfg {
public:
    // The process-wide store, loaded on first use (thread-safe).
    static IBX330V2ProfileCfg& Instance();

    PREFBOOK_BX_OPERATIONS

protected:
    IBX330V2ProfileCfg() = default;
    ~IBX330V2ProfileCfg() = default;
};
