#include "support/TestHost.h"

#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <cstring>

#include "profilecore/DeviceType.h"

namespace prefbook::test {

TempHabitat::TempHabitat() {
    SetBaseDir(temp_.path());
}

TempHabitat::TempHabitat(const QString& base) {
    SetBaseDir(base);
}

void TempHabitat::SetBaseDir(const QString& base) {
    base_ = base;
    user_ = base + "/user";
}

void TempHabitat::GetProfileDir(int type, QString* dir) {
    *dir = base_ + "/profile/" + QString::fromStdString(ProfileFolderName(type)) + "/";
    QDir().mkpath(*dir);
}

QString TempHabitat::ProfileDir(int type) {
    QString dir;
    GetProfileDir(type, &dir);
    return dir;
}

void RecordingTracebook::WriteLog(const QString& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_ << message;
}

QStringList RecordingTracebook::Lines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

void RecordingTracebook::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.clear();
}

qint64 FailingDevice::readData(char* out, qint64 max) {
    if (offset_ >= failAt_) {
        if (GaveUp()) return 0;
        ++failures_;
        setErrorString(QStringLiteral("Input/output error"));
        return -1;
    }
    const qint64 n = std::min(max, failAt_ - offset_);
    memcpy(out, data_.constData() + offset_, static_cast<size_t>(n));
    offset_ += n;
    return n;
}

namespace {
struct ProcessServices {
    TempHabitat habitat;
    RecordingTracebook log;
    ProcessServices() {
        IHabitat::Install(&habitat);
        ITracebook::Install(&log);
    }
};
ProcessServices& Services() {
    static ProcessServices services;
    return services;
}
}  // namespace

TempHabitat& ProcessHabitat() {
    return Services().habitat;
}
RecordingTracebook& ProcessTracebook() {
    return Services().log;
}

QStringList ListFolder(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QString PutDocument(const QString& dir, int minute, const QByteArray& content) {
    const QString path = dir + QString("2025-01-01 10-%1-00.xml").arg(minute, 2, 10, QChar('0'));
    WriteFile(path, content);
    SetModified(path, QDateTime(QDate(2025, 1, 1), QTime(10, minute)));
    return path;
}

void SetModified(const QString& path, const QDateTime& time) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

}  // namespace prefbook::test
