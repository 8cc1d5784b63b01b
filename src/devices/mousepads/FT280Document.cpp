#include "devices/mousepads/FT280Document.h"

#include "profilecore/ColorXml.h"
#include "profilecore/LightModeXml.h"

namespace prefbook {

const QString kFT280ParseFailure = QStringLiteral("Parse FT280 XML Failed. ");

namespace {

const QLatin1String kRoot("ft280");

void WriteProfile(QXmlStreamWriter& w, const FT280Profile& p) {
    w.writeStartElement(QStringLiteral("profile"));
    w.writeStartElement(QStringLiteral("lighting"));
    writeNumber(w, QLatin1String("curr_mode"), p.currMode);
    w.writeStartElement(QStringLiteral("general"));
    for (const ModeSetting& m : p.modes) WriteLightMode(w, m);
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("foreground"));
    for (const CustomColor& c : p.foreground) WriteCustomColor(w, c);
    w.writeEndElement();
    w.writeEndElement();  // lighting
    w.writeEndElement();  // profile
}

void ReadLighting(QXmlStreamReader& r, FT280Profile& p) {
    // "curr_mode" is unsigned: only its low byte is kept.
    p.currMode = static_cast<uint8_t>(attrU32(r.attributes(), QLatin1String("curr_mode")) & 0xFFu);
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("general")) {
            ForEachChild(r, [&](QStringRef mode) {
                if (mode == QLatin1String("mode"))
                    p.modes.push_back(ReadLightMode<ModeSetting>(r.attributes()));
                return false;
            });
            return true;
        }
        if (name == QLatin1String("foreground")) {
            ReadCustomColorList(r, p.foreground);
            return true;
        }
        return false;
    });
}

FT280Profile ReadProfile(QXmlStreamReader& r) {
    FT280Profile p;
    ForEachChild(r, [&](QStringRef name) {
        if (name != QLatin1String("lighting")) return false;
        ReadLighting(r, p);
        return true;
    });
    return p;
}

}  // namespace

void WriteFT280Document(QXmlStreamWriter& w, const QVector<FT280Profile>& profiles) {
    w.writeStartElement(kRoot);
    for (const FT280Profile& p : profiles) WriteProfile(w, p);
    w.writeEndElement();
}

void ReadFT280Document(QXmlStreamReader& r, QVector<FT280Profile>& profiles) {
    profiles.clear();
    WalkDocument(
        r, kRoot, [](const QXmlStreamAttributes&) {},
        [&](QStringRef name) {
            if (name != QLatin1String("profile")) return false;
            profiles.push_back(ReadProfile(r));
            return true;
        });
}

bool WriteFT280File(const StoreHost& host, const QString& path, WriteMode mode,
                    const QVector<FT280Profile>& profiles) {
    return WriteXmlFile(host, path, mode, [&](QXmlStreamWriter& w) { WriteFT280Document(w, profiles); });
}

bool ReadFT280File(const StoreHost& host, const QString& path, QVector<FT280Profile>& profiles) {
    return ReadXmlFile(host, path, kFT280ParseFailure,
                       [&](QXmlStreamReader& r) { ReadFT280Document(r, profiles); });
}

}  // namespace prefbook
