#include "devices/keypad/KeydeckDocument.h"

#include "profilecore/ColorXml.h"

namespace prefbook {
namespace {

const QLatin1String kRootG("KEYDECK_G");
const QLatin1String kRootC("KEYDECK_C");

uint8_t LowByte(QStringRef text) {
    return static_cast<uint8_t>(static_cast<uint32_t>(parseInt(text)) & 0xFFu);
}

// ---- Reading ----

// An effect absent attributes leave at the values a new effect has.
KeydeckLightEffect ReadEffect(const QXmlStreamAttributes& a) {
    KeydeckLightEffect e{0, 3, 0, 0, 255, 255, 255, 255, 255, 0, 0, 0};
    const auto take = [&a](const char* name, uint8_t& field) {
        const QLatin1String key(name);
        if (a.hasAttribute(key)) field = attrU8(a, key);
    };
    take("id", e.id);
    take("speed", e.speed);
    take("direction", e.direction);
    take("brightness", e.brightness);
    take("random", e.random);
    take("red", e.red);
    take("green", e.green);
    take("blue", e.blue);
    take("bg_red", e.bgRed);
    take("bg_green", e.bgGreen);
    take("bg_blue", e.bgBlue);
    take("bg_brightness", e.bgBrightness);
    return e;
}

void ReadLighting(QXmlStreamReader& r, KeydeckLighting& l) {
    l.currMode = attrU8(r.attributes(), QLatin1String("curr_mode"));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("general")) {
            ForEachChild(r, [&](QStringRef child) {
                if (child == QLatin1String("mode")) l.effects.push_back(ReadEffect(r.attributes()));
                return false;
            });
        } else if (name == QLatin1String("custom")) {
            int n = 0;
            ForEachChild(r, [&](QStringRef child) {
                if (child != QLatin1String("rgb") || n == kKeydeckCustomColorBytes / 3) return false;
                const QXmlStreamAttributes a = r.attributes();
                l.customColors[n * 3] = attrU8(a, QLatin1String("r"));
                l.customColors[n * 3 + 1] = attrU8(a, QLatin1String("g"));
                l.customColors[n * 3 + 2] = attrU8(a, QLatin1String("b"));
                ++n;
                return false;
            });
        } else if (name == QLatin1String("foreground")) {
            ReadCustomColorList(r, l.foreground);
        } else if (name == QLatin1String("background")) {
            ReadCustomColorList(r, l.background);
        } else {
            return false;
        }
        return true;
    });
}

PadKey ReadPadKey(const QXmlStreamAttributes& a) {
    PadKey k{};
    k.type = attrU8(a, QLatin1String("type"));
    k.general = attrU16(a, QLatin1String("general"));
    k.gamepad = attrU16(a, QLatin1String("gamepad"));
    const QVector<QStringRef> parts = a.value(QLatin1String("dual")).split(QLatin1Char(','));
    const QVector<QStringRef> pair = parts[0].split(QLatin1Char(':'));
    k.dual1 = parseU16(pair[0]);
    if (pair.size() > 1) k.dual2 = parseU16(pair[1]);
    if (parts.size() > 1) k.dual3 = LowByte(parts[1]);
    if (parts.size() > 2) k.dual4 = LowByte(parts[2]);
    return k;
}

// Calls read for every "key" child of the current element, up to its end.
template <class Read>
void ForEachKey(QXmlStreamReader& r, Read read) {
    ForEachChild(r, [&](QStringRef name) {
        if (name != QLatin1String("key")) return false;
        return read(r.attributes());
    });
}

void ReadSimpleKey(const StoreHost& host, QXmlStreamReader& r, KeydeckMapping& m) {
    const QXmlStreamAttributes a = r.attributes();
    SimpleKeyAssign& k = m.simpleKeys[attrInt(a, QLatin1String("idx"))];
    k = SimpleKeyAssign{};
    k.type = attrInt(a, QLatin1String("type"));
    k.func = attrInt(a, QLatin1String("func"));
    ForEachChild(r, [&](QStringRef name) {
        if (name != QLatin1String("macro")) return false;
        const QXmlStreamAttributes ma = r.attributes();
        k.macro.slot = attrU8(ma, QLatin1String("id"));
        k.macro.key = attrU16(ma, QLatin1String("key"));
        k.macro.mode = attrU8(ma, QLatin1String("mode"));
        KeydeckMacros::ReadActions(r, k.macro, "key " + std::to_string(attrInt(a, QLatin1String("idx"))),
                                   host);
        return true;
    });
}

