#include "BackupArtwork.h"

#include <QDir>
#include <QFileInfo>

#include "ToolHost.h"
#include "devices/mice/PR940Document.h"
#include "hostservices/IHabitat.h"

namespace prefbookctl {

namespace {

QHash<QString, QString>& Redirects() {
    static QHash<QString, QString> images;  // the tool is single-threaded
    return images;
}

// Notes the paths the reader asks for and loads nothing.
class PathRecorder final : public IGlyphPress {
public:
    bool ConvertImage(const QString&, const QString&) override { return false; }
    void SaveArtworkImage(const QVector<uint32_t>&, QString) override {}
    void LoadArtworkImage(QString filePath, QVector<uint32_t>&) override { paths << filePath; }
    void ClearArtworkCache() override {}
    void GetArtworkFolder(int, QString, QString&) override {}

    QStringList paths;
};

}  // namespace

ToolGlyphPress::ToolGlyphPress() : inner_(ToolHost().habitat, ToolHost().log) {}
ToolGlyphPress::~ToolGlyphPress() = default;

bool ToolGlyphPress::ConvertImage(const QString& source, const QString& target) {
    return inner_.ConvertImage(source, target);
}
void ToolGlyphPress::SaveArtworkImage(const QVector<uint32_t>& pixels, QString filePath) {
    inner_.SaveArtworkImage(pixels, filePath);
}
void ToolGlyphPress::LoadArtworkImage(QString filePath, QVector<uint32_t>& pixels) {
    inner_.LoadArtworkImage(Redirects().value(filePath, filePath), pixels);
}
void ToolGlyphPress::ClearArtworkCache() {
    inner_.ClearArtworkCache();
}
void ToolGlyphPress::GetArtworkFolder(int profileId, QString oledProfileName, QString& folder) {
    inner_.GetArtworkFolder(profileId, oledProfileName, folder);
}

void RedirectArtworkImages(const QHash<QString, QString>& images) {
    Redirects() = images;
}

QStringList ArtworkImagesOf(const QString& documentPath) {
    PathRecorder recorder;
    prefbook::PR940Document doc;
    prefbook::ReadPR940DocumentFile(ToolHost(), recorder, documentPath, doc);
    TakeLog();
    const QString root = QDir(IHabitat::Instance().GetUserDir() + "/artworks").canonicalPath();
    QStringList images;
    for (const QString& path : recorder.paths) {
        const QFileInfo file(path);
        const QString real = file.canonicalFilePath();
        if (root.isEmpty() || !file.isFile() || !real.startsWith(root + '/') || images.contains(path))
            continue;
        images << path;
    }
    return images;
}

}  // namespace prefbookctl
