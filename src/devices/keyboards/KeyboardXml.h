#pragma once

#include <QString>
#include <QVector>
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>

#include "profilecore/CustomColor.h"
#include "profilecore/XmlSupport.h"

// Reading and writing the elements the lit keyboards' documents share: effect lists, the per-key
// colour block, filter rows, colour lists and the key mapping. The models differ only in the effect
// record, the number of keys and the width of a filter row, which the callers pass in.
namespace prefbook::kbd {

// Numbers of these documents are unsigned decimals narrowed to the field's width; absent or bad
// ones read 0.
uint32_t ParseU32(QStringRef text);
inline uint8_t U8(const QXmlStreamAttributes& a, QLatin1String name) {
    return static_cast<uint8_t>(attrU32(a, name));
}
inline uint16_t U16(const QXmlStreamAttributes& a, QLatin1String name) {
    return static_cast<uint16_t>(attrU32(a, name));
}
inline QString Num(uint32_t value) {
    return DecimalText(value);
}

// "1,2,3" from the first count values.
template <class T>
QString JoinNumbers(const T* values, int count) {
    QString text;
    text.reserve(count * 4);
    for (int i = 0; i < count; ++i) {
        if (i) text += QLatin1Char(',');
        text += Num(values[i]);
    }
    return text;
}

// Fills values from the comma-separated list, first entry first; surplus values are dropped so a
// field is never overrun, missing ones leave the rest as it was.
template <class T>
void FillNumbers(QStringRef text, T* values, int capacity) {
    if (text.isEmpty()) return;
    int i = 0;
    for (const QStringRef& part : text.split(QLatin1Char(','))) {
        if (i == capacity) break;
        values[i++] = static_cast<T>(ParseU32(part));
    }
}

// An effect's byte fields in their attribute order.
template <class Effect, size_t N>
using EffectFields = std::array<std::pair<QLatin1String, uint8_t Effect::*>, N>;

// One "mode" element per effect.
template <class Effect, size_t N>
void WriteEffects(QXmlStreamWriter& w, const QVector<Effect>& effects,
                  const EffectFields<Effect, N>& fields) {
    for (const Effect& e : effects) {
        w.writeEmptyElement(QStringLiteral("mode"));
        for (const auto& f : fields) w.writeAttribute(f.first, Num(e.*f.second));
    }
}

// Appends one effect per "mode" child of the current element.
template <class Effect, size_t N>
void ReadEffects(QXmlStreamReader& r, QVector<Effect>& effects, const EffectFields<Effect, N>& fields) {
    ForEachChild(r, [&](QStringRef name) {
        if (name != QLatin1String("mode")) return false;
        const QXmlStreamAttributes a = r.attributes();
        Effect e{};
        for (const auto& f : fields) e.*f.second = U8(a, f.first);
        effects.push_back(e);
        return false;
    });
}

// Reads the children of the current element that come in a fixed order: each step skips foreign
// elements until its own appears, so a missing child leaves the ones after it unread.
struct ChildStep {
    QLatin1String name;
    std::function<void()> read;  // consumes the element up to its end
};
void ReadInOrder(QXmlStreamReader& r, std::initializer_list<ChildStep> steps);

// One "rgb" element ("r", "g", "b") per key of a block of keys * 3 bytes.
void WriteRgbKeys(QXmlStreamWriter& w, const uint8_t* rgb, int keys);
// Fills the block from the "rgb" children in order; children beyond the block are dropped.
void ReadRgbKeys(QXmlStreamReader& r, uint8_t* rgb, int keys);

// One "mode" element per row with "select" = the row's width values joined by ",". Rows start
// stride bytes apart.
void WriteFilterRows(QXmlStreamWriter& w, const uint8_t* filters, int rows, int width, int stride);
// Each "mode" child fills one row; rows and values beyond the filter's size are dropped.
void ReadFilterRows(QXmlStreamReader& r, uint8_t* filters, int rows, int width, int stride);

// An element holding one "custom" child per colour.
void WriteColorList(QXmlStreamWriter& w, const QString& element, const QVector<CustomColor>& colors);

// "mapping" with one "key" per value, and its reader appending to the list.
void WriteMapping(QXmlStreamWriter& w, const QVector<uint16_t>& mapping);
void ReadMapping(QXmlStreamReader& r, QVector<uint16_t>& mapping);

}  // namespace prefbook::kbd
