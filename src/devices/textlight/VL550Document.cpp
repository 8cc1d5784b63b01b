#include "devices/textlight/VL550Document.h"

#include "profilecore/ColorXml.h"
#include "profilecore/LightModeXml.h"

namespace prefbook {

const QString kVL550ParseFailure = QStringLiteral("Parse VL550 XML Failed. ");

namespace {

const QLatin1String kRoot("vl550");
const QString kCustomColor = QStringLiteral("customColor");

void WriteLighting(QXmlStreamWriter& w, const VL550Profile& p) {
    w.writeStartElement(QStringLiteral("lighting"));
    writeNumber(w, QLatin1String("curr_mode"), p.currMode);
    w.writeStartElement(QStringLiteral("general"));
    for (size_t i = 0; i < kVL550ModeCount; ++i) {
        WriteLightMode(w, i < static_cast<size_t>(p.modes.size()) ? p.modes[static_cast<int>(i)]
                                                                  : kVLDefaultModeSetting);
    }
    w.writeEndElement();
    for (const CustomColor& c : p.customColors) WriteCustomColor(w, c, kCustomColor);
    w.writeStartElement(QStringLiteral("custom"));
    for (size_t i = 0; i < kVL550BlockColors; ++i) {
        w.writeStartElement(QStringLiteral("rgb"));
        writeNumber(w, QLatin1String("r"), p.customBlock[i * 3]);
        writeNumber(w, QLatin1String("g"), p.customBlock[i * 3 + 1]);
        writeNumber(w, QLatin1String("b"), p.customBlock[i * 3 + 2]);
        w.writeEndElement();
    }
    w.writeEndElement();  // custom
    w.writeEndElement();  // lighting
}

void WriteText(QXmlStreamWriter& w, const VL550Profile& p) {
    w.writeStartElement(QStringLiteral("text"));
    writeNumber(w, QLatin1String("curr_text"), p.currText);
    w.writeStartElement(QStringLiteral("text"));
    writeNumber(w, QLatin1String("mode"), p.textMode);
    writeNumber(w, QLatin1String("period"), p.textPeriod);
    w.writeEndElement();
    w.writeEndElement();
}

// An attribute the "mode" element leaves out keeps the default setting's value.
uint8_t U8Or(const QXmlStreamAttributes& a, const char* name, uint8_t fallback) {
    const QLatin1String key(name);
    return a.hasAttribute(key) ? attrU8(a, key) : fallback;
}

VLModeSetting ReadModeSetting(const QXmlStreamAttributes& a) {
    const VLModeSetting d = kVLDefaultModeSetting;
    return {U8Or(a, "id", d.id),       U8Or(a, "speed", d.speed), U8Or(a, "red", d.red),
            U8Or(a, "green", d.green), U8Or(a, "blue", d.blue),   U8Or(a, "brightness", d.brightness)};
}

// Colours beyond the 21st are ignored; colours the element leaves out keep their values.
void ReadCustomBlock(QXmlStreamReader& r, VL550Profile& p) {
    size_t colour = 0;
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("rgb") && colour < kVL550BlockColors) {
            const QXmlStreamAttributes a = r.attributes();
            p.customBlock[colour * 3] = attrU8(a, QLatin1String("r"));
            p.customBlock[colour * 3 + 1] = attrU8(a, QLatin1String("g"));
            p.customBlock[colour * 3 + 2] = attrU8(a, QLatin1String("b"));
            ++colour;
        }
        return false;
    });
}

void ReadLighting(QXmlStreamReader& r, VL550Profile& p) {
    p.currMode = attrU8(r.attributes(), QLatin1String("curr_mode"));
    // The document's "customColor" list replaces the profile's, an absent list included.
    p.customColors.clear();
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("general")) {
            p.modes.clear();
            ForEachChild(r, [&](QStringRef mode) {
                if (mode == QLatin1String("mode")) p.modes.push_back(ReadModeSetting(r.attributes()));
                return false;
            });
            return true;
        }
        if (name == kCustomColor) {
            p.customColors.push_back(ReadCustomColor(r.attributes()));
            return false;
        }
        if (name == QLatin1String("custom")) {
            ReadCustomBlock(r, p);
            return true;
        }
        return false;
    });
}

void ReadText(const StoreHost& host, QXmlStreamReader& r, VL550Profile& p) {
    p.currText = attrU8(r.attributes(), QLatin1String("curr_text"));
    host.LogDetail("text mode =" + QString::number(p.currText));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("text")) {
            p.textMode = attrU8(r.attributes(), QLatin1String("mode"));
            p.textPeriod = attrU8(r.attributes(), QLatin1String("period"));
        }
        return false;
    });
}

void ReadProfile(const StoreHost& host, QXmlStreamReader& r, VL550Profile& p) {
    p.id = attrU8(r.attributes(), QLatin1String("id"));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("lighting")) {
            ReadLighting(r, p);
            return true;
        }
        if (name == QLatin1String("text")) {
            ReadText(host, r, p);
            return true;
        }
        return false;
    });
}

}  // namespace

void WriteVL550Document(QXmlStreamWriter& w, const VL550Profile& profile) {
    w.writeStartElement(kRoot);
    w.writeStartElement(QStringLiteral("profile"));
    writeNumber(w, QLatin1String("id"), profile.id);
    WriteLighting(w, profile);
    WriteText(w, profile);
    w.writeEndElement();  // profile
    w.writeEndElement();  // root
}

void ReadVL550Document(const StoreHost& host, QXmlStreamReader& r, VL550Profile& profile) {
    WalkDocument(
        r, kRoot, [](const QXmlStreamAttributes&) {},
        [&](QStringRef name) {
            if (name != QLatin1String("profile")) return false;
            ReadProfile(host, r, profile);
            return true;
        });
}

bool WriteVL550File(const StoreHost& host, const QString& path, const VL550Profile& profile) {
    // The document is rewritten in place (or at a user's path): a failed write must leave the old one.
    return WriteXmlFile(host, path, WriteMode::Atomic,
                        [&](QXmlStreamWriter& w) { WriteVL550Document(w, profile); });
}

bool ReadVL550File(const StoreHost& host, const QString& path, VL550Profile& profile) {
    return ReadXmlFile(host, path, kVL550ParseFailure,
                       [&](QXmlStreamReader& r) { ReadVL550Document(host, r, profile); });
}

}  // namespace prefbook
