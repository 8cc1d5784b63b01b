#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "hostservices/DefaultGlyphPress.h"
#include "hostservices/IHabitat.h"
#include "hostservices/ITracebook.h"

// Artwork images come from a user's folder, so any bytes can sit at an artwork's path. Besides the
// sanitizers: every image that reads gives words that are written and read back unchanged.
namespace {

class FuzzHabitat final : public IHabitat {
public:
    FuzzHabitat() : base_(dir_.path()) { QDir().mkpath(base_ + "/artworks"); }
    const QString& GetAppDir() override { return base_; }
    const QString& GetBaseDir() override { return base_; }
    const QString& GetLogDir() override { return base_; }
    const QString& GetUserDir() override { return base_; }
    const QString& GetTempDir() override { return base_; }
    void GetProfileDir(int, QString* dir) override { *dir = base_ + "/"; }

private:
    QTemporaryDir dir_;
    QString base_;
};

class QuietTracebook final : public ITracebook {
public:
    void WriteLog(const QString&) override {}
    void WriteLogDetail(const QString&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzHabitat habitat;
    static QuietTracebook quiet;
    static DefaultGlyphPress press(&habitat, &quiet);
    static const QString input = habitat.GetUserDir() + "/artworks/input.bmp";
    static const QString output = habitat.GetUserDir() + "/artworks/output.bmp";
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();
    QVector<uint32_t> words;
    press.LoadArtworkImage(input, words);
    if (words.isEmpty()) return 0;
    press.SaveArtworkImage(words, output);
    QVector<uint32_t> back;
    press.LoadArtworkImage(output, back);
    if (back != words) {
        std::fprintf(stderr, "artwork: %d words read back as %d others\n", words.size(), back.size());
        std::abort();
    }
    return 0;
}
