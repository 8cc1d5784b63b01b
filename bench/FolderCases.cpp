#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QFile>

#include "BenchSupport.h"
#include "devices/keyboards/TLProfileStore.h"
#include "profilecore/DeviceType.h"
#include "profilecore/ProfileFolder.h"

namespace prefbook::bench {
namespace {

// A folder a crashing suite has filled with stale temporary files, each with its own time, beside
// one good document: what the load walk costs before the next save cleans it.
void StaleTemporariesLoad(benchmark::State& state) {
    BenchHost host;
    {
        TL480ProfileCfgImpl store(host.Host());
        store.SaveProfile();
    }
    const QString dir = host.Host().ProfileDir(TL480B);
    const QDateTime base = QDateTime::currentDateTime().addDays(-1);
    for (int i = 0; i < state.range(0); ++i) {
        QFile file(dir + QStringLiteral("stale-%1.tmp").arg(i));
        file.open(QIODevice::WriteOnly);
        file.setFileTime(base.addSecs(i), QFileDevice::FileModificationTime);
    }
    for (auto _ : state) {
        TL480ProfileCfgImpl store(host.Host());
        benchmark::DoNotOptimize(store.LoadedFrom());
    }
    state.counters["files"] = static_cast<double>(ListProfileFolder(dir).size());
}

BENCHMARK(StaleTemporariesLoad)->Name("load/stale-temporaries")->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace prefbook::bench
