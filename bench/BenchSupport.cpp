#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "profilecore/DeviceType.h"
#include "profilecore/XmlSupport.h"

namespace prefbook::bench {

BenchHabitat::BenchHabitat() : base_(temp_.path()) {}

void BenchHabitat::GetProfileDir(int type, QString* dir) {
    *dir = base_ + "/profile/" + QString::fromStdString(ProfileFolderName(type)) + "/";
    // Created once: the saves measured are the store's, not the bench's folder making.
    if (created_.insert(type).second) QDir().mkpath(*dir);
}

std::vector<StoreCase>& Catalogue() {
    static std::vector<StoreCase> cases;
    return cases;
}

const StoreCase* FindCase(const std::string& name) {
    for (const StoreCase& c : Catalogue()) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

QString OnlyDocument(BenchHost& host, int deviceType) {
    QString dir;
    host.habitat.GetProfileDir(deviceType, &dir);
    const QFileInfoList files = QDir(dir).entryInfoList(QDir::Files, QDir::Time);
    return files.isEmpty() ? QString() : files.first().absoluteFilePath();
}

QStringList CaseDocuments(BenchHost& host, const StoreCase& c) {
    QStringList docs;
    for (int type : c.deviceTypes) {
        const QString doc = OnlyDocument(host, type);
        if (doc.isEmpty()) return {};
        docs << doc;
    }
    return docs;
}

long long TotalSize(const QStringList& paths) {
    long long bytes = 0;
    for (const QString& p : paths) bytes += QFileInfo(p).size();
    return bytes;
}

QDateTime SteppingClock::Now() const {
    return QDateTime::fromMSecsSinceEpoch(QDateTime::currentMSecsSinceEpoch() + 1000 * step_++);
}

namespace {

// The artwork BMP form: 24-bit, 40-byte info header, rows bottom-up padded to 4 bytes, 128 pixels
// (four words) a row, lit white, dark black, the unused end of the last row grey.
constexpr int kBmpHeaders = 54;
constexpr int kRowWords = 4;
constexpr int kRowBytes = kRowWords * 32 * 3;

uint32_t Le(const uchar* at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
    return value;
}

void PutLe(uchar* at, int bytes, uint32_t value) {
    for (int i = 0; i < bytes; ++i, value >>= 8) at[i] = static_cast<uchar>(value);
}

int Gray(const uchar* bgr) {
    return (bgr[2] * 11 + bgr[1] * 16 + bgr[0] * 5) / 32;
}

// The words of an artwork image; false when the file is not the artwork form.
bool DecodeArtwork(const QString& path, std::vector<uint32_t>& words) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (bytes.size() < kBmpHeaders || data[0] != 'B' || data[1] != 'M' || Le(data + 14, 4) != 40 ||
        Le(data + 18, 4) != 128 || Le(data + 28, 2) != 24 || Le(data + 30, 4) != 0)
        return false;
    const int rows = static_cast<int>(Le(data + 22, 4));
    const uint32_t at = Le(data + 10, 4);
    if (rows <= 0 || rows > 64 || at < kBmpHeaders || bytes.size() < qint64(at) + rows * kRowBytes)
        return false;
    words.clear();
    for (int row = 0; row < rows; ++row) {
        const uchar* pixel = data + at + (rows - 1 - row) * kRowBytes;
        for (int w = 0; w < kRowWords; ++w) {
            const int first = Gray(pixel);
            if (first >= 64 && first < 192) return true;
            uint32_t word = 0;
            for (int bit = 0; bit < 32; ++bit, pixel += 3) word = word << 1 | uint32_t(Gray(pixel) >= 192);
            words.push_back(word);
        }
    }
    return true;
}

std::vector<uchar> EncodeArtwork(const std::vector<uint32_t>& words) {
    const int rows = std::max<int>(1, int(words.size() + kRowWords - 1) / kRowWords);
    std::vector<uchar> bytes(kBmpHeaders + size_t(rows) * kRowBytes);
    uchar* data = bytes.data();
    data[0] = 'B';
    data[1] = 'M';
    PutLe(data + 2, 4, uint32_t(bytes.size()));
    PutLe(data + 10, 4, kBmpHeaders);
    PutLe(data + 14, 4, 40);
    PutLe(data + 18, 4, 128);
    PutLe(data + 22, 4, uint32_t(rows));
    PutLe(data + 26, 2, 1);
    PutLe(data + 28, 2, 24);
    PutLe(data + 34, 4, uint32_t(rows * kRowBytes));
    std::memset(data + kBmpHeaders, 0x80, size_t(rows) * kRowBytes);
    for (size_t i = 0; i < words.size(); ++i) {
        const int row = int(i) / kRowWords;
        uchar* pixel = data + kBmpHeaders + (rows - 1 - row) * kRowBytes + (i % kRowWords) * 96;
        for (int bit = 31; bit >= 0; --bit, pixel += 3) {
            const uchar v = (words[i] >> bit) & 1u ? 0xFF : 0x00;
            pixel[0] = pixel[1] = pixel[2] = v;
        }
    }
    return bytes;
}

// "yyyy-MM-dd hh-mm-ss" by hand. Kept out of line, like NewestDocument below, so that the comparison
// with the independent count can leave out what each side does its own way.
[[gnu::noinline]] void FormatStamp(const QDateTime& time, char* out) {
    const QDate date = time.date();
    const QTime clock = time.time();
    const auto put = [&out](int at, int width, int value) {
        for (int i = at + width - 1; i >= at; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
    };
    std::memcpy(out, "0000-00-00 00-00-00", 20);
    put(0, 4, date.year());
    put(5, 2, date.month());
    put(8, 2, date.day());
    put(11, 2, clock.hour());
    put(14, 2, clock.minute());
    put(17, 2, clock.second());
}

}  // namespace

long long RawLoad(const QString& path, FileKind kind) {
    if (kind == FileKind::Image) {
        std::vector<uint32_t> words;
        if (!DecodeArtwork(path, words)) return -1;
        long long sum = 0;
        for (uint32_t w : words) sum += w;
        return sum;
    }
    QFile file(path);
    if (!file.open(kind == FileKind::Xml ? QIODevice::ReadOnly | QIODevice::Text : QIODevice::ReadOnly))
        return -1;
    if (kind == FileKind::Binary) return file.readAll().size();
    QXmlStreamReader r(&file);
    long long sum = 0;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement) continue;
        // A const copy shares the reader's vector; iterating a non-const one would copy every attribute.
        const QXmlStreamAttributes attributes = r.attributes();
        for (const QXmlStreamAttribute& a : attributes) {
            const QStringRef value = a.value();
            // No int is written with more than 11 characters: longer text is not tried as one.
            bool number = false;
            const int single = value.size() <= 11 ? value.toInt(&number) : 0;
            if (number) {
                sum += single;
                continue;
            }
            // Not one number: text, or a comma-separated list whose numbers are converted one by one.
            int comma = value.indexOf(QLatin1Char(','));
            if (comma < 0) continue;
            int from = 0;
            do {
                sum += value.mid(from, comma - from).toInt();
                from = comma + 1;
            } while ((comma = value.indexOf(QLatin1Char(','), from)) >= 0);
            sum += value.mid(from).toInt();
        }
    }
    return r.hasError() ? -1 : sum;
}

