#pragma once

#include <QVector>

#include "profilecore/CustomColor.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

// A "custom" element (or another element name) with "enable", "r", "g", "b", "a" in decimal.
void WriteCustomColor(QXmlStreamWriter& w, const CustomColor& c,
                      const QString& element = QStringLiteral("custom"));
// The colour from the current element's attributes: enable is 1 when the number is not zero; the
// channels are the low bytes of their numbers.
CustomColor ReadCustomColor(const QXmlStreamAttributes& attrs);
// Empties the list, then appends one colour per child named element; other children are skipped.
void ReadCustomColorList(QXmlStreamReader& r, QVector<CustomColor>& colors,
                         QLatin1String element = QLatin1String("custom"));

}  // namespace prefbook
