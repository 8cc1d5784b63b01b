#include "profilecore/ColorXml.h"

namespace prefbook {

void WriteCustomColor(QXmlStreamWriter& w, const CustomColor& c, const QString& element) {
    w.writeStartElement(element);
    w.writeAttribute(QStringLiteral("enable"), QString::number(c.enable));
    w.writeAttribute(QStringLiteral("r"), QString::number(c.r));
    w.writeAttribute(QStringLiteral("g"), QString::number(c.g));
    w.writeAttribute(QStringLiteral("b"), QString::number(c.b));
    w.writeAttribute(QStringLiteral("a"), QString::number(c.a));
    w.writeEndElement();
}

CustomColor ReadCustomColor(const QXmlStreamAttributes& attrs) {
    CustomColor c{};
    c.enable = attrInt(attrs, QLatin1String("enable")) != 0 ? 1 : 0;
    c.r = attrU8(attrs, QLatin1String("r"));
    c.g = attrU8(attrs, QLatin1String("g"));
    c.b = attrU8(attrs, QLatin1String("b"));
    c.a = attrU8(attrs, QLatin1String("a"));
    return c;
}

void ReadCustomColorList(QXmlStreamReader& r, QVector<CustomColor>& colors, QLatin1String element) {
    colors.clear();
    ForEachChild(r, [&](QStringRef name) {
        if (name == element) colors.push_back(ReadCustomColor(r.attributes()));
        return false;
    });
}

}  // namespace prefbook
