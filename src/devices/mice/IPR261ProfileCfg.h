#pragma once

#include "PrefbookExport.h"
#include "devices/mice/PR26xRecords.h"

// Profile store of the PR261 mouse (device type 9): the PR260's profiles with a lighting block,
// persisted as a "pr261" document.
class PREFBOOK_EXPORT IPR261ProfileCfg {
public:
    // The process-wide store, loaded on first use (thread-safe).
    static IPR261ProfileCfg& Instance();

    PREFBOOK_BUTTON_MOUSE_HEAD_OPERATIONS(PR261Profile)
    PREFBOOK_PR261_LIGHTING_OPERATIONS
    PREFBOOK_PR26X_TAIL_OPERATIONS

protected:
    IPR261ProfileCfg() = default;
    ~IPR261ProfileCfg() = default;
};
