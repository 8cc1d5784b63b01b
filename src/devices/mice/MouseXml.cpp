#include "devices/mice/MouseXml.h"

#include <algorithm>
#include <charconv>

#include "profilecore/MacroActionXml.h"
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
        WriteMacroActions(w, record);
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
    ReadMacroActions(r, record, name, host);
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
