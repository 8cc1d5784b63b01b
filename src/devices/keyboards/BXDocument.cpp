#include "devices/keyboards/BXDocument.h"

#include "devices/keyboards/KeyboardXml.h"
#include "profilecore/ColorXml.h"

namespace prefbook {
namespace {

using kbd::Num;
using kbd::U8;

// The attribute order differs from the byte order of BXEffect.
const kbd::EffectFields<BXEffect, 12> kEffectFields = {{
    {QLatin1String("id"), &BXEffect::id},
    {QLatin1String("speed"), &BXEffect::speed},
    {QLatin1String("direction"), &BXEffect::direction},
    {QLatin1String("brightness"), &BXEffect::brightness},
    {QLatin1String("random"), &BXEffect::random},
    {QLatin1String("red"), &BXEffect::red},
    {QLatin1String("green"), &BXEffect::green},
    {QLatin1String("blue"), &BXEffect::blue},
    {QLatin1String("bg_red"), &BXEffect::bgRed},
    {QLatin1String("bg_green"), &BXEffect::bgGreen},
    {QLatin1String("bg_blue"), &BXEffect::bgBlue},
    {QLatin1String("bg_brightness"), &BXEffect::bgBrightness},
}};

// A caller may hand over a filter width beyond the record's rows; never read or write past them.
int RowWidth(const BXModel& model) {
    return qBound(0, model.filterWidth, kBXMaxFilterWidth);
}

void WriteLighting(QXmlStreamWriter& w, const BXModel& model, const BXProfile& p) {
    w.writeStartElement(QStringLiteral("lighting"));
    w.writeAttribute(QStringLiteral("curr_mode"), Num(p.currMode));

    w.writeStartElement(QStringLiteral("general"));
    kbd::WriteEffects(w, p.general, kEffectFields);
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("custom"));
    kbd::WriteRgbKeys(w, p.custom, kBXCustomKeys);
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("multilayer"));
    w.writeAttribute(QStringLiteral("curr_mode"), Num(p.multilayerCurrMode));
    kbd::WriteEffects(w, p.multilayer, kEffectFields);
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("multizone"));
    w.writeAttribute(QStringLiteral("curr_mode"), Num(p.multizoneCurrMode));
    w.writeStartElement(QStringLiteral("subMode"));
    kbd::WriteEffects(w, p.multizone, kEffectFields);
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("filter"));
    kbd::WriteFilterRows(w, reinterpret_cast<const uint8_t*>(p.filters), kBXFilterRows, RowWidth(model),
                         kBXMaxFilterWidth);
    w.writeEndElement();
    w.writeEndElement();

    kbd::WriteColorList(w, QStringLiteral("foreground"), p.foreground);
    kbd::WriteColorList(w, QStringLiteral("background"), p.background);
    w.writeEndElement();
}

void WriteProfile(QXmlStreamWriter& w, const BXModel& model, const BXProfile& p) {
    w.writeStartElement(QStringLiteral("profile"));
    w.writeAttribute(QStringLiteral("id"), Num(p.id));
    writeUtf8(w, QStringLiteral("name"), p.name);
    writeUtf8(w, QStringLiteral("exe"), p.exe);
    WriteLighting(w, model, p);
    kbd::WriteMapping(w, p.mapping);
    LongMacros::Write(w, {p.macros.path, p.macros.currMacro, p.macros.macros});
    w.writeEndElement();
}

void ReadMultizone(QXmlStreamReader& r, const BXModel& model, BXProfile& p) {
    p.multizoneCurrMode = U8(r.attributes(), QLatin1String("curr_mode"));
    kbd::ReadInOrder(r, {{QLatin1String("subMode"), [&] { kbd::ReadEffects(r, p.multizone, kEffectFields); }},
                         {QLatin1String("filter"), [&] {
                              kbd::ReadFilterRows(r, reinterpret_cast<uint8_t*>(p.filters), kBXFilterRows,
                                                  RowWidth(model), kBXMaxFilterWidth);
                          }}});
}

