#include "catalogue/StoreCatalogue.h"
#include "devices/keyboards/TLProfileStore.h"

namespace prefbook::test {
namespace {

// Every profile differs from the others and every colour channel from its neighbours.
template <class S>
void FillTL(S& s) {
    s.SetExportPath("C:/export \xC3\xA9");
    s.SetOpenExePath("D:/open");
    for (int i = 0; i < kTLProfileCount; ++i) {
        const uint8_t b = static_cast<uint8_t>(10 * i);
        s.SetProfileName(i, "Name " + std::to_string(i));
        s.SetProfileExe(i, "game" + std::to_string(i) + ".exe");
        s.SetMultiLayer(i, 100 + i);
        s.SetMultiZone(i, 200 + i);
        QVector<CustomColor> fore, back;
        for (uint8_t c = 0; c < kTLColorCount; ++c) {
            fore.push_back(
                {uint8_t(c % 2), uint8_t(b + c), uint8_t(b + c + 1), uint8_t(b + c + 2), uint8_t(b + c + 3)});
            back.push_back({uint8_t((c + 1) % 2), uint8_t(b + c + 4), uint8_t(b + c + 5), uint8_t(b + c + 6),
                            uint8_t(b + c + 7)});
        }
        s.SetCustomColors(i, false, fore);
        s.SetCustomColors(i, true, back);
        s.SetMacroPath(i, "macros/" + std::to_string(i));
        MacroRecord record{};
        record.mode = static_cast<uint8_t>(i + 1);
        record.actionCount = 2;
        record.actions[0] = {uint16_t(0x1E + i), 1, uint16_t(300 + i)};
        record.actions[1] = {uint16_t(0x2E + i), 0, uint16_t(400 + i)};
        s.SetMacro(i, "Macro " + std::to_string(i), record);
        s.SetMacroKeys(i, "Macro " + std::to_string(i), {uint16_t(40 + i), uint16_t(50 + i)});
        s.SetCurrMacro(i, "Macro " + std::to_string(i));
    }
}

template <class S>
StoreEntry TLEntry(const char* model, const char* interface, int deviceType) {
    StoreEntry e = FolderStore<S>(model, interface, deviceType);
    e.profiles = kTLProfileCount;
    e.load = LoadRule::Exact;
    e.fill = [](void* s) { FillTL(As<S>(s)); };
    e.kinds = {{"store document", "", kTLProfileCount}};
    e.badIndex = {{"profile -1 and 5", [](void* p) {
                       S& s = As<S>(p);
                       // Fallbacks are shared empty values: an index let through hands out another
                       // address, seen before anything reads or writes past the list.
                       ASSERT_EQ(&s.GetProfileName(kTLProfileCount), &s.GetProfileName(1000));
                       ASSERT_EQ(&s.GetProfileExe(kTLProfileCount), &s.GetProfileExe(1000));
                       ASSERT_EQ(&s.GetMacroSet(kTLProfileCount), &s.GetMacroSet(1000));
                       ASSERT_EQ(&s.GetProfileName(-1), &s.GetProfileName(1000));
                       for (int bad : {-1, kTLProfileCount}) {
                           s.SetProfileName(bad, "x");
                           s.SetProfileExe(bad, "x");
                           s.SetMultiLayer(bad, 1);
                           s.SetCustomColors(bad, false, {});
                           s.AddMacro(bad, "m");
                           s.SetMacroKeys(bad, "m", {7});
                           s.SetMacroMode(bad, "m", 3);
                           s.SetMacroPath(bad, "x");
                           EXPECT_EQ(s.GetProfileName(bad), "");
                           EXPECT_EQ(s.GetProfileExe(bad), "");
                           EXPECT_EQ(s.GetMultiLayer(bad), 0);
                           EXPECT_EQ(s.GetMultiZone(bad), 0);
                           EXPECT_EQ(s.GetCustomColors(bad, false),
                                     QVector<CustomColor>(kTLColorCount, CustomColor{}));
                           EXPECT_TRUE(s.GetMacroSet(bad).empty());
                           EXPECT_EQ(s.GetCurrMacro(bad), "");
                           EXPECT_EQ(s.GetMacroPath(bad), "");
                           EXPECT_TRUE(s.GetMacroKeys(bad, "m").isEmpty());
                           EXPECT_EQ(s.GetMacroEntry(bad, "m").record.actionCount, 0);
                           EXPECT_EQ(s.GetMacroMode(bad, "m"), 0);
                           std::vector<std::string> names{"stale"};
                           s.GetMacroNames(bad, names);
                           EXPECT_TRUE(names.empty());
                       }
                   }}};
    MarkByNames<S>(e);
    return e;
}

}  // namespace

PREFBOOK_CATALOGUE_ENTRY(TL480) {
    return TLEntry<TL480ProfileCfgImpl>("TL480", "ITL480ProfileCfg", TL480B);
}
PREFBOOK_CATALOGUE_ENTRY(TL460) {
    return TLEntry<TL460ProfileCfgImpl>("TL460", "ITL460ProfileCfg", TL460B);
}

}  // namespace prefbook::test
