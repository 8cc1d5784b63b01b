#include "catalogue/StoreCatalogue.h"
#include "devices/keypad/KeydeckProfileCfgImpl.h"
#include "keydeck/KeydeckFill.h"

namespace prefbook::test {
namespace {

// One store serves both variants; each has its own folder and document, and joins as its own entry.
StoreEntry KeydeckEntry(const char* model, int type) {
    using S = KeydeckProfileCfgImpl;
    StoreEntry e = FolderStore<S>(model, "IKeydeckProfileCfg", type, "xml",
                                  [type](S& s) { return s.SaveProfile(type); });
    e.profiles = 24;
    e.load = LoadRule::Exact;
    e.keptFrom = "\n    <profile ";  // an import takes the file's application paths too
    e.fill = [type](void* p) { FillDistinctKeydeck(As<S>(p), type); };
    // All profiles export as a store document: ImportAllProfiles takes either.
    e.kinds = {
        WithSlot(Kind<S>("store document", "1282", 24, type, &S::ExportAllProfiles, &S::ImportAllProfiles),
                 "currentProfileID", 24),
        WithSlot(Kind<S>("profile export", "609", 1, type, &S::ExportProfile, &S::ImportProfile), "id", 24),
        Kind<S>("macro file", "8738", 0, type, &S::ExportMacroFile, &S::ImportMacroFile)};
    // Either keypad root reads as a keypad document; only the macro file names its variant.
    e.sharesFilesWith = QStringList{"KEYDECK_G", "KEYDECK_C"};
    e.badIndex = {{"profiles -1 and 24, type 7", [type](void* p) {
                       S& s = As<S>(p);
                       // A profile let through hands out another address than the shared fallback.
                       ASSERT_EQ(&s.GetProfileName(type, 24), &s.GetProfileName(type, 1000));
                       ASSERT_EQ(&s.GetProfileName(type, -1), &s.GetProfileName(type, 1000));
                       ASSERT_EQ(&s.GetMacroPath(type, 24), &s.GetMacroPath(type, 1000));
                       for (const auto& [badType, idx] :
                            std::vector<std::pair<int, int>>{{type, -1}, {type, 24}, {7, 0}}) {
                           SCOPED_TRACE(idx);
                           s.SetProfileName(badType, idx, "x");
                           s.SetMappingMode(badType, idx, 3);
                           s.AddMacro(badType, idx, "m");
                           s.SetPadKey(badType, idx, 0, {});
                           EXPECT_EQ(s.GetProfileName(badType, idx), "");
                           EXPECT_EQ(s.GetProfileExe(badType, idx), "");
                           EXPECT_EQ(s.GetMappingMode(badType, idx), 0);
                           EXPECT_EQ(s.GetLightingMode(badType, idx), 0);
                           EXPECT_EQ(s.GetFlagB(badType, idx), 0);
                           EXPECT_EQ(s.GetSlotFlag(badType, idx), 0);
                           EXPECT_EQ(s.TakeFreeMacroId(badType, idx), 24);
                           EXPECT_FALSE(s.HasFreeMacroId(badType, idx));
                           EXPECT_EQ(s.GetMacroNum(badType, idx), 0);
                           EXPECT_EQ(s.GetMacroPath(badType, idx), "");
                           KeydeckProfile profile;
                           profile.name = "kept";
                           EXPECT_FALSE(s.GetProfile(badType, idx, profile));
                           EXPECT_EQ(profile.name, "PROFILE");
                           QVector<PadKey> keys(1);
                           EXPECT_FALSE(s.GetPadKeys(badType, idx, keys));
                           EXPECT_TRUE(keys.isEmpty());
                           PadKey key{};
                           EXPECT_FALSE(s.GetPadKey(badType, idx, 0, key));
                           uint8_t bytes[kKeydeckCustomColorBytes];
                           EXPECT_FALSE(s.GetIndicator(badType, idx, bytes));
                           EXPECT_FALSE(s.GetCustomColors(badType, idx, bytes));
                           KeydeckMacroRecord record{};
                           EXPECT_FALSE(s.GetMacro(badType, idx, "m", record));
                       }
                       EXPECT_EQ(s.GetProfileNum(7), 0);
                       EXPECT_EQ(s.GetExportPath(7), "");
                       PadKey key{};
                       EXPECT_FALSE(s.GetPadKey(type, 0, 28, key));
                       QString path = "stale";
                       s.GetAppPath(3, path);
                       EXPECT_TRUE(path.isEmpty());
                       EXPECT_FALSE(s.IsAppPathValid(0));
                   }}};
    MarkByNames(
        e, [type](void* p, int i, const std::string& name) { As<S>(p).SetProfileName(type, i, name); },
        [type](void* p, int i) { return As<S>(p).GetProfileName(type, i); });
    e.merge = [type](void* s) { return As<S>(s).RewriteDocument(type); };
    return e;
}

}  // namespace

PREFBOOK_CATALOGUE_ENTRY(KEYDECK_G) {
    return KeydeckEntry("KEYDECK_G", KEYDECK_G);
}
PREFBOOK_CATALOGUE_ENTRY(KEYDECK_C) {
    return KeydeckEntry("KEYDECK_C", KEYDECK_C);
}

}  // namespace prefbook::test
