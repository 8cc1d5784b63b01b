#pragma once

#include "profilecore/ProfileFolder.h"

namespace prefbook {

// The crash-safe save of SaveProfileDocument that also tells where it wrote: on success `document`
// is the path of the new document. The stores that rewrite their current document in place (merges)
// work on it from then on, so that a rewrite never makes the document the save replaced current again.
inline bool SaveProfileDocument(const StoreHost& host, const QString& dir, const QString& suffix,
                                const DocumentWriter& write, QString& document) {
    QString tmp;
    const bool saved = SaveProfileDocument(host, dir, suffix, [&](const QString& path) {
        tmp = path;
        return write(path);
    });
    // The temporary "<stamp>.tmp" is renamed to "<stamp>.<suffix>".
    if (saved) document = tmp.left(tmp.size() - 3) + suffix;
    return saved;
}

}  // namespace prefbook
