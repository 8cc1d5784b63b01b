#include "SystemReason.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstring>

namespace prefbookctl {

namespace {

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

// The first of the path's ancestors that exists must be a folder we may write to.
QString AncestorBlocker(const QString& path) {
    QString parent = QFileInfo(path).absolutePath();
    struct stat st {};
    while (::stat(Native(parent).constData(), &st) != 0) {
        if (errno != ENOENT) return ErrorText(errno);
        const QString up = QFileInfo(parent).absolutePath();
        if (up == parent) return ErrorText(ENOENT);
        parent = up;
    }
    if (!S_ISDIR(st.st_mode)) return ErrorText(ENOTDIR);
    if (parent != QFileInfo(path).absolutePath()) return ErrorText(ENOENT);
    if (::access(Native(parent).constData(), W_OK) != 0) return ErrorText(errno);
    return {};
}

}  // namespace

QString ErrorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString WriteBlocker(const QString& path) {
    const QFileInfo info(path);
    if (Native(info.fileName()).size() > NAME_MAX) return ErrorText(ENAMETOOLONG);
    if (Native(info.absoluteFilePath()).size() >= PATH_MAX) return ErrorText(ENAMETOOLONG);
    const QString ancestor = AncestorBlocker(path);
    if (!ancestor.isEmpty()) return ancestor;
    struct stat st {};
    if (::stat(Native(path).constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return ErrorText(EISDIR);
        if (::access(Native(path).constData(), W_OK) != 0) return ErrorText(errno);
    }
    struct statvfs fs {};
    if (::statvfs(Native(info.absolutePath()).constData(), &fs) == 0 && fs.f_bavail == 0)
        return ErrorText(ENOSPC);
    return {};
}

QString ListBlocker(const QString& folder) {
    DIR* dir = ::opendir(Native(folder).constData());
    if (dir) {
        ::closedir(dir);
        return {};
    }
    return errno == ENOENT ? QString() : ErrorText(errno);
}

QString ReadBlocker(const QString& path) {
    // Non-blocking, so that a FIFO put in the file's place cannot stop the tool.
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return {};
    }
    return errno == ENOENT ? QString() : ErrorText(errno);
}

QString FolderBlocker(const QString& path) {
    struct stat st {};
    if (::stat(Native(path).constData(), &st) != 0) return ErrorText(errno);
    if (!S_ISDIR(st.st_mode)) return ErrorText(ENOTDIR);
    return {};
}

}  // namespace prefbookctl
