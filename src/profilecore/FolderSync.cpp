#include "profilecore/FolderSync.h"

#include <QFileInfo>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace prefbook {

void SyncFolderOf(const QString& path) {
#ifndef _WIN32
    const int fd =
        ::open(QFileInfo(path).absolutePath().toStdString().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
#else
    (void)path;
#endif
}

}  // namespace prefbook
