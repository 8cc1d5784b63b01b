#include "devices/audio/AudioXml.h"

#include <QStringList>
#include <QVector>

#include "devices/audio/AudioDefaults.h"

namespace prefbook {
namespace {

SurroundMode ReadVirtual(const QXmlStreamAttributes& a) {
    SurroundMode m;
    m.angle = DefaultSpeakerAngles();
    m.distance = DefaultSpeakerDistances();
    m.id = attrInt(a, QLatin1String("id"));
    m.name = attrUtf8(a, QLatin1String("name"));
    m.vssEnable = attrInt(a, QLatin1String("VssEnable"));
    m.smvssEnable = attrInt(a, QLatin1String("SmvssEnable"));
    SplitSpeakerValues(a.value(QLatin1String("distance")), m.distance);
    SplitSpeakerValues(a.value(QLatin1String("angle")), m.angle);
    return m;
}

void WriteVirtual(QXmlStreamWriter& w, const SurroundMode& m) {
    w.writeStartElement(QStringLiteral("virtual"));
    writeNumber(w, QLatin1String("id"), m.id);
    writeUtf8(w, QStringLiteral("name"), m.name);
    writeNumber(w, QLatin1String("VssEnable"), m.vssEnable);
    writeNumber(w, QLatin1String("SmvssEnable"), m.smvssEnable);
    w.writeAttribute(QStringLiteral("distance"), JoinSpeakerValues(m.distance));
    w.writeAttribute(QStringLiteral("angle"), JoinSpeakerValues(m.angle));
    w.writeEndElement();
}

}  // namespace

void WriteEqMode(QXmlStreamWriter& w, const EqMode& m) {
    w.writeStartElement(QStringLiteral("eq"));
    writeNumber(w, QLatin1String("id"), m.id);
    writeUtf8(w, QStringLiteral("name"), m.name);
    writeNumber(w, QLatin1String("Hz64"), m.hz64);
    writeNumber(w, QLatin1String("Hz250"), m.hz250);
    writeNumber(w, QLatin1String("Hz1K"), m.hz1k);
    writeNumber(w, QLatin1String("Hz4K"), m.hz4k);
    writeNumber(w, QLatin1String("Hz16K"), m.hz16k);
    w.writeEndElement();
}

bool ReadEqMode(const QXmlStreamAttributes& a, EqMode& m) {
    m.id = attrInt(a, QLatin1String("id"));
    m.name = attrUtf8(a, QLatin1String("name"));
    if (m.name.empty()) return false;
    m.hz64 = attrInt(a, QLatin1String("Hz64"));
    m.hz250 = attrInt(a, QLatin1String("Hz250"));
    m.hz1k = attrInt(a, QLatin1String("Hz1K"));
    m.hz4k = attrInt(a, QLatin1String("Hz4K"));
    m.hz16k = attrInt(a, QLatin1String("Hz16K"));
    return true;
}

void ReadEqModes(QXmlStreamReader& r, QMap<int, EqMode>& modes) {
    bool ended = false;
    ForEachChild(r, [&](QStringRef name) {
        if (ended || name != QLatin1String("eq")) {
            ended = true;
            return false;
        }
        EqMode m;
        if (!ReadEqMode(r.attributes(), m)) {
            ended = true;
            return false;
        }
        modes.insert(m.id, m);
        return false;  // an "eq" has no content of its own
    });
}

void WriteSound(QXmlStreamWriter& w, const SoundSettings& s, BassTreble bassTreble) {
    w.writeStartElement(QStringLiteral("sound"));
    if (bassTreble == BassTreble::Carried) {
        writeNumber(w, QLatin1String("bass"), s.bass);
        writeNumber(w, QLatin1String("treble"), s.treble);
    }
    writeNumber(w, QLatin1String("currModeId"), s.currModeId);
    for (const EqMode& m : s.modes) WriteEqMode(w, m);
    w.writeEndElement();
}

void ReadSound(QXmlStreamReader& r, SoundSettings& s, BassTreble bassTreble) {
    const QXmlStreamAttributes a = r.attributes();
    if (bassTreble == BassTreble::Carried) {
        s.bass = attrInt(a, QLatin1String("bass"));
        s.treble = attrInt(a, QLatin1String("treble"));
    }
    s.currModeId = attrInt(a, QLatin1String("currModeId"));
    ReadEqModes(r, s.modes);
}

void WriteSurround(QXmlStreamWriter& w, const SurroundSettings& s) {
    w.writeStartElement(QStringLiteral("surround"));
    writeNumber(w, QLatin1String("currModeId"), s.currModeId);
    for (const SurroundMode& m : s.modes) WriteVirtual(w, m);
    w.writeEndElement();
}

void ReadSurround(QXmlStreamReader& r, SurroundSettings& s) {
    s.currModeId = attrInt(r.attributes(), QLatin1String("currModeId"));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("virtual")) {
            const SurroundMode m = ReadVirtual(r.attributes());
            s.modes.insert(m.id, m);
        }
        return false;
    });
}

QString JoinSpeakerValues(const SpeakerValues& values) {
    char text[kVirtualSpeakerCount * 21];  // each value with its comma
    int size = 0;
    for (int32_t v : values) {
        if (size) text[size++] = ',';
        size += FormatDecimal(text + size, v);
    }
    return QString::fromLatin1(text, size);
}

bool SplitSpeakerValues(QStringRef text, SpeakerValues& values) {
    const QVector<QStringRef> parts = text.split(QLatin1Char(','));
    if (parts.size() != kVirtualSpeakerCount) return false;
    SpeakerValues read{};
    for (int i = 0; i < kVirtualSpeakerCount; ++i) {
        bool ok = false;
        read[static_cast<size_t>(i)] = parts[i].trimmed().toInt(&ok);
        if (!ok) return false;  // a list with a non-number is as unusable as a short one
    }
    values = read;
    return true;
}

}  // namespace prefbook
