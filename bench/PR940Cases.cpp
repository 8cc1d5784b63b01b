#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "devices/mice/PR940ProfileCfgImpl.h"
#include "hostservices/DefaultGlyphPress.h"
#include "hostservices/IGlyphPress.h"
#include "profilecore/MacroModel.h"
#include "support/NullGlyphPress.h"

namespace prefbook::bench {
namespace {

// The store cases measure the document alone: artwork images go to a converter that keeps nothing,
// and the image conversion has benchmarks of its own below.
IGlyphPress& Press() {
    return test::NullGlyphPress::Shared();
}

constexpr int kArtworkWords = 256;  // a 128 x 64 display, one bit a pixel

MouseMacroRecord MouseMacro(const std::string& name, int actions) {
    const MacroRecord keyboard = BenchMacroRecord(actions);
    MouseMacroRecord record{};
    SetRecordName(record, name);
    record.actionCount = keyboard.actionCount;
    std::copy(keyboard.actions, keyboard.actions + kMacroActionCapacity, record.actions);
    return record;
}

// Heavy: every profile with the given macros, four surfaces and three display profiles of four
// artworks each.
std::shared_ptr<PR940ProfileCfgImpl> FillPR940(const StoreHost& host, IGlyphPress& press, Content content) {
    auto store = std::make_shared<PR940ProfileCfgImpl>(host, press);
    for (int p = 0; p < store->GetProfileNum(); ++p) {
        for (int m = 0; m < content.macros; ++m) {
            const std::string name = "macro " + std::to_string(m);
            store->SetMacro(p, name, MouseMacro(name, content.actions));
        }
        if (!content.Heavy()) continue;
        for (int s = 0; s < 4; ++s) {
            SurfaceTuning surface{};
            SetSurfaceName(surface, "surface " + std::to_string(s));
            surface.learn1 = -1000 * s;
            surface.learn2 = 0x7f00 + s;
            store->SetSurface(p, "surface " + std::to_string(s), surface);
        }
        for (int o = 0; o < 3; ++o) {
            const std::string op = "display " + std::to_string(o);
            store->AddOledProfile(p, op);
            store->SetOledOrder(p, op, {3, 2, 1, 0});
            for (int a = 0; a < 4; ++a) {
                const std::string art = "artwork " + std::to_string(a);
                store->AddArtwork(p, op, art);
                store->SetArtworkPixels(p, op, art, QVector<uint32_t>(kArtworkWords, 0x5a5a5a5au));
            }
        }
    }
    return store->SaveProfile() ? store : nullptr;
}

const Register pr940(
    {"pr940",
     {7},
     true,
     5,
     [](const StoreHost& host, Content content) { return FillPR940(host, Press(), content); },
     [](void* s) { return static_cast<PR940ProfileCfgImpl*>(s)->SaveProfile(); },
     [](const StoreHost& host) { return std::make_shared<PR940ProfileCfgImpl>(host, Press()); }});

// The same store with the default converter over the bench's folders: what a user's load and save
// cost, artwork images included.
struct WithImages {
    explicit WithImages(const StoreHost& host) : press(host.habitat, host.log) {}
    DefaultGlyphPress press;
    std::shared_ptr<PR940ProfileCfgImpl> store;
};

const Register pr940img({"pr940img",
                         {7},
                         true,
                         5,
                         [](const StoreHost& host, Content content) -> std::shared_ptr<void> {
                             auto with = std::make_shared<WithImages>(host);
                             with->store = FillPR940(host, with->press, content);
                             return with->store ? with : nullptr;
                         },
                         [](void* s) { return static_cast<WithImages*>(s)->store->SaveProfile(); },
                         [](const StoreHost& host) {
                             auto with = std::make_shared<WithImages>(host);
                             with->store = std::make_shared<PR940ProfileCfgImpl>(host, with->press);
                             return with;
                         },
                         true});

// The default converter on one artwork of a full display: its BMP written, and read back.
void ArtworkImageBench(benchmark::State& state, bool load) {
    BenchHost host;
    QVector<uint32_t> pixels(kArtworkWords);
    for (int i = 0; i < pixels.size(); ++i) pixels[i] = 0x9E3779B9u * uint32_t(i + 1);
    const QString path = host.habitat.GetBaseDir() + "/artwork.bmp";
    IGlyphPress& press = IGlyphPress::Instance();
    press.SaveArtworkImage(pixels, path);
    QVector<uint32_t> back;
    for (auto _ : state) {
        if (load) {
            press.LoadArtworkImage(path, back);
            benchmark::DoNotOptimize(back.data());
        } else {
            press.SaveArtworkImage(pixels, path);
        }
    }
    if (!load) press.LoadArtworkImage(path, back);
    if (back != pixels) state.SkipWithError("the artwork did not read back");
}

BENCHMARK_CAPTURE(ArtworkImageBench, save, false)->Name("artwork-image/save")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ArtworkImageBench, load, true)->Name("artwork-image/load")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace prefbook::bench