RawEmitter::RawEmitter(const QString& path, FileKind kind, bool rewrites) : kind_(kind), rewrites_(rewrites) {
    if (kind == FileKind::Image) {
        DecodeArtwork(path, words_);
        return;
    }
    QFile file(path);
    if (!file.open(kind == FileKind::Xml ? QIODevice::ReadOnly | QIODevice::Text : QIODevice::ReadOnly))
        return;
    if (kind == FileKind::Binary) {
        bytes_ = file.readAll();
        return;
    }
    QXmlStreamReader r(&file);
    while (!r.atEnd()) {
        const auto type = r.readNext();
        if (type == QXmlStreamReader::EndElement) elements_.push_back({});
        // Some documents keep values as element text.
        if (type == QXmlStreamReader::Characters && !r.isWhitespace())
            elements_.push_back({QString(), {}, r.text().toString()});
        if (type != QXmlStreamReader::StartElement) continue;
        Element e{r.name().toString(), {}, QString()};
        const QXmlStreamAttributes attributes = r.attributes();
        for (const QXmlStreamAttribute& a : attributes) {
            bool number = false;
            const qlonglong value = a.value().toLongLong(&number);
            // Only text that is exactly the decimal form of its number is kept as a number.
            if (number && DecimalText(value) == a.value()) {
                e.attributes.push_back({a.name().toString(), QString(), value});
            } else {
                e.attributes.push_back({a.name().toString(), a.value().toString(), 0});
            }
        }
        elements_.push_back(std::move(e));
    }
}

