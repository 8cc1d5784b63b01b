#pragma once

#include <QImage>
#include <QString>
#include <QVector>
#include <cstdint>

#include "hostservices/HostExport.h"
#include "hostservices/IGlyphPress.h"

class IHabitat;
class ITracebook;

// Artwork images. A pixel word holds 32 display pixels, the most significant bit leftmost, a set bit
// lit. An image shows the words row by row, kArtworkWidth pixels (four words) a row: lit pixels
// white, dark ones black, and the unused end of the last row grey, which is how a reader knows the
// exact number of words (an empty artwork is one grey row).
constexpr int kArtworkWidth = 128;
// The display shows 128 x 64 pixels (256 words); a larger image read from a file is cut to it.
constexpr int kArtworkHeight = 64;

PREFBOOK_HOST_EXPORT QImage ArtworkToImage(const QVector<uint32_t>& pixels);
// False (pixels empty) for an image whose width is not a whole number of words.
PREFBOOK_HOST_EXPORT bool ImageToArtwork(const QImage& image, QVector<uint32_t>& pixels);

// The default converter: artwork images are BMP files in
// <user folder>/artworks/<profile id>/<display profile name in its safe file name form>, the folder
// created when asked for. It writes nowhere else, whatever path it is handed, and reads only regular
// files. Without a habitat or log given it uses the installed ones at every call.
class PREFBOOK_HOST_EXPORT DefaultGlyphPress final : public IGlyphPress {
public:
    explicit DefaultGlyphPress(IHabitat* habitat = nullptr, ITracebook* log = nullptr)
        : habitat_(habitat), log_(log) {}

    bool ConvertImage(const QString& source, const QString& target) override;
    void SaveArtworkImage(const QVector<uint32_t>& pixels, QString filePath) override;
    void LoadArtworkImage(QString filePath, QVector<uint32_t>& pixels) override;
    void ClearArtworkCache() override {}  // nothing is cached: every load reads the file
    void GetArtworkFolder(int profileId, QString oledProfileName, QString& folder) override;

private:
    IHabitat& Habitat() const;
    // The image at filePath, null with the reason when it is no regular file, no image or far too large.
    QImage ReadImage(const QString& filePath, QString& error) const;
    // Whether writing filePath stays inside <user folder>/artworks; logged (action + path) when not.
    bool InsideArtworks(const QString& filePath, const QString& action) const;
    void Log(const QString& message) const;

    IHabitat* habitat_;
    ITracebook* log_;
};
