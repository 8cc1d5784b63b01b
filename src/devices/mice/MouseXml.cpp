#include "devices/mice/MouseXml.h"

#include <algorithm>
#include <charconv>

#include "profilecore/MacroModel.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

QString LearnText(int32_t value) {
    char digits[12];  // "-80000000" at most
    const auto end = std::to_chars(digits, digits + sizeof(digits), static_cast<int64_t>(value), 16).ptr;
    return QString::fromLatin1(digits, static_cast<int>(end - digits));
}

int32_t ParseLearn(QStringRef text) {
    bool ok = false;
    const int value = text.toInt(&ok, 16);
    return ok ? value : 0;
}

void WriteMouseMacros(QXmlStreamWriter& w, const std::string& path, const std::string& currMacro,
                      const MouseMacroMap& macros, MouseMacroId id) {
    w.writeStartElement(QStringLiteral("macros"));
    writeUtf8(w, QStringLiteral("path"), path);
    writeUtf8(w, QStringLiteral("currMacro"), currMacro);
    for (const auto& item : macros) {
        if (item.first.empty()) continue;
        const MouseMacroRecord& record = item.second;
        w.writeStartElement(QStringLiteral("macro"));
        writeUtf8(w, QStringLiteral("name"), item.first);
        if (id == MouseMacroId::Written) writeNumber(w, QLatin1String("id"), record.id);
        writeNumber(w, QLatin1String("mode"), record.mode);
        const int count = std::min<int>(record.actionCount, kMacroActionCapacity);
        for (int i = 0; i < count; ++i) {
            const MacroAction& action = record.actions[i];
            w.writeEmptyElement(QStringLiteral("action"));
            writeNumber(w, QLatin1String("key"), action.key);
            writeNumber(w, QLatin1String("event"), action.event);
            writeNumber(w, QLatin1String("timer"), action.timer);
        }
        w.writeEndElement();
    }
    w.writeEndElement();
}

namespace {

void ReadMouseMacro(QXmlStreamReader& r, MouseMacroMap& macros, MouseMacroId id, const StoreHost& host) {
    const QXmlStreamAttributes attrs = r.attributes();
    const std::string name = attrUtf8(attrs, QLatin1String("name"));
    MouseMacroRecord record{};
    SetRecordName(record, name);
    if (id == MouseMacroId::Written) record.id = attrU8(attrs, QLatin1String("id"));
    record.mode = attrU8(attrs, QLatin1String("mode"));
    int steps = 0;
    bool dropped = false;
    ForEachChild(r, [&](QStringRef child) {
        if (child != QLatin1String("action")) return false;
        if (steps == kMacroActionCapacity) {
            dropped = true;
            return false;
        }
        const QXmlStreamAttributes a = r.attributes();
        MacroAction& action = record.actions[steps++];
        action.key = attrU16(a, QLatin1String("key"));
        action.event = attrU8(a, QLatin1String("event"));
        action.timer = attrU16(a, QLatin1String("timer"));
        return false;
    });
    record.actionCount = static_cast<uint8_t>(steps);
    if (dropped) {
        host.Log("Macro " + QString::fromStdString(name) + " holds more than " +
                 QString::number(kMacroActionCapacity) + " actions; the rest are dropped.");
    }
    if (!name.empty()) macros[name] = record;
}

}  // namespace

void ReadMouseMacros(QXmlStreamReader& r, std::string& path, std::string& currMacro, MouseMacroMap& macros,
                     MouseMacroId id, const StoreHost& host) {
    macros.clear();
    const QXmlStreamAttributes attrs = r.attributes();
    path = attrUtf8(attrs, QLatin1String("path"));
    currMacro = attrUtf8(attrs, QLatin1String("currMacro"));
    ForEachChild(r, [&](QStringRef name) {
        if (name != QLatin1String("macro")) return false;
        ReadMouseMacro(r, macros, id, host);
        return true;
    });
}

}  // namespace prefbook
