#include "catalogue/StoreCatalogue.h"

#include <QDir>

namespace prefbook::test {

std::vector<StoreEntry>& Catalogue() {
    static std::vector<StoreEntry> entries;
    return entries;
}

bool Register(StoreEntry (*entry)()) {
    Catalogue().push_back(entry());
    return true;
}

QByteArray SaveAndRead(TestHost& t, int deviceType, const QString& suffix,
                       const std::function<bool()>& save) {
    // A minute apart, so the name of the newest document sorts last.
    t.clock.Advance(60);
    EXPECT_TRUE(save());
    const QString dir = t.habitat.ProfileDir(deviceType);
    const QStringList files = QDir(dir).entryList({"*." + suffix}, QDir::Files, QDir::Name);
    return files.isEmpty() ? QByteArray() : ReadAll(dir + files.last());
}

void PutDated(const QString& dir, const QString& suffix, const QByteArray& bytes, int age) {
    const QDateTime when(QDate(2025, 1, 1), QTime(10, 59 - age));
    const QString path = dir + when.toString("yyyy-MM-dd hh-mm-ss.") + suffix;
    WriteFile(path, bytes);
    SetModified(path, when);
}

}  // namespace prefbook::test
