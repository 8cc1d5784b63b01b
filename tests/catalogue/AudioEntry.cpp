#include "catalogue/StoreCatalogue.h"
#include "devices/audio/AU570ProfileCfgImpl.h"
#include "devices/audio/AudioProfileStore.h"

namespace prefbook::test {
namespace {

EqMode Eq(int id, const char* name, int base) {
    return {id, name, base + 1, base + 2, base + 3, base + 4, base + 5, base + 6, base + 7};
}

SurroundMode Surround(int id, const char* name, int base) {
    SurroundMode m{id, name, 1, 0, {}, {}};
    for (int i = 0; i < kVirtualSpeakerCount; ++i) {
        m.angle[i] = base - 20 * i;
        m.distance[i] = base + 3 * i + 1;
    }
    return m;
}

template <class S>
void FillAudio(S& s) {
    s.SetExportPath("C:/export \xC3\xA9");
    s.SetOpenExePath("D:/open");
    s.SetProfileName(0, QString::fromUtf8("Profil \xC3\xA4"));
    s.SetProfileExe(0, "game.exe");
    s.SetForeground({{1, 11, 12, 13, 14}, {0, 21, 22, 23, 24}, {1, 31, 32, 33, 34}});
    SoundSettings sound;
    sound.bass = -7;
    sound.treble = 9;
    sound.currModeId = 5;
    sound.modes = {{4, Eq(4, "Four", -12)}, {5, Eq(5, "Five", 20)}};
    s.SetSoundSettings(sound);
    s.SetSurroundModes({{6, Surround(6, "Six", 170)}, {8, Surround(8, "Eight", -100)}});
    s.SetSurroundModeId(8);
}

template <class S>
IndexCheck ProfileIndexChecks() {
    return {"profile 1 and -1", [](void* p) {
                S& s = As<S>(p);
                QString text = "kept";
                for (int bad : {-1, 1}) {
                    EXPECT_FALSE(s.SetProfileName(bad, "x"));
                    EXPECT_FALSE(s.SetProfileExe(bad, "x"));
                    EXPECT_FALSE(s.GetProfileName(bad, text));
                    EXPECT_FALSE(s.GetProfileExe(bad, text));
                }
                EXPECT_EQ(text, "kept");
            }};
}

template <class S>
StoreEntry AudioEntry(const char* model, const char* interface, int deviceType) {
    StoreEntry e = FolderStore<S>(model, interface, deviceType);
    e.profiles = 1;
    e.load = LoadRule::AtLeastOne;
    e.fill = [](void* s) { FillAudio(As<S>(s)); };
    // A readable file replaces the store even when it does not hold the single profile.
    DocumentKind document = Kind<S>("store document", "", 1, &S::ExportProfile, &S::ImportProfile);
    document.keptOnRefusal = false;
    e.kinds = {document};
    e.badIndex = {ProfileIndexChecks<S>()};
    // One profile: its name carries the mark.
    e.mark = [](void* s, int n) { As<S>(s).SetProfileName(0, QStringLiteral("mark %1").arg(n)); };
    e.markOf = [](void* s) {
        QString text;
        As<S>(s).GetProfileName(0, text);
        return text.startsWith("mark ") ? text.mid(5).toInt() : -1;
    };
    return e;
}

template <class S, class Effect>
StoreEntry LitAudioEntry(const char* model, const char* interface, int deviceType, QVector<Effect> effects) {
    StoreEntry e = AudioEntry<S>(model, interface, deviceType);
    e.fill = [effects](void* p) {
        S& s = As<S>(p);
        FillAudio(s);
        s.SetLightEffects(effects);
        s.SetLightingMode(77);
    };
    e.badIndex.push_back({"effect past the list", [](void* p) {
                              S& s = As<S>(p);
                              QVector<Effect> all;
                              ASSERT_TRUE(s.GetLightEffects(all));
                              Effect effect{};
                              const auto n = static_cast<uint8_t>(all.size());
                              EXPECT_FALSE(s.GetLightEffect(n, effect));
                              s.SetLightEffect(n, effect);
                          }});
    return e;
}

}  // namespace

PREFBOOK_CATALOGUE_ENTRY(DS180) {
    return LitAudioEntry<DS180ProfileCfgImpl, DS180LightEffect>(
        "DS180", "IDS180ProfileCfg", DS180, {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}});
}
PREFBOOK_CATALOGUE_ENTRY(AU320) {
    return LitAudioEntry<AU320ProfileCfgImpl, AU320LightEffect>("AU320", "IAU320ProfileCfg", AU320,
                                                                {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
}
PREFBOOK_CATALOGUE_ENTRY(AU340) {
    return AudioEntry<AU340ProfileCfgImpl>("AU340", "IAU340ProfileCfg", AU340);
}

PREFBOOK_CATALOGUE_ENTRY(AU570) {
    using S = AU570ProfileCfgImpl;
    StoreEntry e = FolderStore<S>("AU570", "IAU570ProfileCfg", AU570);
    e.fill = [](void* p) {
        S& s = As<S>(p);
        s.SetEqModes({{3, Eq(3, "Drei \xC3\xBC", -30)}, {9, Eq(9, "Nine", 40)}});
        s.SetCurrModeId(9);
        s.SetBass(-4);
        s.SetTreble(6);
    };
    e.kinds = {Kind<S>("store document", "", 0, &S::ExportProfile, &S::ImportProfile)};
    e.sharesFilesWith = QStringList{"*"};  // the table is read from "mode" elements wherever they stand
    e.mark = [](void* s, int n) { As<S>(s).SetBass(n); };
    e.markOf = [](void* s) { return int(As<S>(s).GetBass()); };
    return e;
}

}  // namespace prefbook::test
