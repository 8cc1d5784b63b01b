#include "profilecore/ColorXml.h"

namespace prefbook {

void WriteCustomColor(QXmlStreamWriter& w, const CustomColor& c, const QString& element) {
    w.writeStartElement(element);
    writeNumber(w, QLatin1String("enable"), c.enable);
    writeNumber(w, QLatin1String("r"), c.r);
    writeNumber(w, QLatin1String("g"), c.g);
    writeNumber(w, QLatin1String("b"), c.b);
    writeNumber(w, QLatin1String("a"), c.a);
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
