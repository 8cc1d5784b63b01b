#include "devices/keyboards/KR720Document.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <utility>

#include "devices/keyboards/KeyboardXml.h"
#include "profilecore/ColorXml.h"
#include "profilecore/MacroModel.h"

namespace prefbook {
namespace {

const QLatin1String kRoot("kr720");
const QString kParseFailure = QStringLiteral("Parse KR720 XML Failed. ");

using kbd::FillNumbers;
using kbd::JoinNumbers;
using kbd::Num;
using kbd::ParseU32;
using kbd::ReadInOrder;
using kbd::U16;
using kbd::U8;

// The LightEffect fields in their attribute order.
const kbd::EffectFields<LightEffect, 14> kEffectFields = {{
    {QLatin1String("id"), &LightEffect::id},
    {QLatin1String("speed"), &LightEffect::speed},
    {QLatin1String("direction"), &LightEffect::direction},
    {QLatin1String("brightness"), &LightEffect::brightness},
    {QLatin1String("random"), &LightEffect::random},
    {QLatin1String("red"), &LightEffect::red},
    {QLatin1String("green"), &LightEffect::green},
    {QLatin1String("blue"), &LightEffect::blue},
    {QLatin1String("bg_mode"), &LightEffect::bgMode},
    {QLatin1String("bg_red"), &LightEffect::bgRed},
    {QLatin1String("bg_green"), &LightEffect::bgGreen},
    {QLatin1String("bg_blue"), &LightEffect::bgBlue},
    {QLatin1String("bg_random"), &LightEffect::bgRandom},
    {QLatin1String("bg_brightness"), &LightEffect::bgBrightness},
}};

// ---- Writing ----

void WriteEffects(QXmlStreamWriter& w, const QVector<LightEffect>& effects) {
    kbd::WriteEffects(w, effects, kEffectFields);
}

void WriteLighting(QXmlStreamWriter& w, const KR720Lighting& l) {
    w.writeStartElement(QStringLiteral("lighting"));
    w.writeAttribute(QStringLiteral("curr_mode"), Num(l.currMode));

    w.writeStartElement(QStringLiteral("general"));
    WriteEffects(w, l.general);
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("custom"));
    w.writeAttribute(QStringLiteral("brightness"), Num(l.custom.brightness));
    kbd::WriteRgbKeys(w, reinterpret_cast<const uint8_t*>(l.custom.keys), kKR720CustomKeys);
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("multilayer"));
    w.writeAttribute(QStringLiteral("curr_mode"), Num(l.multilayerCurrMode));
    WriteEffects(w, l.multilayer);
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("multizone"));
    w.writeAttribute(QStringLiteral("curr_mode"), Num(l.multizoneCurrMode));
    w.writeStartElement(QStringLiteral("subMode"));
    WriteEffects(w, l.multizone);
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("filter"));
    kbd::WriteFilterRows(w, reinterpret_cast<const uint8_t*>(l.filters), kKR720FilterRows, kKR720FilterWidth,
                         kKR720FilterWidth);
    w.writeEndElement();
    w.writeEndElement();

    kbd::WriteColorList(w, QStringLiteral("foreground"), l.foreground);
    kbd::WriteColorList(w, QStringLiteral("background"), l.background);
    w.writeEndElement();
}

void WriteProfile(QXmlStreamWriter& w, const KR720Profile& p) {
    w.writeStartElement(QStringLiteral("profile"));
    w.writeAttribute(QStringLiteral("id"), Num(p.id));
    writeUtf8(w, QStringLiteral("name"), p.name);
    writeUtf8(w, QStringLiteral("exe"), p.exe);
    WriteAimpad(w, p.aimpad);
    WriteLighting(w, p.lighting);
    kbd::WriteMapping(w, p.mapping);
    ShortMacros::Write(w, {p.macros.path, p.macros.currMacro, p.macros.macros});
    w.writeEndElement();
}

// ---- Reading ----

void ReadEffects(QXmlStreamReader& r, QVector<LightEffect>& effects) {
    kbd::ReadEffects(r, effects, kEffectFields);
}

void ReadCustomBlock(QXmlStreamReader& r, KR720CustomBlock& custom) {
    custom.brightness = U8(r.attributes(), QLatin1String("brightness"));
    kbd::ReadRgbKeys(r, reinterpret_cast<uint8_t*>(custom.keys), kKR720CustomKeys);
}

// Each "mode" fills one row; rows and values beyond the filter's size are dropped.
void ReadFilters(QXmlStreamReader& r, uint8_t (&filters)[kKR720FilterRows][kKR720FilterWidth]) {
    kbd::ReadFilterRows(r, reinterpret_cast<uint8_t*>(filters), kKR720FilterRows, kKR720FilterWidth,
                        kKR720FilterWidth);
}

