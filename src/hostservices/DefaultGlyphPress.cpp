#include <atomic>

#include "hostservices/IGlyphPress.h"

namespace {

// Until a host installs its converter the default keeps no images: saving writes nothing and loading
// yields no pixels, so a store that asks still gets well-defined results.
class DefaultGlyphPress final : public IGlyphPress {
public:
    bool ConvertImage(const QString&, const QString&) override { return false; }
    void SaveArtworkImage(const QVector<uint32_t>&, QString) override {}
    void LoadArtworkImage(QString, QVector<uint32_t>& pixels) override { pixels.clear(); }
    void ClearArtworkCache() override {}
    void GetArtworkFolder(int, QString, QString& folder) override { folder.clear(); }
};

std::atomic<IGlyphPress*> g_installed{nullptr};

}  // namespace

IGlyphPress& IGlyphPress::Instance() {
    if (IGlyphPress* installed = g_installed.load(std::memory_order_acquire)) return *installed;
    static DefaultGlyphPress press;
    return press;
}

void IGlyphPress::Install(IGlyphPress* press) {
    g_installed.store(press, std::memory_order_release);
}
