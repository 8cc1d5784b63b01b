#include "profilecore/ProfileFolder.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace prefbook {
namespace {

const QString kStampFormat = QStringLiteral("yyyy-MM-dd hh-mm-ss");

enum class RenameResult { Done, TargetExists, Failed };

#ifdef _WIN32
std::wstring Wide(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

void SyncFile(const QString& path) {
    HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    FlushFileBuffers(h);
    CloseHandle(h);
}

void SyncDir(const QString&) {}  // NTFS journals the rename itself

RenameResult RenameNoReplace(const QString& from, const QString& to) {
    if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH)) return RenameResult::Done;
    const DWORD err = GetLastError();
    return err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS ? RenameResult::TargetExists
                                                                   : RenameResult::Failed;
}
#else
void SyncPath(const QString& path, int flags) {
    const int fd = ::open(path.toStdString().c_str(), flags | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void SyncFile(const QString& path) {
    SyncPath(path, O_RDONLY);
}
void SyncDir(const QString& dir) {
    SyncPath(dir, O_RDONLY | O_DIRECTORY);
}

RenameResult RenameNoReplace(const QString& from, const QString& to) {
    const std::string src = from.toStdString();
    const std::string dst = to.toStdString();
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE) == 0)
        return RenameResult::Done;
    if (errno == EEXIST) return RenameResult::TargetExists;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return RenameResult::Failed;
#endif
    // File systems without renameat2: link fails rather than replace an existing name.
    if (::link(src.c_str(), dst.c_str()) != 0) {
        return errno == EEXIST ? RenameResult::TargetExists : RenameResult::Failed;
    }
    ::unlink(src.c_str());
    return RenameResult::Done;
}
#endif

bool IsDocumentSuffix(const QString& suffix) {
    return suffix == QLatin1String("xml") || suffix == QLatin1String("bin");
}

bool CreateTmpAt(const StoreHost& host, const QString& dir, const std::function<QDateTime()>& when,
                 QString& tmpPath) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        tmpPath = dir + DocumentStamp(when()) + ".tmp";
        if (FILE* file = std::fopen(tmpPath.toStdString().c_str(), "w+")) {
            std::fclose(file);
            return true;
        }
        host.Log(QStringLiteral("Create XML File Failed."));
    }
    return false;
}

// The name time of the next document: now, or one second after the newest document of the suffix
// when that one is not older than now, so that no save ever aims at an existing name.
QDateTime NextDocumentTime(const StoreHost& host, const QString& dir, const QString& suffix) {
    QDateTime time = host.clock->Now();
    time = time.addMSecs(-time.time().msec());
    // Stamps sort as text in time order, so only names not older than now need parsing; a plain
    // listing with a suffix test keeps this cheap for every save.
    const QString now = DocumentStamp(time);
    const QString ending = QLatin1Char('.') + suffix;
    for (const QString& name : QDir(dir).entryList(QDir::Files)) {
        if (name.size() != now.size() + ending.size() || !name.endsWith(ending)) continue;
        const QStringRef stamp = name.leftRef(now.size());
        if (stamp < QStringRef(&now)) continue;
        const QDateTime named = QDateTime::fromString(stamp.toString(), kStampFormat);
        if (named.isValid() && named >= time) time = named.addSecs(1);
    }
    return time;
}

}  // namespace

QString DocumentStamp(const QDateTime& time) {
    return time.toString(kStampFormat);
}

bool CreateTmpProfileFile(const StoreHost& host, const QString& dir, QString& tmpPath) {
    return CreateTmpAt(
        host, dir, [&] { return host.clock->Now(); }, tmpPath);
}

QFileInfoList ListProfileFolder(const QString& dir) {
    QFileInfoList files = QDir(dir).entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    std::stable_sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const qint64 ta = a.lastModified().toMSecsSinceEpoch();
        const qint64 tb = b.lastModified().toMSecsSinceEpoch();
        if (ta != tb) return ta > tb;
        return a.fileName() > b.fileName();
    });
    return files;
}

void DeleteEarlierProfileFiles(const StoreHost& host, const QString& dir) {
    if (!QDir(dir).exists()) {
        host.Log("Delete XML Earlier File Failed : " + dir + "not exists.");
        return;
    }
    int documents = 0;
    for (const QFileInfo& file : ListProfileFolder(dir)) {
        if (!IsDocumentSuffix(file.suffix()) || ++documents > 2) {
            std::remove(file.absoluteFilePath().toStdString().c_str());
        }
    }
}

bool SaveProfileDocument(const StoreHost& host, const QString& dir, const QString& suffix,
                         const DocumentWriter& write) {
    const auto nextTime = [&] { return NextDocumentTime(host, dir, suffix); };
    QString tmp;
    if (!CreateTmpAt(host, dir, nextTime, tmp)) return false;
    for (int attempt = 1;; ++attempt) {
        if (write(tmp)) {
            const QString document = tmp.left(tmp.size() - 3) + suffix;
            SyncFile(tmp);
            if (RenameNoReplace(tmp, document) == RenameResult::Done) {
                SyncDir(dir);
                DeleteEarlierProfileFiles(host, dir);
                return true;
            }
        }
        if (attempt >= kMaxSaveAttempts) {
            host.Log(QStringLiteral("Save Profile Failed after %1 attempts : ").arg(kMaxSaveAttempts) + dir);
            return false;
        }
        if (!CreateTmpAt(host, dir, nextTime, tmp)) return false;
    }
}

LoadOutcome LoadNewestDocument(const QString& dir, const QString& suffix, const DocumentReader& read,
                               const Acceptance& accept, const FileObserver& observe) {
    LoadOutcome outcome;
    bool ok = false;
    QString lastRead;
    for (const QFileInfo& file : ListProfileFolder(dir)) {
        if (file.suffix() != suffix) {
            ok = false;
            if (observe) observe(file, FileVerdict::WrongSuffix);
            continue;
        }
        const QString path = dir + file.fileName();
        ok = read(path);
        if (ok && accept()) {
            if (observe) observe(file, FileVerdict::Loaded);
            outcome.keep = outcome.accepted = true;
            outcome.path = path;
            return outcome;
        }
        if (observe) observe(file, ok ? FileVerdict::NotAccepted : FileVerdict::ReadFailed);
        lastRead = path;
    }
    outcome.keep = ok;
    if (ok) outcome.path = lastRead;
    return outcome;
}

}  // namespace prefbook
