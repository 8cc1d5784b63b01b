#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "BenchSupport.h"

namespace prefbook::bench {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

template <class F>
Clock::duration Time(F&& f) {
    const auto start = Clock::now();
    f();
    return Clock::now() - start;
}

struct Variant {
    const char* name;
    Content content;
};
// The defaults, and the heavy store: every profile carrying ten macros of 199 actions, or for a
// store without macros its largest realistic content.
const Variant kVariants[] = {{"defaults", {0, 0}}, {"heavy", {10, 199}}};

// Store load and raw scan alternate within each iteration, so that load from other processes on this
// shared machine hits both alike; the reported time is the store's alone.
void LoadBench(benchmark::State& state, const StoreCase& c, Content content) {
    BenchHost host;
    auto saved = c.build(host.Host(), content);
    const CaseLimits limits(host, c);
    if (!saved || limits.Empty()) return state.SkipWithError("could not prepare the document");
    saved.reset();

    const long long before = HeapInUse();
    auto kept = c.load(host.Host());
    const long long retained = HeapInUse() - before;
    kept.reset();

    Clock::duration spent{}, raw{};
    for (auto _ : state) {
        std::shared_ptr<void> store;
        const auto t = Time([&] { store = c.load(host.Host()); });
        spent += t;
        state.SetIterationTime(Seconds(t));
        store.reset();
        raw += Time([&] { limits.Load(); });
    }
    const double n = static_cast<double>(state.iterations());
    const double bytes = static_cast<double>(limits.DocumentBytes());
    state.counters["doc_kB"] = bytes / 1024.0;
    state.counters["heap_per_doc"] = static_cast<double>(retained) / bytes;
    state.counters["raw_ms"] = Seconds(raw) / n * 1e3;
    state.counters["ratio"] = Seconds(spent) / Seconds(raw);
}

void SaveBench(benchmark::State& state, const StoreCase& c, Content content) {
    BenchHost host;
    auto store = c.build(host.Host(), content);
    CaseLimits limits(host, c);
    if (!store || limits.Empty()) return state.SkipWithError("could not prepare the store");
    BenchHost scratch;

    Clock::duration spent{}, raw{};
    for (auto _ : state) {
        bool ok = true;
        const auto t = Time([&] { ok = c.save(store.get()); });
        if (!ok) return state.SkipWithError("save failed");
        spent += t;
        state.SetIterationTime(Seconds(t));
        raw += Time([&] { limits.Save(scratch); });
    }
    state.counters["raw_ms"] = Seconds(raw) / static_cast<double>(state.iterations()) * 1e3;
    state.counters["ratio"] = Seconds(spent) / Seconds(raw);
}

// Load and save time against the number of macros per profile, and against actions per macro; the
// counter per_macro_us must stay flat for the cost to be linear. The same store without macros runs
// in every iteration too, so that only what the macros add is counted.
void MacroGrowthBench(benchmark::State& state, const StoreCase& c, bool load) {
    const int macros = static_cast<int>(state.range(0));
    const int actions = static_cast<int>(state.range(1));
    BenchHost empty;
    auto bare = c.build(empty.Host(), {});
    BenchHost host;
    auto store = c.build(host.Host(), {macros, actions});
    if (!bare || !store) return state.SkipWithError("could not prepare the store");
    // A loaded store is destroyed after its timing, as in the load benchmark.
    std::shared_ptr<void> loaded;
    const auto run = [&](BenchHost& h, void* s) {
        if (load) {
            loaded = c.load(h.Host());
        } else {
            c.save(s);
        }
    };
    Clock::duration spent{}, baseline{};
    for (auto _ : state) {
        const auto t = Time([&] { run(host, store.get()); });
        loaded.reset();
        spent += t;
        state.SetIterationTime(Seconds(t));
        baseline += Time([&] { run(empty, bare.get()); });
        loaded.reset();
    }
    const double added = Seconds(spent - baseline) / static_cast<double>(state.iterations());
    state.counters["per_macro_us"] = added * 1e6 / (macros * c.macroProfiles);
}

void StartupBench(benchmark::State& state) {
    BenchHost host;
    int built = 0;
    for (const StoreCase& c : Catalogue()) built += c.build(host.Host(), {10, 20}) != nullptr;
    if (built != static_cast<int>(Catalogue().size())) return state.SkipWithError("a store did not save");
    for (auto _ : state) {
        for (const StoreCase& c : Catalogue()) benchmark::DoNotOptimize(c.load(host.Host()).get());
    }
    state.counters["stores"] = static_cast<double>(Catalogue().size());
}

bool RegisterAll() {
    for (const StoreCase& c : Catalogue()) {
        for (const Variant& v : kVariants) {
            benchmark::RegisterBenchmark(("load/" + c.name + "/" + v.name).c_str(), LoadBench, c, v.content)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("save/" + c.name + "/" + v.name).c_str(), SaveBench, c, v.content)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
        if (c.macroProfiles == 0) continue;
        for (bool load : {true, false}) {
            const std::string kind = load ? "load" : "save";
            benchmark::RegisterBenchmark(("growth-macros/" + kind + "/" + c.name).c_str(), MacroGrowthBench,
                                         c, load)
                ->ArgsProduct({{1, 10, 100, 1000}, {10}})
                ->ArgNames({"macros", "actions"})
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("growth-actions/" + kind + "/" + c.name).c_str(), MacroGrowthBench,
                                         c, load)
                ->ArgsProduct({{10}, {1, 10, 100, 199}})
                ->ArgNames({"macros", "actions"})
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RegisterBenchmark("startup/all-stores", StartupBench)->Unit(benchmark::kMillisecond);
    return true;
}

// One operation under callgrind, for instruction counts that do not depend on the machine's load:
//   prefbook_bench --probe <store> <macros> <actions> <load|raw-load|save|raw-save>
// Run it with valgrind --tool=callgrind --instr-atstart=no: only the measured operation is counted,
// after one unmeasured run of it so that one-time initialisation is left out.
int Probe(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s --probe <store> <macros> <actions> <load|raw-load|save|raw-save>\n",
                     argv[0]);
        return 2;
    }
    const StoreCase* c = FindCase(argv[2]);
    const std::string op = argv[5];
    if (!c) {
        std::fprintf(stderr, "no store %s\n", argv[2]);
        return 2;
    }
    BenchHost host;
    auto store = c->build(host.Host(), {std::atoi(argv[3]), std::atoi(argv[4])});
    CaseLimits limits(host, *c);
    if (!store || limits.Empty()) {
        std::fprintf(stderr, "could not prepare %s\n", argv[2]);
        return 1;
    }
    BenchHost scratch;

