#pragma once

#include <QDateTime>
#include <QFileInfoList>
#include <QString>
#include <functional>

#include "profilecore/StoreHost.h"

namespace prefbook {

// Creates an empty temporary file "<dir>yyyy-MM-dd hh-mm-ss.tmp" named after the clock; three
// attempts, each failure logged. tmpPath holds the last name tried.
bool CreateTmpProfileFile(const StoreHost& host, const QString& dir, QString& tmpPath);

// Keeps the two newest documents (".xml" or ".bin") of dir and deletes every other file.
void DeleteEarlierProfileFiles(const StoreHost& host, const QString& dir);

// The files of a profile folder, newest first. Equal modification times are ordered by name,
// newest name first, so the order never depends on the file system's listing order.
QFileInfoList ListProfileFolder(const QString& dir);

// "yyyy-MM-dd hh-mm-ss" of a time, the name of the document saved then.
QString DocumentStamp(const QDateTime& time);

// Writes a complete document into the temporary file at the given path.
using DocumentWriter = std::function<bool(const QString& tmpPath)>;

// A writer that keeps failing is given this many tries, then the save reports false.
constexpr int kMaxSaveAttempts = 5;

// The crash-safe save: a temporary file is written, flushed to disk and renamed to
// "<stamp>.<suffix>" without ever replacing an existing document, then the folder is pruned.
// A save within the second of the newest document takes the next free second, so a burst of
// saves gives distinct, ordered documents.
bool SaveProfileDocument(const StoreHost& host, const QString& dir, const QString& suffix,
                         const DocumentWriter& write);

// What the load walk did with one file of the folder, for the tool that explains it.
enum class FileVerdict { Loaded, WrongSuffix, ReadFailed, NotAccepted };
using FileObserver = std::function<void(const QFileInfo& file, FileVerdict verdict)>;

struct LoadOutcome {
    bool keep = false;      // false: the store builds its defaults
    bool accepted = false;  // the document met the store's acceptance rule
    QString path;           // the document kept, when keep
};

// Reads a document into the store's members; empties them first.
using DocumentReader = std::function<bool(const QString& path)>;
// The store's rule for a document it has just read, such as "holds five profiles".
using Acceptance = std::function<bool()>;

// The newest-first load walk: stops at the first document of the suffix that reads and is accepted.
// A walk that ends on a document that read without error keeps it even when not accepted.
LoadOutcome LoadNewestDocument(const QString& dir, const QString& suffix, const DocumentReader& read,
                               const Acceptance& accept, const FileObserver& observe = {});

}  // namespace prefbook
