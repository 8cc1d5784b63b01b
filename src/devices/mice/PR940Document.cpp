#include "devices/mice/PR940Document.h"

#include <cstring>

#include "devices/mice/MouseXml.h"
#include "hostservices/IGlyphPress.h"
#include "profilecore/ColorXml.h"
#include "profilecore/SafeFileName.h"

namespace prefbook {

PR940Profile DefaultPR940Profile(int id) {
    PR940Profile p;
    p.id = id;
    p.name = "PROFILE" + std::to_string(id);
    p.customColors = QVector<CustomColor>(kPR940ColorCount, CustomColor{});
    return p;
}

void SetSurfaceName(SurfaceTuning& surface, const std::string& name) {
    std::memset(surface.name, 0, sizeof(surface.name));
    std::memcpy(surface.name, name.data(), std::min(name.size(), sizeof(surface.name)));
}

std::string SurfaceName(const SurfaceTuning& surface) {
    const char* end = static_cast<const char*>(std::memchr(surface.name, 0, sizeof(surface.name)));
    return std::string(surface.name, end ? static_cast<size_t>(end - surface.name) : sizeof(surface.name));
}

namespace {

QString Utf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

// ---- Reading ----

void ReadButton(QXmlStreamReader& r, PR940Profile& p) {
    const QXmlStreamAttributes attrs = r.attributes();
    p.currView = attrInt(attrs, QLatin1String("curr_view"));
    p.tactix = attrInt(attrs, QLatin1String("tactix")) != 0 ? 1 : 0;
    r.skipCurrentElement();
}

void ReadLighting(const StoreHost& host, QXmlStreamReader& r, PR940Profile& p) {
    const QXmlStreamAttributes attrs = r.attributes();
    p.lightingMode = attrInt(attrs, QLatin1String("mul_mode"));
    p.currCustom = attrInt(attrs, QLatin1String("curr_custom"));
    p.currBeat = attrInt(attrs, QLatin1String("curr_beat"));
    ReadCustomColorList(r, p.customColors);
    if (p.customColors.size() != kPR940ColorCount) {
        host.Log("Get PR940 Custom Color Num From XML != 7. size[" + QString::number(p.customColors.size()) +
                 "]");
    }
}

void ReadPerformance(QXmlStreamReader& r, PR940Profile& p) {
    p.surfaces.clear();
    ForEachChild(r, [&](QStringRef child) {
        if (child != QLatin1String("surface")) return false;
        const QXmlStreamAttributes attrs = r.attributes();
        const std::string name = attrUtf8(attrs, QLatin1String("name"));
        if (name.empty()) return false;
        SurfaceTuning s{};
        SetSurfaceName(s, name);
        s.learn1 = ParseLearn(attrs.value(QLatin1String("learn1")));
        s.learn2 = ParseLearn(attrs.value(QLatin1String("learn2")));
        p.surfaces[name] = s;
        return false;
    });
}

void ReadArtworks(IGlyphPress& press, QXmlStreamReader& r, OledProfile& op) {
    op.artworks.clear();
    ForEachChild(r, [&](QStringRef child) {
        if (child != QLatin1String("artwork")) return false;
        const QXmlStreamAttributes attrs = r.attributes();
        OledArtwork art;
        art.name = attrUtf8(attrs, QLatin1String("name"));
        if (art.name.empty()) return false;
        const QString bmp = attrString(attrs, QLatin1String("bmp"));
        if (!bmp.isEmpty()) press.LoadArtworkImage(bmp, art.pixels);
        art.pen = attrU8(attrs, QLatin1String("pen"));
        art.background = attrU8(attrs, QLatin1String("background"));
        op.artworks[art.name] = std::move(art);
        return false;
    });
}

void ReadOrder(QStringRef text, QVector<int32_t>& order) {
    if (text.isEmpty()) return;
    for (const QStringRef& part : text.split(QLatin1Char(','))) order.push_back(parseInt(part));
}

void ReadOled(IGlyphPress& press, QXmlStreamReader& r, PR940Profile& p) {
    p.oledProfiles.clear();
    p.currOledProfile = attrUtf8(r.attributes(), QLatin1String("currProfileName"));
    ForEachChild(r, [&](QStringRef child) {
        if (child != QLatin1String("op")) return false;
        const QXmlStreamAttributes attrs = r.attributes();
        OledProfile op;
        op.name = attrUtf8(attrs, QLatin1String("name"));
        if (op.name.empty()) return false;
        op.currArtworkName = attrUtf8(attrs, QLatin1String("currArtworkName"));
        ReadOrder(attrs.value(QLatin1String("order")), op.order);
        bool ok = false;
        op.duration = attrs.value(QLatin1String("duration")).toDouble(&ok);
        if (!ok) op.duration = 0;
        ReadArtworks(press, r, op);
        p.oledProfiles[op.name] = std::move(op);
        return true;
    });
}

// A profile starts empty (no default colours) and takes its sections by name, in any order.
PR940Profile ReadProfile(const StoreHost& host, IGlyphPress& press, QXmlStreamReader& r) {
    PR940Profile p;
    const QXmlStreamAttributes attrs = r.attributes();
    p.id = attrInt(attrs, QLatin1String("id"));
    p.name = attrUtf8(attrs, QLatin1String("name"));
    p.exe = attrUtf8(attrs, QLatin1String("exe"));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("button")) {
            ReadButton(r, p);
        } else if (name == QLatin1String("lighting")) {
            ReadLighting(host, r, p);
        } else if (name == QLatin1String("performance")) {
            ReadPerformance(r, p);
        } else if (name == QLatin1String("oled")) {
            ReadOled(press, r, p);
        } else if (name == QLatin1String("macros")) {
            ReadMouseMacros(r, p.macroPath, p.currMacro, p.macros, MouseMacroId::Omitted, host);
        } else {
            return false;
        }
        return true;
    });
    return p;
}

