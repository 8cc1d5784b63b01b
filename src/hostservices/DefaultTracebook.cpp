#include <QDateTime>
#include <QDir>
#include <QFile>
#include <atomic>
#include <mutex>

#include "hostservices/IHabitat.h"
#include "hostservices/ITracebook.h"

namespace {

// Appends timestamped lines to <base>/log/prefbook.log. One mutex orders the lines of all threads;
// the file is opened per line so that a crash never loses buffered lines.
class DefaultTracebook final : public ITracebook {
public:
    void WriteLog(const QString& message) override { Append(QString(), message); }
    void WriteLogDetail(const QString& message) override { Append(QStringLiteral("detail "), message); }

private:
    void Append(const QString& tag, const QString& message) {
        const QString line =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz ")) + tag +
            message + QLatin1Char('\n');
        std::lock_guard<std::mutex> lock(mutex_);
        const QString dir = IHabitat::Instance().GetBaseDir() + "/log";
        QDir().mkpath(dir);
        QFile file(dir + "/prefbook.log");
        if (file.open(QIODevice::WriteOnly | QIODevice::Append)) file.write(line.toUtf8());
    }

    std::mutex mutex_;
};

std::atomic<ITracebook*> g_installed{nullptr};

}  // namespace

ITracebook& ITracebook::Instance() {
    if (ITracebook* installed = g_installed.load(std::memory_order_acquire)) return *installed;
    static DefaultTracebook tracebook;
    return tracebook;
}

void ITracebook::Install(ITracebook* tracebook) {
    g_installed.store(tracebook, std::memory_order_release);
}
