// Records, below Qt and below the library's own file helpers, every call that changes what a folder
// could hold after a power loss: file creation, data (as snapshots of the whole file), fsync and
// fdatasync of files and folders, renames, links, unlinks and new folders. Loaded with LD_PRELOAD
// into a process that performs one write; only paths under PREFBOOK_POWERLOSS_ROOT are recorded, into
// the log file PREFBOOK_POWERLOSS_LOG.
//
// Log lines are tab-separated, paths relative to the root:
//   C ino path      a file created under a name        T ino        an unnamed (O_TMPFILE) file
//   D ino mtime n   the file's whole content, n bytes, follows the line, then a newline
//   S ino           the file's data made durable       Y path       a folder fsynced
//   R from to       rename     L from to   link     I ino to   link of an open (unnamed) file
//   U path          unlink     X path      rmdir    M path     mkdir
// Data is not copied per write: un-fsynced data may be torn anyway, so a snapshot at each point that
// orders something (a sync, a folder change, a close) holds every state a write in between could leave.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

#define MAX_FDS 1024

struct Tracked {
    int used;
    int dirty;
    int isDir;
    ino_t ino;
    char path[1024];  // folders only: their fsync names them
};

static struct Tracked fds[MAX_FDS];
static char root[PATH_MAX];
static size_t rootLen;
static int logFd = -1;
static __thread int inside;  // the recorder's own calls are not recorded

#define REAL(ret, name, ...)                                                          \
    static ret (*real_##name)(__VA_ARGS__);                                           \
    static void load_##name(void) {                                                   \
        if (!real_##name) real_##name = (ret(*)(__VA_ARGS__))dlsym(RTLD_NEXT, #name); \
    }

REAL(int, open, const char*, int, ...)
REAL(int, open64, const char*, int, ...)
REAL(int, openat, int, const char*, int, ...)
REAL(int, openat64, int, const char*, int, ...)
REAL(FILE*, fopen, const char*, const char*)
REAL(FILE*, fopen64, const char*, const char*)
REAL(int, fclose, FILE*)
REAL(ssize_t, write, int, const void*, size_t)
REAL(ssize_t, pwrite, int, const void*, size_t, off_t)
REAL(ssize_t, pwrite64, int, const void*, size_t, off_t)
REAL(ssize_t, writev, int, const struct iovec*, int)
REAL(size_t, fwrite, const void*, size_t, size_t, FILE*)
REAL(int, ftruncate, int, off_t)
REAL(int, ftruncate64, int, off_t)
REAL(int, fsync, int)
REAL(int, fdatasync, int)
REAL(int, close, int)
REAL(int, rename, const char*, const char*)
REAL(int, renameat, int, const char*, int, const char*)
REAL(int, renameat2, int, const char*, int, const char*, unsigned)
REAL(int, link, const char*, const char*)
REAL(int, linkat, int, const char*, int, const char*, int)
REAL(int, unlink, const char*)
REAL(int, unlinkat, int, const char*, int)
REAL(int, remove, const char*)
REAL(int, rmdir, const char*)
REAL(int, mkdir, const char*, mode_t)
REAL(int, mkdirat, int, const char*, mode_t)
REAL(int, futimens, int, const struct timespec*)
REAL(long, syscall, long, ...)

static void rawWrite(const char* data, size_t size) {
    load_write();
    while (size > 0) {
        const ssize_t n = real_write(logFd, data, size);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) continue;
            return;
        }
        data += n;
        size -= (size_t)n;
    }
}

