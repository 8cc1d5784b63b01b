#include "catalogue/StoreCatalogue.h"
#include "hostservices/DefaultGlyphPress.h"
#include "pr940/PR940TestSupport.h"
#include "settings/DeviceType.h"

namespace prefbook::test {
namespace {

// The store with the press it hands its artworks to, which must live as long as it does.
struct PressedPR940 {
    explicit PressedPR940(const StoreHost& host) : store(host, press) {}
    RecordingGlyphPress press;
    PR940ProfileCfgImpl store;
};

// The process tests save through the real converter, so that a kill while an image is written is
// tried too: whenever it comes, the image must load whole, the old one or the new one.
struct ImagedPR940 {
    explicit ImagedPR940(const StoreHost& host) : press(host.habitat, host.log), store(host, press) {}
    DefaultGlyphPress press;
    PR940ProfileCfgImpl store;
};

constexpr int kImageWords = kArtworkWidth * kArtworkHeight / 32;

QVector<uint32_t> MarkImage(int n) {
    return QVector<uint32_t>(kImageWords, 0x01010101u * uint32_t(n));
}

}  // namespace

PREFBOOK_CATALOGUE_ENTRY(PR940) {
    StoreEntry e = FolderStore<PressedPR940>("PR940", "IPR940ProfileCfg", PR940, "xml",
                                             [](PressedPR940& p) { return p.store.SaveProfile(); });
    e.profiles = 5;
    e.load = LoadRule::Exact;
    // No fill: the interface sets no profile id, so the distinct state is loaded from distinct.xml.
    e.kinds = {{"store document", "", 5}};
    e.badIndex = {{"profiles -1 and 5", [](void* p) {
                       PR940ProfileCfgImpl& s = As<PressedPR940>(p).store;
                       // A profile let through hands out another address than the shared fallback.
                       ASSERT_EQ(&s.GetProfileName(5), &s.GetProfileName(1000));
                       ASSERT_EQ(&s.GetProfileName(-1), &s.GetProfileName(1000));
                       ASSERT_EQ(&s.GetMacroPath(5), &s.GetMacroPath(1000));
                       for (int idx : {-1, 5}) {
                           SCOPED_TRACE(idx);
                           s.SetProfileName(idx, "x");
                           s.AddMacro(idx, "m", MouseMacroRecord{});
                           EXPECT_EQ(s.GetProfileName(idx), "");
                           EXPECT_EQ(s.GetCurrView(idx), 0);
                           EXPECT_FALSE(s.GetTactix(idx));
                           EXPECT_EQ(s.GetCurrCustom(idx), -1);
                           EXPECT_EQ(s.GetCurrBeat(idx), -1);
                           EXPECT_EQ(s.GetLightingMode(idx), 0);
                           EXPECT_TRUE(s.GetCustomColors(idx).isEmpty());
                           EXPECT_TRUE(s.GetMacroMap(idx).empty());
                           EXPECT_EQ(s.GetMacroMode(idx, "m"), 0);
                           EXPECT_EQ(s.GetMacro(idx, "m"), MouseMacroRecord{});
                           std::vector<std::string> names{"stale"};
                           s.GetMacroNames(idx, names);
                           EXPECT_TRUE(names.empty());
                       }
                   }}};
    e.build = [](const StoreHost& h) { return std::shared_ptr<void>(std::make_shared<ImagedPR940>(h)); };
    e.save = [](void* p) { return As<ImagedPR940>(p).store.SaveProfile(); };
    MarkByNames(
        e, [](void* p, int i, const std::string& name) { As<ImagedPR940>(p).store.SetProfileName(i, name); },
        [](void* p, int i) { return As<ImagedPR940>(p).store.GetProfileName(i); });
    // The image may be one save ahead of the document (images are written before the document's
    // rename), so it is checked for being one whole generation, not for the document's.
    const auto markNames = e.mark;
    const auto namesMark = e.markOf;
    e.mark = [markNames](void* p, int n) {
        markNames(p, n);
        PR940ProfileCfgImpl& store = As<ImagedPR940>(p).store;
        if (store.GetArtworkMap(0, "Show").empty()) {
            store.AddOledProfile(0, "Show");
            store.AddArtwork(0, "Show", "Logo/../../x");
        }
        store.SetArtworkPixels(0, "Show", "Logo/../../x", MarkImage(n));
    };
    e.markOf = [namesMark](void* p) {
        QVector<uint32_t> pixels;
        As<ImagedPR940>(p).store.GetArtworkPixels(0, "Show", "Logo/../../x", pixels);
        for (int n = 1; n <= 200; ++n)
            if (pixels == MarkImage(n)) return namesMark(p);
        return -1;
    };
    return e;
}

}  // namespace prefbook::test
