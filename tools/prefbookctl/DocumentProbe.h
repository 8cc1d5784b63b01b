#pragma once

#include <QString>

namespace prefbookctl {

// What a file looks like from the outside: enough to tell which store's reader to hand it to, and
// where the XML first breaks. It reads no store content; the stores' own readers do that.
struct DocumentProbe {
    QString path;
    QString suffix;  // "xml", "bin", ...
    qint64 size = 0;
    bool opened = false;
    QString openError;  // why it was not opened: the system's reason, or "not a regular file"
    QString root;       // name of the root element; empty when none was reached
    bool hasFlag = false;
    QString flagText;    // the root's "flag" attribute as written
    QString firstChild;  // name of the root's first child element
    // The first well-formedness error, with its position (1-based line and column).
    QString error;
    qint64 errorLine = 0;
    qint64 errorColumn = 0;

    bool IsXmlError() const { return !error.isEmpty(); }
    // "line 3, column 7: Opening and ending tag mismatch."
    QString ErrorText() const;
};

DocumentProbe ProbeDocument(const QString& path);

}  // namespace prefbookctl
