#include "profilecore/ProfileFolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
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

// A stamp already used in this second is waited past at most this often per name chosen; only names
// planted or left in the folder can take more than one.
constexpr int kNameWaits = 2;

// A document given a time after another file's is placed this far after it: file systems that keep
// whole seconds (FAT keeps two) would otherwise store equal times and let the name decide the order.
constexpr qint64 kAfterNewestMs = 2000;

// A file of a folder: its name (bytes as the file system keeps them) and its modification time.
struct Entry {
    qint64 ms;
    QByteArray name;
};

// Newest first; equal times by name, newest name first, so the order never depends on the file
// system's listing order.
void SortNewestFirst(std::vector<Entry>& files) {
    std::sort(files.begin(), files.end(), [](const Entry& a, const Entry& b) {
        if (a.ms != b.ms) return a.ms > b.ms;
        return a.name > b.name;
    });
}

bool IsDocumentName(const QByteArray& name) {
    const int dot = name.lastIndexOf('.');
    if (dot < 0) return false;
    const char* suffix = name.constData() + dot + 1;
    return qstrcmp(suffix, "xml") == 0 || qstrcmp(suffix, "bin") == 0;
}

#ifdef _WIN32
std::wstring Wide(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

qint64 FileTimeMs(const FILETIME& t) {
    const qint64 ticks = (static_cast<qint64>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return ticks / 10000 - 11644473600000LL;  // 100 ns ticks since 1601 to ms since 1970
}

QString NameText(const QByteArray& name) {
    return QString::fromUtf8(name);
}

qint64 RawModifiedMs(const QString& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return FileTimeMs(data.ftLastWriteTime);
}

int LastError() {
    return static_cast<int>(GetLastError());
}
void ClearLastError() {
    SetLastError(0);
}
bool IsTakenName(int error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// A profile folder, by its path. Windows cannot lock a directory handle, and a lock file would be an
// extra file in the folder: the saves of one folder take turns on a mutex named after the folder,
// shared by the user's processes.
class Folder {
public:
    explicit Folder(const QString& dir) : dir_(dir) {
        const DWORD attributes = GetFileAttributesW(Wide(dir).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            error_ = ERROR_PATH_NOT_FOUND;
    }
    ~Folder() {
        if (owned_) ReleaseMutex(mutex_);
        if (mutex_) CloseHandle(mutex_);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    bool IsOpen() const { return error_ == 0; }
    int Error() const { return error_; }
    int Fd() const { return -1; }
    const QString& Path() const { return dir_; }
    QString PathOf(const QByteArray& name) const { return dir_ + NameText(name); }

    void Lock() {
        const QByteArray key = QCryptographicHash::hash(
            QDir::cleanPath(QFileInfo(dir_).absoluteFilePath()).toLower().toUtf8(), QCryptographicHash::Sha1);
        const QString name = QStringLiteral("Local\\prefbook-save-") + QString::fromLatin1(key.toHex());
        mutex_ = CreateMutexW(nullptr, FALSE, name.toStdWString().c_str());
        if (!mutex_) return;
        const DWORD waited = WaitForSingleObject(mutex_, INFINITE);
        owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    std::vector<Entry> List() const {
        std::vector<Entry> files;
        const QFileInfoList infos =
            QDir(dir_).entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::NoDotAndDotDot, QDir::Unsorted);
        for (const QFileInfo& info : infos)
            files.push_back({RawModifiedMs(info.absoluteFilePath()), info.fileName().toUtf8()});
        SortNewestFirst(files);
        return files;
    }
    bool Exists(const QByteArray& name) const {
        return GetFileAttributesW(Wide(PathOf(name)).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void Remove(const QByteArray& name) const { DeleteFileW(Wide(PathOf(name)).c_str()); }

private:
    QString dir_;
    int error_ = 0;
    HANDLE mutex_ = nullptr;
    bool owned_ = false;
};

// The temporary file of a save. CREATE_NEW fails on any existing name, a link included, and the
// reparse-point flag keeps every later open on the name itself.
class TmpFile {
public:
    explicit TmpFile(const Folder& folder) : folder_(folder) {}
    TmpFile(const TmpFile&) = delete;
    TmpFile& operator=(const TmpFile&) = delete;
    ~TmpFile() { Close(); }

    // 0, or the error that kept the file from being created.
    int Create(const QByteArray& name) {
        Close();
        name_ = name;
        handle_ = CreateFileW(Wide(folder_.PathOf(name)).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) return LastError();
        return Identity(handle_, id_) ? 0 : LastError();
    }
    // The name still leads to the file created here: nobody swapped a link or another file in.
    bool StillOurs() const {
        HANDLE h = CreateFileW(Wide(folder_.PathOf(name_)).c_str(), FILE_READ_ATTRIBUTES,
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
    bool Write(const QByteArray& bytes) {
        DWORD done = 0;
        return WriteFile(handle_, bytes.constData(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
               done == static_cast<DWORD>(bytes.size());
    }
    void* Handle() const { return handle_; }
    int Fd() const { return -1; }
    void Close() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    // A failed save leaves nothing behind, but never removes a file someone swapped in.
    void Discard() {
        Close();
        if (StillOurs()) folder_.Remove(name_);
    }

private:
    static bool Identity(HANDLE h, BY_HANDLE_FILE_INFORMATION& info) {
        return GetFileInformationByHandle(h, &info) != 0;
    }
    const Folder& folder_;
    QByteArray name_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    BY_HANDLE_FILE_INFORMATION id_{};
};
#else
// The file system's form of a path. ASCII is the same in every locale encoding, and most folders
// are ASCII: they skip the codec.
QByteArray Narrow(const QString& path) {
    for (const QChar c : path) {
        if (c.unicode() >= 0x80) return QFile::encodeName(path);
    }
    return path.toLatin1();
}

QString NameText(const QByteArray& name) {
    return QFile::decodeName(name);
}

qint64 StatMs(const struct stat& st) {
    return static_cast<qint64>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

int LastError() {
    return errno;
}
void ClearLastError() {
    errno = 0;
}
bool IsTakenName(int error) {
    return error == EEXIST;
}

// A profile folder, opened once: listing, name checks, creation and removal all go through its
// descriptor, by name, so no path is converted or resolved again for each file.
class Folder {
public:
    explicit Folder(const QString& dir)
        : dir_(dir), fd_(::open(Narrow(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) error_ = errno;
    }
    ~Folder() {
        if (fd_ >= 0) ::close(fd_);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Error() const { return error_; }
    int Fd() const { return fd_; }
    const QString& Path() const { return dir_; }
    QString PathOf(const QByteArray& name) const { return dir_ + NameText(name); }

    // An advisory lock on the folder itself: saves of one folder take turns across processes (and
    // across stores of one process), and no lock file ever appears among the documents. The kernel
    // drops the lock with the descriptor, so a save killed half-way never blocks the next one.
    void Lock() const {
        while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    // One lstat per entry, keeping what QDir::Files | QDir::NoSymLinks keep: regular files, not hidden.
    std::vector<Entry> List() const {
        std::vector<Entry> files;
        const int listing = fd_ >= 0 ? ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
        DIR* folder = listing >= 0 ? ::fdopendir(listing) : nullptr;
        if (!folder) {
            if (listing >= 0) ::close(listing);
            return files;
        }
        while (const dirent* entry = ::readdir(folder)) {
            struct stat st {};
            if (entry->d_name[0] == '.') continue;
            if (::fstatat(fd_, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
                continue;
            files.push_back({StatMs(st), QByteArray(entry->d_name)});
        }
        ::closedir(folder);
        SortNewestFirst(files);
        return files;
    }
    bool Exists(const QByteArray& name) const {
        struct stat st {};
        return ::fstatat(fd_, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    }
    void Remove(const QByteArray& name) const { ::unlinkat(fd_, name.constData(), 0); }

private:
    QString dir_;
    int fd_;
    int error_ = 0;
};

// The temporary file of a save, created exclusively: an existing name, a planted link included, makes
// the creation fail instead of being opened or followed.
class TmpFile {
public:
    explicit TmpFile(const Folder& folder) : folder_(folder) {}
    TmpFile(const TmpFile&) = delete;
    TmpFile& operator=(const TmpFile&) = delete;
    ~TmpFile() { Close(); }

    // 0, or the error that kept the file from being created.
    int Create(const QByteArray& name) {
        Close();
        name_ = name;
        if (!folder_.IsOpen()) return folder_.Error();
        fd_ = ::openat(folder_.Fd(), name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                       0666);
        if (fd_ < 0) return errno;
        return ::fstat(fd_, &id_) == 0 ? 0 : errno;
    }
    // The name still leads to the file created here: nobody swapped a link or another file in while
    // the writer had it open by name.
    bool StillOurs() const {
        struct stat now {};
        return ::fstatat(folder_.Fd(), name_.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
               S_ISREG(now.st_mode) && now.st_dev == id_.st_dev && now.st_ino == id_.st_ino;
    }
    qint64 ModifiedMs() const {
        struct stat st {};
        return ::fstat(fd_, &st) == 0 ? StatMs(st) : 0;
    }
    // All of bytes, or false with errno.
    bool Write(const QByteArray& bytes) {
        for (qint64 done = 0; done < bytes.size();) {
            const ssize_t n = ::write(fd_, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += n;
        }
        return true;
    }
    int Fd() const { return fd_; }
    void* Handle() const { return nullptr; }
    void SetModifiedMs(qint64 ms) {
        const timespec times[2] = {{0, UTIME_OMIT},
                                   {static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000}};
        ::futimens(fd_, times);
    }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    // A failed save leaves nothing behind, but never removes a file someone swapped in.
    void Discard() {
        Close();
        if (StillOurs()) folder_.Remove(name_);
    }

private:
    const Folder& folder_;
    QByteArray name_;
    int fd_ = -1;
    struct stat id_ {};
};
#endif

// "yyyy-MM-dd hh-mm-ss" in fixed-width digits: QDateTime::toString parses its pattern and goes
// through the locale for every save. Years outside 0..9999 keep toString's form.
QByteArray StampBytes(const QDateTime& time) {
    const QDate date = time.date();
    const QTime clock = time.time();
    if (date.year() < 0 || date.year() > 9999)
        return time.toString(QStringLiteral("yyyy-MM-dd hh-mm-ss")).toLatin1();
    char text[] = "0000-00-00 00-00-00";
    const auto put = [&text](int at, int width, int value) {
        for (int i = at + width - 1; i >= at; --i, value /= 10) text[i] = static_cast<char>('0' + value % 10);
    };
    put(0, 4, date.year());
    put(5, 2, date.month());
    put(8, 2, date.day());
    put(11, 2, clock.hour());
    put(14, 2, clock.minute());
    put(17, 2, clock.second());
    return QByteArray(text, sizeof(text) - 1);
}

// Picks the name of the next document: the local time of the save. When that second already has a
// document, or a temporary file another writer left or planted, waits for the next second (through
// the clock, so test clocks do not sleep for real). A name found in the folder never sets the time.
QByteArray FreeStamp(const StoreHost& host, const Folder& folder, const QByteArray& dotSuffix) {
    QDateTime now = host.clock->Now();
    QByteArray stamp = StampBytes(now);
    for (int wait = 0; wait < kNameWaits; ++wait) {
        if (!folder.Exists(stamp + dotSuffix) && !folder.Exists(stamp + ".tmp")) break;
        host.clock->SleepFor(1000 - now.time().msec());
        now = host.clock->Now();
        stamp = StampBytes(now);
    }
    return stamp;
}

// Ends a save on an error no other name would cure (no space, no permission, a read-only or failing
// disk): at once, with the reason.
bool GiveUp(const StoreHost& host, const QString& dir, const QString& reason) {
    host.Log("Save Profile Failed : " + dir + " : " + reason);
    return false;
}

QString ErrorText(int error, const char* unknown) {
    return error ? qt_error_string(error) : QString::fromLatin1(unknown);
}

// Deletes all but the newest `documents` documents of files (newest first) and every other file.
void Prune(const Folder& folder, const std::vector<Entry>& files, int documents) {
    int seen = 0;
    for (const Entry& file : files) {
        if (!IsDocumentName(file.name) || ++seen > documents) folder.Remove(file.name);
    }
}

}  // namespace

QString SaveTarget::TmpPath() const {
    return dir + NameText(tmpName);
}

QString SaveTarget::DocumentPath() const {
    return dir + NameText(documentName);
}

#ifdef _WIN32
bool FileSteps::SyncFile(const SaveTarget& save) const {
    return FlushFileBuffers(static_cast<HANDLE>(save.fileHandle)) != 0;
}

void FileSteps::SyncFolder(const SaveTarget&) const {}  // NTFS journals the rename itself

RenameResult FileSteps::RenameNoReplace(const SaveTarget& save) const {
    if (MoveFileExW(Wide(save.TmpPath()).c_str(), Wide(save.DocumentPath()).c_str(), MOVEFILE_WRITE_THROUGH))
        return RenameResult::Done;
    const DWORD err = GetLastError();
    return err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS ? RenameResult::TargetExists
                                                                   : RenameResult::Failed;
}
#else
bool FileSteps::SyncFile(const SaveTarget& save) const {
    return ::fsync(save.fileFd) == 0;
}

void FileSteps::SyncFolder(const SaveTarget& save) const {
    ::fsync(save.folderFd);
}

RenameResult FileSteps::RenameNoReplace(const SaveTarget& save) const {
    const char* from = save.tmpName.constData();
    const char* to = save.documentName.constData();
#ifdef RENAME_NOREPLACE
    if (::renameat2(save.folderFd, from, save.folderFd, to, RENAME_NOREPLACE) == 0) return RenameResult::Done;
    if (errno == EEXIST) return RenameResult::TargetExists;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return RenameResult::Failed;
#endif
    // File systems without renameat2: link fails rather than replace an existing name.
    if (::linkat(save.folderFd, from, save.folderFd, to, 0) != 0) {
        return errno == EEXIST ? RenameResult::TargetExists : RenameResult::Failed;
    }
    ::unlinkat(save.folderFd, from, 0);
    return RenameResult::Done;
}
#endif

const FileSteps& FileSteps::System() {
    static const FileSteps steps;
    return steps;
}

QString DocumentStamp(const QDateTime& time) {
    return QString::fromLatin1(StampBytes(time));
}

bool CreateTmpProfileFile(const StoreHost& host, const QString& dir, QString& tmpPath) {
    const Folder folder(dir);
    TmpFile file(folder);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QByteArray name = FreeStamp(host, folder, QByteArrayLiteral(".xml")) + ".tmp";
        tmpPath = folder.PathOf(name);
        const int error = file.Create(name);
        if (error == 0) return true;
        host.Log(QStringLiteral("Create XML File Failed."));
        if (!IsTakenName(error)) return false;
    }
    return false;
}

QFileInfoList ListProfileFolder(const QString& dir) {
    const Folder folder(dir);
    QFileInfoList files;
    const QString prefix = QDir(dir).absolutePath() + QLatin1Char('/');
    for (const Entry& entry : folder.List())
        files.push_back(QFileInfo(prefix + QFile::decodeName(entry.name)));
    return files;
}

void DeleteEarlierProfileFiles(const StoreHost& host, const QString& dir) {
    const Folder folder(dir);
    if (!folder.IsOpen()) {
        host.Log("Delete XML Earlier File Failed : " + dir + "not exists.");
        return;
    }
    Prune(folder, folder.List(), 2);
}

namespace {

// The one save of both kinds: a writer given the temporary file's path, or bytes written through the
// temporary file itself.
bool SaveInFolder(const StoreHost& host, const QString& dir, const QString& suffix,
                  const DocumentWriter* write, const QByteArray* bytes, QString* document) {
    const FileSteps& steps = host.steps ? *host.steps : FileSteps::System();
    const QByteArray ext = '.' + suffix.toLatin1();
    Folder folder(dir);
    folder.Lock();
    for (int attempt = 1;; ++attempt) {
        // The one listing of the save, before its own file exists: the newest date to stay ahead of
        // and the files to prune.
        const std::vector<Entry> others = folder.List();
        const QByteArray stamp = FreeStamp(host, folder, ext);
        const QByteArray tmpName = stamp + ".tmp";
        TmpFile file(folder);
        const int created = file.Create(tmpName);
        if (created != 0) {
            host.Log(QStringLiteral("Create XML File Failed."));
            if (!IsTakenName(created)) return GiveUp(host, dir, ErrorText(created, ""));
        } else {
            ClearLastError();
            if (write ? !(*write)(folder.PathOf(tmpName)) : !file.Write(*bytes)) {
                const int error = LastError();
                file.Discard();
                return GiveUp(host, dir, ErrorText(error, "the document could not be written"));
            }
            // A file swapped in under the name while a writer had it open is someone else's: it
            // stays, and the save takes another name.
            if (file.StillOurs()) {
                // The clock may stand behind other files' dates (stepped back, a restored backup): the
                // new document must still be the newest, or the pruning below would delete it and the
                // next load pick an older one. Its name stays the local time of the save.
                if (!others.empty() && others.front().ms >= file.ModifiedMs())
                    file.SetModifiedMs(others.front().ms + kAfterNewestMs);
                const QByteArray docName = stamp + ext;
                SaveTarget target{dir, tmpName, docName};
                target.folderFd = folder.Fd();
                target.fileFd = file.Fd();
                target.fileHandle = file.Handle();
                ClearLastError();
                if (!steps.SyncFile(target)) {
                    const int error = LastError();
                    file.Discard();
                    return GiveUp(host, dir, ErrorText(error, "the document could not be flushed"));
                }
                file.Close();
                target.fileFd = -1;
                target.fileHandle = nullptr;
                const RenameResult renamed = steps.RenameNoReplace(target);
                if (renamed == RenameResult::Done) {
                    steps.SyncFolder(target);
                    if (document) *document = target.DocumentPath();
                    // others was listed before this document existed: the pruning cannot touch it,
                    // whatever the dates of the other files.
                    Prune(folder, others, 1);
                    return true;
                }
                const int error = LastError();
                file.Discard();
                if (renamed == RenameResult::Failed)
                    return GiveUp(host, dir, ErrorText(error, "the document could not be renamed"));
            }
        }
        if (attempt >= kMaxSaveAttempts) {
            host.Log(QStringLiteral("Save Profile Failed after %1 attempts : ").arg(kMaxSaveAttempts) + dir);
            return false;
        }
    }
}

}  // namespace

bool SaveProfileDocument(const StoreHost& host, const QString& dir, const QString& suffix,
                         const DocumentWriter& write, QString* document) {
    return SaveInFolder(host, dir, suffix, &write, nullptr, document);
}

bool SaveProfileRecord(const StoreHost& host, const QString& dir, const QString& suffix,
                       const QByteArray& bytes, QString* document) {
    return SaveInFolder(host, dir, suffix, nullptr, &bytes, document);
}

LoadOutcome LoadNewestDocument(const QString& dir, const QString& suffix, const DocumentReader& read,
                               const Acceptance& accept, const FileObserver& observe) {
    LoadOutcome outcome;
    bool ok = false;
    QString lastRead;
    // Names as the file system keeps them: a path is formed only for a file that is read, and file
    // information only for an observer.
    const Folder folder(dir);
    const QByteArray dotSuffix = '.' + suffix.toLatin1();
    const QString absolute = observe ? QDir(dir).absolutePath() + QLatin1Char('/') : QString();
    const auto info = [&](const Entry& file) { return QFileInfo(absolute + NameText(file.name)); };
    for (const Entry& file : folder.List()) {
        if (!file.name.endsWith(dotSuffix)) {
            ok = false;
            if (observe) observe(info(file), FileVerdict::WrongSuffix);
            continue;
        }
        const QString path = folder.PathOf(file.name);
        ok = read(path);
        if (ok && accept()) {
            if (observe) observe(info(file), FileVerdict::Loaded);
            outcome.keep = outcome.accepted = true;
            outcome.path = path;
            return outcome;
        }
        if (observe) observe(info(file), ok ? FileVerdict::NotAccepted : FileVerdict::ReadFailed);
        lastRead = path;
    }
    outcome.keep = ok;
    if (ok) outcome.path = lastRead;
    return outcome;
}

}  // namespace prefbook