void ReadMapping(const StoreHost& host, QXmlStreamReader& r, KeydeckMapping& m) {
    const QXmlStreamAttributes attrs = r.attributes();
    m.currMode = attrInt(attrs, QLatin1String("curr_mode"));
    m.currInput = attrInt(attrs, QLatin1String("curr_input"));
    m.currKey = attrInt(attrs, QLatin1String("curr_key"));
    m.presetMode = attrInt(attrs, QLatin1String("preset_mode"));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("keydeck")) {
            ForEachKey(r, [&](const QXmlStreamAttributes& a) {
                m.padKeys.push_back(ReadPadKey(a));
                return false;
            });
        } else if (name == QLatin1String("application")) {
            ForEachChild(r, [&](QStringRef group) {
                if (group == QLatin1String("simple")) {
                    ForEachChild(r, [&](QStringRef key) {
                        if (key != QLatin1String("key")) return false;
                        ReadSimpleKey(host, r, m);
                        return true;
                    });
                } else if (group == QLatin1String("advanced")) {
                    ForEachKey(r, [&](const QXmlStreamAttributes& a) {
                        m.advancedKeys[attrInt(a, QLatin1String("idx"))] = {
                            attrU8(a, QLatin1String("macroId")), attrString(a, QLatin1String("hotkey")),
                            attrString(a, QLatin1String("hotkeyName"))};
                        return false;
                    });
                } else {
                    return false;
                }
                return true;
            });
        } else if (name == QLatin1String("shortcuts")) {
            ForEachKey(r, [&](const QXmlStreamAttributes& a) {
                m.shortcutKeys[attrInt(a, QLatin1String("keyIdx"))] = {attrU8(a, QLatin1String("shortcutId")),
                                                                       attrU8(a, QLatin1String("macroId"))};
                return false;
            });
        } else if (name == QLatin1String("special")) {
            ForEachKey(r, [&](const QXmlStreamAttributes& a) {
                m.specialKeys[attrInt(a, QLatin1String("keyIdx"))] = {attrU8(a, QLatin1String("macoId")),
                                                                      attrU16(a, QLatin1String("keyId"))};
                return false;
            });
        } else {
            return false;
        }
        return true;
    });
}

// "r:g:b,r:g:b,r:g:b,r:g:b"; any other shape leaves the colours as they are.
void ReadIndicator(QStringRef text, uint8_t* indicator) {
    const QVector<QStringRef> colours = text.split(QLatin1Char(','));
    if (colours.size() != 4) return;
    for (int c = 0; c < 4; ++c) {
        const QVector<QStringRef> rgb = colours[c].split(QLatin1Char(':'));
        if (rgb.size() != 3) continue;
        for (int i = 0; i < 3; ++i) indicator[c * 3 + i] = LowByte(rgb[i]);
    }
}

KeydeckProfile ReadProfile(const StoreHost& host, QXmlStreamReader& r) {
    KeydeckProfile p;
    const QXmlStreamAttributes attrs = r.attributes();
    p.id = attrU8(attrs, QLatin1String("id"));
    p.name = attrUtf8(attrs, QLatin1String("name"));
    p.exe = attrUtf8(attrs, QLatin1String("exe"));
    ReadIndicator(attrs.value(QLatin1String("indicator")), p.indicator);
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("lighting")) {
            ReadLighting(r, p.lighting);
        } else if (name == QLatin1String("mapping")) {
            ReadMapping(host, r, p.mapping);
        } else if (name == QLatin1String("macros")) {
            KeydeckMacros::Read(r, {p.macros.path, p.macros.currMacro, p.macros.macros}, host);
        } else {
            return false;
        }
        return true;
    });
    return p;
}

// The top loop reads the root's attributes, "application" and every "profile"; other elements are
// skipped whole. Before a flag has been read only a keypad root passes, so a root of flag 0 lets the
// next element fail.
ReadBody KeydeckBody(const StoreHost& host, KeydeckDocument& doc, bool& refused) {
    return [&host, &doc, &refused](QXmlStreamReader& r) {
        doc.flag = 0;
        doc.profiles.clear();
        bool rootSeen = false;
        while (NextToken(r)) {
            if (r.tokenType() != QXmlStreamReader::StartElement) continue;
            const QStringRef name = r.name();
            if (doc.flag == 0 && name != kRootG && name != kRootC) {
                host.Log(QStringLiteral("Read keydeck config failed: device type error."));
                refused = true;
                return;
            }
            if (!rootSeen) {
                rootSeen = true;
                const QXmlStreamAttributes a = r.attributes();
                doc.flag = attrU16(a, QLatin1String("flag"));
                doc.exportPath = attrString(a, QLatin1String("exportPath"));
                doc.openExePath = attrString(a, QLatin1String("openExePath"));
                doc.currentProfileId = attrU16(a, QLatin1String("currentProfileID"));
            } else if (name == QLatin1String("application")) {
                QStringList paths;
                ForEachChild(r, [&](QStringRef child) {
                    if (child == QLatin1String("app"))
                        paths << attrString(r.attributes(), QLatin1String("path"));
                    return false;
                });
                if (paths.size() == doc.appPaths.size()) doc.appPaths = paths;
            } else if (name == QLatin1String("profile")) {
                doc.profiles.push_back(ReadProfile(host, r));
            } else {
                r.skipCurrentElement();
            }
        }
    };
}

