// prefbook_limitcheck: the cheapest plain Qt/libc code for each store operation, written apart from
// the library and the benchmark, so that its instruction counts can check the benchmark's limits.
//
//   prefbook_limitcheck <op> <input> [<work folder>]
//
// Everything that is not the operation itself (reading inputs, laying out the work folder) happens
// before measuring. The operation runs once to warm up, then once between
// CALLGRIND_START_INSTRUMENTATION and CALLGRIND_STOP_INSTRUMENTATION; the checksum is printed.

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <valgrind/callgrind.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// In-memory document: what a store holds between a load and a save.

struct Attr {
    QString name;
    QString text;   // used when !isInt
    int value = 0;  // used when isInt
    bool isInt = false;
};

struct Element {
    enum Kind { Start, End, Text } kind = Start;
    QString name;  // the text itself for Text
    std::vector<Attr> attrs;
};

using Document = std::vector<Element>;

// ---------------------------------------------------------------------------------------------
// load-xml

// The sum can be any value, negative too, so success is returned apart from it.
bool loadXml(const QString& path, long long* checksum) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QXmlStreamReader reader(&file);
    long long sum = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) continue;
        // Bound to a reference: the reader's vector is shared, not copied.
        const QXmlStreamAttributes& attrs = reader.attributes();
        for (const QXmlStreamAttribute& attr : attrs) {
            const QStringRef value = attr.value();
            int from = 0;
            for (;;) {
                const int comma = value.indexOf(QLatin1Char(','), from);
                if (comma < 0) {
                    sum += (from == 0 ? value : value.mid(from)).toInt();
                    break;
                }
                sum += value.mid(from, comma - from).toInt();
                from = comma + 1;
            }
        }
    }
    if (reader.hasError()) return false;
    *checksum = sum;
    return true;
}

// Only text that an int prints back to exactly is kept as an int, so a save reproduces the file.
bool exactInt(const QStringRef& text, int* out) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || QString::number(v) != text) return false;
    *out = v;
    return true;
}

bool parseDocument(const QString& path, Document* doc) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType t = reader.readNext();
        if (t == QXmlStreamReader::StartElement) {
            Element e;
            e.name = reader.qualifiedName().toString();
            const QXmlStreamAttributes attrs = reader.attributes();
            e.attrs.reserve(attrs.size());
            for (const QXmlStreamAttribute& a : attrs) {
                Attr out;
                out.name = a.qualifiedName().toString();
                out.isInt = exactInt(a.value(), &out.value);
                if (!out.isInt) out.text = a.value().toString();
                e.attrs.push_back(std::move(out));
            }
            doc->push_back(std::move(e));
        } else if (t == QXmlStreamReader::EndElement) {
            Element e;
            e.kind = Element::End;
            doc->push_back(std::move(e));
        } else if (t == QXmlStreamReader::Characters && !reader.isWhitespace()) {
            // Some models keep values as element text; a save that dropped it would lose settings.
            Element e;
            e.kind = Element::Text;
            e.name = reader.text().toString();
            doc->push_back(std::move(e));
        }
    }
    return !reader.hasError();
}

// ---------------------------------------------------------------------------------------------
// Writing a document into an open descriptor.

// Formats v into buf, which is reused for every attribute: the writer escapes into a string of its
// own and keeps no reference, so no number needs a fresh allocation.
inline void formatInt(QString& buf, int v) {
    char digits[12];
    char* end = digits + sizeof digits;
    char* p = end;
    unsigned int u = v < 0 ? 0u - static_cast<unsigned int>(v) : static_cast<unsigned int>(v);
    do {
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0) *--p = '-';
    const int n = static_cast<int>(end - p);
    buf.resize(n);
    QChar* out = buf.data();
    for (int i = 0; i < n; ++i) out[i] = QLatin1Char(p[i]);
}

bool writeAll(int fd, const char* data, size_t size);

