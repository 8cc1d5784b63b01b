#include "hostservices/DefaultGlyphPress.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <atomic>

#include "hostservices/IHabitat.h"
#include "hostservices/ITracebook.h"

namespace {

constexpr int kWordsPerRow = kArtworkWidth / 32;
constexpr QRgb kLit = 0xFFFFFFFF;
constexpr QRgb kDark = 0xFF000000;
constexpr QRgb kUnused = 0xFF808080;

// Tolerant of viewers and editors that shift colours a little: bright is lit, dark is dark, the
// rest is the unused end.
enum class Shade { Lit, Dark, Unused };
Shade ShadeOf(QRgb rgb) {
    const int gray = qGray(rgb);
    if (gray >= 192) return Shade::Lit;
    if (gray < 64) return Shade::Dark;
    return Shade::Unused;
}

// A display profile name becomes one folder name: separators and characters Windows refuses are
// replaced, and a name of dots alone cannot climb out of the profile's folder.
QString FolderName(const QString& name) {
    QString safe = name;
    for (QChar& c : safe) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c)) c = QLatin1Char('_');
    }
    if (safe.isEmpty() || safe.count(QLatin1Char('.')) == safe.size()) safe.prepend(QLatin1Char('_'));
    return safe;
}

std::atomic<IGlyphPress*> g_installed{nullptr};

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
            if (ShadeOf(line[w * 32]) == Shade::Unused) return true;
            uint32_t word = 0;
            for (int bit = 0; bit < 32; ++bit) {
                if (ShadeOf(line[w * 32 + bit]) == Shade::Lit) word |= 1u << (31 - bit);
            }
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

bool DefaultGlyphPress::ConvertImage(const QString& source, const QString& target) {
    const QImage image(source);
    return !image.isNull() && image.save(target);
}

// Written aside and renamed over the old image, so a crash never leaves half an image behind a
// document that names it.
void DefaultGlyphPress::SaveArtworkImage(const QVector<uint32_t>& pixels, QString filePath) {
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly) || !ArtworkToImage(pixels).save(&file, "BMP") || !file.commit()) {
        Log("Save artwork image " + filePath + " Failed.");
    }
}

void DefaultGlyphPress::LoadArtworkImage(QString filePath, QVector<uint32_t>& pixels) {
    pixels.clear();
    if (!QFileInfo::exists(filePath)) {
        Log("Load artwork image " + filePath + " Failed : no such file.");
        return;
    }
    const QImage image(filePath);
    if (image.isNull()) {
        Log("Load artwork image " + filePath + " Failed : not an image.");
    } else if (!ImageToArtwork(image, pixels)) {
        Log("Load artwork image " + filePath + " Failed : width " + QString::number(image.width()) +
            " is not a whole number of words.");
    }
}

void DefaultGlyphPress::GetArtworkFolder(int profileId, QString oledProfileName, QString& folder) {
    folder = Habitat().GetUserDir() + "/artworks/" + QString::number(profileId) + QLatin1Char('/') +
             FolderName(oledProfileName);
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