namespace {

// The decimal digits of value into text, whose buffer every number reuses: the writer copies what it
// is given, so no number needs an allocation of its own.
void FormatInto(QString& text, qlonglong value) {
    char digits[24];
    const int n = FormatDecimal(digits, value);
    text.resize(n);
    QChar* out = text.data();
    for (int i = 0; i < n; ++i) out[i] = QLatin1Char(digits[i]);
}

}  // namespace

// The document formatted into memory and handed to the file in one write: a buffered QFile copies
// every piece once more on its way.
QByteArray RawEmitter::XmlText() const {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setCodec("utf-8");
    w.setAutoFormatting(true);
    w.writeStartDocument(QStringLiteral("1.0"));
    QString number;
    number.reserve(24);
    for (const Element& e : elements_) {
        if (!e.text.isNull()) {
            w.writeCharacters(e.text);
        } else if (e.name.isNull()) {
            w.writeEndElement();
        } else {
            w.writeStartElement(e.name);
            for (const Attribute& a : e.attributes) {
                if (a.text.isNull()) {
                    FormatInto(number, a.number);
                    w.writeAttribute(a.name, number);
                } else {
                    w.writeAttribute(a.name, a.text);
                }
            }
        }
    }
    w.writeEndDocument();
    return out;
}

namespace {

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

}  // namespace

// The content into an open file, fsynced; the descriptor is closed.
bool RawEmitter::WriteBody(int fd) const {
    bool ok;
    if (kind_ == FileKind::Xml) {
        const QByteArray text = XmlText();
        ok = WriteAll(fd, text.constData(), size_t(text.size()));
    } else if (kind_ == FileKind::Image) {
        const std::vector<uchar> bytes = EncodeArtwork(words_);
        ok = WriteAll(fd, reinterpret_cast<const char*>(bytes.data()), bytes.size());
    } else {
        ok = WriteAll(fd, bytes_.constData(), size_t(bytes_.size()));
    }
    ok = ::fsync(fd) == 0 && ok;
    return ::close(fd) == 0 && ok;
}

void RawEmitter::Rotate(BenchHost& host, int type) {
    // The folder and the time come from the host services, as the store's do.
    QString dir;
    host.habitat.GetProfileDir(type, &dir);
    const int folder = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    ::flock(folder, LOCK_EX);
    struct Listed {
        qint64 ms;
        std::string name;
    };
    std::vector<Listed> listed;
    if (DIR* d = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC))) {
        while (const dirent* entry = ::readdir(d)) {
            struct stat st {};
            if (entry->d_name[0] == '.') continue;
            if (::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
                continue;
            listed.push_back(
                {qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000, entry->d_name});
        }
        ::closedir(d);
    }
    char name[32];
    FormatStamp(host.clock.Now(), name);
    std::memcpy(name + 19, ".tmp", 5);
    const int fd = ::openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 && WriteBody(fd)) {
        char done[32];
        std::memcpy(done, name, 19);
        std::memcpy(done + 19, ".xml", 5);
        ::renameat2(folder, name, folder, done, RENAME_NOREPLACE);
        ::fsync(folder);
        // Every listed file but the newest goes; the folder keeps the new document and one older.
        const auto newest = std::max_element(listed.begin(), listed.end(),
                                             [](const Listed& a, const Listed& b) { return a.ms < b.ms; });
        for (auto it = listed.begin(); it != listed.end(); ++it)
            if (it != newest) ::unlinkat(folder, it->name.c_str(), 0);
    }
    ::close(folder);
}

void RawEmitter::Replace(const std::string& dir, const char* name) {
    const int folder = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    const std::string tmp = std::string(name) + ".tmp";
    const int fd = ::openat(folder, tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 && WriteBody(fd)) {
        ::renameat(folder, tmp.c_str(), folder, name);
        ::fsync(folder);
    }
    ::close(folder);
}

