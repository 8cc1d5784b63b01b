#include "hostservices/DefaultGlyphPress.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "hostservices/IHabitat.h"
#include "hostservices/ITracebook.h"
#include "profilecore/RegularFile.h"
#include "profilecore/SafeFileName.h"

namespace {

constexpr int kWordsPerRow = kArtworkWidth / 32;
constexpr QRgb kLit = 0xFFFFFFFF;
constexpr QRgb kDark = 0xFF000000;
constexpr QRgb kUnused = 0xFF808080;

// Tolerant of viewers and editors that shift colours a little: bright is lit, dark is dark, the
// rest is the unused end.
bool IsLit(QRgb rgb) {
    return qGray(rgb) >= 192;
}
bool IsUnused(QRgb rgb) {
    const int gray = qGray(rgb);
    return gray >= 64 && gray < 192;
}

// Images read from files: far larger than any artwork, they are refused before they are decoded.
constexpr int kLargestImageSide = 4096;

std::atomic<IGlyphPress*> g_installed{nullptr};

uint32_t LittleEndian(const uchar* at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | at[i];
    return value;
}

// An uncompressed 24-bit BMP no larger than the display, the form artworks are written in, decoded
// here without an image plugin: QImageReader's probing and per-row conversion cost four times the rest
// of an artwork's load. A file of this form with fewer pixel bytes than its header says is refused
// ("cut short"): QImageReader would leave the missing rows as whatever memory held. Any other form:
// null and no error, for QImageReader to decide.
QImage ReadPlainBmp(QFile& file, QString& error) {
    constexpr int kHeaders = 14 + 40;
    uchar head[kHeaders];
    if (file.read(reinterpret_cast<char*>(head), kHeaders) != kHeaders) return QImage();
    const uint32_t pixelsAt = LittleEndian(head + 10, 4);
    const auto width = static_cast<int32_t>(LittleEndian(head + 18, 4));
    const auto height = static_cast<int32_t>(LittleEndian(head + 22, 4));
    if (head[0] != 'B' || head[1] != 'M' || LittleEndian(head + 14, 4) != 40 ||
        LittleEndian(head + 26, 2) != 1 || LittleEndian(head + 28, 2) != 24 ||
        LittleEndian(head + 30, 4) != 0 || width <= 0 || width > kArtworkWidth || height == 0 ||
        height < -kArtworkHeight || height > kArtworkHeight || pixelsAt < kHeaders)
        return QImage();
    const int rows = std::abs(height);
    const int stride = (width * 3 + 3) & ~3;
    QByteArray data(stride * rows, Qt::Uninitialized);
    if (!file.seek(pixelsAt) || file.read(data.data(), data.size()) != data.size()) {
        error = QStringLiteral("cut short");
        return QImage();
    }
    QImage image(width, rows, QImage::Format_RGB32);
    for (int row = 0; row < rows; ++row) {
        // Stored bottom-up unless the height is negative.
        const int stored = height > 0 ? rows - 1 - row : row;
        const auto* in = reinterpret_cast<const uchar*>(data.constData()) + stride * stored;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = 0; x < width; ++x, in += 3) out[x] = qRgb(in[2], in[1], in[0]);
    }
    return image;
}

}  // namespace

QImage ArtworkToImage(const QVector<uint32_t>& pixels) {
    const int rows = std::max(1, (pixels.size() + kWordsPerRow - 1) / kWordsPerRow);
    QImage image(kArtworkWidth, rows, QImage::Format_RGB32);
    image.fill(kUnused);
    for (int i = 0; i < pixels.size(); ++i) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(i / kWordsPerRow)) + (i % kWordsPerRow) * 32;
        for (int bit = 0; bit < 32; ++bit) line[bit] = (pixels[i] >> (31 - bit)) & 1u ? kLit : kDark;
    }
    return image;
}

bool ImageToArtwork(const QImage& source, QVector<uint32_t>& pixels) {
    pixels.clear();
    if (source.isNull() || source.width() % 32 != 0) return false;
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int wordsPerRow = image.width() / 32;
    for (int row = 0; row < image.height(); ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        for (int w = 0; w < wordsPerRow; ++w) {
            if (IsUnused(line[w * 32])) return true;
            uint32_t word = 0;
            for (int bit = 0; bit < 32; ++bit) word = word << 1 | uint32_t(IsLit(line[w * 32 + bit]));
            pixels.push_back(word);
        }
    }
    return true;
}

IHabitat& DefaultGlyphPress::Habitat() const {
    return habitat_ ? *habitat_ : IHabitat::Instance();
}

void DefaultGlyphPress::Log(const QString& message) const {
    (log_ ? *log_ : ITracebook::Instance()).WriteLog(message);
}

