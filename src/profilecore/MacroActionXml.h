#pragma once

#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <string>

#include "profilecore/MacroTypes.h"
#include "profilecore/StoreHost.h"
#include "profilecore/XmlSupport.h"

// The "action" children of a macro element, shared by every macro record layout (keyboards, keypad,
// mice): the layouts differ in their head and their room for steps, not in how a step is written.
namespace prefbook {

template <class Record>
constexpr int MacroActionRoom() {
    return static_cast<int>(sizeof(Record::actions) / sizeof(MacroAction));
}

// The record's steps as "action" children; a count beyond the record's room is clamped.
template <class Record>
void WriteMacroActions(QXmlStreamWriter& w, const Record& record) {
    const int count = std::min<int>(record.actionCount, MacroActionRoom<Record>());
    for (int i = 0; i < count; ++i) {
        const MacroAction& action = record.actions[i];
        w.writeEmptyElement(QStringLiteral("action"));
        writeNumber(w, QLatin1String("key"), action.key);
        writeNumber(w, QLatin1String("event"), action.event);
        writeNumber(w, QLatin1String("timer"), action.timer);
    }
}

// Reads the "action" children of the current element into the record, up to its end, and sets
// actionCount. Steps beyond the record's room are dropped; the result says whether any were.
template <class Record>
bool ReadMacroActions(QXmlStreamReader& r, Record& record) {
    int steps = 0;
    bool dropped = false;
    ForEachChild(r, [&](QStringRef child) {
        if (child != QLatin1String("action")) return false;
        if (steps == MacroActionRoom<Record>()) {
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
    return dropped;
}

// As above, logging under the macro's name when steps were dropped.
template <class Record>
void ReadMacroActions(QXmlStreamReader& r, Record& record, const std::string& name, const StoreHost& host) {
    if (ReadMacroActions(r, record)) {
        host.Log("Macro " + QString::fromStdString(name) + " holds more than " +
                 QString::number(MacroActionRoom<Record>()) + " actions; the rest are dropped.");
    }
}

}  // namespace prefbook
