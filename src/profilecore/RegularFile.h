#pragma once

#include <QFile>
#include <QString>

namespace prefbook {

// Opens path for reading when it names a regular file (a link to one included). A FIFO, a device or a
// folder is refused before anything reads from it, so a load never waits on one: the open itself does
// not block (O_NONBLOCK) and the type is checked on the opened file, not on the name, so nothing can
// swap the file in between. Returns the reason on failure ("not a regular file" or the system's
// text), empty on success; file is then open with the given mode added to ReadOnly.
QString OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode = QIODevice::NotOpen);

}  // namespace prefbook