void RawEmitter::EmitInto(BenchHost& host, int type, int slot) {
    if (!prepared_) {
        // Prepared as the store's folder is at a save: a rotating one holds one earlier document, a
        // rewritten document exists.
        prepared_ = true;
        QString dir;
        host.habitat.GetProfileDir(type, &dir);
        if (kind_ == FileKind::Image || rewrites_) {
            dir += "raw-" + QString::number(slot) + "/";
            QDir().mkpath(dir);
        }
        folder_ = QFile::encodeName(dir).toStdString();
        if (kind_ != FileKind::Image) {
            const int fd = ::open((folder_ + (rewrites_ ? "document" : "earlier.xml")).c_str(),
                                  O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
            if (fd >= 0) WriteBody(fd);
        }
    }
    if (kind_ == FileKind::Image) {
        Replace(folder_, "image.bmp");
    } else if (rewrites_) {
        // The document is read before it is replaced, as the store's save must.
        benchmark::DoNotOptimize(RawLoad(QFile::decodeName((folder_ + "document").c_str()), kind_));
        Replace(folder_, "document");
    } else {
        Rotate(host, type);
    }
}

CaseLimits::CaseLimits(BenchHost& host, const StoreCase& c)
    : documents_(CaseDocuments(host, c)),
      documentBytes_(TotalSize(documents_)),
      types_(c.deviceTypes),
      kind_(c.xml ? FileKind::Xml : FileKind::Binary),
      rewrites_(c.rewrites),
      habitat_(&host.habitat) {
    if (c.images) {
        QDirIterator it(host.habitat.GetUserDir() + "/artworks", QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) images_ << it.next();
    }
    for (const QString& d : documents_) emitters_.emplace_back(d, kind_, c.rewrites);
    for (const QString& i : images_) emitters_.emplace_back(i, FileKind::Image, false);
}

namespace {

// The newest file with the document's ending in the host's folder of a device type, found as a load
// must find it: the folder listed, one lstat per entry.
[[gnu::noinline]] QString NewestDocument(BenchHabitat& habitat, int type, const char* ending) {
    QString dir;
    habitat.GetProfileDir(type, &dir);
    const int folder = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* d = folder >= 0 ? ::fdopendir(folder) : nullptr;
    if (!d) {
        if (folder >= 0) ::close(folder);
        return QString();
    }
    const size_t endingSize = std::strlen(ending);
    std::string newest;
    timespec newestTime{};
    while (const dirent* entry = ::readdir(d)) {
        struct stat st {};
        const size_t size = std::strlen(entry->d_name);
        if (entry->d_name[0] == '.' || size < endingSize ||
            std::memcmp(entry->d_name + size - endingSize, ending, endingSize) != 0 ||
            ::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        const bool later = st.st_mtim.tv_sec != newestTime.tv_sec ? st.st_mtim.tv_sec > newestTime.tv_sec
                           : st.st_mtim.tv_nsec != newestTime.tv_nsec
                               ? st.st_mtim.tv_nsec > newestTime.tv_nsec
                               : newest < entry->d_name;
        if (newest.empty() || later) {
            newest.assign(entry->d_name, size);
            newestTime = st.st_mtim;
        }
    }
    ::closedir(d);
    return newest.empty() ? QString() : dir + QFile::decodeName(newest.c_str());
}

}  // namespace

void CaseLimits::Load() const {
    // The store's load finds its document in its folder; so does the limit.
    const char* ending = kind_ == FileKind::Xml && !rewrites_ ? ".xml" : ".bin";
    for (size_t i = 0; i < size_t(documents_.size()) && i < types_.size(); ++i)
        benchmark::DoNotOptimize(RawLoad(NewestDocument(*habitat_, types_[i], ending), kind_));
    for (const QString& i : images_) benchmark::DoNotOptimize(RawLoad(i, FileKind::Image));
}

void CaseLimits::Save(BenchHost& scratch) {
    for (size_t i = 0; i < emitters_.size(); ++i)
        emitters_[i].EmitInto(scratch, i < types_.size() ? types_[i] : -1, int(i));
}

MacroRecord BenchMacroRecord(int actions) {
    MacroRecord record{};
    record.actionCount = static_cast<uint8_t>(actions);
    for (int a = 0; a < actions; ++a)
        record.actions[a] = {uint16_t(4 + a % 100), uint8_t(a & 1), uint16_t(a * 7)};
    return record;
}

long long HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
}

}  // namespace prefbook::bench
