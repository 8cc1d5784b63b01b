#include "catalogue/StoreCatalogue.h"
#include "kr720/KR720TestSupport.h"

namespace prefbook::test {

PREFBOOK_CATALOGUE_ENTRY(KR720) {
    using S = KR720ProfileCfgImpl;
    StoreEntry e = FolderStore<S>("KR720", "IKR720ProfileCfg", 0);
    e.profiles = kKR720Records;
    e.load = LoadRule::Exact;
    const auto make = e.make;
    // Imports and exports act on profile 1, aim mode 2 (record 7); neither is persisted.
    e.make = [make](TestHost& t) {
        auto s = make(t);
        As<S>(s.get()).SetCurrProfile(1);
        As<S>(s.get()).SetCurrAimMode(2);
        return s;
    };
    e.fill = [](void* p) {
        S& s = As<S>(p);
        for (int i = 0; i < kKR720Records; ++i) s.PutRecord(i, FilledRecord(static_cast<uint8_t>(i + 100)));
        s.SetSignature(0xA1B2C3D4u);
        s.SetExportPath("C:/export \xC3\xA9");
        s.SetOpenExePath("D:/open");
    };
    e.kinds = {{"store document", "1282", kKR720Records},
               Kind<S>("record export", "4369", 1, &S::ExportRecord, &S::ImportRecord),
               Kind<S>("profile export", "1824", kKR720AimModes, &S::ExportProfile, &S::ImportProfile),
               WithSlot(Kind<S>("aimpad file", "4369", 0, &S::ExportAimpadFile, &S::ImportAimpadFile),
                        "currMode", kKR720AimModes),
               Kind<S>("macro file", "8738", 0, &S::ExportMacroFile, &S::ImportMacroFile)};
    e.badIndex = {
        {"record 25",
         [](void* p) {
             S& s = As<S>(p);
             LightEffect effect{};
             QVector<LightEffect> effects;
             QVector<uint16_t> mapping;
             KR720CustomBlock custom{};
             AimMode mode;
             uint16_t pair = 0, keys[kKR720SpecKeys] = {};
             uint8_t curr = 0, filters[kKR720FilterBytes] = {};
             QVector<uint8_t> ids;
             MacroMap macros;
             MacroRecord macro{};
             DigitalKeyMap digital;
             QVector<CustomColor> colors;
             KR720ProfileBlock block{};
             const uint32_t r = kKR720Records;
             // Fallbacks are one shared empty string: a record index let through hands out another
             // address, seen before anything reads or writes past the list.
             ASSERT_EQ(&s.GetAimModeName(r), &s.GetAimModeName(1000));
             ASSERT_EQ(&s.GetAimpadPath(r), &s.GetAimpadPath(1000));
             ASSERT_EQ(&s.GetCurrMacro(r), &s.GetCurrMacro(1000));
             ASSERT_EQ(&s.GetProfileName(kKR720Profiles), &s.GetProfileName(1000));
             EXPECT_EQ(s.GetLightMode(r), -1);
             EXPECT_EQ(s.GetMultilayerCurrMode(r), -1);
             EXPECT_EQ(s.GetMultizoneCurrMode(r), -1);
             EXPECT_EQ(s.GetMappedKey(r, 0), 65535);
             EXPECT_FALSE(s.GetGeneralEffect(r, 0, effect));
             EXPECT_FALSE(s.GetGeneralEffects(r, effects));
             EXPECT_FALSE(s.GetCustomColors(r, custom));
             EXPECT_FALSE(s.GetMultilayerEffects(r, effects));
             EXPECT_FALSE(s.GetMultilayerIds(r, curr, ids));
             EXPECT_FALSE(s.GetMultizone(r, effects, filters));
             EXPECT_FALSE(s.GetMultizoneIds(r, curr, ids));
             EXPECT_FALSE(s.GetCustomList(r, 0, colors));
             EXPECT_FALSE(s.GetMapping(r, mapping));
             EXPECT_FALSE(s.GetAimMode(r, mode));
             EXPECT_FALSE(s.SetAimMode(r, mode));
             EXPECT_FALSE(s.GetSpecKeys(r, keys));
             EXPECT_FALSE(s.SetSpecKeys(r, keys));
             EXPECT_FALSE(s.GetSensitActuat(r, pair));
             EXPECT_FALSE(s.SetSensitActuat(r, 1));
             EXPECT_FALSE(s.GetDigitalKeys(r, digital));
             EXPECT_FALSE(s.SetDigitalKeys(r, digital));
             EXPECT_FALSE(s.SetAimModeName(r, "x"));
             EXPECT_FALSE(s.GetProfileBlock(r, block));
             EXPECT_FALSE(s.GetMacroSet(r, macros));
             EXPECT_FALSE(s.GetMacro(r, "Alpha", macro));
             EXPECT_EQ(s.GetAimModeName(r), "");
             EXPECT_EQ(s.GetAimpadPath(r), "");
             EXPECT_EQ(s.GetCurrMacro(r), "");
             EXPECT_EQ(s.GetMacroPath(r), "");
             EXPECT_EQ(s.GetMacroMode(r, "Alpha"), 0);
             EXPECT_EQ(s.IsChanged(r), 0);
             EXPECT_EQ(s.GetRecordIndex(kKR720Profiles, 0), -1);
             EXPECT_FALSE(s.GetProfileIndexes(kKR720Profiles, ids));
             EXPECT_EQ(s.GetProfileName(kKR720Profiles), "");
             EXPECT_EQ(s.GetProfileExe(kKR720Profiles), "");
             EXPECT_EQ(s.IsProfileChanged(kKR720Profiles), 0);
             EXPECT_EQ(s.IsAimModeChanged(kKR720AimModes), 0);
             s.SetLightMode(r, 1);
             s.SetGeneralEffect(r, 0, effect);
             s.SetMappedKey(r, 0, 1);
             s.SetProfileName(kKR720Profiles, "x");
             s.SetProfileExe(kKR720Profiles, "x");
             s.SetAimpadPath(r, "x");
             s.SetMacroPath(r, "x");
             s.AddMacro(r, "x");
         }},
        {"position past a list",
         [](void* p) {
             S& s = As<S>(p);
             LightEffect effect{};
             EXPECT_FALSE(s.GetGeneralEffect(0, kKR720GeneralEffects, effect));
             EXPECT_EQ(s.GetMappedKey(0, kKR720MappedKeys), 65535);
             s.SetGeneralEffect(0, kKR720GeneralEffects, effect);
         }},
    };
    MarkByNames<S>(e);
    return e;
}

}  // namespace prefbook::test
