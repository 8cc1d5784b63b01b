#pragma once

#include <QString>

namespace prefbook {

// Flushes the folder holding path, so that a rename into it survives a power cut. Nothing to do on
// Windows, where NTFS journals the rename itself.
void SyncFolderOf(const QString& path);

}  // namespace prefbook
