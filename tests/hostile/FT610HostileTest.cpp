#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <cstring>

#include "devices/mousepads/FT610Document.h"
#include "support/TestHost.h"
#include "support/WithoutWaiting.h"

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

// Nothing but a regular file is read: a missing file, a folder, a FIFO (no writer: a blocking open or
// read would wait for ever, so the reads run in a child that an alarm ends) or a device reads as
// missing, with one line.
TEST(FT610Hostile, OnlyARegularFileIsRead) {
    TestHost t;
    const QString base = t.habitat.GetBaseDir();
    ASSERT_TRUE(QDir().mkpath(base + "/folder.bin"));
    ASSERT_EQ(mkfifo(QFile::encodeName(base + "/fifo.bin").constData(), 0600), 0);
    const std::pair<QString, const char*> cases[] = {{base + "/absent.bin", "No such file or directory"},
                                                     {base + "/folder.bin", "not a regular file"},
                                                     {base + "/fifo.bin", "not a regular file"},
                                                     {"/dev/zero", "not a regular file"}};
    ExpectNoWait([&] {
        const StoreHost host = t.Host();
        for (const auto& [path, reason] : cases) {
            t.log.Clear();
            FT610Record record;
            std::memset(&record, 0x5A, sizeof record);
            EXPECT_FALSE(ReadFT610Document(path, record, &host)) << path.toStdString();
            const FT610Record zero{};
            EXPECT_EQ(std::memcmp(&record, &zero, sizeof record), 0);
            EXPECT_EQ(t.log.Lines(), QStringList("Open " + path + " Failed : " + reason));
        }
    });
}

}  // namespace
}  // namespace prefbook::test
