#pragma once

#include <QString>

namespace prefbookctl {

// The system's text for an error number ("No space left on device").
QString ErrorText(int error);

// Why a file cannot be written at path, in the system's words, or empty when nothing in the way can
// be seen: a name too long, a missing or non-folder parent, a read-only file system, no permission,
// no space left. Used after a write failed, since the library reports only that it failed.
QString WriteBlocker(const QString& path);

// Why an existing folder cannot be listed ("Permission denied"); empty when it can, or is missing.
QString ListBlocker(const QString& folder);
// Why an existing file cannot be read; empty when it can, or is missing.
QString ReadBlocker(const QString& path);

// Why a folder cannot be used, or empty when it is an existing folder.
QString FolderBlocker(const QString& path);

}  // namespace prefbookctl
