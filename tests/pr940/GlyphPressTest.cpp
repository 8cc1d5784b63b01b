#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <QImageReader>

#include "hostservices/DefaultGlyphPress.h"
#include "pr940/PR940TestSupport.h"
#include "profilecore/DeviceType.h"
#include "support/TestHost.h"
#include "support/WithoutWaiting.h"

namespace prefbook::test {
namespace {

constexpr int kLargest = 4096;  // the side above which an image is not decoded

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

// A FIFO, a device or a folder at an image path reads as missing without waiting: run in a child
// that an alarm ends, so a read that blocks fails the test instead of hanging it.
TEST(DefaultGlyphPress, UnreadableImagesGiveNoPixelsAndOneLine) {
    TestHost t;
    DefaultGlyphPress press(&t.habitat, &t.log);
    const QString base = t.habitat.GetBaseDir();
    WriteFile(base + "/not.bmp", "hello");
    QImage(40, 2, QImage::Format_RGB32).save(base + "/narrow.bmp");
    QImage(kLargest + 32, 1, QImage::Format_Mono).save(base + "/huge.bmp");
    ASSERT_EQ(mkfifo(QFile::encodeName(base + "/fifo.bmp").constData(), 0600), 0);
    QDir().mkpath(base + "/folder.bmp");
    const std::pair<QString, const char*> cases[] = {
        {base + "/not.bmp", "not an image."},
        {base + "/narrow.bmp", "width 40 is not a whole number of words."},
        {base + "/huge.bmp", "4128x1 is too large."},
        {base + "/missing.bmp", "no such file."},
        {base + "/fifo.bmp", "not a regular file."},
        {base + "/folder.bmp", "not a regular file."},
        {"/dev/zero", "not a regular file."},
    };
    ExpectNoWait([&] {
        for (const auto& [path, reason] : cases) {
            t.log.Clear();
            QVector<uint32_t> pixels{1, 2};
            press.LoadArtworkImage(path, pixels);
            EXPECT_TRUE(pixels.isEmpty()) << path.toStdString();
            EXPECT_EQ(t.log.Lines(), QStringList("Load artwork image " + path + " Failed : " + reason));
        }
    });
}

// What the display cannot show is cut off: the top left 128 x 64 pixels are the artwork.
TEST(DefaultGlyphPress, LargerImagesAreCutToTheDisplay) {
    TestHost t;
    DefaultGlyphPress press(&t.habitat, &t.log);
    QImage image(kArtworkWidth + 70, kArtworkHeight + 9, QImage::Format_RGB32);
    image.fill(0xFF000000u);
    for (int y = 0; y < image.height(); ++y) image.setPixel((y * 7) % image.width(), y, 0xFFFFFFFFu);
    const QString path = t.habitat.GetBaseDir() + "/large.bmp";
    ASSERT_TRUE(image.save(path));
    QVector<uint32_t> pixels;
    press.LoadArtworkImage(path, pixels);
    QVector<uint32_t> expected;
    ImageToArtwork(image.copy(0, 0, kArtworkWidth, kArtworkHeight), expected);
    ASSERT_EQ(expected.size(), kArtworkWidth * kArtworkHeight / 32);
    EXPECT_EQ(pixels, expected);
    EXPECT_EQ(t.log.Lines(),
              QStringList("Load artwork image " + path + " : 198x73 cut to the display's 128x64."));
}

// A 24-bit BMP written by hand: the header fields a reader must honour, every pixel from a few shades
// around the lit and dark thresholds.
QByteArray HandMadeBmp(int width, int height, uint32_t pixelsAt, uint32_t seed) {
    const int rows = std::abs(height);
    const int stride = (width * 3 + 3) & ~3;
    QByteArray bmp(int(pixelsAt) + stride * rows, '\0');
    const auto put = [&bmp](int at, int bytes, uint32_t value) {
        for (int i = 0; i < bytes; ++i, value >>= 8) bmp[at + i] = char(value & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, 4, uint32_t(bmp.size()));
    put(10, 4, pixelsAt);
    put(14, 4, 40);
    put(18, 4, uint32_t(width));
    put(22, 4, uint32_t(height));
    put(26, 2, 1);
    put(28, 2, 24);
    const uint8_t shades[] = {0, 63, 64, 100, 191, 192, 200, 255};
    for (int i = int(pixelsAt); i < bmp.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        bmp[i] = char(shades[(seed >> 16) % 8]);
    }
    return bmp;
}

// Artwork BMPs are decoded without an image plugin; whatever the header says, the words and the log
// are those of a read through QImageReader. Files of this form cut short are refused (QImageReader
// would give whatever memory held for the missing rows).
TEST(DefaultGlyphPress, HandDecodedBmpsGiveWhatQImageGives) {
    TestHost t;
    DefaultGlyphPress press(&t.habitat, &t.log);
    struct Form {
        int width, height;
        uint32_t pixelsAt;
        int cut;  // bytes missing at the end
    };
    const Form forms[] = {{128, 64, 54, 0}, {128, -64, 54, 0}, {128, 3, 54, 0}, {128, 1, 70, 0},
                          {96, 5, 54, 0},   {100, 2, 54, 0},   {33, 1, 54, 0},  {128, 65, 54, 0},
                          {160, 4, 54, 0},  {128, 2, 54, 7},   {128, -3, 54, 1}};
    uint32_t seed = 1;
    for (const Form& f : forms) {
        for (int round = 0; round < 3; ++round, ++seed) {
            SCOPED_TRACE(testing::Message() << f.width << "x" << f.height << " at " << f.pixelsAt << " cut "
                                            << f.cut << " seed " << seed);
            QByteArray bmp = HandMadeBmp(f.width, f.height, f.pixelsAt, seed);
            bmp.chop(f.cut);
            const QString path = t.habitat.GetBaseDir() + "/hand.bmp";
            WriteFile(path, bmp);
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            QImageReader reader(&file);  // as the converter always read: the size first, then the image
            const QSize size = reader.size();
            QImage image =
                size.width() > kLargest || size.height() > kLargest || f.cut ? QImage() : reader.read();
            QVector<uint32_t> expected;
            if (!image.isNull()) {
                image = image.copy(0, 0, std::min(image.width(), kArtworkWidth),
                                   std::min(image.height(), kArtworkHeight));
                ImageToArtwork(image, expected);
            }
            t.log.Clear();
            QVector<uint32_t> words{7};
            press.LoadArtworkImage(path, words);
            EXPECT_EQ(words, expected);
            if (f.cut) {
                EXPECT_EQ(t.log.Lines(), QStringList("Load artwork image " + path + " Failed : cut short."));
            } else {
                EXPECT_EQ(t.log.Lines().size(), image.isNull() || f.width % 32 || f.width > kArtworkWidth ||
                                                        std::abs(f.height) > kArtworkHeight
                                                    ? 1
                                                    : 0);
            }
        }
    }
}

// Whatever path it is handed, the converter writes inside <user folder>/artworks only: not above it,
// not through a link planted in it, not at a name that is a link.
TEST(DefaultGlyphPress, WritesNothingOutsideTheArtworksFolder) {
    TestHost t;
    DefaultGlyphPress press(&t.habitat, &t.log);
    const QString artworks = t.habitat.GetUserDir() + "/artworks";
    const QString outside = t.habitat.GetBaseDir() + "/outside";
    QDir().mkpath(outside);
    press.SaveArtworkImage({1}, outside + "/early.bmp");  // no artworks folder yet: nothing is inside it
    EXPECT_EQ(t.log.Lines(), QStringList("Save artwork image " + outside +
                                         "/early.bmp Failed : not a file inside " + artworks + "."));
    QString folder;
    press.GetArtworkFolder(0, "..", folder);  // a name cannot lead out of the profile's folder
    EXPECT_EQ(folder, artworks + "/0/%2E%2E");
    ASSERT_TRUE(QFile::link(outside, artworks + "/0/linked"));
    ASSERT_TRUE(QFile::link(outside + "/target.bmp", artworks + "/0/dangling.bmp"));
    const QString refused[] = {outside + "/evil.bmp", artworks + "/../evil.bmp", artworks + "/0/%2E%2E/../..",
                               artworks + "/0/linked/evil.bmp", artworks + "/0/dangling.bmp"};
    ArtworkToImage({1}).save(t.habitat.GetBaseDir() + "/source.bmp");
    for (const QString& path : refused) {
        SCOPED_TRACE(path.toStdString());
        t.log.Clear();
        press.SaveArtworkImage({0xFFu}, path);
        EXPECT_FALSE(press.ConvertImage(t.habitat.GetBaseDir() + "/source.bmp", path));
        EXPECT_EQ(
            t.log.Lines(),
            QStringList({"Save artwork image " + path + " Failed : not a file inside " + artworks + ".",
                         "Convert image to " + path + " Failed : not a file inside " + artworks + "."}));
    }
    EXPECT_TRUE(QDir(outside).entryList(QDir::Files | QDir::System).isEmpty());
    EXPECT_EQ(QDir(t.habitat.GetUserDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList("artworks"));
    EXPECT_TRUE(press.ConvertImage(t.habitat.GetBaseDir() + "/source.bmp", folder + "/copy.bmp"));
    QVector<uint32_t> copied;
    press.LoadArtworkImage(folder + "/copy.bmp", copied);
    EXPECT_EQ(copied, QVector<uint32_t>({1}));
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
