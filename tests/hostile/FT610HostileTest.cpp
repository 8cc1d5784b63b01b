#include <gtest/gtest.h>

#include <QDir>
#include <cstring>

#include "devices/mousepads/FT610Document.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

// The FT610 document is raw bytes with no structure to violate; what can go wrong is its length.
// Whatever the length, the record holds the file's first bytes and zeros after them.
TEST(FT610Hostile, AnyLengthFillsThe150BytesAndNeverMore) {
    TestHost t;
    const QString path = t.habitat.GetBaseDir() + "/doc.bin";
    for (int size : {0, 1, 149, 150, 151, 10 * 1024 * 1024}) {
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(0xA5 ^ (i * 7));
        WriteFile(path, bytes);
        FT610Record record;
        std::memset(&record, 0x5A, sizeof record);
        ASSERT_TRUE(ReadFT610Document(path, record)) << size;
        const QByteArray got(reinterpret_cast<const char*>(&record), sizeof record);
        const int kept = std::min<int>(size, sizeof record);
        EXPECT_EQ(got.left(kept), bytes.left(kept)) << size;
        EXPECT_EQ(got.mid(kept), QByteArray(static_cast<int>(sizeof record) - kept, '\0')) << size;
    }
}

TEST(FT610Hostile, MissingFileOrFolderInItsPlaceGivesZeros) {
    TestHost t;
    FT610Record record;
    std::memset(&record, 0x5A, sizeof record);
    EXPECT_FALSE(ReadFT610Document(t.habitat.GetBaseDir() + "/absent.bin", record));
    const FT610Record zero{};
    EXPECT_EQ(std::memcmp(&record, &zero, sizeof record), 0);

    const QString folder = t.habitat.GetBaseDir() + "/folder.bin";
    ASSERT_TRUE(QDir().mkpath(folder));
    std::memset(&record, 0x5A, sizeof record);
    ReadFT610Document(folder, record);  // may open on some systems; must not read anything then
    EXPECT_EQ(std::memcmp(&record, &zero, sizeof record), 0);
}

}  // namespace
}  // namespace prefbook::test
