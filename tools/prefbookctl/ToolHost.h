#pragma once

#include <QString>
#include <QStringList>

#include "profilecore/StoreHost.h"

namespace prefbookctl {

// The services the tool builds its stores and readers with: the process habitat and clock, and a log
// that keeps the lines in memory instead of appending them to the suite's log file. The tool's own
// reads and refused imports are then reported to its user, and never show up in the log that
// support staff read to find out what the suite did.
prefbook::StoreHost ToolHost();

// Lines logged through ToolHost() since the last TakeLog(), detail lines prefixed "detail: ".
QStringList TakeLog();

}  // namespace prefbookctl
