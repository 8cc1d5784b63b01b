#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>

#include "hostservices/DefaultGlyphPress.h"
#include "pr940/PR940TestSupport.h"
#include "profilecore/DeviceType.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

TEST(DefaultGlyphPress, ArtworksAreRealBmpFilesThatGiveBackEveryWord) {
    TestHost t;
    DefaultGlyphPress press(&t.habitat, &t.log);
    QString folder;
    press.GetArtworkFolder(3, "Show", folder);
    EXPECT_EQ(folder, t.habitat.GetUserDir() + "/artworks/3/Show");
    for (int count : {0, 1, 4, 5, 11}) {
        SCOPED_TRACE(count);
        QVector<uint32_t> words;
        for (int i = 0; i < count; ++i) words.push_back(0x80000001u ^ (0x9E3779B9u * uint32_t(i + 1)));
        const QString path = folder + "/a" + QString::number(count) + ".bmp";
        press.SaveArtworkImage(words, path);
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), "bmp");
        const QImage image = reader.read();
        EXPECT_EQ(image.size(), QSize(kArtworkWidth, std::max(1, (count + 3) / 4)));
        QVector<uint32_t> back{42};
        press.LoadArtworkImage(path, back);
        EXPECT_EQ(back, words);
    }
    // Bit 31 is the leftmost pixel, lit white.
    const QImage one = ArtworkToImage({0x80000000u});
    EXPECT_EQ(one.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(one.pixel(1, 0), 0xFF000000u);
    EXPECT_TRUE(t.log.Lines().isEmpty());
}

TEST(DefaultGlyphPress, UnreadableImagesGiveNoPixelsAndOneLine) {
    TestHost t;
    DefaultGlyphPress press(&t.habitat, &t.log);
    const QString text = t.habitat.GetBaseDir() + "/not.bmp";
    WriteFile(text, "hello");
    const QString narrow = t.habitat.GetBaseDir() + "/narrow.bmp";
    QImage(40, 2, QImage::Format_RGB32).save(narrow);
    for (const QString& path : {text, narrow, t.habitat.GetBaseDir() + "/missing.bmp"}) {
        t.log.Clear();
        QVector<uint32_t> pixels{1, 2};
        press.LoadArtworkImage(path, pixels);
        EXPECT_TRUE(pixels.isEmpty()) << path.toStdString();
        EXPECT_EQ(t.log.Lines().size(), 1);
    }
    // A display profile name cannot lead out of the profile's folder.
    QString folder;
    press.GetArtworkFolder(0, "..", folder);
    EXPECT_TRUE(QDir(folder).canonicalPath().startsWith(
        QDir(t.habitat.GetUserDir() + "/artworks/0").canonicalPath() + "/"));
}

TEST(DefaultGlyphPress, StoreArtworksSurviveASaveAndReload) {
    TestHost t;
    DefaultGlyphPress press(&t.habitat, &t.log);
    const QVector<uint32_t> words{0xF0F0F0F0u, 0, 0xFFFFFFFFu, 1, 0x12345678u};
    {
        PR940ProfileCfgImpl store(t.Host(), press);
        store.AddOledProfile(2, "op");
        store.AddArtwork(2, "op", "heart");
        store.SetArtworkPixels(2, "op", "heart", words);
        ASSERT_TRUE(store.SaveProfile());
    }
    PR940ProfileCfgImpl reloaded(t.Host(), press);
    QVector<uint32_t> back;
    ASSERT_TRUE(reloaded.GetArtworkPixels(2, "op", "heart", back));
    EXPECT_EQ(back, words);
    EXPECT_TRUE(QFile::exists(t.habitat.GetUserDir() + "/artworks/2/op/heart.bmp"));
}

}  // namespace
}  // namespace prefbook::test
