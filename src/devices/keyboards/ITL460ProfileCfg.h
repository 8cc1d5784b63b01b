#pragma once

#include "PrefbookExport.h"
#include "devices/keyboards/TLRecords.h"

// Profile store of the TL460 keyboards (device types 3 and 4): five profiles with lighting
// colours and macros, persisted as a "tl460" document.
class PREFBOOK_EXPORT ITL460ProfileCfg {
public:
    // The process-wide store, loaded on first use (thread-safe).
    static ITL460ProfileCfg& Instance();

    PREFBOOK_TL_OPERATIONS

protected:
    ITL460ProfileCfg() = default;
    ~ITL460ProfileCfg() = default;
};
