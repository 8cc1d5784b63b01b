#include "bx/BXFixture.h"
#include "catalogue/StoreCatalogue.h"

namespace prefbook::test {
namespace {

template <class S>
StoreEntry BXEntry(const char* model, const char* interface, int type) {
    StoreEntry e = FolderStore<S>(model, interface, type);
    e.profiles = kBXRecords;
    e.load = LoadRule::Exact;
    e.fill = [](void* p) { FillDistinct(As<S>(p)); };
    e.kinds = {{"store document", "1282", kBXRecords},
               CurrentProfileKind<S>("profile export", "1824", 1, &S::ExportProfile, &S::ImportProfile),
               WithSlot(Kind<S>("all profiles export", "1824", kBXRecords, &S::ExportAllProfiles,
                                &S::ImportAllProfiles),
                        "currentProfileID", kBXRecords),
               CurrentProfileKind<S>("macro file", "8738", 0, &S::ExportMacroFile, &S::ImportMacroFile)};
    e.badIndex = {{"profiles 5 and 255", [](void* p) {
                       S& s = As<S>(p);
                       const int width = S::ModelTraits::Model().filterWidth;
                       uint8_t block[kBXFilterRows * kBXMaxFilterWidth];  // a filter or a custom block
                       BXEffect effect{};
                       QVector<BXEffect> effects{effect};
                       QVector<CustomColor> colors{{1, 2, 3, 4, 5}};
                       QVector<uint16_t> keys{1};
                       uint8_t mode = 9;
                       QVector<uint8_t> ids{1};
                       BXProfile record;
                       // A record let through hands out another address than the shared fallback.
                       ASSERT_EQ(&s.GetProfileName(kBXRecords), &s.GetProfileName(1000));
                       ASSERT_EQ(&s.GetMacroPath(kBXRecords), &s.GetMacroPath(1000));
                       for (uint32_t bad : {5u, 255u}) {
                           const uint8_t b = static_cast<uint8_t>(bad);
                           s.SetProfileExe(bad, "x");
                           s.SetProfileName(bad, "x");
                           s.SetRecord(bad, DistinctBXRecord(0, width));
                           s.SetChanged(bad, 1);
                           s.SetMarked(bad);
                           s.SetLightMode(b, 3);
                           s.SetGeneralEffect(b, 0, effect);
                           s.SetCustomColors(b, effect, block);
                           s.SetMultilayerEffects(b, effects);
                           s.SetMultizone(b, effects, block);
                           s.SetCustomList(b, 0, colors);
                           s.ClearCustomEnables(b);
                           s.SetMapping(b, keys);
                           s.SetMappedKey(b, 0, 1);
                           s.AddMacro(bad, "m");
                           s.SetMacroMode(bad, "m", 1);
                           EXPECT_FALSE(s.GetRecord(bad, record));
                           EXPECT_EQ(s.GetProfileName(bad), "");
                           EXPECT_EQ(s.GetProfileExe(bad), "");
                           EXPECT_EQ(s.IsChanged(bad), 0);
                           EXPECT_EQ(s.IsMarked(bad), 0);
                           EXPECT_EQ(s.GetLightMode(b), -1);
                           EXPECT_EQ(s.GetMultilayerCurrMode(b), -1);
                           EXPECT_EQ(s.GetMultizoneCurrMode(b), -1);
                           EXPECT_FALSE(s.GetGeneralEffect(b, 0, effect));
                           EXPECT_FALSE(s.GetGeneralEffects(b, effects));
                           EXPECT_FALSE(s.GetCustomColors(b, effect, block));
                           EXPECT_FALSE(s.GetCurrMultilayerEffect(b, effect));
                           EXPECT_FALSE(s.GetMultilayerIds(b, mode, ids));
                           EXPECT_FALSE(s.GetCurrMultizoneEffect(b, effect));
                           s.GetMultizone(b, effects, block);
                           EXPECT_TRUE(effects.isEmpty());
                           s.GetCustomList(b, 1, colors);
                           EXPECT_TRUE(colors.isEmpty());
                           EXPECT_FALSE(s.GetMapping(b, keys));
                           EXPECT_EQ(s.GetMappedKey(b, 0), 65535);
                           EXPECT_EQ(s.GetMacroMode(bad, "m"), 0);
                           EXPECT_EQ(s.GetCurrMacro(bad), "");
                           EXPECT_EQ(s.GetMacroPath(bad), "");
                       }
                       EXPECT_EQ(s.GetMappedKey(0, kBXMappedKeys), 65535) << "a key outside the mapping";
                       // The marks are not persisted; the sweep must not have set any.
                       for (uint32_t i = 0; i < kBXRecords; ++i) EXPECT_EQ(s.IsMarked(i), 0);
                   }}};
    MarkByNames<S>(e);
    return e;
}

}  // namespace

PREFBOOK_CATALOGUE_ENTRY(BX310V2) {
    return BXEntry<BX310V2ProfileCfgImpl>("BX310V2", "IBX310V2ProfileCfg", BX310V2);
}
PREFBOOK_CATALOGUE_ENTRY(BX330V2) {
    return BXEntry<BX330V2ProfileCfgImpl>("BX330V2", "IBX330V2ProfileCfg", BX330V2);
}

}  // namespace prefbook::test
