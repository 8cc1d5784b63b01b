#include "DocumentProbe.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

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

    // Opened as the stores open their documents (read-only, text), so positions match theirs.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return probe;
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