// Returns the bytes written, or -1. The writer fills memory and the file gets one write: going
// through a buffered QFile costs more in its ring buffer than the document costs to format.
long long writeDocument(int fd, const Document& doc) {
    QByteArray out;
    QXmlStreamWriter writer(&out);
    writer.setCodec("utf-8");
    writer.setAutoFormatting(true);
    writer.writeStartDocument(QStringLiteral("1.0"));
    QString number;
    number.reserve(12);
    for (const Element& e : doc) {
        if (e.kind == Element::End) {
            writer.writeEndElement();
            continue;
        }
        if (e.kind == Element::Text) {
            writer.writeCharacters(e.name);
            continue;
        }
        writer.writeStartElement(e.name);
        for (const Attr& a : e.attrs) {
            if (a.isInt) {
                formatInt(number, a.value);
                writer.writeAttribute(a.name, number);
            } else {
                writer.writeAttribute(a.name, a.text);
            }
        }
    }
    writer.writeEndDocument();
    if (writer.hasError() || !writeAll(fd, out.constData(), static_cast<size_t>(out.size())) ||
        fsync(fd) != 0)
        return -1;
    return out.size();
}

bool writeAll(int fd, const char* data, size_t size) {
    while (size) {
        const ssize_t n = write(fd, data, size);
        if (n < 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Rotating save: a new stamped document beside the earlier ones, then all but the newest earlier
// one are removed, so the folder keeps the last two.

struct Listed {
    std::string name;
    struct timespec mtime;
};

time_t g_clock = 0;  // advanced by a second at every save, so two saves never share a name

inline char* put2(char* p, int v) {
    p[0] = static_cast<char>('0' + v / 10);
    p[1] = static_cast<char>('0' + v % 10);
    return p + 2;
}

// "yyyy-MM-dd hh-mm-ss" + ext, NUL-terminated; buf holds at least 32 bytes.
[[gnu::noinline]] void formatStamp(char* buf, const struct tm& tm, const char* ext) {
    const int year = tm.tm_year + 1900;
    char* p = buf;
    p = put2(p, year / 100);
    p = put2(p, year % 100);
    *p++ = '-';
    p = put2(p, tm.tm_mon + 1);
    *p++ = '-';
    p = put2(p, tm.tm_mday);
    *p++ = ' ';
    p = put2(p, tm.tm_hour);
    *p++ = '-';
    p = put2(p, tm.tm_min);
    *p++ = '-';
    p = put2(p, tm.tm_sec);
    while ((*p++ = *ext++)) {
    }
}

inline bool newer(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

enum class Payload { Xml, Bytes };

// The folder comes as a QString, the form a store is handed it in.
long long rotatingSave(const QString& folder, const char* ext, Payload kind, const Document& doc,
                       const QByteArray& bytes) {
    const int dfd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) return -1;
    DIR* dir = fdopendir(dfd);  // owns dfd from here on; closedir releases the lock too
    if (!dir) {
        close(dfd);
        return -1;
    }
    long long result = -1;
    std::vector<Listed> listed;
    const size_t extLen = strlen(ext);
    if (flock(dfd, LOCK_EX) != 0) goto done;

    for (;;) {
        errno = 0;
        const struct dirent* ent = readdir(dir);
        if (!ent) {
            if (errno) goto done;
            break;
        }
        const char* name = ent->d_name;
        const size_t len = strlen(name);
        if (len <= extLen || memcmp(name + len - extLen, ext, extLen) != 0) continue;
        struct stat st;
        if (fstatat(dfd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
        listed.push_back(Listed{std::string(name, len), st.st_mtim});
    }

    {
        const time_t now = time(nullptr) + g_clock++;
        struct tm tm;
        if (!localtime_r(&now, &tm)) goto done;
        char tmpName[40];
        char finalName[40];
        formatStamp(tmpName, tm, ".tmp");
        formatStamp(finalName, tm, ext);

        const int fd = openat(dfd, tmpName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) goto done;
        long long written;
        if (kind == Payload::Xml) {
            written = writeDocument(fd, doc);
        } else {
            written = writeAll(fd, bytes.constData(), static_cast<size_t>(bytes.size())) && fsync(fd) == 0
                          ? bytes.size()
                          : -1;
        }
        if (close(fd) != 0 || written < 0) {
            unlinkat(dfd, tmpName, 0);
            goto done;
        }
        if (renameat2(dfd, tmpName, dfd, finalName, RENAME_NOREPLACE) != 0) {
            unlinkat(dfd, tmpName, 0);
            goto done;
        }
        if (fsync(dfd) != 0) goto done;

        size_t keep = 0;
        for (size_t i = 1; i < listed.size(); ++i) {
            if (newer(listed[i].mtime, listed[keep].mtime) ||
                (listed[i].mtime.tv_sec == listed[keep].mtime.tv_sec &&
                 listed[i].mtime.tv_nsec == listed[keep].mtime.tv_nsec && listed[i].name > listed[keep].name))
                keep = i;
        }
        for (size_t i = 0; i < listed.size(); ++i) {
            if (i != keep && unlinkat(dfd, listed[i].name.c_str(), 0) != 0) goto done;
        }
        result = written;
    }
done:
    closedir(dir);
    return result;
}

// ---------------------------------------------------------------------------------------------
// rewrite-xml: the named document is read back as a check, then replaced in one rename.

struct RewritePaths {
    QString work;       // for QFile
    std::string workC;  // byte forms, built once
    std::string tmpC;
    std::string dirC;
};

long long rewriteXml(const RewritePaths& p, const Document& doc) {
    long long sum;
    if (!loadXml(p.work, &sum)) return -1;
    const int fd = open(p.tmpC.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    const long long written = writeDocument(fd, doc);
    if (close(fd) != 0 || written < 0 || rename(p.tmpC.c_str(), p.workC.c_str()) != 0) {
        unlink(p.tmpC.c_str());
        return -1;
    }
    const int dfd = open(p.dirC.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) return -1;
    const bool synced = fsync(dfd) == 0;
    close(dfd);
    return synced ? written : -1;
}

// ---------------------------------------------------------------------------------------------
// Artwork: a 128-wide 24-bit bottom-up BMP holding 1-bit pixels, 4 words of 32 pixels a row.

constexpr int kWidth = 128;
constexpr int kWordsPerRow = kWidth / 32;
constexpr int kStride = (kWidth * 3 + 3) & ~3;
constexpr int kHeaders = 14 + 40;

inline uint32_t le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline uint16_t le16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

bool decodeBmp(const QByteArray& data, std::vector<uint32_t>* words) {
    const qint64 size = data.size();
    if (size < kHeaders) return false;
    const auto* b = reinterpret_cast<const unsigned char*>(data.constData());
    if (b[0] != 'B' || b[1] != 'M' || le32(b + 14) != 40 || le16(b + 28) != 24 || le32(b + 30) != 0)
        return false;
    const uint32_t offset = le32(b + 10);
    const int32_t width = static_cast<int32_t>(le32(b + 18));
    const int32_t height = static_cast<int32_t>(le32(b + 22));
    if (width != kWidth || height <= 0 || offset < kHeaders ||
        offset + static_cast<qint64>(kStride) * height > size)
        return false;

    words->reserve(static_cast<size_t>(height) * kWordsPerRow);
    for (int row = 0; row < height; ++row) {
        const unsigned char* px = b + offset + static_cast<qint64>(height - 1 - row) * kStride;
        for (int w = 0; w < kWordsPerRow; ++w) {
            uint32_t word = 0;
            for (int i = 0; i < 32; ++i, px += 3) {
                const unsigned gray = (px[2] * 11u + px[1] * 16u + px[0] * 5u) >> 5;
                if (i == 0 && gray >= 64 && gray < 192)
                    return true;  // a grey first pixel: the image ends here
                word = (word << 1) | (gray >= 192);
            }
            words->push_back(word);
        }
    }
    return true;
}

// Returns the word count, or -1.
long long loadBmp(const QString& path, std::vector<uint32_t>* words) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError || !decodeBmp(data, words)) return -1;
    return static_cast<long long>(words->size());
}

inline void put32(unsigned char* p, uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

struct BmpPaths {
    std::string tmpC;
    std::string finalC;
};

long long saveBmp(const BmpPaths& p, const std::vector<uint32_t>& words) {
    const size_t count = words.size();
    // A blank image still needs a row to be a valid file.
    const int rows = count ? static_cast<int>((count + kWordsPerRow - 1) / kWordsPerRow) : 1;
    const size_t total = kHeaders + static_cast<size_t>(kStride) * rows;
    std::vector<unsigned char> out(total);  // zeroed: covers the reserved fields and row padding
    unsigned char* b = out.data();
    b[0] = 'B';
    b[1] = 'M';
    put32(b + 2, static_cast<uint32_t>(total));
    put32(b + 10, kHeaders);
    put32(b + 14, 40);
    put32(b + 18, kWidth);
    put32(b + 22, static_cast<uint32_t>(rows));
    b[26] = 1;   // planes
    b[28] = 24;  // bits per pixel
    put32(b + 34, static_cast<uint32_t>(kStride) * rows);
    put32(b + 38, 2835);  // 72 dpi, as Qt writes
    put32(b + 42, 2835);

    for (int row = 0; row < rows; ++row) {
        unsigned char* px = b + kHeaders + static_cast<size_t>(rows - 1 - row) * kStride;
        for (int w = 0; w < kWordsPerRow; ++w) {
            const size_t index = static_cast<size_t>(row) * kWordsPerRow + w;
            if (index >= count) {
                memset(px, 0x80, static_cast<size_t>(kWordsPerRow - w) * 32 * 3);
                break;
            }
            const uint32_t word = words[index];
            for (int i = 31; i >= 0; --i, px += 3) {
                const unsigned char c = (word >> i) & 1u ? 0xFF : 0x00;
                px[0] = c;
                px[1] = c;
                px[2] = c;
            }
        }
    }

    const int fd = open(p.tmpC.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    const bool ok = writeAll(fd, reinterpret_cast<const char*>(b), total) && fsync(fd) == 0;
    if (close(fd) != 0 || !ok || rename(p.tmpC.c_str(), p.finalC.c_str()) != 0) {
        unlink(p.tmpC.c_str());
        return -1;
    }
    return static_cast<long long>(total);
}

// ---------------------------------------------------------------------------------------------
// Preparation (never measured).

[[noreturn]] void fail(const char* what) {
    fprintf(stderr, "prefbook_limitcheck: %s\n", what);
    exit(2);
}

QByteArray readFile(const char* path) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) fail("cannot read the input");
    return file.readAll();
}

void writeFile(const std::string& path, const QByteArray& data) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        fail("cannot write into the work folder");
}

std::string makeWorkDir(const char* given) {
    if (given) {
        if (mkdir(given, 0755) != 0 && errno != EEXIST) fail("cannot create the work folder");
        return given;
    }
    char tmpl[] = "/tmp/prefbook-limitcheck-XXXXXX";
    if (!mkdtemp(tmpl)) fail("cannot create a work folder");
    return tmpl;
}

// Empties the folder of regular files, so each run starts from the same contents.
void clearDir(const std::string& dir) {
    DIR* d = opendir(dir.c_str());
    if (!d) fail("cannot list the work folder");
    while (const struct dirent* ent = readdir(d)) {
        struct stat st;
        if (fstatat(dirfd(d), ent->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            unlinkat(dirfd(d), ent->d_name, 0);
    }
    closedir(d);
}

// A folder left by an earlier run holds exactly two documents and nothing else; it is used as it is,
// with the clock moved past its newest stamp. Anything else is laid out anew.
bool reuseRotation(const std::string& dir, const char* ext) {
    DIR* d = opendir(dir.c_str());
    if (!d) return false;
    int documents = 0;
    bool other = false;
    time_t newest = 0;
    const size_t extLen = strlen(ext);
    while (const struct dirent* ent = readdir(d)) {
        if (!strcmp(ent->d_name, ".") || !strcmp(ent->d_name, "..")) continue;
        const size_t len = strlen(ent->d_name);
        struct tm tm = {};
        const char* rest = strptime(ent->d_name, "%Y-%m-%d %H-%M-%S", &tm);
        if (len <= extLen || !rest || strcmp(rest, ext) != 0) {
            other = true;
            continue;
        }
        tm.tm_isdst = -1;
        const time_t stamp = mktime(&tm);
        if (stamp > newest) newest = stamp;
        ++documents;
    }
    closedir(d);
    if (other || documents != 2) return false;
    const time_t now = time(nullptr);
    g_clock = newest >= now ? newest + 1 - now : 0;
    return true;
}

// Two earlier documents a minute apart, as a folder holds them between saves.
void seedRotation(const std::string& dir, const char* ext, const QByteArray& content) {
    if (reuseRotation(dir, ext)) return;
    clearDir(dir);
    const char* names[2] = {"2026-01-01 10-00-00", "2026-01-01 10-01-00"};
    for (int i = 0; i < 2; ++i) {
        const std::string path = dir + "/" + names[i] + ext;
        writeFile(path, content);
        struct timespec times[2];
        times[0].tv_sec = times[1].tv_sec = 1767261600 + 60 * i;
        times[0].tv_nsec = times[1].tv_nsec = 0;
        if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) fail("cannot set a modification time");
    }
}

// ---------------------------------------------------------------------------------------------

template <typename Op>
long long measure(Op op) {
    const long long warm = op();
    if (warm < 0) return warm;
    CALLGRIND_START_INSTRUMENTATION;
    const long long result = op();
    CALLGRIND_STOP_INSTRUMENTATION;
    return result;
}

void usage() {
    fprintf(stderr,
            "usage: prefbook_limitcheck <op> <input> [<work folder>]\n"
            "  ops: load-xml load-bin load-bmp save-xml save-bin save-bmp rewrite-xml\n");
    exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) usage();
    const std::string op = argv[1];
    const char* input = argv[2];
    const char* workArg = argc > 3 ? argv[3] : nullptr;
    const QString inputPath = QString::fromLocal8Bit(input);
    long long checksum = -1;  // the bytes written for a save; -1 for a failure, except for load-xml
    bool failed = false;

    if (op == "load-xml") {
        long long sum = 0;
        failed = measure([&] { return loadXml(inputPath, &sum) ? 0LL : -1LL; }) < 0;
        checksum = failed ? -1 : sum;
    } else if (op == "load-bin") {
        // One result per run, so the measured run frees nothing left from the warm-up.
        QByteArray runs[2];
        int run = 0;
        checksum = measure([&] {
            QByteArray& data = runs[run++];
            QFile file(inputPath);
            if (!file.open(QIODevice::ReadOnly)) return -1LL;
            data = file.readAll();
            return file.error() == QFileDevice::NoError ? static_cast<long long>(data.size()) : -1LL;
        });
        const QByteArray& data = runs[1];
        if (checksum >= 0)
            for (char c : data) checksum += static_cast<unsigned char>(c);
    } else if (op == "load-bmp") {
        std::vector<uint32_t> runs[2];
        int run = 0;
        checksum = measure([&] { return loadBmp(inputPath, &runs[run++]); });
        const std::vector<uint32_t>& words = runs[1];
        if (checksum >= 0) {
            checksum = 0;
            for (uint32_t w : words) checksum += w;
        }
    } else if (op == "save-xml" || op == "save-bin") {
        const bool xml = op == "save-xml";
        const char* ext = xml ? ".xml" : ".bin";
        Document doc;
        QByteArray bytes = readFile(input);
        if (xml && !parseDocument(inputPath, &doc)) fail("the input does not parse");
        const std::string dir = makeWorkDir(workArg);
        seedRotation(dir, ext, bytes);
        const QString folder = QFile::decodeName(dir.c_str());
        checksum = measure(
            [&] { return rotatingSave(folder, ext, xml ? Payload::Xml : Payload::Bytes, doc, bytes); });
    } else if (op == "rewrite-xml") {
        Document doc;
        if (!parseDocument(inputPath, &doc)) fail("the input does not parse");
        const std::string dir = makeWorkDir(workArg);
        clearDir(dir);
        RewritePaths p;
        p.dirC = dir;
        p.workC = dir + "/document.xml";
        p.tmpC = p.workC + ".tmp";
        p.work = QString::fromStdString(p.workC);
        writeFile(p.workC, readFile(input));
        checksum = measure([&] { return rewriteXml(p, doc); });
    } else if (op == "save-bmp") {
        std::vector<uint32_t> words;
        if (loadBmp(inputPath, &words) < 0) fail("the input is not an artwork image");
        const std::string dir = makeWorkDir(workArg);
        clearDir(dir);
        BmpPaths p;
        p.finalC = dir + "/image.bmp";
        p.tmpC = p.finalC + ".tmp";
        checksum = measure([&] { return saveBmp(p, words); });
    } else {
        usage();
    }

    if (op != "load-xml") failed = checksum < 0;
    printf("%lld\n", checksum);
    return failed ? 1 : 0;
}
