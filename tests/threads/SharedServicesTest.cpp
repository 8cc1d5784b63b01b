#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

#include "hostservices/ITracebook.h"
#include "settings/Prefbook.h"
#include "support/TestHost.h"
#include "threads/StartLine.h"

namespace prefbook::test {
namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 40;

std::string Key(int thread) {
    return "thread" + std::to_string(thread);
}

// Prefbook keeps nothing between calls; each call opens, reads or writes and closes an INI file. Many
// threads doing so at once must neither race (TSan) nor lose a thread's own last write.
TEST(ConcurrentPrefbook, CallsFromManyThreadsKeepEveryThreadsLastWrite) {
    ProcessHabitat();
    RunTogether(kThreads, [](int thread) {
        for (int round = 0; round < kRounds; ++round) {
            Prefbook::WriteMouseOled(thread * 1000 + round);
            int steps = 0;
            Prefbook::ReadMouseOled(steps);
            Prefbook::SavePortalDevResetFlag(Key(thread), round % 2 == 1);
            Prefbook::ReadPortalDevResetFlag(Key(thread));
            QVector<unsigned short> devs;
            Prefbook::ReadKeyboardDev(devs);
            QStringList paths;
            Prefbook::ReadLatestAppPath(paths);
            Prefbook::WriteKeyMappingParam(0.25 * thread);
        }
    });
    // kRounds is even, so every thread's last reset flag was true.
    for (int thread = 0; thread < kThreads; ++thread) {
        EXPECT_TRUE(Prefbook::ReadPortalDevResetFlag(Key(thread))) << Key(thread);
    }
    int steps = -1;
    Prefbook::ReadMouseOled(steps);
    EXPECT_EQ(steps % 1000, kRounds - 1) << "the last value is some thread's last write";
    EXPECT_LT(steps / 1000, kThreads);
}

// The default log serialises whole lines: every line of every thread arrives once and intact.
TEST(ConcurrentLog, DefaultTracebookWritesEveryLineWhole) {
    TempHabitat& habitat = ProcessHabitat();
    ITracebook::Install(nullptr);  // back to the library's own file log, under the temporary base
    RunTogether(kThreads, [](int thread) {
        for (int round = 0; round < kRounds; ++round) {
            const QString line =
                QStringLiteral("thread %1 line %2 ").arg(thread).arg(round) + QString(200, 'x');
            if (round % 2) {
                ITracebook::Instance().WriteLogDetail(line);
            } else {
                ITracebook::Instance().WriteLog(line);
            }
        }
    });
    ITracebook::Install(&ProcessTracebook());

    QFile log(habitat.GetBaseDir() + "/log/prefbook.log");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    QSet<QString> seen;
    for (const QByteArray& raw : log.readAll().split('\n')) {
        if (raw.isEmpty()) continue;
        const QString line = QString::fromUtf8(raw);
        ASSERT_TRUE(line.endsWith(QString(200, 'x'))) << raw.constData();
        const int at = line.indexOf(QLatin1String("thread "));
        ASSERT_GE(at, 0) << raw.constData();
        seen.insert(line.mid(at));
    }
    EXPECT_EQ(seen.size(), kThreads * kRounds);
}

}  // namespace
}  // namespace prefbook::test