const QString kParseFailure = QStringLiteral("Parse KEYDECK XML Failed. ");

// ---- Writing ----

void WriteLighting(QXmlStreamWriter& w, const KeydeckLighting& l) {
    w.writeStartElement(QStringLiteral("lighting"));
    writeNumber(w, QLatin1String("curr_mode"), l.currMode);
    w.writeStartElement(QStringLiteral("general"));
    for (const KeydeckLightEffect& e : l.effects) {
        w.writeEmptyElement(QStringLiteral("mode"));
        writeNumber(w, QLatin1String("id"), e.id);
        writeNumber(w, QLatin1String("speed"), e.speed);
        writeNumber(w, QLatin1String("direction"), e.direction);
        writeNumber(w, QLatin1String("brightness"), e.brightness);
        writeNumber(w, QLatin1String("random"), e.random);
        writeNumber(w, QLatin1String("red"), e.red);
        writeNumber(w, QLatin1String("green"), e.green);
        writeNumber(w, QLatin1String("blue"), e.blue);
        writeNumber(w, QLatin1String("bg_red"), e.bgRed);
        writeNumber(w, QLatin1String("bg_green"), e.bgGreen);
        writeNumber(w, QLatin1String("bg_blue"), e.bgBlue);
        writeNumber(w, QLatin1String("bg_brightness"), e.bgBrightness);
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("custom"));
    for (int n = 0; n < kKeydeckCustomColorBytes / 3; ++n) {
        w.writeEmptyElement(QStringLiteral("rgb"));
        writeNumber(w, QLatin1String("r"), l.customColors[n * 3]);
        writeNumber(w, QLatin1String("g"), l.customColors[n * 3 + 1]);
        writeNumber(w, QLatin1String("b"), l.customColors[n * 3 + 2]);
    }
    w.writeEndElement();
    for (const auto& layer : {std::make_pair(QStringLiteral("foreground"), &l.foreground),
                              std::make_pair(QStringLiteral("background"), &l.background)}) {
        w.writeStartElement(layer.first);
        for (const CustomColor& c : *layer.second) WriteCustomColor(w, c);
        w.writeEndElement();
    }
    w.writeEndElement();
}

void WriteMapping(QXmlStreamWriter& w, const KeydeckMapping& m) {
    w.writeStartElement(QStringLiteral("mapping"));
    writeNumber(w, QLatin1String("curr_mode"), m.currMode);
    writeNumber(w, QLatin1String("curr_input"), m.currInput);
    writeNumber(w, QLatin1String("curr_key"), m.currKey);
    writeNumber(w, QLatin1String("preset_mode"), m.presetMode);
    w.writeStartElement(QStringLiteral("keydeck"));
    for (const PadKey& k : m.padKeys) {
        w.writeEmptyElement(QStringLiteral("key"));
        writeNumber(w, QLatin1String("type"), k.type);
        writeNumber(w, QLatin1String("general"), k.general);
        writeNumber(w, QLatin1String("gamepad"), k.gamepad);
        w.writeAttribute(QStringLiteral("dual"),
                         DecimalText(k.dual1) + QLatin1Char(':') + DecimalText(k.dual2) + QLatin1Char(',') +
                             DecimalText(k.dual3) + QLatin1Char(',') + DecimalText(k.dual4));
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("application"));
    w.writeStartElement(QStringLiteral("simple"));
    for (const auto& [idx, k] : m.simpleKeys) {
        w.writeStartElement(QStringLiteral("key"));
        writeNumber(w, QLatin1String("idx"), idx);
        writeNumber(w, QLatin1String("type"), k.type);
        writeNumber(w, QLatin1String("func"), k.func);
        w.writeStartElement(QStringLiteral("macro"));
        writeNumber(w, QLatin1String("id"), k.macro.slot);
        writeNumber(w, QLatin1String("key"), k.macro.key);
        writeNumber(w, QLatin1String("mode"), k.macro.mode);
        KeydeckMacros::WriteActions(w, k.macro);
        w.writeEndElement();
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("advanced"));
    for (const auto& [idx, k] : m.advancedKeys) {
        w.writeEmptyElement(QStringLiteral("key"));
        writeNumber(w, QLatin1String("idx"), idx);
        writeNumber(w, QLatin1String("macroId"), k.macroId);
        w.writeAttribute(QStringLiteral("hotkey"), k.hotkey);
        w.writeAttribute(QStringLiteral("hotkeyName"), k.hotkeyName);
    }
    w.writeEndElement();
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("shortcuts"));
    for (const auto& [idx, k] : m.shortcutKeys) {
        w.writeEmptyElement(QStringLiteral("key"));
        writeNumber(w, QLatin1String("keyIdx"), idx);
        writeNumber(w, QLatin1String("shortcutId"), k.shortcutId);
        writeNumber(w, QLatin1String("macroId"), k.macroId);
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("special"));
    for (const auto& [idx, k] : m.specialKeys) {
        w.writeEmptyElement(QStringLiteral("key"));
        writeNumber(w, QLatin1String("keyIdx"), idx);
        writeNumber(w, QLatin1String("macoId"), k.macoId);
        writeNumber(w, QLatin1String("keyId"), k.keyId);
    }
    w.writeEndElement();
    w.writeEndElement();
}

