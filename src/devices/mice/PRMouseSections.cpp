#include "devices/mice/PRMouseSections.h"

#include <algorithm>
#include <functional>

#include "devices/mice/MouseXml.h"
#include "profilecore/MacroActionXml.h"
#include "profilecore/MacroModel.h"

namespace prefbook {

const char kDefaultSurfaceName[] = "DEFAULT SURFACE";

const std::array<QLatin1String, kSensorValueCount> kSensorValueNames = {
    {QLatin1String("polling_rate"), QLatin1String("angle_snapping"), QLatin1String("lift_off_distance"),
     QLatin1String("angle_tunability"), QLatin1String("os_sensitivity"),
     QLatin1String("os_double_click_speed"), QLatin1String("button_response_time")}};

SurfaceValue DefaultSurface() {
    return SurfaceValue{kDefaultSurfaceName, 10, 16};
}

SurfaceMap DefaultSurfaces() {
    return SurfaceMap{{kDefaultSurfaceName, DefaultSurface()}};
}

namespace {

uint8_t Flag(const QXmlStreamAttributes& a, QLatin1String name) {
    return attrInt(a, name) != 0 ? 1 : 0;
}

void WriteBoundMacro(QXmlStreamWriter& w, uint8_t button, const MouseMacroRecord& record) {
    w.writeStartElement(QStringLiteral("macro"));
    writeUtf8(w, QStringLiteral("name"), RecordName(record));
    writeNumber(w, QLatin1String("id"), button);
    writeNumber(w, QLatin1String("mode"), record.mode);
    WriteMacroActions(w, record);
    w.writeEndElement();
}

// A bound macro: the name cut to the record's field, the button in id, the first 199 actions.
// Keyed by button, so two buttons may carry macros of one name.
void ReadBoundMacro(QXmlStreamReader& r, const std::function<void(int)>& stray, ButtonMacroMap& macros) {
    const QXmlStreamAttributes attrs = r.attributes();
    MouseMacroRecord record{};
    SetRecordName(record, attrUtf8(attrs, QLatin1String("name")));
    record.id = attrU8(attrs, QLatin1String("id"));
    record.mode = attrU8(attrs, QLatin1String("mode"));
    ReadMacroActions(r, record);  // surplus steps of a bound macro are dropped without a log line
    if (record.name[0] == '\0') return;
    if (record.id >= kMouseButtons) {
        stray(record.id);
        return;
    }
    macros[record.id] = record;
}

}  // namespace

void WriteMouseButtons(QXmlStreamWriter& w, uint8_t comboEnable, uint8_t comboView,
                       const QVector<uint16_t>& mapping, const ButtonMacroMap& macros) {
    w.writeStartElement(QStringLiteral("buttons"));
    writeNumber(w, QLatin1String("comboEnable"), comboEnable);
    writeNumber(w, QLatin1String("comboView"), comboView);
    w.writeStartElement(QStringLiteral("mapping"));
    for (int i = 0; i < mapping.size(); ++i) {
        w.writeEmptyElement(QStringLiteral("btn"));
        writeNumber(w, QLatin1String("id"), i);
        writeNumber(w, QLatin1String("assign"), mapping[i]);
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("macros"));
    for (const auto& item : macros) {
        if (item.second.name[0] != '\0') WriteBoundMacro(w, item.first, item.second);
    }
    w.writeEndElement();
    w.writeEndElement();
}

void ReadMouseButtons(QXmlStreamReader& r, const StoreHost& host, SectionNotes& notes, uint8_t& comboEnable,
                      uint8_t& comboView, QVector<uint16_t>& mapping, ButtonMacroMap& macros) {
    const QXmlStreamAttributes attrs = r.attributes();
    comboEnable = Flag(attrs, QLatin1String("comboEnable"));
    comboView = Flag(attrs, QLatin1String("comboView"));
    if (mapping.size() != kMouseButtons) mapping = QVector<uint16_t>(kMouseButtons, 0);
    const auto stray = [&](int button) {
        if (notes.strayButtonLogged) return;
        notes.strayButtonLogged = true;
        host.Log("Button id " + QString::number(button) + " is outside the " +
                 QString::number(kMouseButtons) + " buttons; ignored.");
    };
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("mapping")) {
            ForEachChild(r, [&](QStringRef child) {
                if (child != QLatin1String("btn")) return false;
                const QXmlStreamAttributes a = r.attributes();
                const uint8_t button = attrU8(a, QLatin1String("id"));
                if (button < kMouseButtons) {
                    mapping[button] = attrU16(a, QLatin1String("assign"));
                } else {
                    stray(button);
                }
                return false;
            });
        } else if (name == QLatin1String("macros")) {
            ForEachChild(r, [&](QStringRef child) {
                if (child != QLatin1String("macro")) return false;
                ReadBoundMacro(r, stray, macros);
                return true;
            });
        } else {
            return false;
        }
        return true;
    });
}

