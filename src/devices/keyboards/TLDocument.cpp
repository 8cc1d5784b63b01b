#include "devices/keyboards/TLDocument.h"

#include "profilecore/ColorXml.h"

namespace prefbook {
namespace {

void ReadColors(const StoreHost& host, const TLModel& model, QXmlStreamReader& r,
                QVector<CustomColor>& colors) {
    ReadCustomColorList(r, colors);
    if (colors.size() != kTLColorCount) {
        host.Log("Get " + model.name + " Custom Color Num From XML != 7. size[" +
                 QString::number(colors.size()) + "]");
    }
}

void ReadLighting(const StoreHost& host, const TLModel& model, QXmlStreamReader& r, TLProfile& p) {
    const QXmlStreamAttributes attrs = r.attributes();
    p.multiLayer = attrInt(attrs, QLatin1String("multilayer"));
    p.multiZone = attrInt(attrs, QLatin1String("multizone"));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("foreground")) {
            ReadColors(host, model, r, p.foreground);
        } else if (name == QLatin1String("background")) {
            ReadColors(host, model, r, p.background);
        } else {
            return false;
        }
        return true;
    });
}

TLProfile ReadProfile(const StoreHost& host, const TLModel& model, QXmlStreamReader& r) {
    TLProfile p;
    const QXmlStreamAttributes attrs = r.attributes();
    p.id = attrInt(attrs, QLatin1String("id"));
    p.name = attrUtf8(attrs, QLatin1String("name"));
    p.exe = attrUtf8(attrs, QLatin1String("exe"));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("lighting")) {
            ReadLighting(host, model, r, p);
        } else if (name == QLatin1String("macros")) {
            TLMacros::Read(r, {p.macroPath, p.currMacro, p.macros}, host);
        } else {
            return false;
        }
        return true;
    });
    return p;
}

void WriteColors(QXmlStreamWriter& w, const QString& element, const QVector<CustomColor>& colors) {
    w.writeStartElement(element);
    for (const CustomColor& c : colors) WriteCustomColor(w, c);
    w.writeEndElement();
}

}  // namespace

TLProfile DefaultTLProfile(int id) {
    TLProfile p;
    p.id = id;
    p.name = "PROFILE" + std::to_string(id);
    p.foreground = QVector<CustomColor>(kTLColorCount, CustomColor{});
    p.background = QVector<CustomColor>(kTLColorCount, CustomColor{});
    return p;
}

namespace {

// The document body; the profiles are emptied only once the file is open, so a file that cannot be
// opened leaves what the store holds.
ReadBody TLBody(const StoreHost& host, const TLModel& model, TLDocument& doc) {
    return [&host, &model, &doc](QXmlStreamReader& r) {
        doc.profiles.clear();
        WalkDocument(
            r, model.root,
            [&](const QXmlStreamAttributes& attrs) {
                doc.exportPath = attrString(attrs, QLatin1String("exportPath"));
                doc.openExePath = attrString(attrs, QLatin1String("openExePath"));
            },
            [&](QStringRef name) {
                if (name != QLatin1String("profile")) return false;
                doc.profiles.push_back(ReadProfile(host, model, r));
                return true;
            });
    };
}

QString ParseFailure(const TLModel& model) {
    return "Parse " + model.name + " XML Failed. ";
}

}  // namespace

bool ReadTLDocument(const StoreHost& host, const TLModel& model, QIODevice& device, const QString& path,
                    TLDocument& doc) {
    return ReadXmlDevice(host, device, path, ParseFailure(model), TLBody(host, model, doc));
}

bool ReadTLDocumentFile(const StoreHost& host, const TLModel& model, const QString& path, TLDocument& doc) {
    return ReadXmlFile(host, path, ParseFailure(model), TLBody(host, model, doc));
}

void WriteTLDocument(const TLModel& model, const TLDocument& doc, QXmlStreamWriter& w) {
    w.writeStartElement(model.root);
    writeText(w, QStringLiteral("exportPath"), doc.exportPath);
    writeText(w, QStringLiteral("openExePath"), doc.openExePath);
    for (const TLProfile& p : doc.profiles) {
        w.writeStartElement(QStringLiteral("profile"));
        writeNumber(w, QLatin1String("id"), p.id);
        writeUtf8(w, QStringLiteral("name"), p.name);
        writeUtf8(w, QStringLiteral("exe"), p.exe);
        w.writeStartElement(QStringLiteral("lighting"));
        writeNumber(w, QLatin1String("multilayer"), p.multiLayer);
        writeNumber(w, QLatin1String("multizone"), p.multiZone);
        WriteColors(w, QStringLiteral("foreground"), p.foreground);
        WriteColors(w, QStringLiteral("background"), p.background);
        w.writeEndElement();
        TLMacros::Write(w, {p.macroPath, p.currMacro, p.macros});
        w.writeEndElement();
    }
    w.writeEndElement();
}

bool WriteTLDocumentFile(const StoreHost& host, const TLModel& model, const TLDocument& doc,
                         const QString& path) {
    return WriteXmlFile(host, path, WriteMode::Direct,
                        [&](QXmlStreamWriter& w) { WriteTLDocument(model, doc, w); });
}

}  // namespace prefbook
