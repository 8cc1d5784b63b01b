#pragma once

#include <QDateTime>
#include <QString>

class IHabitat;
class ITracebook;

namespace prefbook {

// Source of the local time that names documents; tests replace it to save twice in one second.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;
    // Lets the time pass; a save waits here for the next second. Test clocks just move on.
    virtual void SleepFor(int msecs) const;
};

class SystemClock final : public Clock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    static const SystemClock& Instance();
};

class FileSteps;

// The services a store reaches the outside world through. Instance() accessors build stores with
// Process(); tests build them with temporary folders, a recording log and a manual clock.
struct StoreHost {
    IHabitat* habitat;
    ITracebook* log;
    const Clock* clock;
    // The durable file steps of a save; null means the real ones. Tests watch and race them.
    const FileSteps* steps = nullptr;

    static StoreHost Process();

    void Log(const QString& message) const;
    void LogDetail(const QString& message) const;
    QString ProfileDir(int deviceType) const;
};

}  // namespace prefbook
