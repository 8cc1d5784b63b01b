#include "profilecore/RegularFile.h"

#include <QFileInfo>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace prefbook {

namespace {
const QString kNotRegular = QStringLiteral("not a regular file");
}

#ifdef _WIN32
QString OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode) {
    file.setFileName(path);
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile()) return kNotRegular;
    if (!file.open(QIODevice::ReadOnly | mode)) return file.errorString();
    return QString();
}
#else
QString OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode) {
    file.setFileName(path);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return qt_error_string(errno);  // the text QFile gives
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return kNotRegular;
    }
    if (!file.open(fd, QIODevice::ReadOnly | mode, QFileDevice::AutoCloseHandle)) {
        const QString error = file.errorString();
        ::close(fd);
        return error;
    }
    return QString();
}
#endif

}  // namespace prefbook
