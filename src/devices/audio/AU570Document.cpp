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

void ReadAU570Document(QXmlStreamReader& r, AU570ProfileData& data) {
    data.modes.clear();
    WalkDocument(
        r, QLatin1String("au570"), [](const QXmlStreamAttributes&) {},
        [&](QStringRef name) {
            if (name != QLatin1String("mode")) return false;
            const QXmlStreamAttributes a = r.attributes();
            data.bass = attrInt(a, QLatin1String("bass"));
            data.treble = attrInt(a, QLatin1String("treble"));
            data.currModeId = attrInt(a, QLatin1String("currModeId"));
            ReadEqModes(r, data.modes);
            return true;
        });
}

}  // namespace prefbook