QString IndicatorText(const uint8_t* indicator) {
    QString text;
    for (int i = 0; i < kKeydeckIndicatorBytes; ++i) {
        if (i > 0) text += QLatin1Char(i % 3 == 0 ? ',' : ':');
        text += DecimalText(indicator[i]);
    }
    return text;
}

void WriteProfile(QXmlStreamWriter& w, const KeydeckProfile& p) {
    w.writeStartElement(QStringLiteral("profile"));
    writeNumber(w, QLatin1String("id"), p.id);
    writeUtf8(w, QStringLiteral("name"), p.name);
    writeUtf8(w, QStringLiteral("exe"), p.exe);
    w.writeAttribute(QStringLiteral("indicator"), IndicatorText(p.indicator));
    WriteLighting(w, p.lighting);
    WriteMapping(w, p.mapping);
    KeydeckMacros::Write(w, {p.macros.path, p.macros.currMacro, p.macros.macros});
    w.writeEndElement();
}

}  // namespace

QLatin1String KeydeckRootName(int type) {
    if (type == 19) return kRootG;
    if (type == 20) return kRootC;
    return QLatin1String("");
}

KeydeckProfile DefaultKeydeckProfile(int n) {
    KeydeckProfile p;
    p.id = static_cast<uint8_t>(n);
    p.name = "PROFILE" + std::to_string(n + 1);
    // Fourteen effects numbered in order, each as a new effect starts.
    for (uint8_t id = 0; id < 14; ++id)
        p.lighting.effects.push_back({id, 3, 0, 0, 255, 255, 255, 255, 255, 0, 0, 0});
    p.lighting.foreground = QVector<CustomColor>(7, CustomColor{});
    p.lighting.background = QVector<CustomColor>(7, CustomColor{});
    p.mapping.padKeys = QVector<PadKey>(kKeydeckPadKeyCount, PadKey{0, 255, 0, 0, 0, 0, 0});
    return p;
}

bool ReadKeydeckDocument(const StoreHost& host, QIODevice& device, const QString& path,
                         KeydeckDocument& doc) {
    bool refused = false;
    const bool read = ReadXmlDevice(host, device, path, kParseFailure, KeydeckBody(host, doc, refused));
    return read && !refused;
}

bool ReadKeydeckFile(const StoreHost& host, const QString& path, KeydeckDocument& doc) {
    bool refused = false;
    const bool read = ReadXmlFile(host, path, kParseFailure, KeydeckBody(host, doc, refused));
    return read && !refused;
}

void WriteKeydeckDocument(QXmlStreamWriter& w, QLatin1String root, const KeydeckDocument& doc) {
    w.writeStartElement(root);
    writeNumber(w, QLatin1String("flag"), doc.flag);
    w.writeAttribute(QStringLiteral("exportPath"), doc.exportPath);
    w.writeAttribute(QStringLiteral("openExePath"), doc.openExePath);
    writeNumber(w, QLatin1String("currentProfileID"), doc.currentProfileId);
    w.writeStartElement(QStringLiteral("application"));
    for (const QString& path : doc.appPaths) {
        w.writeEmptyElement(QStringLiteral("app"));
        w.writeAttribute(QStringLiteral("path"), path);
    }
    w.writeEndElement();
    for (const KeydeckProfile& p : doc.profiles) WriteProfile(w, p);
    w.writeEndElement();
}

bool WriteKeydeckFile(const StoreHost& host, const QString& path, WriteMode mode, QLatin1String root,
                      const KeydeckDocument& doc) {
    return WriteXmlFile(host, path, mode, [&](QXmlStreamWriter& w) { WriteKeydeckDocument(w, root, doc); });
}

}  // namespace prefbook
