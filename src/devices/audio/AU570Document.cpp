#include "devices/audio/AU570Document.h"

#include "devices/audio/AudioDefaults.h"
#include "devices/audio/AudioXml.h"

namespace prefbook {

AU570ProfileData AU570Presets() {
    AU570ProfileData data;
    data.currModeId = 3;
    data.modes = EqModesFrom({
        {3, "GAMING(BASS+)", 2, 2, -1, 1, 1},
        {2, "MOVIE", 3, 3, 1, 1, 1},
        {1, "POP MUSIC", 0, 0, 1, 3, 3},
    });
    return data;
}

void WriteAU570Document(QXmlStreamWriter& w, const AU570ProfileData& data) {
    w.writeStartElement(QStringLiteral("au570"));
    w.writeStartElement(QStringLiteral("mode"));
    w.writeAttribute(QStringLiteral("bass"), QString::number(data.bass));
    w.writeAttribute(QStringLiteral("treble"), QString::number(data.treble));
    w.writeAttribute(QStringLiteral("currModeId"), QString::number(data.currModeId));
    for (const EqMode& m : data.modes) WriteEqMode(w, m);
    w.writeEndElement();
    w.writeEndElement();
}

namespace {

// The attributes of a "mode", then its leading "eq" elements. Stops at the first other start element
// or at an "eq" without a name, leaving the reader there so the token walk still looks at it.
void ReadMode(QXmlStreamReader& r, AU570ProfileData& data) {
    const QXmlStreamAttributes a = r.attributes();
    data.bass = attrInt(a, QLatin1String("bass"));
    data.treble = attrInt(a, QLatin1String("treble"));
    data.currModeId = attrInt(a, QLatin1String("currModeId"));
    while (r.readNextStartElement() && r.name() == QLatin1String("eq")) {
        EqMode m;
        if (!ReadEqMode(r.attributes(), m)) return;
        data.modes.insert(m.id, m);
        r.skipCurrentElement();
    }
}

}  // namespace

// A flat token walk: "mode" elements count wherever they stand, every other element is walked into.
void ReadAU570Document(QXmlStreamReader& r, AU570ProfileData& data) {
    data.modes.clear();
    while (NextToken(r)) {
        while (r.isStartElement() && r.name() == QLatin1String("mode")) ReadMode(r, data);
    }
}

}  // namespace prefbook
