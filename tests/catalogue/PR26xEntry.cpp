#include "catalogue/StoreCatalogue.h"
#include "pr260/PR26xDistinct.h"

namespace prefbook::test {
namespace {

template <class S>
StoreEntry PR26xEntry(const char* model, const char* interface, int type, const char* exportFlag) {
    StoreEntry e = FolderStore<S>(model, interface, type);
    e.profiles = 5;
    e.load = LoadRule::Exact;
    e.fill = [](void* p) { FillDistinct(As<S>(p)); };
    e.kinds = {
        {"store document", "1282", 5},
        CurrentProfileKind<S>("profile export", exportFlag, 1, &S::ExportProfile, &S::ImportProfile),
        WithSlot(Kind<S>("all profiles export", exportFlag, 5, &S::ExportAllProfiles, &S::ImportAllProfiles),
                 "currentProfileID", 5),
        CurrentProfileKind<S>("macro file", "13107", 0, &S::ExportMacroFile, &S::ImportMacroFile)};
    e.badIndex = {{"profiles -1 and 5", [](void* p) {
                       S& s = As<S>(p);
                       // Fallbacks are one shared empty profile: an index let through hands out another
                       // address, seen before anything reads or writes past the list.
                       ASSERT_EQ(&s.GetProfileName(5), &s.GetProfileName(1000));
                       ASSERT_EQ(&s.GetProfileName(-1), &s.GetProfileName(1000));
                       for (int idx : {-1, 5}) {
                           SCOPED_TRACE(idx);
                           QVector<uint16_t> mapping{1};
                           ButtonMacroMap bound{{1, {}}};
                           MouseMacroRecord macro{};
                           macro.mode = 9;
                           PerformanceConfig config{};
                           config.dpiLevel = 9;
                           SurfaceMap surfaces = DefaultSurfaces();
                           SurfaceValue surface{"x", 1, 1};
                           MouseMacroNameMap macros{{"x", {}}};
                           std::vector<std::string> names{"x"};
                           std::string name = "x";
                           EXPECT_EQ(s.GetProfileName(idx), "");
                           EXPECT_EQ(s.GetProfileExe(idx), "");
                           EXPECT_EQ(s.GetChangedFlag(idx) + s.GetResetFlag(idx) + s.GetComboEnable(idx) +
                                         s.GetComboView(idx) + s.GetButtonMapping(idx, 0) +
                                         s.GetDpiLevel(idx) + s.GetMacroId(idx, "Zoom") +
                                         s.GetMacroMode(idx, "Zoom") + s.GetProfileMark(idx),
                                     0);
                           EXPECT_FALSE(s.GetMapping(idx, mapping) || s.GetButtonMacros(idx, bound) ||
                                        s.GetButtonMacro(idx, 0, macro) ||
                                        s.GetPerformanceConfig(idx, config) || s.GetSurfaces(idx, surfaces) ||
                                        s.GetSurface(idx, "Glass", surface) || s.GetMacros(idx, macros) ||
                                        s.GetMacro(idx, "Zoom", macro) || s.GetButtonMacroName(idx, 0, name));
                           s.GetMacroNames(idx, names);
                           EXPECT_TRUE(mapping.isEmpty() && bound.empty() && macros.empty() &&
                                       names.empty() && name.empty());
                           EXPECT_EQ(macro, MouseMacroRecord{});
                           EXPECT_EQ(config, PerformanceConfig{});
                           EXPECT_EQ(s.GetCurrSurface(idx) + s.GetCurrMacro(idx) + s.GetMacroPath(idx), "");
                           s.SetProfileName(idx, "n");
                           s.SetComboView(idx, 9);
                           s.SetButtonMapping(idx, 0, 9);
                           s.SetButtonMacro(idx, 0, macro);
                           s.SetDpiStep(idx, 0, 1, 1);
                           s.SetAngleTunability(idx, 9);
                           s.AddSurface(idx, surface);
                           s.AddEmptyMacro(idx, "n");
                           s.RenameMacro(idx, "Zoom", "n");
                           s.SetMapping(idx, {});
                           s.SetResetFlag(idx);
                           if constexpr (std::is_same_v<S, PR261ProfileCfgImpl>) {
                               LightingModeEntry entry{};
                               QVector<CustomColor> colors{{}};
                               EXPECT_FALSE(s.GetLightingModeEntry(idx, 1, entry) ||
                                            s.GetForeground(idx, colors));
                               EXPECT_TRUE(colors.isEmpty());
                               EXPECT_EQ(s.GetCurrLed(idx) + s.GetLightingMode(idx), 0);
                               s.SetCustomRgb(idx, {});
                               s.ClearForegroundEnables(idx);
                           }
                       }
                       // A button or DPI step out of range is refused on a good profile as well.
                       MouseMacroRecord macro{};
                       std::string name;
                       EXPECT_FALSE(s.GetButtonMacro(0, 13, macro) || s.GetButtonMacroName(0, 13, name));
                       s.SetButtonMapping(0, 13, 9);
                       s.SetButtonMacro(0, 13, macro);
                       s.SetDpiStep(0, 7, 1, 1);
                   }}};
    MarkByNames<S>(e);
    e.merge = [](void* s) { return As<S>(s).MergeSaveProfile(); };
    return e;
}

}  // namespace

PREFBOOK_CATALOGUE_ENTRY(PR260) {
    return PR26xEntry<PR260ProfileCfgImpl>("PR260", "IPR260ProfileCfg", PR260, "608");
}
PREFBOOK_CATALOGUE_ENTRY(PR261) {
    return PR26xEntry<PR261ProfileCfgImpl>("PR261", "IPR261ProfileCfg", PR261, "609");
}

}  // namespace prefbook::test