void ReadLighting(QXmlStreamReader& r, const BXModel& model, BXProfile& p) {
    p.currMode = U8(r.attributes(), QLatin1String("curr_mode"));
    kbd::ReadInOrder(r, {{QLatin1String("general"), [&] { kbd::ReadEffects(r, p.general, kEffectFields); }},
                         {QLatin1String("custom"), [&] { kbd::ReadRgbKeys(r, p.custom, kBXCustomKeys); }},
                         {QLatin1String("multilayer"),
                          [&] {
                              p.multilayerCurrMode = U8(r.attributes(), QLatin1String("curr_mode"));
                              kbd::ReadEffects(r, p.multilayer, kEffectFields);
                          }},
                         {QLatin1String("multizone"), [&] { ReadMultizone(r, model, p); }},
                         {QLatin1String("foreground"), [&] { ReadCustomColorList(r, p.foreground); }},
                         {QLatin1String("background"), [&] { ReadCustomColorList(r, p.background); }}});
}

// A freshly initialised record: the document defines every list's length.
BXProfile EmptyRecord() {
    BXProfile p;
    p.general.clear();
    p.multilayer.clear();
    p.multizone.clear();
    p.foreground.clear();
    p.background.clear();
    p.mapping.clear();
    return p;
}

BXProfile ReadProfile(QXmlStreamReader& r, const StoreHost& host, const BXModel& model) {
    BXProfile p = EmptyRecord();
    const QXmlStreamAttributes a = r.attributes();
    p.id = U8(a, QLatin1String("id"));
    p.name = attrUtf8(a, QLatin1String("name"));
    p.exe = attrUtf8(a, QLatin1String("exe"));
    const MacroSetRef<MacroMapLong> macros{p.macros.path, p.macros.currMacro, p.macros.macros};
    kbd::ReadInOrder(r, {{QLatin1String("lighting"), [&] { ReadLighting(r, model, p); }},
                         {QLatin1String("mapping"), [&] { kbd::ReadMapping(r, p.mapping); }},
                         {QLatin1String("macros"), [&] { LongMacros::Read(r, macros, host); }}});
    return p;
}

QString ParseFailure(const BXModel& model) {
    return QStringLiteral("Parse ") + model.name + QStringLiteral(" XML Failed. ");
}

}  // namespace

BXProfile DefaultBXProfile(int index) {
    BXProfile p;
    p.id = static_cast<uint8_t>(index);
    p.name = "PROFILE" + std::to_string(index);
    return p;
}

void WriteBX(QXmlStreamWriter& w, const BXModel& model, const BXHead& head,
             const QVector<BXProfile>& records) {
    w.writeStartElement(model.root);
    w.writeAttribute(QStringLiteral("flag"), Num(head.flag));
    w.writeAttribute(QStringLiteral("exportPath"), head.exportPath);
    w.writeAttribute(QStringLiteral("openExePath"), head.openExePath);
    w.writeAttribute(QStringLiteral("currentProfileID"), Num(head.currentProfileID));
    for (const BXProfile& p : records) WriteProfile(w, model, p);
    w.writeEndElement();
}

bool WriteBXFile(const StoreHost& host, const BXModel& model, const QString& path, WriteMode mode,
                 const BXHead& head, const QVector<BXProfile>& records) {
    return WriteXmlFile(host, path, mode, [&](QXmlStreamWriter& w) { WriteBX(w, model, head, records); });
}

void ReadBX(QXmlStreamReader& r, const StoreHost& host, const BXModel& model, BXDocument& doc) {
    WalkDocument(
        r, model.root,
        [&](const QXmlStreamAttributes& a) {
            doc.rootSeen = true;
            doc.head.flag = attrU16(a, QLatin1String("flag"));
            doc.head.exportPath = attrString(a, QLatin1String("exportPath"));
            doc.head.openExePath = attrString(a, QLatin1String("openExePath"));
            // read as u16, kept as a byte
            doc.head.currentProfileID = static_cast<uint8_t>(attrU16(a, QLatin1String("currentProfileID")));
        },
        [&](QStringRef name) {
            if (name != QLatin1String("profile")) return false;
            doc.records.push_back(ReadProfile(r, host, model));
            return true;
        });
}

bool ReadBXDevice(const StoreHost& host, const BXModel& model, QIODevice& device, const QString& path,
                  BXDocument& doc) {
    return ReadXmlDevice(host, device, path, ParseFailure(model),
                         [&](QXmlStreamReader& r) { ReadBX(r, host, model, doc); });
}

bool ReadBXFile(const StoreHost& host, const BXModel& model, const QString& path, BXDocument& doc) {
    return ReadXmlFile(host, path, ParseFailure(model),
                       [&](QXmlStreamReader& r) { ReadBX(r, host, model, doc); });
}

}  // namespace prefbook
