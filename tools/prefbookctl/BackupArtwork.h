#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

#include "hostservices/DefaultGlyphPress.h"

// PR940 artwork images in backups. A PR940 document names each artwork's image by a full path on the
// machine that saved it; a backup carries those images, and while it is restored the paths lead to
// the carried copies, so the store reads the pixels from the backup and its save writes them to the
// artwork folders of this machine under the names the library gives them.
namespace prefbookctl {

// The converter the tool's PR940 stores use: the default one, with image paths redirected while a
// backup is restored.
class ToolGlyphPress final : public IGlyphPress {
public:
    ToolGlyphPress();
    ~ToolGlyphPress();

    bool ConvertImage(const QString& source, const QString& target) override;
    void SaveArtworkImage(const QVector<uint32_t>& pixels, QString filePath) override;
    void LoadArtworkImage(QString filePath, QVector<uint32_t>& pixels) override;
    void ClearArtworkCache() override;
    void GetArtworkFolder(int profileId, QString oledProfileName, QString& folder) override;

private:
    DefaultGlyphPress inner_;
};

// Image path as a document names it -> file holding that image; empty to end the redirection.
void RedirectArtworkImages(const QHash<QString, QString>& images);

// The image files a PR940 document's artworks are read from, as the store's reader asks for them,
// keeping only regular files inside this machine's artwork folders: a document names any path, and a
// backup must not carry files from elsewhere. (The default converter reads and writes images only
// under <user folder>/artworks/, each named by the SafeFileName of its artwork's name; a restore's
// save names them afresh, so a backup from a machine with other names lands under this one's.)
QStringList ArtworkImagesOf(const QString& documentPath);

}  // namespace prefbookctl
