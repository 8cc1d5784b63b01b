#pragma once

#include <QString>

#include "devices/mousepads/FT610Record.h"
#include "profilecore/StoreHost.h"

namespace prefbook {

// The FT610 document is the record's 150 bytes, nothing else (the store saves them as they are).
// Zeroes the record, then reads up to 150 bytes; a short file leaves the rest zero. False only when
// the file cannot be opened or is no regular file (logged "Open " + path + " Failed : " when a host
// is given).
bool ReadFT610Document(const QString& path, FT610Record& record, const StoreHost* host = nullptr);

}  // namespace prefbook