    std::function<void()> run;
    std::shared_ptr<void> loaded;  // destroyed outside the count: the load is what is measured
    if (op == "load") {
        run = [&] { loaded = c->load(host.Host()); };
    } else if (op == "raw-load") {
        run = [&] { limits.Load(); };
    } else if (op == "save") {
        run = [&] { c->save(store.get()); };
    } else if (op == "raw-save") {
        run = [&] { limits.Save(scratch); };
    } else {
        std::fprintf(stderr, "unknown operation %s\n", op.c_str());
        return 2;
    }
    run();
    loaded.reset();
    CALLGRIND_START_INSTRUMENTATION;
    run();
    CALLGRIND_STOP_INSTRUMENTATION;
    loaded.reset();
    std::printf("doc_bytes=%lld\nmacro_profiles=%d\n", limits.DocumentBytes(), c->macroProfiles);
    return 0;
}

// The documents and images of every case and variant, for an independent count of the limits:
//   prefbook_bench --write-documents <folder>
// writes <folder>/<store>-<variant>/ with doc<i>.xml (or .bin for a binary record), image<i>.bmp and
// a file "kind": rotation, rewrite or binary.
int WriteDocuments(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s --write-documents <folder>\n", argv[0]);
        return 2;
    }
    const QString out = QFile::decodeName(argv[2]);
    for (const StoreCase& c : Catalogue()) {
        for (const Variant& v : kVariants) {
            BenchHost host;
            const auto store = c.build(host.Host(), v.content);
            const CaseLimits limits(host, c);
            if (!store || limits.Empty()) {
                std::fprintf(stderr, "could not prepare %s\n", c.name.c_str());
                return 1;
            }
            const QString folder = out + "/" + QString::fromStdString(c.name) + "-" + v.name + "/";
            QDir().mkpath(folder);
            const QStringList documents = CaseDocuments(host, c);
            bool ok = true;
            for (int i = 0; i < documents.size(); ++i)
                ok = QFile::copy(documents[i],
                                 folder + "doc" + QString::number(i) + (c.xml ? ".xml" : ".bin")) &&
                     ok;
            const QStringList images = limits.Images();
            for (int i = 0; i < images.size(); ++i)
                ok = QFile::copy(images[i], folder + "image" + QString::number(i) + ".bmp") && ok;
            QFile kind(folder + "kind");
            ok = kind.open(QIODevice::WriteOnly) &&
                 kind.write(!c.xml       ? "binary\n"
                            : c.rewrites ? "rewrite\n"
                                         : "rotation\n") > 0 &&
                 ok;
            if (!ok) {
                std::fprintf(stderr, "could not write %s\n", qPrintable(folder));
                return 1;
            }
        }
    }
    return 0;
}

}  // namespace
}  // namespace prefbook::bench

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--probe") == 0) return prefbook::bench::Probe(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--write-documents") == 0)
        return prefbook::bench::WriteDocuments(argc, argv);
    prefbook::bench::RegisterAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
