#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>

#include "hostile/ReaderCatalog.h"
#include "hostservices/DefaultGlyphPress.h"

namespace {

bool WriteSeed(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// Artwork images as the converter writes them: a full display and a short one, in BMP and in PNG.
bool WriteArtworkSeeds(const QDir& out) {
    const QString folder = out.filePath(QStringLiteral("artwork"));
    QDir().mkpath(folder);
    for (int words : {256, 5}) {
        QVector<uint32_t> pixels;
        for (int i = 0; i < words; ++i) pixels.push_back(0x9E3779B9u * uint32_t(i + 1));
        for (const char* format : {"BMP", "PNG"}) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            if (!ArtworkToImage(pixels).save(&buffer, format)) return false;
            if (!WriteSeed(
                    folder + "/" + QString::number(words) + "." + QString::fromLatin1(format).toLower(),
                    bytes))
                return false;
        }
    }
    std::printf("artwork\n");
    return true;
}

}  // namespace

// Writes the default and the rich sample of every catalogue reader into <out>/<reader>/, the seed
// corpus of each harness, and artwork images into <out>/artwork/.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const prefbook::readers::ReaderEntry& entry : prefbook::readers::Catalog()) {
        const QString folder = out.filePath(QLatin1String(entry.name));
        QDir().mkpath(folder);
        const std::pair<const char*, QByteArray> seeds[] = {{"default", entry.defaultSample()},
                                                            {"rich", entry.richSample()}};
        for (const auto& seed : seeds) {
            if (!WriteSeed(folder + "/" + seed.first, seed.second)) return 1;
        }
        std::printf("%s\n", entry.name);
    }
    return WriteArtworkSeeds(out) ? 0 : 1;
}
