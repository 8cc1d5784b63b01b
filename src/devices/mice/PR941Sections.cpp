#include "devices/mice/PR941Sections.h"

#include "devices/mice/PRMouseSections.h"
#include "profilecore/ColorXml.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

PR26xModel PR941Model() {
    return {10, QLatin1String("PR941"), QLatin1String("PR941"), 609};
}

PerformanceConfig5 DefaultPerformanceConfig5() {
    PerformanceConfig5 c{};
    c.dpiLevel = 2;
    const uint16_t steps[kPR941DpiSteps] = {400, 1200, 4000, 16000, 32000};
    for (int i = 0; i < kPR941DpiSteps; ++i) {
        c.dpi[i] = steps[i];
        c.dpiEnable[i] = 1;
    }
    c.pollingRate = 1;
    c.osSensitivity = 6;
    c.osDoubleClickSpeed = 6;
    c.buttonResponseTime = 3;
    return c;
}

namespace {

// The document orders a mode's attributes differently from the record's bytes.
void WriteStarsMode(QXmlStreamWriter& w, const StarsModeEntry& m) {
    w.writeEmptyElement(QStringLiteral("mode"));
    writeNumber(w, QLatin1String("id"), m.id);
    writeNumber(w, QLatin1String("speed"), m.speed);
    writeNumber(w, QLatin1String("random"), m.random);
    writeNumber(w, QLatin1String("brightness"), m.brightness);
    writeNumber(w, QLatin1String("direction"), m.direction);
    writeNumber(w, QLatin1String("bgred"), m.bgred);
    writeNumber(w, QLatin1String("bggreen"), m.bggreen);
    writeNumber(w, QLatin1String("bgblue"), m.bgblue);
    writeNumber(w, QLatin1String("red"), m.red);
    writeNumber(w, QLatin1String("green"), m.green);
    writeNumber(w, QLatin1String("blue"), m.blue);
}

StarsModeEntry ReadStarsMode(const QXmlStreamAttributes& a) {
    StarsModeEntry m{};
    m.id = attrU8(a, QLatin1String("id"));
    m.speed = attrU8(a, QLatin1String("speed"));
    m.direction = attrU8(a, QLatin1String("direction"));
    m.random = attrU8(a, QLatin1String("random"));
    m.brightness = attrU8(a, QLatin1String("brightness"));
    m.red = attrU8(a, QLatin1String("red"));
    m.green = attrU8(a, QLatin1String("green"));
    m.blue = attrU8(a, QLatin1String("blue"));
    m.bgred = attrU8(a, QLatin1String("bgred"));
    m.bggreen = attrU8(a, QLatin1String("bggreen"));
    m.bgblue = attrU8(a, QLatin1String("bgblue"));
    return m;
}

}  // namespace

void WritePR941Lighting(QXmlStreamWriter& w, const PR941Lighting& l) {
    w.writeStartElement(QStringLiteral("lighting"));
    writeNumber(w, QLatin1String("curr_mode"), l.currMode);
    writeNumber(w, QLatin1String("stars_mode"), l.starsMode);
    w.writeStartElement(QStringLiteral("general"));
    for (const auto& item : l.modes) WriteStarsMode(w, item.second);
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("custom"));
    writeNumber(w, QLatin1String("curr_led"), l.currLed);
    WriteRgbList(w, l.custom.colors, kPR941Leds);
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("music"));
    writeNumber(w, QLatin1String("rgb_mode"), l.music.rgbMode);
    WriteRgbList(w, l.music.colors, kPR941MusicColors);
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("foreground"));
    for (const CustomColor& c : l.foreground) WriteCustomColor(w, c);
    w.writeEndElement();
    w.writeEndElement();
}

void ReadPR941Lighting(QXmlStreamReader& r, PR941Lighting& l) {
    const QXmlStreamAttributes attrs = r.attributes();
    l.currMode = attrU8(attrs, QLatin1String("curr_mode"));
    l.starsMode = attrU8(attrs, QLatin1String("stars_mode"));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("general")) {
            ForEachChild(r, [&](QStringRef child) {
                if (child != QLatin1String("mode")) return false;
                const StarsModeEntry m = ReadStarsMode(r.attributes());
                l.modes[m.id] = m;
                return false;
            });
        } else if (name == QLatin1String("custom")) {
            l.currLed = attrInt(r.attributes(), QLatin1String("curr_led"));
            ReadRgbList(r, l.custom.colors, kPR941Leds);
        } else if (name == QLatin1String("music")) {
            l.music.rgbMode = attrU8(r.attributes(), QLatin1String("rgb_mode"));
            ReadRgbList(r, l.music.colors, kPR941MusicColors);
        } else if (name == QLatin1String("foreground")) {
            ReadCustomColorList(r, l.foreground);
        } else {
            return false;
        }
        return true;
    });
}

void WritePR941Wireless(QXmlStreamWriter& w, const WirelessSettings& s) {
    w.writeStartElement(QStringLiteral("wireless"));
    w.writeEmptyElement(QStringLiteral("data"));
    writeNumber(w, QLatin1String("time"), s.time);
    writeNumber(w, QLatin1String("brightness"), s.brightness);
    writeNumber(w, QLatin1String("ring"), s.ring);
    w.writeEndElement();
}

// The first "data" element is the settings; a later one is ignored.
void ReadPR941Wireless(QXmlStreamReader& r, WirelessSettings& s) {
    bool read = false;
    ForEachChild(r, [&](QStringRef name) {
        if (read || name != QLatin1String("data")) return false;
        const QXmlStreamAttributes a = r.attributes();
        s.time = attrU16(a, QLatin1String("time"));
        s.brightness = attrU8(a, QLatin1String("brightness"));
        s.ring = attrInt(a, QLatin1String("ring"));
        read = true;
        return false;
    });
}

}  // namespace prefbook
