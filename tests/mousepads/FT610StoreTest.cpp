#include <gtest/gtest.h>

#include <QDateTime>
#include <cstring>

#include "devices/mousepads/FT610Document.h"
#include "devices/mousepads/FT610ProfileCfgImpl.h"
#include "settings/DeviceType.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

class FT610StoreTest : public ::testing::Test {
protected:
    TestHost t;
    QString dir = t.habitat.ProfileDir(FT610);

    QByteArray Bytes(IFT610ProfileCfg& store) {
        return QByteArray(reinterpret_cast<const char*>(store.GetRecord()), sizeof(FT610Record));
    }
    // A document with a given modification time, minutes after a fixed start.
    void Document(const QString& name, const QByteArray& bytes, int minute) {
        WriteFile(dir + name, bytes);
        SetModified(dir + name, QDateTime(QDate(2025, 1, 1), QTime(10, minute)));
    }
};

TEST_F(FT610StoreTest, ShortNewestDocumentLoadsItsBytesThenZeros) {
    Document("2025-01-01 10-00-00.bin", QByteArray(150, '\xAA'), 0);
    Document("2025-01-01 10-01-00.bin", QByteArray(100, '\x11'), 1);
    FT610ProfileCfgImpl store(t.Host());
    EXPECT_EQ(Bytes(store), QByteArray(100, '\x11') + QByteArray(50, '\0'));

    // Read into a record already in use, a short document still leaves zeros behind it.
    FT610Record used;
    std::memset(&used, 0xEE, sizeof(used));
    ASSERT_TRUE(ReadFT610Document(dir + "2025-01-01 10-01-00.bin", used));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&used), sizeof(used)),
              QByteArray(100, '\x11') + QByteArray(50, '\0'));
    EXPECT_FALSE(ReadFT610Document(dir + "missing.bin", used));
}

TEST_F(FT610StoreTest, OnlyBinDocumentsAreTaken) {
    Document("2025-01-01 10-00-00.bin", QByteArray(150, '\x22'), 0);
    Document("2025-01-01 10-01-00.xml", QByteArray(150, '\x33'), 1);
    Document("2025-01-01 10-02-00.tmp", QByteArray(150, '\x44'), 2);
    FT610ProfileCfgImpl store(t.Host());
    EXPECT_EQ(Bytes(store), QByteArray(150, '\x22'));
}

TEST_F(FT610StoreTest, FieldsMapOntoTheirBytesLittleEndian) {
    FT610ProfileCfgImpl store(t.Host());
    store.SetHeaderA(0x11223344u);
    store.SetHeaderB(0xA0B0C0D0u);
    uint8_t tail[kFT610TailSize];
    for (size_t i = 0; i < sizeof(tail); ++i) tail[i] = static_cast<uint8_t>(i + 1);
    store.SetTailBlock(tail);

    const QByteArray bytes = Bytes(store);
    EXPECT_EQ(bytes.left(8), QByteArray("\x44\x33\x22\x11\xD0\xC0\xB0\xA0", 8));
    EXPECT_EQ(bytes.mid(8, 84), QByteArray(84, '\0'));
    EXPECT_EQ(bytes.mid(92), QByteArray(reinterpret_cast<const char*>(tail), sizeof(tail)));
    EXPECT_EQ(store.GetTailBlock(), reinterpret_cast<const uint8_t*>(store.GetRecord()) + 92);
    EXPECT_EQ(store.GetHeaderA(), 0x11223344u);
    EXPECT_EQ(store.GetHeaderB(), 0xA0B0C0D0u);

    FT610Record whole;
    std::memset(&whole, 0x5A, sizeof(whole));
    store.SetRecord(&whole);
    store.SetRecord(nullptr);
    EXPECT_EQ(Bytes(store), QByteArray(150, '\x5A'));
}

}  // namespace
}  // namespace prefbook::test
