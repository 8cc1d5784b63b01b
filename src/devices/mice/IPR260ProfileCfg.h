#pragma once

#include "PrefbookExport.h"
#include "devices/mice/PR26xRecords.h"

// Profile store of the PR260 mouse (device type 8): five profiles with button mapping, bound macros,
// seven DPI steps, sensor settings, surfaces and named macros, persisted as a "pr260" document.
class PREFBOOK_EXPORT IPR260ProfileCfg {
public:
    // The process-wide store, loaded on first use (thread-safe).
    static IPR260ProfileCfg& Instance();

    PREFBOOK_BUTTON_MOUSE_HEAD_OPERATIONS(PR260Profile)
    PREFBOOK_PR26X_TAIL_OPERATIONS

protected:
    IPR260ProfileCfg() = default;
    ~IPR260ProfileCfg() = default;
};
