#pragma once

#include <QDateTime>
#include <QDir>
#include <QIODevice>
#include <QStringList>
#include <QTemporaryDir>
#include <mutex>

#include "hostservices/IHabitat.h"
#include "hostservices/ITracebook.h"
#include "profilecore/StoreHost.h"

namespace prefbook::test {

// A habitat over a fresh temporary base folder. Profile folders are created on demand like the
// default habitat's.
class TempHabitat final : public IHabitat {
public:
    TempHabitat();
    explicit TempHabitat(const QString& base);

    const QString& GetAppDir() override { return base_; }
    const QString& GetBaseDir() override { return base_; }
    const QString& GetLogDir() override { return base_; }
    const QString& GetUserDir() override { return user_; }
    const QString& GetTempDir() override { return base_; }
    void GetProfileDir(int type, QString* dir) override;

    void SetBaseDir(const QString& base);
    QString ProfileDir(int type);  // the folder GetProfileDir gives, created

private:
    QTemporaryDir temp_;
    QString base_, user_;
};

// Keeps every log line so tests can assert exact texts.
class RecordingTracebook final : public ITracebook {
public:
    void WriteLog(const QString& message) override;
    void WriteLogDetail(const QString&) override {}  // free-form detail: nothing asserts it

    QStringList Lines() const;
    bool Contains(const QString& line) const { return Lines().contains(line); }
    int Count(const QString& line) const { return Lines().count(line); }
    void Clear();

private:
    mutable std::mutex mutex_;
    QStringList lines_;
};

// A clock that only moves when told, for saves within one second.
class ManualClock final : public Clock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26))) : now_(start) {}
    QDateTime Now() const override { return now_; }
    void SleepFor(int msecs) const override { now_ = now_.addMSecs(msecs); }
    void Set(const QDateTime& t) { now_ = t; }
    void Advance(int seconds) { now_ = now_.addSecs(seconds); }

private:
    mutable QDateTime now_;  // sleeping moves it, and the stores hold the clock as const
};

// A device that serves the first failAt bytes of data, then fails every read the way a bad block or
// a dropped network share does: an error, not an end. Its size stays the whole data's, so it is
// never at its end, until a reader that keeps asking has failed kGiveUp times: then it ends, so a
// reader that loops waiting for the end finishes and the test can tell.
class FailingDevice final : public QIODevice {
public:
    static constexpr int kGiveUp = 10000;
    FailingDevice(QByteArray data, qint64 failAt) : data_(std::move(data)), failAt_(failAt) {}
    qint64 size() const override { return data_.size(); }
    bool atEnd() const override { return GaveUp(); }
    bool GaveUp() const { return failures_ >= kGiveUp; }

protected:
    qint64 readData(char* out, qint64 max) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray data_;
    qint64 failAt_;
    qint64 offset_ = 0;
    int failures_ = 0;
};

// The three together, ready to hand to a store's constructor.
struct TestHost {
    TempHabitat habitat;
    RecordingTracebook log;
    ManualClock clock;
    StoreHost Host() { return {&habitat, &log, &clock}; }
};

// The process-wide services for code that reaches IHabitat::Instance() (Prefbook, Instance()):
// installed once; each test points the habitat at its own temporary folder.
TempHabitat& ProcessHabitat();
RecordingTracebook& ProcessTracebook();

// Small file helpers.
QStringList ListFolder(const QString& dir);  // file names, sorted by name
QByteArray ReadAll(const QString& path);
void WriteFile(const QString& path, const QByteArray& bytes);
// Writes "2025-01-01 10-<minute>-00.xml" into dir, modified at that time, so that documents are
// ordered by their minute; returns its path.
QString PutDocument(const QString& dir, int minute, const QByteArray& content);
// Sets a file's modification time, to order documents without sleeping.
void SetModified(const QString& path, const QDateTime& time);

}  // namespace prefbook::test
