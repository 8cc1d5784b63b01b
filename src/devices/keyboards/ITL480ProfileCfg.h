#pragma once

#include "PrefbookExport.h"
#include "devices/keyboards/TLRecords.h"

// Profile store of the TL480 keyboards (device types 1 and 2): five profiles with lighting
// colours and macros, persisted as a "tl480" document.
class PREFBOOK_EXPORT ITL480ProfileCfg {
public:
    // The process-wide store, loaded on first use (thread-safe).
    static ITL480ProfileCfg& Instance();

    PREFBOOK_TL_OPERATIONS

protected:
    ITL480ProfileCfg() = default;
    ~ITL480ProfileCfg() = default;
};
