#pragma once

#include <QString>

#include "devices/mousepads/FT610Record.h"

namespace prefbook {

// The FT610 document is the record's 150 bytes, nothing else.
bool WriteFT610Document(const QString& path, const FT610Record& record);
// Zeroes the record, then reads up to 150 bytes; a short file leaves the rest zero. False only when
// the file cannot be opened.
bool ReadFT610Document(const QString& path, FT610Record& record);

}  // namespace prefbook