void ReadMultilayer(QXmlStreamReader& r, KR720Lighting& l) {
    l.multilayerCurrMode = U8(r.attributes(), QLatin1String("curr_mode"));
    ReadEffects(r, l.multilayer);
}

void ReadMultizone(QXmlStreamReader& r, KR720Lighting& l) {
    l.multizoneCurrMode = U8(r.attributes(), QLatin1String("curr_mode"));
    ReadInOrder(r, {{QLatin1String("subMode"), [&] { ReadEffects(r, l.multizone); }},
                    {QLatin1String("filter"), [&] { ReadFilters(r, l.filters); }}});
}

void ReadLighting(QXmlStreamReader& r, KR720Lighting& l) {
    l.currMode = U8(r.attributes(), QLatin1String("curr_mode"));
    ReadInOrder(r, {{QLatin1String("general"), [&] { ReadEffects(r, l.general); }},
                    {QLatin1String("custom"), [&] { ReadCustomBlock(r, l.custom); }},
                    {QLatin1String("multilayer"), [&] { ReadMultilayer(r, l); }},
                    {QLatin1String("multizone"), [&] { ReadMultizone(r, l); }},
                    {QLatin1String("foreground"), [&] { ReadCustomColorList(r, l.foreground); }},
                    {QLatin1String("background"), [&] { ReadCustomColorList(r, l.background); }}});
}

// A freshly initialised record: the document defines every list's length.
KR720Profile EmptyRecord() {
    KR720Profile p;
    p.lighting.general.clear();
    p.lighting.multilayer.clear();
    p.lighting.multizone.clear();
    p.lighting.foreground.clear();
    p.lighting.background.clear();
    p.mapping.clear();
    return p;
}

KR720Profile ReadProfile(QXmlStreamReader& r, const StoreHost& host) {
    KR720Profile p = EmptyRecord();
    const QXmlStreamAttributes a = r.attributes();
    p.id = U8(a, QLatin1String("id"));
    p.name = attrUtf8(a, QLatin1String("name"));
    p.exe = attrUtf8(a, QLatin1String("exe"));
    const MacroSetRef<MacroMap> macros{p.macros.path, p.macros.currMacro, p.macros.macros};
    ReadInOrder(r, {{QLatin1String("aimpad"), [&] { ReadAimpad(r, p.aimpad); }},
                    {QLatin1String("lighting"), [&] { ReadLighting(r, p.lighting); }},
                    {QLatin1String("mapping"), [&] { kbd::ReadMapping(r, p.mapping); }},
                    {QLatin1String("macros"), [&] { ShortMacros::Read(r, macros, host); }}});
    return p;
}

void ReadDigitalKeys(QStringRef text, DigitalKeyMap& keys) {
    if (text.isEmpty()) return;
    for (const QStringRef& part : text.split(QLatin1Char(','))) {
        const QVector<QStringRef> pieces = part.split(QLatin1Char(':'));
        if (pieces.size() == 2) keys[ParseU32(pieces[0])] = static_cast<uint16_t>(ParseU32(pieces[1]));
    }
}

}  // namespace

// ---- The "aimpad" element ----

void WriteAimpad(QXmlStreamWriter& w, const AimpadSettings& s) {
    w.writeStartElement(QStringLiteral("aimpad"));
    writeUtf8(w, QStringLiteral("path"), s.path);
    w.writeEmptyElement(QStringLiteral("mode"));
    w.writeAttribute(QStringLiteral("id"), Num(s.mode.id));
    writeUtf8(w, QStringLiteral("name"), s.mode.name);
    w.writeAttribute(QStringLiteral("sensit"), Num(s.mode.sensit));
    w.writeAttribute(QStringLiteral("actuat"), Num(s.mode.actuat));
    w.writeAttribute(QStringLiteral("spec_keys"), JoinNumbers(s.mode.specKeys, kKR720SpecKeys));
    QString digital;
    for (const auto& key : s.digitalKeys) {
        if (!digital.isEmpty()) digital += QLatin1Char(',');
        digital += Num(key.first) + QLatin1Char(':') + Num(key.second);
    }
    w.writeAttribute(QStringLiteral("digital_keys"), digital);
    w.writeEndElement();
}

void ReadAimpad(QXmlStreamReader& r, AimpadSettings& s) {
    s.path = attrUtf8(r.attributes(), QLatin1String("path"));
    ForEachChild(r, [&](QStringRef name) {
        if (name != QLatin1String("mode")) return false;
        const QXmlStreamAttributes a = r.attributes();
        s.mode.id = U8(a, QLatin1String("id"));
        s.mode.name = attrUtf8(a, QLatin1String("name"));
        s.mode.sensit = U8(a, QLatin1String("sensit"));
        s.mode.actuat = U8(a, QLatin1String("actuat"));
        FillNumbers(a.value(QLatin1String("spec_keys")), s.mode.specKeys, kKR720SpecKeys);
        ReadDigitalKeys(a.value(QLatin1String("digital_keys")), s.digitalKeys);
        return false;
    });
}

