#pragma once

#include <QDateTime>
#include <QFileInfoList>
#include <QString>
#include <functional>

#include "profilecore/StoreHost.h"

namespace prefbook {

// Creates an empty temporary file "<dir>yyyy-MM-dd hh-mm-ss.tmp" named after the clock; each failure
// logged, and only a taken name is tried again (three attempts in all). tmpPath holds the last name
// tried. The file is created exclusively and never through a link; a second that already has such a
// file or an ".xml" document is waited out on the clock rather than truncated.
bool CreateTmpProfileFile(const StoreHost& host, const QString& dir, QString& tmpPath);

// Keeps the two newest documents (".xml" or ".bin") of dir and deletes every other file.
void DeleteEarlierProfileFiles(const StoreHost& host, const QString& dir);

// The files of a profile folder, newest first. Equal modification times are ordered by name,
// newest name first, so the order never depends on the file system's listing order.
QFileInfoList ListProfileFolder(const QString& dir);

// "yyyy-MM-dd hh-mm-ss" of a time, the name of the document saved then.
QString DocumentStamp(const QDateTime& time);

enum class RenameResult { Done, TargetExists, Failed };

// What a durable step of a save acts on: the save's folder and the names of its temporary file and
// document in it. The paths are formed only for the steps that ask for them; the system's own steps
// work through the open folder and file.
struct SaveTarget {
    const QString& dir;
    const QByteArray& tmpName;
    const QByteArray& documentName;
    int folderFd = -1;           // POSIX: the folder, open
    int fileFd = -1;             // POSIX: the temporary file, open until it is synced
    void* fileHandle = nullptr;  // Windows: the temporary file, open until it is synced
    QString TmpPath() const;
    QString DocumentPath() const;
};

// The steps that make a written document durable. The real ones by default; a test replaces them
// (StoreHost::steps) to watch their order or to race a save.
class FileSteps {
public:
    virtual ~FileSteps() = default;
    // Flushes the written temporary file to the disk.
    virtual bool SyncFile(const SaveTarget& save) const;
    // Gives the temporary file the document's name, never replacing a file that already has it.
    virtual RenameResult RenameNoReplace(const SaveTarget& save) const;
    // Flushes the folder, so that the rename survives a power cut.
    virtual void SyncFolder(const SaveTarget& save) const;

    static const FileSteps& System();
};

// Writes a complete document into the temporary file at the given path.
using DocumentWriter = std::function<bool(const QString& tmpPath)>;

// A save whose names keep being taken (by other writers, planted files) tries this many, then reports
// false.
constexpr int kMaxSaveAttempts = 5;

// The crash-safe save: a temporary file is created exclusively, written, flushed to disk and renamed
// to "<stamp>.<suffix>" without ever replacing an existing name, then the folder is pruned. Saves of
// one folder take turns across processes. The stamp is the local time of the save; when that second
// already has a document the save waits for the next one. The new document is given the newest
// modification time of the folder, so that it survives the pruning and is what the next load picks.
// Only a taken name is worth another attempt: any other failure (no space, no permission, a read-only
// folder, a writer that fails) ends the save at once with its reason in the log, and a failed save
// removes the temporary file it created. On success `document`, when given, is the new document's
// path: stores that rewrite their current document in place (merges) work on it from then on, so a
// rewrite never makes the document the save replaced current again.
bool SaveProfileDocument(const StoreHost& host, const QString& dir, const QString& suffix,
                         const DocumentWriter& write, QString* document = nullptr);
// The same save for a document of fixed bytes, written through the temporary file itself.
bool SaveProfileRecord(const StoreHost& host, const QString& dir, const QString& suffix,
                       const QByteArray& bytes, QString* document = nullptr);

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