void WriteMouseSurfaces(QXmlStreamWriter& w, const std::string& currSurface, const SurfaceMap& surfaces) {
    w.writeStartElement(QStringLiteral("surface"));
    writeUtf8(w, QStringLiteral("curr_surface"), currSurface);
    for (const auto& item : surfaces) {
        if (item.first.empty()) continue;
        w.writeEmptyElement(QStringLiteral("value"));
        writeUtf8(w, QStringLiteral("name"), item.second.name);
        w.writeAttribute(QStringLiteral("learn1"), LearnText(item.second.learn1));
        w.writeAttribute(QStringLiteral("learn2"), LearnText(item.second.learn2));
    }
    w.writeEndElement();
}

void ReadMouseSurfaces(QXmlStreamReader& r, std::string& currSurface, SurfaceMap& surfaces) {
    currSurface = attrUtf8(r.attributes(), QLatin1String("curr_surface"));
    surfaces.clear();
    ForEachChild(r, [&](QStringRef name) {
        if (name != QLatin1String("value")) return false;
        const QXmlStreamAttributes a = r.attributes();
        SurfaceValue value = DefaultSurface();
        if (a.hasAttribute(QLatin1String("name"))) value.name = attrUtf8(a, QLatin1String("name"));
        if (a.hasAttribute(QLatin1String("learn1")))
            value.learn1 = ParseLearn(a.value(QLatin1String("learn1")));
        if (a.hasAttribute(QLatin1String("learn2")))
            value.learn2 = ParseLearn(a.value(QLatin1String("learn2")));
        surfaces[value.name] = value;
        return false;
    });
}

void WriteRgbList(QXmlStreamWriter& w, const RgbColor* colors, int count) {
    for (int i = 0; i < count; ++i) {
        w.writeEmptyElement(QStringLiteral("rgb"));
        writeNumber(w, QLatin1String("r"), colors[i].r);
        writeNumber(w, QLatin1String("g"), colors[i].g);
        writeNumber(w, QLatin1String("b"), colors[i].b);
    }
}

void ReadRgbList(QXmlStreamReader& r, RgbColor* colors, int count) {
    int next = 0;
    ForEachChild(r, [&](QStringRef child) {
        if (child != QLatin1String("rgb") || next == count) return false;
        const QXmlStreamAttributes a = r.attributes();
        colors[next++] = {attrU8(a, QLatin1String("r")), attrU8(a, QLatin1String("g")),
                          attrU8(a, QLatin1String("b"))};
        return false;
    });
}

void WriteSensorValues(QXmlStreamWriter& w, const SensorValues& v) {
    const qlonglong values[kSensorValueCount] = {v.pollingRate,       v.angleSnapping, v.liftOffDistance,
                                                 v.angleTunability,   v.osSensitivity, v.osDoubleClickSpeed,
                                                 v.buttonResponseTime};
    for (int i = 0; i < kSensorValueCount; ++i)
        w.writeTextElement(kSensorValueNames[i], DecimalText(values[i]));
}

void ReadSensorValue(QXmlStreamReader& r, int position, SensorValues& v) {
    const QString text = r.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
    const int32_t n = parseInt(QStringRef(&text));
    const auto byte = static_cast<uint8_t>(static_cast<uint32_t>(n) & 0xFFu);
    switch (position) {
        case 0:
            v.pollingRate = byte;
            break;
        case 1:
            v.angleSnapping = n != 0 ? 1 : 0;
            break;
        case 2:
            v.liftOffDistance = n != 0 ? 1 : 0;
            break;
        case 3:
            v.angleTunability = n;
            break;
        case 4:
            v.osSensitivity = byte;
            break;
        case 5:
            v.osDoubleClickSpeed = byte;
            break;
        case 6:
            v.buttonResponseTime = byte;
            break;
        default:
            break;
    }
}

}  // namespace prefbook
