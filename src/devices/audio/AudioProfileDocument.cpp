#include "devices/audio/AudioProfileDocument.h"

#include "devices/audio/AudioDefaults.h"
#include "devices/audio/AudioStoreTraits.h"
#include "profilecore/ColorXml.h"
#include "profilecore/LightModeXml.h"

namespace prefbook {
namespace {

template <class Traits>
void WriteLighting(QXmlStreamWriter& w, const typename Traits::Profile& p) {
    w.writeStartElement(QStringLiteral("lighting"));
    writeNumber(w, QLatin1String("curr_mode"), p.lighting.currMode);
    w.writeStartElement(QStringLiteral("general"));
    for (const auto& e : p.lighting.effects) WriteLightMode(w, e);
    w.writeEndElement();
    if constexpr (Traits::kPersistsEntries) {
        w.writeStartElement(QStringLiteral("foreground"));
        for (const CustomColor& c : p.lighting.foreground) WriteCustomColor(w, c);
        w.writeEndElement();
    }
    w.writeEndElement();
}

template <class Traits>
void ReadLighting(QXmlStreamReader& r, typename Traits::Profile& p) {
    p.lighting.currMode = attrU8(r.attributes(), QLatin1String("curr_mode"));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("general")) {
            ForEachChild(r, [&](QStringRef effect) {
                if (effect == QLatin1String("mode")) {
                    p.lighting.effects.push_back(ReadLightMode<typename Traits::Effect>(r.attributes()));
                }
                return false;
            });
            return true;
        }
        if constexpr (Traits::kPersistsEntries) {
            if (name == QLatin1String("foreground")) {
                ReadCustomColorList(r, p.lighting.foreground);
                return true;
            }
        }
        return false;
    });
}

template <class Traits>
void WriteProfile(QXmlStreamWriter& w, const typename Traits::Profile& p) {
    w.writeStartElement(QStringLiteral("profile"));
    w.writeAttribute(QStringLiteral("id"), QString::number(p.id));
    writeUtf8(w, QStringLiteral("name"), p.name);
    writeUtf8(w, QStringLiteral("exe"), p.exe);
    if constexpr (Traits::kHasLighting) WriteLighting<Traits>(w, p);
    WriteSound(w, p.sound, Traits::kBassTreble);
    WriteSurround(w, p.surround);
    w.writeEndElement();
}

template <class Traits>
typename Traits::Profile ReadProfile(QXmlStreamReader& r) {
    typename Traits::Profile p = FreshAudioProfile<Traits>();
    const QXmlStreamAttributes a = r.attributes();
    p.id = attrInt(a, QLatin1String("id"));
    p.name = attrUtf8(a, QLatin1String("name"));
    p.exe = attrUtf8(a, QLatin1String("exe"));
    ForEachChild(r, [&](QStringRef name) {
        if constexpr (Traits::kHasLighting) {
            if (name == QLatin1String("lighting")) {
                ReadLighting<Traits>(r, p);
                return true;
            }
        }
        if (name == QLatin1String("sound")) {
            ReadSound(r, p.sound, Traits::kBassTreble);
            return true;
        }
        if (name == QLatin1String("surround")) {
            ReadSurround(r, p.surround);
            return true;
        }
        return false;
    });
    return p;
}

}  // namespace

QVector<DS180LightEffect> DS180Traits::DefaultEffects() {
    // One effect per lighting mode 0-3, white at a middle speed.
    return {{0, 2, 255, 255, 255}, {1, 2, 255, 255, 255}, {2, 2, 255, 255, 255}, {3, 2, 255, 255, 255}};
}

QVector<AU320LightEffect> AU320Traits::DefaultEffects() {
    // As the DS180's, at full brightness.
    return {{0, 2, 255, 255, 255, 255},
            {1, 2, 255, 255, 255, 255},
            {2, 2, 255, 255, 255, 255},
            {3, 2, 255, 255, 255, 255}};
}

template <class Traits>
typename Traits::Profile FreshAudioProfile() {
    typename Traits::Profile p;
    if constexpr (!Traits::kPersistsEntries) Traits::Entries(p) = DefaultColorEntries();
    return p;
}

template <class Traits>
typename Traits::Profile DefaultAudioProfile() {
    typename Traits::Profile p;
    p.id = 0;
    p.name = "PROFILE0";
    if constexpr (Traits::kHasLighting) {
        p.lighting.currMode = 1;
        p.lighting.effects = Traits::DefaultEffects();
    }
    Traits::Entries(p) = DefaultColorEntries();
    p.sound = SoundDefaults();
    p.surround = SurroundDefaults();
    return p;
}

template <class Profile>
void ApplyMissingAudioDefaults(Profile& p) {
    if (p.sound.modes.isEmpty()) p.sound = SoundDefaults();
    if (p.surround.modes.isEmpty()) p.surround = SurroundDefaults();
}

template <class Traits>
void WriteAudioDocument(QXmlStreamWriter& w, const AudioStoreData<typename Traits::Profile>& data) {
    w.writeStartElement(QLatin1String(Traits::kRoot));
    writeText(w, QStringLiteral("exportPath"), data.exportPath);
    writeText(w, QStringLiteral("openExePath"), data.openExePath);
    for (const auto& p : data.profiles) WriteProfile<Traits>(w, p);
    w.writeEndElement();
}

template <class Traits>
void ReadAudioDocument(QXmlStreamReader& r, AudioStoreData<typename Traits::Profile>& data) {
    data.profiles.clear();
    WalkDocument(
        r, QLatin1String(Traits::kRoot),
        [&](const QXmlStreamAttributes& a) {
            data.exportPath = attrString(a, QLatin1String("exportPath"));
            data.openExePath = attrString(a, QLatin1String("openExePath"));
        },
        [&](QStringRef name) {
            if (name != QLatin1String("profile")) return false;
            data.profiles.push_back(ReadProfile<Traits>(r));
            return true;
        });
}

#define PREFBOOK_AUDIO_DOCUMENT(Traits)                                                                  \
    template Traits::Profile FreshAudioProfile<Traits>();                                                \
    template Traits::Profile DefaultAudioProfile<Traits>();                                              \
    template void ApplyMissingAudioDefaults<Traits::Profile>(Traits::Profile&);                          \
    template void WriteAudioDocument<Traits>(QXmlStreamWriter&, const AudioStoreData<Traits::Profile>&); \
    template void ReadAudioDocument<Traits>(QXmlStreamReader&, AudioStoreData<Traits::Profile>&);

PREFBOOK_AUDIO_DOCUMENT(DS180Traits)
PREFBOOK_AUDIO_DOCUMENT(AU320Traits)
PREFBOOK_AUDIO_DOCUMENT(AU340Traits)

#undef PREFBOOK_AUDIO_DOCUMENT

}  // namespace prefbook