__attribute__((constructor)) static void start(void) {
    const char* r = getenv("PREFBOOK_POWERLOSS_ROOT");
    const char* l = getenv("PREFBOOK_POWERLOSS_LOG");
    if (!r || !l || strlen(r) >= sizeof root) return;
    strcpy(root, r);
    rootLen = strlen(root);
    while (rootLen > 1 && root[rootLen - 1] == '/') root[--rootLen] = 0;
    load_open();
    logFd = real_open(l, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

// Joins base and path and drops "." parts, repeated and trailing separators. Paths here are built
// by Qt and the library from clean folders; ".." stays as it is and simply fails the root test.
static void normalise(const char* base, const char* path, char* out) {
    char joined[2 * PATH_MAX];
    if (path[0] == '/' || !base)
        snprintf(joined, sizeof joined, "%s", path);
    else
        snprintf(joined, sizeof joined, "%s/%s", base, path);
    size_t o = 0;
    const char* p = joined;
    while (*p) {
        while (*p == '/') ++p;
        if (!*p) break;
        const char* end = strchr(p, '/');
        const size_t len = end ? (size_t)(end - p) : strlen(p);
        if (!(len == 1 && p[0] == '.') && o + len + 2 < PATH_MAX) {
            out[o++] = '/';
            memcpy(out + o, p, len);
            o += len;
        }
        p += len;
    }
    if (o == 0) out[o++] = '/';
    out[o] = 0;
}

// The path relative to the root, or NULL when it lies outside.
static const char* underRoot(int dirfd, const char* path, char* buffer) {
    if (logFd < 0 || !path) return NULL;
    char base[PATH_MAX];
    const char* b = NULL;
    if (path[0] != '/') {
        if (dirfd == AT_FDCWD) {
            if (!getcwd(base, sizeof base)) return NULL;
        } else {
            char link[64];
            snprintf(link, sizeof link, "/proc/self/fd/%d", dirfd);
            const ssize_t n = readlink(link, base, sizeof base - 1);
            if (n <= 0) return NULL;
            base[n] = 0;
        }
        b = base;
    }
    normalise(b, path, buffer);
    if (strncmp(buffer, root, rootLen) != 0) return NULL;
    if (buffer[rootLen] == 0) return "";
    if (buffer[rootLen] != '/') return NULL;
    return buffer + rootLen + 1;
}

static void event(const char* kind, const char* a, const char* b) {
    char line[3 * PATH_MAX];
    const int n = b ? snprintf(line, sizeof line, "%s\t%s\t%s\n", kind, a, b)
                    : snprintf(line, sizeof line, "%s\t%s\n", kind, a);
    if (n > 0) rawWrite(line, (size_t)n < sizeof line ? (size_t)n : sizeof line - 1);
}

static void inoEvent(const char* kind, ino_t ino, const char* path) {
    char number[32];
    snprintf(number, sizeof number, "%lu", (unsigned long)ino);
    event(kind, number, path);
}

static struct Tracked* tracked(int fd) {
    return fd >= 0 && fd < MAX_FDS && fds[fd].used ? &fds[fd] : NULL;
}

// Writes the file's whole content as it stands now, read through a second descriptor.
static void snapshot(int fd) {
    struct Tracked* t = tracked(fd);
    if (!t || t->isDir) return;
    t->dirty = 0;
    char proc[64];
    snprintf(proc, sizeof proc, "/proc/self/fd/%d", fd);
    load_open();
    const int in = real_open(proc, O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (in < 0 || fstat(in, &st) != 0) {
        if (in >= 0) close(in);
        return;
    }
    char* data = malloc((size_t)st.st_size + 1);
    size_t got = 0;
    while (data && got < (size_t)st.st_size) {
        const ssize_t n = pread(in, data + got, (size_t)st.st_size - got, (off_t)got);
        if (n <= 0) break;
        got += (size_t)n;
    }
    load_close();
    real_close(in);
    char header[128];
    const int n = snprintf(header, sizeof header, "D\t%lu\t%lld\t%zu\n", (unsigned long)st.st_ino,
                           (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec, got);
    rawWrite(header, (size_t)n);
    if (data) rawWrite(data, got);
    rawWrite("\n", 1);
    free(data);
}

// Every pending write is put down before a change that orders it.
static void snapshotDirty(void) {
    for (int fd = 0; fd < MAX_FDS; ++fd)
        if (fds[fd].used && fds[fd].dirty) snapshot(fd);
}

__attribute__((destructor)) static void finish(void) {
    if (logFd >= 0) snapshotDirty();
}

static int exists(int dirfd, const char* path) {
    struct stat st;
    return fstatat(dirfd, path, &st, AT_SYMLINK_NOFOLLOW) == 0;
}

static void track(int fd, int dirfd, const char* path, int flags, int existed) {
    char buffer[PATH_MAX];
    const char* rel = underRoot(dirfd, path, buffer);
    if (fd < 0 || fd >= MAX_FDS || !rel) return;
    struct stat st;
    if (fstat(fd, &st) != 0) return;
    struct Tracked* t = &fds[fd];
    memset(t, 0, sizeof *t);
    t->used = 1;
    t->ino = st.st_ino;
    t->isDir = S_ISDIR(st.st_mode);
    if (t->isDir) {
        snprintf(t->path, sizeof t->path, "%s", rel);
        return;
    }
    if ((flags & O_TMPFILE) == O_TMPFILE) {
        inoEvent("T", st.st_ino, NULL);
    } else if ((flags & O_CREAT) && !existed) {
        snapshotDirty();
        inoEvent("C", st.st_ino, rel);
    }
    if ((flags & O_ACCMODE) != O_RDONLY) t->dirty = 1;
}

#define OPEN_BODY(dirfd, callReal)                                   \
    mode_t mode = 0;                                                 \
    if (flags & (O_CREAT | O_TMPFILE)) {                             \
        va_list args;                                                \
        va_start(args, flags);                                       \
        mode = (mode_t)va_arg(args, int);                            \
        va_end(args);                                                \
    }                                                                \
    if (inside || logFd < 0) return callReal;                        \
    ++inside;                                                        \
    const int existed = (flags & O_CREAT) ? exists(dirfd, path) : 1; \
    const int fd = callReal;                                         \
    if (fd >= 0) track(fd, dirfd, path, flags, existed);             \
    --inside;                                                        \
    return fd;

int open(const char* path, int flags, ...) {
    load_open();
    OPEN_BODY(AT_FDCWD, real_open(path, flags, mode))
}
int open64(const char* path, int flags, ...) {
    load_open64();
    OPEN_BODY(AT_FDCWD, real_open64(path, flags, mode))
}
int openat(int dirfd, const char* path, int flags, ...) {
    load_openat();
    OPEN_BODY(dirfd, real_openat(dirfd, path, flags, mode))
}
int openat64(int dirfd, const char* path, int flags, ...) {
    load_openat64();
    OPEN_BODY(dirfd, real_openat64(dirfd, path, flags, mode))
}
int creat(const char* path, mode_t mode) {
    return open(path, O_WRONLY | O_CREAT | O_TRUNC, mode);
}

static FILE* fopenCommon(FILE* (*real)(const char*, const char*), const char* path, const char* how) {
    if (inside || logFd < 0) return real(path, how);
    ++inside;
    const int writes = strpbrk(how, "wa+") != NULL;
    const int creates = strpbrk(how, "wa") != NULL;
    const int existed = exists(AT_FDCWD, path);
    FILE* f = real(path, how);
    if (f)
        track(fileno(f), AT_FDCWD, path, (writes ? O_WRONLY : O_RDONLY) | (creates ? O_CREAT : 0), existed);
    --inside;
    return f;
}
FILE* fopen(const char* path, const char* how) {
    load_fopen();
    return fopenCommon(real_fopen, path, how);
}
FILE* fopen64(const char* path, const char* how) {
    load_fopen64();
    return fopenCommon(real_fopen64, path, how);
}

static void markDirty(int fd) {
    struct Tracked* t = tracked(fd);
    if (t) t->dirty = 1;
}

ssize_t write(int fd, const void* data, size_t size) {
    load_write();
    markDirty(fd);
    return real_write(fd, data, size);
}
ssize_t pwrite(int fd, const void* data, size_t size, off_t at) {
    load_pwrite();
    markDirty(fd);
    return real_pwrite(fd, data, size, at);
}
ssize_t pwrite64(int fd, const void* data, size_t size, off_t at) {
    load_pwrite64();
    markDirty(fd);
    return real_pwrite64(fd, data, size, at);
}
ssize_t writev(int fd, const struct iovec* iov, int count) {
    load_writev();
    markDirty(fd);
    return real_writev(fd, iov, count);
}
size_t fwrite(const void* data, size_t size, size_t count, FILE* f) {
    load_fwrite();
    markDirty(fileno(f));
    return real_fwrite(data, size, count, f);
}
int ftruncate(int fd, off_t length) {
    load_ftruncate();
    markDirty(fd);
    return real_ftruncate(fd, length);
}
int ftruncate64(int fd, off_t length) {
    load_ftruncate64();
    markDirty(fd);
    return real_ftruncate64(fd, length);
}

static void synced(int fd) {
    struct Tracked* t = tracked(fd);
    if (!t || inside) return;
    ++inside;
    if (t->isDir) {
        event("Y", t->path, NULL);
    } else {
        snapshot(fd);
        inoEvent("S", t->ino, NULL);
    }
    --inside;
}

// The snapshot and the sync event are written after the call: the data it made durable is the data
// the file held when it returned.
int fsync(int fd) {
    load_fsync();
    const int result = real_fsync(fd);
    if (result == 0) synced(fd);
    return result;
}
int fdatasync(int fd) {
    load_fdatasync();
    const int result = real_fdatasync(fd);
    if (result == 0) synced(fd);
    return result;
}

int futimens(int fd, const struct timespec times[2]) {
    load_futimens();
    const int result = real_futimens(fd, times);
    if (result == 0 && tracked(fd) && !inside) {
        ++inside;
        snapshot(fd);
        --inside;
    }
    return result;
}

static void forget(int fd) {
    struct Tracked* t = tracked(fd);
    if (!t || inside) return;
    ++inside;
    if (t->dirty) snapshot(fd);
    t->used = 0;
    --inside;
}

int close(int fd) {
    load_close();
    forget(fd);
    return real_close(fd);
}
int fclose(FILE* f) {
    load_fclose();
    if (f && tracked(fileno(f))) {
        fflush(f);
        forget(fileno(f));
    }
    return real_fclose(f);
}

// A folder change: recorded when it succeeded, after every pending write was put down.
static void change(const char* kind, int fromDir, const char* from, int toDir, const char* to) {
    if (inside) return;
    ++inside;
    char a[PATH_MAX], b[PATH_MAX];
    const char* relFrom = underRoot(fromDir, from, a);
    const char* relTo = to ? underRoot(toDir, to, b) : NULL;
    if (relFrom || relTo) {
        snapshotDirty();
        // A move into or out of the root is seen as a creation or removal there.
        if (!to) {
            event(kind, relFrom, NULL);
        } else if (relFrom && relTo) {
            event(kind, relFrom, relTo);
        } else if (relTo) {
            struct stat st;
            if (fstatat(toDir, to, &st, AT_SYMLINK_NOFOLLOW) == 0) inoEvent("C", st.st_ino, relTo);
        } else if (kind[0] == 'R') {
            event("U", relFrom, NULL);
        }
    }
    --inside;
}

// The event only once the call succeeded.
#define CHANGE(kind, fromDir, from, toDir, to, callReal)     \
    const int result = callReal;                             \
    if (result == 0) change(kind, fromDir, from, toDir, to); \
    return result;

int rename(const char* from, const char* to) {
    load_rename();
    CHANGE("R", AT_FDCWD, from, AT_FDCWD, to, real_rename(from, to))
}
int renameat(int fromDir, const char* from, int toDir, const char* to) {
    load_renameat();
    CHANGE("R", fromDir, from, toDir, to, real_renameat(fromDir, from, toDir, to))
}
int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    load_renameat2();
    CHANGE("R", fromDir, from, toDir, to, real_renameat2(fromDir, from, toDir, to, flags))
}
int link(const char* from, const char* to) {
    load_link();
    CHANGE("L", AT_FDCWD, from, AT_FDCWD, to, real_link(from, to))
}

// Qt gives an unnamed file its name with linkat of /proc/self/fd/N (or AT_EMPTY_PATH).
static int openFileOf(int fromDir, const char* from, int flags) {
    if (flags & AT_EMPTY_PATH && from[0] == 0) return fromDir;
    int fd = -1;
    if (sscanf(from, "/proc/self/fd/%d", &fd) == 1) return fd;
    return -1;
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags) {
    load_linkat();
    const int result = real_linkat(fromDir, from, toDir, to, flags);
    if (result != 0 || inside) return result;
    const int fd = openFileOf(fromDir, from, flags);
    struct Tracked* t = tracked(fd);
    if (fd >= 0) {
        char b[PATH_MAX];
        const char* rel = underRoot(toDir, to, b);
        if (t && rel) {
            ++inside;
            snapshotDirty();
            inoEvent("I", t->ino, rel);
            --inside;
        }
        return result;
    }
    change("L", fromDir, from, toDir, to);
    return result;
}
int unlink(const char* path) {
    load_unlink();
    CHANGE("U", AT_FDCWD, path, AT_FDCWD, NULL, real_unlink(path))
}
int unlinkat(int dir, const char* path, int flags) {
    load_unlinkat();
    CHANGE((flags & AT_REMOVEDIR) ? "X" : "U", dir, path, AT_FDCWD, NULL, real_unlinkat(dir, path, flags))
}
int rmdir(const char* path) {
    load_rmdir();
    CHANGE("X", AT_FDCWD, path, AT_FDCWD, NULL, real_rmdir(path))
}
// glibc's remove() unlinks inside libc, where no interposition reaches.
int remove(const char* path) {
    load_remove();
    struct stat st;
    const int folder = lstat(path, &st) == 0 && S_ISDIR(st.st_mode);
    CHANGE(folder ? "X" : "U", AT_FDCWD, path, AT_FDCWD, NULL, real_remove(path))
}
int mkdir(const char* path, mode_t mode) {
    load_mkdir();
    CHANGE("M", AT_FDCWD, path, AT_FDCWD, NULL, real_mkdir(path, mode))
}
int mkdirat(int dir, const char* path, mode_t mode) {
    load_mkdirat();
    CHANGE("M", dir, path, AT_FDCWD, NULL, real_mkdirat(dir, path, mode))
}

// The raw system call wrapper: a caller without glibc's renameat2() reaches it this way.
long syscall(long number, ...) {
    va_list args;
    va_start(args, number);
    long a[6];
    for (int i = 0; i < 6; ++i) a[i] = va_arg(args, long);
    va_end(args);
    load_syscall();
    const long result = real_syscall(number, a[0], a[1], a[2], a[3], a[4], a[5]);
    if (result == 0 && number == SYS_renameat2)
        change("R", (int)a[0], (const char*)a[1], (int)a[2], (const char*)a[3]);
    else if (result == 0 && number == SYS_rename)
        change("R", AT_FDCWD, (const char*)a[0], AT_FDCWD, (const char*)a[1]);
    return result;
}
