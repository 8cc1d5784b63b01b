#include "devices/keyboards/KeyboardXml.h"

#include "profilecore/ColorXml.h"

namespace prefbook::kbd {

uint32_t ParseU32(QStringRef text) {
    bool ok = false;
    const uint value = text.toUInt(&ok);
    return ok ? value : 0;
}

void ReadInOrder(QXmlStreamReader& r, std::initializer_list<ChildStep> steps) {
    auto next = steps.begin();
    ForEachChild(r, [&](QStringRef name) {
        if (next == steps.end() || name != next->name) return false;
        (next++)->read();
        return true;
    });
}

void WriteRgbKeys(QXmlStreamWriter& w, const uint8_t* rgb, int keys) {
    for (int k = 0; k < keys; ++k, rgb += 3) {
        w.writeEmptyElement(QStringLiteral("rgb"));
        w.writeAttribute(QStringLiteral("r"), Num(rgb[0]));
        w.writeAttribute(QStringLiteral("g"), Num(rgb[1]));
        w.writeAttribute(QStringLiteral("b"), Num(rgb[2]));
    }
}

void ReadRgbKeys(QXmlStreamReader& r, uint8_t* rgb, int keys) {
    int next = 0;
    ForEachChild(r, [&](QStringRef name) {
        if (name != QLatin1String("rgb") || next == keys) return false;
        const QXmlStreamAttributes a = r.attributes();
        uint8_t* key = rgb + 3 * next++;
        key[0] = U8(a, QLatin1String("r"));
        key[1] = U8(a, QLatin1String("g"));
        key[2] = U8(a, QLatin1String("b"));
        return false;
    });
}

void WriteFilterRows(QXmlStreamWriter& w, const uint8_t* filters, int rows, int width, int stride) {
    for (int row = 0; row < rows; ++row) {
        w.writeEmptyElement(QStringLiteral("mode"));
        w.writeAttribute(QStringLiteral("select"), JoinNumbers(filters + row * stride, width));
    }
}

void ReadFilterRows(QXmlStreamReader& r, uint8_t* filters, int rows, int width, int stride) {
    int row = 0;
    ForEachChild(r, [&](QStringRef name) {
        if (name != QLatin1String("mode") || row == rows) return false;
        const QXmlStreamAttributes a = r.attributes();
        FillNumbers(a.value(QLatin1String("select")), filters + stride * row++, width);
        return false;
    });
}

void WriteColorList(QXmlStreamWriter& w, const QString& element, const QVector<CustomColor>& colors) {
    w.writeStartElement(element);
    for (const CustomColor& c : colors) WriteCustomColor(w, c);
    w.writeEndElement();
}

void WriteMapping(QXmlStreamWriter& w, const QVector<uint16_t>& mapping) {
    w.writeStartElement(QStringLiteral("mapping"));
    for (uint16_t value : mapping) {
        w.writeEmptyElement(QStringLiteral("key"));
        w.writeAttribute(QStringLiteral("id"), Num(value));
    }
    w.writeEndElement();
}

void ReadMapping(QXmlStreamReader& r, QVector<uint16_t>& mapping) {
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("key")) mapping.push_back(U16(r.attributes(), QLatin1String("id")));
        return false;
    });
}

}  // namespace prefbook::kbd