// ---- The store document and the exports ----

void WriteKR720(QXmlStreamWriter& w, const KR720Head& head, const QVector<KR720Profile>& records) {
    w.writeStartElement(kRoot);
    w.writeAttribute(QStringLiteral("flag"), Num(head.flag));
    w.writeAttribute(QStringLiteral("signature"), Num(head.signature));
    writeText(w, QStringLiteral("exportPath"), head.exportPath);
    writeText(w, QStringLiteral("openExePath"), head.openExePath);
    for (const KR720Profile& p : records) WriteProfile(w, p);
    w.writeEndElement();
}

bool WriteKR720File(const StoreHost& host, const QString& path, WriteMode mode, const KR720Head& head,
                    const QVector<KR720Profile>& records) {
    return WriteXmlFile(host, path, mode, [&](QXmlStreamWriter& w) { WriteKR720(w, head, records); });
}

void ReadKR720(QXmlStreamReader& r, const StoreHost& host, KR720Document& doc) {
    WalkDocument(
        r, kRoot,
        [&](const QXmlStreamAttributes& a) {
            doc.rootSeen = true;
            doc.head.flag = attrU16(a, QLatin1String("flag"));
            doc.head.signature = attrU32(a, QLatin1String("signature"));
            doc.head.exportPath = attrString(a, QLatin1String("exportPath"));
            doc.head.openExePath = attrString(a, QLatin1String("openExePath"));
        },
        [&](QStringRef name) {
            if (name != QLatin1String("profile")) return false;
            doc.records.push_back(ReadProfile(r, host));
            return true;
        });
}

bool ReadKR720Device(const StoreHost& host, QIODevice& device, const QString& path, KR720Document& doc) {
    return ReadXmlDevice(host, device, path, kParseFailure,
                         [&](QXmlStreamReader& r) { ReadKR720(r, host, doc); });
}

bool ReadKR720File(const StoreHost& host, const QString& path, KR720Document& doc) {
    return ReadXmlFile(host, path, kParseFailure, [&](QXmlStreamReader& r) { ReadKR720(r, host, doc); });
}

// ---- The aimpad file ----

void WriteAimpadFile(QXmlStreamWriter& w, uint8_t currMode, const QVector<AimpadSettings>& modes) {
    w.writeStartElement(kRoot);
    w.writeAttribute(QStringLiteral("flag"), Num(kKR720RecordFlag));
    w.writeAttribute(QStringLiteral("currMode"), Num(currMode));
    for (const AimpadSettings& s : modes) WriteAimpad(w, s);
    w.writeEndElement();
}

namespace {

const QString kAimpadFormatError = QStringLiteral("Import aimpad file format error.");

void ReadAimpadBody(QXmlStreamReader& r, const StoreHost& host, AimpadFile& file, bool& refused) {
    while (NextToken(r)) {
        if (!r.isStartElement()) continue;
        // Anything met here after the root's five "aimpad" elements is as wrong as a foreign root.
        if (r.name() != kRoot || attrU16(r.attributes(), QLatin1String("flag")) != kKR720RecordFlag) {
            host.Log(kAimpadFormatError);
            refused = true;
            return;
        }
        file.rootSeen = true;
        file.currMode = U8(r.attributes(), QLatin1String("currMode"));
        while (file.modes.size() < kKR720AimModes && r.readNextStartElement()) {
            if (r.name() != QLatin1String("aimpad")) {
                r.skipCurrentElement();
                continue;
            }
            AimpadSettings settings;
            ReadAimpad(r, settings);
            file.modes.push_back(settings);
        }
    }
}

bool FinishAimpadRead(const StoreHost& host, bool read, bool refused, const AimpadFile& file) {
    if (!read || refused) return false;
    // A record export carries the same root and flag but no aim modes; only a complete set of five
    // is taken, so a partial file never leaves a profile with mixed settings.
    if (file.modes.size() != kKR720AimModes) {
        host.Log(kAimpadFormatError);
        return false;
    }
    return true;
}

}  // namespace

bool ReadAimpadDevice(const StoreHost& host, QIODevice& device, const QString& path, AimpadFile& file) {
    bool refused = false;
    const bool read = ReadXmlDevice(host, device, path, QString(),
                                    [&](QXmlStreamReader& r) { ReadAimpadBody(r, host, file, refused); });
    return FinishAimpadRead(host, read, refused, file);
}

bool ReadAimpadFile(const StoreHost& host, const QString& path, AimpadFile& file) {
    bool refused = false;
    const bool read = ReadXmlFile(host, path, QString(),
                                  [&](QXmlStreamReader& r) { ReadAimpadBody(r, host, file, refused); });
    return FinishAimpadRead(host, read, refused, file);
}

}  // namespace prefbook
