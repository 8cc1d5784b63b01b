#include "profilecore/ProfileFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <QCryptographicHash>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace prefbook {
namespace {

const QString kStampFormat = QStringLiteral("yyyy-MM-dd hh-mm-ss");

// A stamp already used in this second is waited past at most this often per name chosen; only names
// planted or left in the folder can take more than one.
constexpr int kNameWaits = 2;

// A document given a time after another file's is placed this far after it: file systems that keep
// whole seconds (FAT keeps two) would otherwise store equal times and let the name decide the order.
constexpr qint64 kAfterNewestMs = 2000;

#ifdef _WIN32
std::wstring Wide(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

qint64 FileTimeMs(const FILETIME& t) {
    const qint64 ticks = (static_cast<qint64>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return ticks / 10000 - 11644473600000LL;  // 100 ns ticks since 1601 to ms since 1970
}

qint64 RawModifiedMs(const QString& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return FileTimeMs(data.ftLastWriteTime);
}

// Windows cannot lock a directory handle, and a lock file would be an extra file in the folder: the
// saves of one folder take turns on a mutex named after the folder, shared by the user's processes.
class FolderLock {
public:
    explicit FolderLock(const QString& dir) {
        const QByteArray key = QCryptographicHash::hash(
            QDir::cleanPath(QFileInfo(dir).absoluteFilePath()).toLower().toUtf8(), QCryptographicHash::Sha1);
        const QString name = QStringLiteral("Local\\prefbook-save-") + QString::fromLatin1(key.toHex());
        mutex_ = CreateMutexW(nullptr, FALSE, name.toStdWString().c_str());
        if (!mutex_) return;
        const DWORD waited = WaitForSingleObject(mutex_, INFINITE);
        owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~FolderLock() {
        if (owned_) ReleaseMutex(mutex_);
        if (mutex_) CloseHandle(mutex_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    HANDLE mutex_ = nullptr;
    bool owned_ = false;
};

// The temporary file of a save. CREATE_NEW fails on any existing name, a link included, and the
// reparse-point flag keeps every later open on the name itself.
class TmpFile {
public:
    TmpFile() = default;
    TmpFile(const TmpFile&) = delete;
    TmpFile& operator=(const TmpFile&) = delete;
    ~TmpFile() { Close(); }

    bool Create(const QString& path) {
        Close();
        handle_ = CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) return false;
        path_ = path;
        return Identity(handle_, id_);
    }
    // The name still leads to the file created here: nobody swapped a link or another file in.
    bool StillOurs() const {
        HANDLE h = CreateFileW(Wide(path_).c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        BY_HANDLE_FILE_INFORMATION now;
        const bool same = Identity(h, now) && !(now.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
                          now.dwVolumeSerialNumber == id_.dwVolumeSerialNumber &&
                          now.nFileIndexHigh == id_.nFileIndexHigh && now.nFileIndexLow == id_.nFileIndexLow;
        CloseHandle(h);
        return same;
    }
    qint64 ModifiedMs() const {
        FILETIME written;
        return GetFileTime(handle_, nullptr, nullptr, &written) ? FileTimeMs(written) : 0;
    }
    void SetModifiedMs(qint64 ms) {
        const qint64 ticks = (ms + 11644473600000LL) * 10000;
        FILETIME t{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
        SetFileTime(handle_, nullptr, nullptr, &t);
    }
    void Close() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    static bool Identity(HANDLE h, BY_HANDLE_FILE_INFORMATION& info) {
        return GetFileInformationByHandle(h, &info) != 0;
    }
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    QString path_;
    BY_HANDLE_FILE_INFORMATION id_{};
};

bool NameExists(const QString& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
#else
std::string Narrow(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

qint64 StatMs(const struct stat& st) {
    return static_cast<qint64>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

// An advisory lock on the folder itself: saves of one folder take turns across processes (and across
// stores of one process), and no lock file ever appears among the documents. The kernel drops the
// lock with the descriptor, so a save killed half-way never blocks the next one.
class FolderLock {
public:
    explicit FolderLock(const QString& dir)
        : fd_(::open(Narrow(dir).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) return;  // a missing folder: the save fails at its temporary file
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

// The temporary file of a save, created exclusively: an existing name, a planted link included, makes
// the creation fail instead of being opened or followed.
class TmpFile {
public:
    TmpFile() = default;
    TmpFile(const TmpFile&) = delete;
    TmpFile& operator=(const TmpFile&) = delete;
    ~TmpFile() { Close(); }

    bool Create(const QString& path) {
        Close();
        path_ = Narrow(path);
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        return fd_ >= 0 && ::fstat(fd_, &id_) == 0;
    }
    // The name still leads to the file created here: nobody swapped a link or another file in while
    // the writer had it open by name.
    bool StillOurs() const {
        struct stat now {};
        return ::lstat(path_.c_str(), &now) == 0 && S_ISREG(now.st_mode) && now.st_dev == id_.st_dev &&
               now.st_ino == id_.st_ino;
    }
    qint64 ModifiedMs() const {
        struct stat st {};
        return ::fstat(fd_, &st) == 0 ? StatMs(st) : 0;
    }
    void SetModifiedMs(qint64 ms) {
        const timespec times[2] = {{0, UTIME_OMIT},
                                   {static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000}};
        ::futimens(fd_, times);
    }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    std::string path_;
    int fd_ = -1;
    struct stat id_ {};
};

bool NameExists(const QString& path) {
    struct stat st {};
    return ::lstat(Narrow(path).c_str(), &st) == 0;
}
#endif

bool IsDocumentSuffix(const QString& suffix) {
    return suffix == QLatin1String("xml") || suffix == QLatin1String("bin");
}

// The files of a folder with their modification times as stored: converting each time to local time
// inside the sort costs seconds in a folder of thousands of stale files.
std::vector<std::pair<qint64, QFileInfo>> TimedFiles(const QString& dir) {
    std::vector<std::pair<qint64, QFileInfo>> files;
#ifdef _WIN32
    const QFileInfoList infos =
        QDir(dir).entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& info : infos) files.emplace_back(RawModifiedMs(info.absoluteFilePath()), info);
#else
    // One lstat per entry, keeping what QDir::Files | QDir::NoSymLinks keep: regular files, not hidden.
    DIR* folder = ::opendir(Narrow(dir).c_str());
    if (!folder) return files;
    const QString prefix = QDir(dir).absolutePath() + QLatin1Char('/');
    while (const dirent* entry = ::readdir(folder)) {
        struct stat st {};
        if (entry->d_name[0] == '.') continue;
        if (::fstatat(::dirfd(folder), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        files.emplace_back(StatMs(st), QFileInfo(prefix + QFile::decodeName(entry->d_name)));
    }
    ::closedir(folder);
#endif
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first > b.first;
        return a.second.fileName() > b.second.fileName();
    });
    return files;
}

// Picks the name of the next document: the local time of the save. When that second already has a
// document, or a temporary file another writer left or planted, waits for the next second (through
// the clock, so test clocks do not sleep for real). A name found in the folder never sets the time.
QString FreeStamp(const StoreHost& host, const QString& dir, const QString& suffix) {
    QDateTime now = host.clock->Now();
    for (int wait = 0; wait < kNameWaits; ++wait) {
        const QString stamp = DocumentStamp(now);
        if (!NameExists(dir + stamp + QLatin1Char('.') + suffix) && !NameExists(dir + stamp + ".tmp")) break;
        host.clock->SleepFor(1000 - now.time().msec());
        now = host.clock->Now();
    }
    return DocumentStamp(now);
}

bool CreateTmp(const StoreHost& host, const QString& dir, const QString& suffix, QString& tmpPath,
               TmpFile& file) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        tmpPath = dir + FreeStamp(host, dir, suffix) + ".tmp";
        if (file.Create(tmpPath)) return true;
        host.Log(QStringLiteral("Create XML File Failed."));
    }
    return false;
}

// Deletes all but the two newest documents; keep, the document a save has just written, is never
// deleted whatever the dates of the other files.
void Prune(const StoreHost& host, const QString& dir, const QString& keep) {
    if (!QDir(dir).exists()) {
        host.Log("Delete XML Earlier File Failed : " + dir + "not exists.");
        return;
    }
    int documents = 0;
    for (const QFileInfo& file : ListProfileFolder(dir)) {
        if (file.fileName() == keep) continue;
        if (!IsDocumentSuffix(file.suffix()) || ++documents > (keep.isEmpty() ? 2 : 1)) {
            std::remove(QFile::encodeName(file.absoluteFilePath()).constData());
        }
    }
}

}  // namespace

#ifdef _WIN32
bool FileSteps::SyncFile(const QString& path) const {
    HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = FlushFileBuffers(h) != 0;
    CloseHandle(h);
    return ok;
}

void FileSteps::SyncFolder(const QString&) const {}  // NTFS journals the rename itself

RenameResult FileSteps::RenameNoReplace(const QString& from, const QString& to) const {
    if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH)) return RenameResult::Done;
    const DWORD err = GetLastError();
    return err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS ? RenameResult::TargetExists
                                                                   : RenameResult::Failed;
}
#else
namespace {
bool SyncPath(const QString& path, int flags) {
    const int fd = ::open(Narrow(path).c_str(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
}  // namespace

bool FileSteps::SyncFile(const QString& path) const {
    return SyncPath(path, O_RDONLY | O_NOFOLLOW);
}

void FileSteps::SyncFolder(const QString& dir) const {
    SyncPath(dir, O_RDONLY | O_DIRECTORY);
}

RenameResult FileSteps::RenameNoReplace(const QString& from, const QString& to) const {
    const std::string src = Narrow(from);
    const std::string dst = Narrow(to);
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

const FileSteps& FileSteps::System() {
    static const FileSteps steps;
    return steps;
}

QString DocumentStamp(const QDateTime& time) {
    return time.toString(kStampFormat);
}

bool CreateTmpProfileFile(const StoreHost& host, const QString& dir, QString& tmpPath) {
    TmpFile file;
    return CreateTmp(host, dir, QStringLiteral("xml"), tmpPath, file);
}

QFileInfoList ListProfileFolder(const QString& dir) {
    QFileInfoList files;
    for (auto& timed : TimedFiles(dir)) files.push_back(std::move(timed.second));
    return files;
}

void DeleteEarlierProfileFiles(const StoreHost& host, const QString& dir) {
    Prune(host, dir, QString());
}

bool SaveProfileDocument(const StoreHost& host, const QString& dir, const QString& suffix,
                         const DocumentWriter& write) {
    const FileSteps& steps = host.steps ? *host.steps : FileSteps::System();
    const FolderLock lock(dir);
    QString tmp;
    TmpFile file;
    for (int attempt = 1;; ++attempt) {
        if (!CreateTmp(host, dir, suffix, tmp, file)) return false;
        if (write(tmp) && file.StillOurs()) {
            // The clock may stand behind other files' dates (stepped back, a restored backup): the new
            // document must still be the newest, or the pruning below would delete it and the next
            // load pick an older one. Its name stays the local time of the save.
            const std::vector<std::pair<qint64, QFileInfo>> others = TimedFiles(dir);
            const QString tmpName = QFileInfo(tmp).fileName();
            for (const auto& other : others) {
                if (other.second.fileName() == tmpName) continue;
                if (other.first >= file.ModifiedMs()) file.SetModifiedMs(other.first + kAfterNewestMs);
                break;
            }
            file.Close();
            const QString document = tmp.left(tmp.size() - 3) + suffix;
            if (steps.SyncFile(tmp) && steps.RenameNoReplace(tmp, document) == RenameResult::Done) {
                steps.SyncFolder(dir);
                Prune(host, dir, QFileInfo(document).fileName());
                return true;
            }
        }
        if (attempt >= kMaxSaveAttempts) {
            host.Log(QStringLiteral("Save Profile Failed after %1 attempts : ").arg(kMaxSaveAttempts) + dir);
            return false;
        }
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
