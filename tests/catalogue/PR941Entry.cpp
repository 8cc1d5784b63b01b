#include "catalogue/StoreCatalogue.h"
// The button mice share one filler, so the parts the PR941 shares with the PR260 carry the same values.
#include "pr260/PR26xDistinct.h"

namespace prefbook::test {

PREFBOOK_CATALOGUE_ENTRY(PR941) {
    using S = PR941ProfileCfgImpl;
    StoreEntry e = FolderStore<S>("PR941", "IPR941ProfileCfg", PR941);
    e.profiles = 5;
    e.load = LoadRule::Exact;
    e.fill = [](void* p) { FillDistinct(As<S>(p)); };
    // The all profiles export is a store document: ImportAllProfiles takes either.
    DocumentKind one =
        CurrentProfileKind<S>("profile export", "609", 1, &S::ExportProfile, &S::ImportProfile);
    // A profile imports only with all thirteen lighting modes; the filled one holds two.
    one.write = [](void* p, const QString& path) {
        S& s = As<S>(p);
        for (uint8_t id = 20; id < 31; ++id) {
            StarsModeEntry entry{};
            entry.id = id;
            s.SetLightingModeEntry(s.GetCurrentProfileID(), id, entry);
        }
        return s.ExportProfile(path);
    };
    e.kinds = {WithSlot(Kind<S>("store document", "1282", 5, &S::ExportAllProfiles, &S::ImportAllProfiles),
                        "currentProfileID", 5),
               one,
               CurrentProfileKind<S>("macro file", "13107", 0, &S::ExportMacroFile, &S::ImportMacroFile)};
    e.badIndex = {{"profiles -1, 5 and 255, DPI step 5", [](void* p) {
                       S& s = As<S>(p);
                       ASSERT_EQ(&s.GetProfileName(5), &s.GetProfileName(1000));
                       ASSERT_EQ(&s.GetProfileName(-1), &s.GetProfileName(1000));
                       for (int idx : {-1, 5, 255}) {
                           SCOPED_TRACE(idx);
                           WirelessSettings w{1, 1, 1};
                           MusicLighting music{1, {}};
                           LedColors leds{};
                           leds.colors[0].r = 1;
                           StarsModeEntry entry{};
                           entry.red = 1;
                           PerformanceConfig5 c{};
                           c.dpiLevel = 9;
                           EXPECT_FALSE(s.GetWireless(idx, w) || s.GetMusic(idx, music) ||
                                        s.GetCustomRgb(idx, leds) || s.GetLightingModeEntry(idx, 1, entry) ||
                                        s.GetPerformanceConfig(idx, c));
                           EXPECT_EQ(w, WirelessSettings{});
                           EXPECT_EQ(music, MusicLighting{});
                           EXPECT_EQ(leds, LedColors{});
                           EXPECT_EQ(entry, StarsModeEntry{});
                           EXPECT_EQ(c.dpiLevel, 0);
                           EXPECT_EQ(s.GetProfileName(idx), "");
                           EXPECT_EQ(s.GetStarsMode(idx) + s.GetLightingMode(idx) + s.GetDpiLevel(idx), 0);
                           s.SetProfileName(idx, "n");
                           s.SetWireless(idx, {5, 5, 5});
                           s.SetMusic(idx, {});
                           s.SetStarsMode(idx, 3);
                           s.SetCustomRgb(idx, {});
                           s.SetDpiStep(idx, 0, 9);
                       }
                       s.SetDpiStep(0, 5, 9);
                   }}};
    MarkByNames<S>(e);
    e.merge = [](void* s) { return As<S>(s).MergeSaveProfile(); };
    return e;
}

}  // namespace prefbook::test
