#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

#include "profilecore/ProfileFolder.h"

namespace prefbookctl {

// One file of a profile folder as the store's load treats it.
struct FileReport {
    QString file;  // name inside the folder
    QDateTime modified;
    QString verdict;   // "loaded", "kept", "skipped", "not reached", "ignored"
    QString reason;    // why, for anything but "loaded"
    QString nextSave;  // "kept" or "deleted": what the rotation of the next save does with it; empty where no
                       // rotation applies
    QStringList messages;  // what the store's reader logged while reading it
};

// One profile folder of a store.
struct FolderReport {
    QString model;
    QString folder;
    QString document;           // file name of the document the store ends up with, or "defaults"
    QVector<FileReport> files;  // newest first
    QStringList warnings;

    QJsonObject ToJson() const;
    // More than kListAllUpTo files print as the documents and a line per kind of other file, unless
    // all is set.
    QString ToText(bool all = false) const;
    static constexpr int kListAllUpTo = 20;
};

// How a rotating store loads: its document suffix, its reader and acceptance rule (the store's own,
// over state the caller owns), and what it makes of the walk's outcome.
struct LoadRules {
    QString suffix = QStringLiteral("xml");
    // Reads one document; may add notes (such as a short binary record) to the file's messages.
    std::function<bool(const QString& path, QStringList& notes)> read;
    std::function<bool()> accept;
    // Why the document just read was not accepted, e.g. "holds 4 profiles, the store expects 5".
    std::function<QString()> rejection;
    // Whether the store keeps the walk's document (else it builds its defaults); the plain rule of the
    // walk when empty.
    std::function<bool(const prefbook::LoadOutcome&)> keeps;
};

// Walks the folder with LoadNewestDocument exactly as the store does and reports every file.
// storeDocument is what the store itself loaded (file name or "defaults"); a difference from the
// walk's result becomes a warning, since it means this report does not describe the store.
FolderReport WalkProfileFolder(const QString& model, const QString& folder, const LoadRules& rules,
                               const QString& storeDocument);

// Why a document did not read: "parse error at line 3, column 7: ..." when the XML is malformed,
// else the first line the reader logged.
QString ReadFailure(const QString& path, const QStringList& messages);

// File name of a path, or "defaults" for an empty one.
QString DocumentName(const QString& path);

}  // namespace prefbookctl
