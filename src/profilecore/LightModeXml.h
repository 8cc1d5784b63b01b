#pragma once

#include <type_traits>

#include "profilecore/XmlSupport.h"

namespace prefbook {

template <class T, class = void>
struct HasBrightness : std::false_type {};
template <class T>
struct HasBrightness<T, std::void_t<decltype(T::brightness)>> : std::true_type {};

// The "mode" element of the lit devices' effect lists: "id", "speed", "brightness" where the record
// has one, "red", "green", "blue", each a decimal byte.
template <class T>
void WriteLightMode(QXmlStreamWriter& w, const T& m) {
    w.writeStartElement(QStringLiteral("mode"));
    writeNumber(w, QLatin1String("id"), m.id);
    writeNumber(w, QLatin1String("speed"), m.speed);
    if constexpr (HasBrightness<T>::value) writeNumber(w, QLatin1String("brightness"), m.brightness);
    writeNumber(w, QLatin1String("red"), m.red);
    writeNumber(w, QLatin1String("green"), m.green);
    writeNumber(w, QLatin1String("blue"), m.blue);
    w.writeEndElement();
}

// The same element read back: the low byte of each number, absent attributes 0.
template <class T>
T ReadLightMode(const QXmlStreamAttributes& a) {
    T m{};
    m.id = attrU8(a, QLatin1String("id"));
    m.speed = attrU8(a, QLatin1String("speed"));
    if constexpr (HasBrightness<T>::value) m.brightness = attrU8(a, QLatin1String("brightness"));
    m.red = attrU8(a, QLatin1String("red"));
    m.green = attrU8(a, QLatin1String("green"));
    m.blue = attrU8(a, QLatin1String("blue"));
    return m;
}

}  // namespace prefbook
