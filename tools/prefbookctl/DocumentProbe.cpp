#include "DocumentProbe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <cerrno>

#include "SystemReason.h"

namespace prefbookctl {

QString DocumentProbe::ErrorText() const {
    return "line " + QString::number(errorLine) + ", column " + QString::number(errorColumn) + ": " + error;
}

DocumentProbe ProbeDocument(const QString& path) {
    DocumentProbe probe;
    probe.path = path;
    const QFileInfo info(path);
    probe.suffix = info.suffix();
    probe.size = info.size();

    // Only a regular file is read: a FIFO or device would block the tool or never end. Opened without
    // blocking and checked on the descriptor, so nothing can be swapped in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd < 0) {
        probe.openError = ErrorText(errno);
        return probe;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        probe.openError = QStringLiteral("not a regular file");
        return probe;
    }
    // Read as the stores read their documents (text mode), so positions match theirs.
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Text, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        probe.openError = file.errorString();
        return probe;
    }
    probe.opened = true;

    QXmlStreamReader r(&file);
    int depth = 0;
    // A failed read of the file ends the walk as an error does; the end it waits for never comes.
    while (!r.atEnd() && !r.hasError()) {
        const QXmlStreamReader::TokenType token = r.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (depth == 0 && probe.root.isEmpty()) {
                probe.root = r.name().toString();
                probe.hasFlag = r.attributes().hasAttribute(QLatin1String("flag"));
                probe.flagText = r.attributes().value(QLatin1String("flag")).toString();
            } else if (depth == 1 && probe.firstChild.isEmpty()) {
                probe.firstChild = r.name().toString();
            }
            ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    if (r.hasError()) {
        probe.error = r.errorString();
        probe.errorLine = r.lineNumber();
        probe.errorColumn = r.columnNumber() + 1;  // the reader counts columns from 0
    }
    return probe;
}

}  // namespace prefbookctl
