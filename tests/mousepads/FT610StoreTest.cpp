#include <gtest/gtest.h>

#include <QDateTime>
#include <cstring>

#include "devices/mousepads/FT610Document.h"
#include "devices/mousepads/FT610ProfileCfgImpl.h"
#include "profilecore/DeviceType.h"
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

TEST_F(FT610StoreTest, OnlyBinDocumentsAreTaken) {
    Document("2025-01-01 10-00-00.bin", QByteArray(150, '\x22'), 0);
    Document("2025-01-01 10-01-00.xml", QByteArray(150, '\x33'), 1);
    Document("2025-01-01 10-02-00.tmp", QByteArray(150, '\x44'), 2);
    FT610ProfileCfgImpl store(t.Host());
    EXPECT_EQ(Bytes(store), QByteArray(150, '\x22'));
}

// The byte layout is proven by the golden documents; a null record must not be dereferenced.
TEST_F(FT610StoreTest, SetRecordIgnoresANullRecord) {
    FT610ProfileCfgImpl store(t.Host());
    FT610Record whole;
    std::memset(&whole, 0x5A, sizeof(whole));
    store.SetRecord(&whole);
    store.SetRecord(nullptr);
    EXPECT_EQ(Bytes(store), QByteArray(150, '\x5A'));
}

}  // namespace
}  // namespace prefbook::test
