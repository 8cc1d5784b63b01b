#pragma once

#include <QString>
#include <QStringList>

#include "profilecore/StoreHost.h"

namespace prefbookctl {

// The services the tool builds its stores and readers with: its own habitat, the process clock, and
// a log that keeps the lines in memory instead of appending them to the suite's log file. The tool's
// own reads and refused imports are then reported to its user, and never show up in the log that
// support staff read to find out what the suite did.
prefbook::StoreHost ToolHost();

// Lines logged through ToolHost() since the last TakeLog(), detail lines prefixed "detail: ".
QStringList TakeLog();

// Puts the tool's habitat in place of the library's default one; call before any library call. It
// answers with the same folders, but creates none until AllowFolderCreation(), so that looking at a
// base folder never changes it.
void InstallToolHabitat();
void AllowFolderCreation();
// Points the profile folder of one device type elsewhere (empty: back to its own), so that a store
// can be built over a single document.
void RedirectProfileDir(int deviceType, const QString& dir);
// The profile folder of a device type, ending with a separator; created only when allowed.
QString ProfileDir(int deviceType);

}  // namespace prefbookctl
