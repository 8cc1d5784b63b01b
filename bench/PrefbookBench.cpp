#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTextCodec>
#include <chrono>

#include "BenchSupport.h"
#include "settings/Prefbook.h"
#include "settings/SettingsFiles.h"

namespace prefbook::bench {
namespace {

using Clock = std::chrono::steady_clock;

template <class F>
double TimeSeconds(F&& f) {
    const auto start = Clock::now();
    f();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Prefbook's operations go through the process-wide habitat: one temporary base for the whole run.
BenchHost& SettingsHost() {
    static BenchHost* host = [] {
        auto* h = new BenchHost;
        IHabitat::Install(&h->habitat);
        ITracebook::Install(&h->log);
        return h;
    }();
    return *host;
}

// The suite's parameter file, as big as a real one: the device lists and a few dozen keys.
QString PrepareParamFile() {
    SettingsHost();
    const QString path = SettingsFilePath(kParamFile);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings s(path, QSettings::IniFormat);
    s.setIniCodec(QTextCodec::codecForLocale());
    for (const char* group : {"Keyboard", "Mouse", "Headset", "MousePad", "DS180", "AU320", "AU340", "FT280",
                              "TL460B", "TL460W", "TL480B", "TL480W", "VL550"}) {
        s.setValue(QString(group) + "/pid", "0x1A2B,0x1A2C,0x1A2D,0x1A2E");
    }
    s.setValue("KeyMapping/precision", 0.5);
    s.setValue("MouseOled/maxStepNum", 15);
    s.setValue("Application/photoshop", "C:/Program Files/Adobe/Photoshop/Photoshop.exe");
    s.sync();
    return path;
}

// A bare cycle on the same file: open, enter the group, one key, close.
int BareRead(const QString& path) {
    QSettings s(path, QSettings::IniFormat);
    s.setIniCodec(QTextCodec::codecForLocale());
    s.beginGroup("MouseOled");
    return s.value("maxStepNum", 15).toInt();
}

void BareWrite(const QString& path, int value) {
    QSettings s(path, QSettings::IniFormat);
    s.setIniCodec(QTextCodec::codecForLocale());
    s.beginGroup("MouseOled");
    s.setValue("maxStepNum", value);
}

// Moves the file's modification time on by a millisecond, so the next open parses it again as it
// would after another process wrote it.
void Touch(const QString& path) {
    static long long stamp = 1'600'000'000'000LL;
    stamp += 7;
    const timespec times[2] = {{stamp / 1000, (stamp % 1000) * 1'000'000},
                               {stamp / 1000, (stamp % 1000) * 1'000'000}};
    utimensat(AT_FDCWD, path.toLocal8Bit().constData(), times, 0);
}

enum class Op { Read, ReadChanged, Write };

// Prefbook's call and the bare cycle alternate within each iteration; the reported time is Prefbook's.
void SettingsBench(benchmark::State& state, Op op) {
    const QString path = PrepareParamFile();
    double mine = 0, bare = 0;
    int value = 0;
    for (auto _ : state) {
        double t = 0;
        switch (op) {
            case Op::Read:
                t = TimeSeconds([&] { Prefbook::ReadMouseOled(value); });
                bare += TimeSeconds([&] { benchmark::DoNotOptimize(BareRead(path)); });
                break;
            case Op::ReadChanged:
                Touch(path);
                t = TimeSeconds([&] { Prefbook::ReadMouseOled(value); });
                Touch(path);
                bare += TimeSeconds([&] { benchmark::DoNotOptimize(BareRead(path)); });
                break;
            case Op::Write:
                t = TimeSeconds([&] { Prefbook::WriteMouseOled(value + 1); });
                bare += TimeSeconds([&] { BareWrite(path, value + 2); });
                value = (value + 2) % 100;
                break;
        }
        mine += t;
        state.SetIterationTime(t);
        benchmark::DoNotOptimize(value);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["bare_us"] = bare / n * 1e6;
    state.counters["ratio"] = mine / bare;
}

const bool registered = [] {
    benchmark::RegisterBenchmark("prefbook/read", SettingsBench, Op::Read)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("prefbook/read-changed", SettingsBench, Op::ReadChanged)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("prefbook/write", SettingsBench, Op::Write)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace
}  // namespace prefbook::bench
