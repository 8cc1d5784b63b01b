#pragma once

#include "hostservices/IGlyphPress.h"

namespace prefbook::test {

// An image converter that keeps nothing: artwork images never reach a file, so readers and writers
// of the display mouse can run over any input (hostile tests, fuzzing) and be measured without the
// image work (benchmarks).
class NullGlyphPress final : public IGlyphPress {
public:
    bool ConvertImage(const QString&, const QString&) override { return false; }
    void SaveArtworkImage(const QVector<uint32_t>&, QString) override {}
    void LoadArtworkImage(QString, QVector<uint32_t>& pixels) override { pixels.clear(); }
    void ClearArtworkCache() override {}
    void GetArtworkFolder(int id, QString name, QString& folder) override {
        folder = "art/" + QString::number(id) + "/" + name;
    }

    static NullGlyphPress& Shared() {
        static NullGlyphPress press;
        return press;
    }
};

}  // namespace prefbook::test
