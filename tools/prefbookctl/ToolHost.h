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

// Notes the newest document of every profile folder; call before a command builds its first store.
// Until this run's own save, a save that finds another newest document (another program or tool run
// saved meanwhile) is refused under the library's folder lock, so it never buries that save.
void NoteNewestDocuments();
// Why the last save was refused that way, once; empty when it was not.
QString TakeSaveConflict();
// The path of the document this run's last save wrote; empty before one.
QString LastSavedDocument();

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