QImage DefaultGlyphPress::ReadImage(const QString& filePath, QString& error) const {
    QFile file;
    error = prefbook::OpenRegularFile(file, filePath);
    if (!error.isEmpty()) {
        if (!QFileInfo::exists(filePath)) error = QStringLiteral("no such file");
        return QImage();
    }
    const QImage plain = ReadPlainBmp(file, error);
    if (!plain.isNull() || !error.isEmpty()) return plain;
    if (!file.seek(0)) {
        error = file.errorString();
        return QImage();
    }
    QImageReader reader(&file);
    const QSize size = reader.size();
    if (size.width() > kLargestImageSide || size.height() > kLargestImageSide) {
        error = QString::number(size.width()) + "x" + QString::number(size.height()) + " is too large";
        return QImage();
    }
    const QImage image = reader.read();
    if (image.isNull()) error = QStringLiteral("not an image");
    return image;
}

bool DefaultGlyphPress::InsideArtworks(const QString& filePath, const QString& action) const {
    const QString artworks = Habitat().GetUserDir() + "/artworks";
    const QString root = QFileInfo(artworks).canonicalFilePath();
    const QFileInfo target(filePath);
    const QString folder = QFileInfo(target.absolutePath()).canonicalFilePath();
    // The folder resolved, links and all ("a/.." included); the file itself no link, since QSaveFile
    // writes through one.
    const bool inside = !root.isEmpty() && !folder.isEmpty() &&
                        (folder == root || folder.startsWith(root + QLatin1Char('/'))) && !target.isSymLink();
    if (!inside) Log(action + " " + filePath + " Failed : not a file inside " + artworks + ".");
    return inside;
}

bool DefaultGlyphPress::ConvertImage(const QString& source, const QString& target) {
    if (!InsideArtworks(target, QStringLiteral("Convert image to"))) return false;
    QString error;
    const QImage image = ReadImage(source, error);
    if (image.isNull()) {
        Log("Convert image " + source + " Failed : " + error + ".");
        return false;
    }
    const QByteArray format = QFileInfo(target).suffix().toLatin1();
    QSaveFile file(target);
    return file.open(QIODevice::WriteOnly) && image.save(&file, format.constData()) && file.commit();
}

// Written aside and renamed over the old image, so a crash never leaves half an image behind a
// document that names it. Only inside the artworks folder, whatever path a document led to.
void DefaultGlyphPress::SaveArtworkImage(const QVector<uint32_t>& pixels, QString filePath) {
    if (!InsideArtworks(filePath, QStringLiteral("Save artwork image"))) return;
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly) || !ArtworkToImage(pixels).save(&file, "BMP") || !file.commit()) {
        Log("Save artwork image " + filePath + " Failed.");
    }
}

void DefaultGlyphPress::LoadArtworkImage(QString filePath, QVector<uint32_t>& pixels) {
    pixels.clear();
    QString error;
    QImage image = ReadImage(filePath, error);
    if (image.isNull()) {
        Log("Load artwork image " + filePath + " Failed : " + error + ".");
        return;
    }
    if (image.width() > kArtworkWidth || image.height() > kArtworkHeight) {
        Log("Load artwork image " + filePath + " : " + QString::number(image.width()) + "x" +
            QString::number(image.height()) + " cut to the display's " + QString::number(kArtworkWidth) +
            "x" + QString::number(kArtworkHeight) + ".");
        image = image.copy(0, 0, std::min(image.width(), kArtworkWidth),
                           std::min(image.height(), kArtworkHeight));
    }
    if (!ImageToArtwork(image, pixels)) {
        Log("Load artwork image " + filePath + " Failed : width " + QString::number(image.width()) +
            " is not a whole number of words.");
    }
}

// <user folder>/artworks/<profile id>/<display profile name in its safe form>: whatever the name, one
// folder of its own inside the profile's.
void DefaultGlyphPress::GetArtworkFolder(int profileId, QString oledProfileName, QString& folder) {
    const QByteArray name = oledProfileName.toUtf8();
    folder = Habitat().GetUserDir() + "/artworks/" + QString::number(profileId) + QLatin1Char('/') +
             prefbook::SafeFileName(std::string(name.constData(), size_t(name.size())));
    if (!QDir().mkpath(folder)) Log("Create artwork folder " + folder + " Failed.");
}

IGlyphPress& IGlyphPress::Instance() {
    if (IGlyphPress* installed = g_installed.load(std::memory_order_acquire)) return *installed;
    static DefaultGlyphPress press;
    return press;
}

void IGlyphPress::Install(IGlyphPress* press) {
    g_installed.store(press, std::memory_order_release);
}
