#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <chrono>

#include "BenchSupport.h"

namespace prefbook::bench {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

template <class F>
double MeanSeconds(int reps, F&& f) {
    const auto start = Clock::now();
    for (int i = 0; i < reps; ++i) f();
    return Seconds(Clock::now() - start) / reps;
}

struct Variant {
    const char* name;
    int macros;
    int actions;
};
// The defaults, and every profile carrying ten macros of 199 actions.
const Variant kVariants[] = {{"defaults", 0, 0}, {"heavy", 10, 199}};

void LoadBench(benchmark::State& state, const StoreCase& c, Variant v) {
    BenchHost host;
    auto saved = c.build(host.Host(), v.macros, v.actions);
    const QString doc = OnlyDocument(host, c.deviceType);
    if (!saved || doc.isEmpty()) return state.SkipWithError("could not prepare the document");
    saved.reset();
    const bool xml = c.suffix == "xml";
    const double raw = xml ? MeanSeconds(20, [&] { benchmark::DoNotOptimize(RawScanAndConvert(doc)); }) : 0;

    const long long before = HeapInUse();
    auto kept = c.load(host.Host());
    const long long retained = HeapInUse() - before;
    kept.reset();

    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        auto store = c.load(host.Host());
        spent += Clock::now() - start;
        benchmark::DoNotOptimize(store.get());
    }
    const double mean = Seconds(spent) / static_cast<double>(state.iterations());
    const double bytes = static_cast<double>(QFileInfo(doc).size());
    state.counters["doc_kB"] = bytes / 1024.0;
    state.counters["heap_per_doc"] = static_cast<double>(retained) / bytes;
    if (xml) {
        state.counters["raw_ms"] = raw * 1e3;
        state.counters["ratio"] = mean / raw;
    }
}

void SaveBench(benchmark::State& state, const StoreCase& c, Variant v) {
    BenchHost host;
    auto store = c.build(host.Host(), v.macros, v.actions);
    const QString doc = OnlyDocument(host, c.deviceType);
    if (!store || doc.isEmpty()) return state.SkipWithError("could not prepare the store");
    const QString dir = QFileInfo(doc).absolutePath() + "/";
    const bool xml = c.suffix == "xml";
    double raw = 0;
    if (xml) {
        RawEmitter emitter(doc);
        BenchHost scratch;
        QString scratchDir;
        scratch.habitat.GetProfileDir(0, &scratchDir);
        raw = MeanSeconds(20, [&] { emitter.EmitInto(scratchDir); });
    }
    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!c.save(store.get())) return state.SkipWithError("save failed");
        spent += Clock::now() - start;
    }
    const double mean = Seconds(spent) / static_cast<double>(state.iterations());
    if (xml) {
        state.counters["raw_ms"] = raw * 1e3;
        state.counters["ratio"] = mean / raw;
    }
}

// Load and save time against the number of macros per profile, and against actions per macro; the
// counter per_macro_us must stay flat for the cost to be linear.
void MacroGrowthBench(benchmark::State& state, const StoreCase& c, bool load) {
    const int macros = static_cast<int>(state.range(0));
    const int actions = static_cast<int>(state.range(1));
    // The same store without macros, to count only what the macros add.
    double baseline = 0;
    {
        BenchHost empty;
        auto bare = c.build(empty.Host(), 0, 0);
        if (!bare) return state.SkipWithError("could not prepare the store");
        baseline = load ? MeanSeconds(10, [&] { benchmark::DoNotOptimize(c.load(empty.Host()).get()); })
                        : MeanSeconds(10, [&] { c.save(bare.get()); });
    }
    BenchHost host;
    auto store = c.build(host.Host(), macros, actions);
    if (!store) return state.SkipWithError("could not prepare the store");
    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        if (load) {
            benchmark::DoNotOptimize(c.load(host.Host()).get());
        } else {
            c.save(store.get());
        }
        spent += Clock::now() - start;
    }
    // What one macro adds, over the whole store (every profile holds that many).
    const double mean = Seconds(spent) / static_cast<double>(state.iterations());
    state.counters["per_macro_us"] = (mean - baseline) * 1e6 / (macros * c.profiles);
}

void StartupBench(benchmark::State& state) {
    BenchHost host;
    for (const StoreCase& c : Catalogue()) c.build(host.Host(), 10, 20);
    for (auto _ : state) {
        for (const StoreCase& c : Catalogue()) benchmark::DoNotOptimize(c.load(host.Host()).get());
    }
    state.counters["stores"] = static_cast<double>(Catalogue().size());
}

bool RegisterAll() {
    for (const StoreCase& c : Catalogue()) {
        for (const Variant& v : kVariants) {
            benchmark::RegisterBenchmark(("load/" + c.name + "/" + v.name).c_str(), LoadBench, c, v)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("save/" + c.name + "/" + v.name).c_str(), SaveBench, c, v)
                ->Unit(benchmark::kMillisecond);
        }
        if (c.suffix != "xml") continue;
        for (bool load : {true, false}) {
            const std::string kind = load ? "load" : "save";
            benchmark::RegisterBenchmark(("growth-macros/" + kind + "/" + c.name).c_str(), MacroGrowthBench, c, load)
                ->ArgsProduct({{1, 10, 100, 1000}, {10}})
                ->ArgNames({"macros", "actions"})
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("growth-actions/" + kind + "/" + c.name).c_str(), MacroGrowthBench, c, load)
                ->ArgsProduct({{10}, {1, 10, 100, 199}})
                ->ArgNames({"macros", "actions"})
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RegisterBenchmark("startup/all-stores", StartupBench)->Unit(benchmark::kMillisecond);
    return true;
}

}  // namespace
}  // namespace prefbook::bench

int main(int argc, char** argv) {
    prefbook::bench::RegisterAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