ReadBody PR940Body(const StoreHost& host, IGlyphPress& press, PR940Document& doc) {
    return [&host, &press, &doc](QXmlStreamReader& r) {
        doc.profiles.clear();
        WalkDocument(
            r, QLatin1String("pr940"),
            [&](const QXmlStreamAttributes& attrs) {
                doc.exportPath = attrString(attrs, QLatin1String("exportPath"));
                doc.openExePath = attrString(attrs, QLatin1String("openExePath"));
            },
            [&](QStringRef name) {
                if (name != QLatin1String("profile")) return false;
                doc.profiles.push_back(ReadProfile(host, press, r));
                return true;
            });
    };
}

const QString kParseFailure = QStringLiteral("Parse PR940 XML Failed. ");

// ---- Writing ----

QString OrderText(const QVector<int32_t>& order) {
    QString text;
    for (int i = 0; i < order.size(); ++i) {
        if (i > 0) text += QLatin1Char(',');
        text += DecimalText(order[i]);
    }
    return text;
}

void WriteOled(IGlyphPress& press, QXmlStreamWriter& w, const PR940Profile& p) {
    w.writeStartElement(QStringLiteral("oled"));
    writeUtf8(w, QStringLiteral("currProfileName"), p.currOledProfile);
    for (const auto& [key, op] : p.oledProfiles) {
        if (key.empty()) continue;
        w.writeStartElement(QStringLiteral("op"));
        writeUtf8(w, QStringLiteral("name"), op.name);
        writeUtf8(w, QStringLiteral("currArtworkName"), op.currArtworkName);
        w.writeAttribute(QStringLiteral("order"), OrderText(op.order));
        w.writeAttribute(QStringLiteral("duration"), QString::number(op.duration, 'g', 6));
        QString folder;
        press.GetArtworkFolder(p.id, Utf8(op.name), folder);
        for (const auto& [artKey, art] : op.artworks) {
            if (artKey.empty()) continue;
            // The name as a file name of its own in that folder, whatever it holds ('/', "..", 300 bytes).
            const QString bmp = folder + QLatin1Char('/') + SafeFileName(art.name) + QStringLiteral(".bmp");
            press.SaveArtworkImage(art.pixels, bmp);
            w.writeEmptyElement(QStringLiteral("artwork"));
            writeUtf8(w, QStringLiteral("name"), art.name);
            w.writeAttribute(QStringLiteral("bmp"), bmp);
            writeNumber(w, QLatin1String("pen"), art.pen);
            writeNumber(w, QLatin1String("background"), art.background);
        }
        w.writeEndElement();
    }
    w.writeEndElement();
}

void WriteProfile(IGlyphPress& press, QXmlStreamWriter& w, const PR940Profile& p) {
    w.writeStartElement(QStringLiteral("profile"));
    writeNumber(w, QLatin1String("id"), p.id);
    writeUtf8(w, QStringLiteral("name"), p.name);
    writeUtf8(w, QStringLiteral("exe"), p.exe);
    w.writeEmptyElement(QStringLiteral("button"));
    writeNumber(w, QLatin1String("curr_view"), p.currView);
    writeNumber(w, QLatin1String("tactix"), p.tactix != 0 ? 1 : 0);
    w.writeStartElement(QStringLiteral("lighting"));
    writeNumber(w, QLatin1String("mul_mode"), p.lightingMode);
    writeNumber(w, QLatin1String("curr_custom"), p.currCustom);
    writeNumber(w, QLatin1String("curr_beat"), p.currBeat);
    for (const CustomColor& c : p.customColors) WriteCustomColor(w, c);
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("performance"));
    for (const auto& [key, s] : p.surfaces) {
        if (key.empty()) continue;
        w.writeEmptyElement(QStringLiteral("surface"));
        writeUtf8(w, QStringLiteral("name"), SurfaceName(s));
        w.writeAttribute(QStringLiteral("learn1"), LearnText(s.learn1));
        w.writeAttribute(QStringLiteral("learn2"), LearnText(s.learn2));
    }
    w.writeEndElement();
    WriteOled(press, w, p);
    WriteMouseMacros(w, p.macroPath, p.currMacro, p.macros, MouseMacroId::Omitted);
    w.writeEndElement();
}

}  // namespace

bool ReadPR940Document(const StoreHost& host, IGlyphPress& press, QIODevice& device, const QString& path,
                       PR940Document& doc) {
    return ReadXmlDevice(host, device, path, kParseFailure, PR940Body(host, press, doc));
}

bool ReadPR940DocumentFile(const StoreHost& host, IGlyphPress& press, const QString& path,
                           PR940Document& doc) {
    return ReadXmlFile(host, path, kParseFailure, PR940Body(host, press, doc));
}

void WritePR940Document(IGlyphPress& press, const PR940Document& doc, QXmlStreamWriter& w) {
    w.writeStartElement(QStringLiteral("pr940"));
    w.writeAttribute(QStringLiteral("exportPath"), doc.exportPath);
    w.writeAttribute(QStringLiteral("openExePath"), doc.openExePath);
    for (const PR940Profile& p : doc.profiles) WriteProfile(press, w, p);
    w.writeEndElement();
}

bool WritePR940DocumentFile(const StoreHost& host, IGlyphPress& press, const PR940Document& doc,
                            const QString& path, WriteMode mode) {
    // The image converter is the host's code: whatever it throws ends this document, not the caller.
    return WriteGuardedXmlFile(host, path, mode, QStringLiteral("Write PR940 XML Failed: "),
                               [&](QXmlStreamWriter& w) { WritePR940Document(press, doc, w); });
}

}  // namespace prefbook
