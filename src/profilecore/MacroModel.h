#pragma once

#include <QString>
#include <QVector>
#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "profilecore/MacroActionXml.h"
#include "profilecore/MacroTypes.h"
#include "profilecore/StoreHost.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

// How the "assign" attribute of a macro spells its assignment list.
// Slot and key pairs: "3:17,2:300"; parts that are not exactly two pieces are ignored.
struct SlotKeyAssign {
    using Item = MacroAssignment;
    template <class Entry>
    static QVector<Item>& List(Entry& e) {
        return e.assignments;
    }
    template <class Entry>
    static const QVector<Item>& List(const Entry& e) {
        return e.assignments;
    }
    static QString Format(const QVector<Item>& items);
    static void Parse(QStringRef text, QVector<Item>& items);
};

// The keypad's slot -> id map: "3:17,5:2" in ascending slot order; a later part for the same slot
// replaces an earlier one.
struct SlotIdAssign {
    using Item = std::pair<uint8_t, uint8_t>;
    template <class Entry>
    static KeydeckSlotMap& List(Entry& e) {
        return e.assignments;
    }
    template <class Entry>
    static const KeydeckSlotMap& List(const Entry& e) {
        return e.assignments;
    }
    static QString Format(const KeydeckSlotMap& items);
    static void Parse(QStringRef text, KeydeckSlotMap& items);
};

// Plain key numbers: "17,300"; every part is one key (an unparsable part reads as 0).
struct KeyListAssign {
    using Item = uint16_t;
    template <class Entry>
    static QVector<Item>& List(Entry& e) {
        return e.keys;
    }
    template <class Entry>
    static const QVector<Item>& List(const Entry& e) {
        return e.keys;
    }
    static QString Format(const QVector<Item>& items);
    static void Parse(QStringRef text, QVector<Item>& items);
};

// The three parts of a profile's macro set, wherever a store keeps them.
template <class Map>
struct MacroSetRef {
    std::string& path;
    std::string& currMacro;
    Map& macros;
};

template <class Map>
struct ConstMacroSetRef {
    const std::string& path;
    const std::string& currMacro;
    const Map& macros;
};

// Copies the first 16 bytes of a name into a record, zero-padding the rest.
template <class Record>
void SetRecordName(Record& record, const std::string& name) {
    std::memset(record.name, 0, sizeof(record.name));
    std::memcpy(record.name, name.data(), std::min(name.size(), sizeof(record.name)));
}

// The name a record carries: its name field up to the first zero byte.
template <class Record>
std::string RecordName(const Record& record) {
    const char* end = static_cast<const char*>(std::memchr(record.name, 0, sizeof(record.name)));
    return std::string(record.name, end ? static_cast<size_t>(end - record.name) : sizeof(record.name));
}

// The by-name macro operations, the "macros" element and the macro file, written once for every
// record layout (Entry::record), assignment spelling (Assign) and table (by name, or in insertion
// order). "Access" finds an entry by name and inserts an empty one when there is none, which is why
// getters create macros.
template <class Entry, class Assign, class Table = std::map<std::string, Entry>>
class MacroModel {
public:
    using Map = Table;
    using Record = decltype(Entry::record);
    using Item = typename Assign::Item;
    // Steps the record has room for: 199, or 127 in the keypad's record.
    static constexpr int kCapacity = static_cast<int>(sizeof(Record::actions) / sizeof(MacroAction));

    static Entry& Access(Map& map, const std::string& name) { return map[name]; }

    static void Add(Map& map, const std::string& name) {
        Entry fresh;
        SetRecordName(fresh.record, name);
        Access(map, name) = fresh;
    }

    static void Rename(Map& map, const std::string& from, const std::string& to) {
        if (from == to) {
            Access(map, from);
            return;
        }
        Entry copy = Access(map, from);
        Access(map, to) = std::move(copy);
        map.erase(from);
    }

    static void Delete(Map& map, const std::string& name) { map.erase(name); }

    static void Names(const Map& map, std::vector<std::string>& names) {
        names.clear();
        names.reserve(map.size());
        for (const auto& item : map) names.push_back(item.first);
    }

    static void SetRecord(Map& map, const std::string& name, const Record& record) {
        Access(map, name).record = record;
    }

    static void AddItem(Map& map, const std::string& name, const Item& item) {
        Assign::List(Access(map, name)).push_back(item);
    }

    static void RemoveItem(Map& map, const std::string& name, const Item& item) {
        QVector<Item>& list = Assign::List(Access(map, name));
        const auto found = std::find(list.begin(), list.end(), item);
        if (found != list.end()) list.erase(found);
    }

    static void ClearItems(Map& map, const std::string& name) { Assign::List(Access(map, name)).clear(); }

    static void ClearAllItems(Map& map) {
        for (auto& item : map) Assign::List(item.second).clear();
    }

    static bool HasItems(Map& map, const std::string& name) {
        return !name.empty() && !Assign::List(Access(map, name)).isEmpty();
    }

    // ---- The "macros" element ----

    static void Write(QXmlStreamWriter& w, ConstMacroSetRef<Map> set) {
        w.writeStartElement(QStringLiteral("macros"));
        writeUtf8(w, QStringLiteral("path"), set.path);
        writeUtf8(w, QStringLiteral("currMacro"), set.currMacro);
        for (const auto& item : set.macros) {
            if (item.first.empty()) continue;
            const Record& record = item.second.record;
            w.writeStartElement(QStringLiteral("macro"));
            writeUtf8(w, QStringLiteral("name"), item.first);
            writeNumber(w, QLatin1String("mode"), record.mode);
            w.writeAttribute(QStringLiteral("assign"), Assign::Format(Assign::List(item.second)));
            WriteActions(w, record);
            w.writeEndElement();
        }
        w.writeEndElement();
    }

    // Reads the "macros" element the reader stands on, up to its end, merging into the set: macros of
    // the same name are replaced, others stay. Steps beyond the record's capacity are dropped and logged.
    static void Read(QXmlStreamReader& r, MacroSetRef<Map> set, const StoreHost& host) {
        const QXmlStreamAttributes attrs = r.attributes();
        set.path = attrUtf8(attrs, QLatin1String("path"));
        set.currMacro = attrUtf8(attrs, QLatin1String("currMacro"));
        ForEachChild(r, [&](QStringRef name) {
            if (name != QLatin1String("macro")) return false;
            ReadMacro(r, set.macros, host);
            return true;
        });
    }

    // The record's steps as "action" children; a count beyond the record's room is clamped.
    static void WriteActions(QXmlStreamWriter& w, const Record& record) { WriteMacroActions(w, record); }

    // The "action" children of the current element into the record, up to its end. Steps beyond the
    // record's room are dropped and logged under the macro's name.
    static void ReadActions(QXmlStreamReader& r, Record& record, const std::string& name,
                            const StoreHost& host) {
        ReadMacroActions(r, record, name, host);
    }

    // ---- Macro files: a root of the model's name with flag 8738 holding one "macros" element ----

    static bool ExportFile(const StoreHost& host, const QString& file, QLatin1String root,
                           ConstMacroSetRef<Map> set) {
        if (file.isEmpty()) return false;
        return WriteXmlFile(host, file, WriteMode::Atomic, [&](QXmlStreamWriter& w) {
            w.writeStartElement(root);
            w.writeAttribute(QStringLiteral("flag"), QStringLiteral("8738"));
            Write(w, set);
            w.writeEndElement();
        });
    }

    // Not transactional: macros read before an error stay merged, as the suite has always behaved.
    static bool ImportFile(const StoreHost& host, const QString& file, QLatin1String root,
                           MacroSetRef<Map> set) {
        if (file.isEmpty()) return false;
        bool refused = false;
        const bool read = ReadXmlFile(host, file, QString(), ImportBody(host, root, set, refused));
        return read && !refused;
    }

    // The same over an open device; path names it in messages.
    static bool ImportDevice(const StoreHost& host, QIODevice& device, const QString& path,
                             QLatin1String root, MacroSetRef<Map> set) {
        bool refused = false;
        const bool read = ReadXmlDevice(host, device, path, QString(), ImportBody(host, root, set, refused));
        return read && !refused;
    }

private:
    // Every start element at the top must be the model's root with flag 8738; the first "macros"
    // below it is read. Anything else refuses the file.
    static ReadBody ImportBody(const StoreHost& host, QLatin1String root, MacroSetRef<Map> set,
                               bool& refused) {
        return [&host, root, set, &refused](QXmlStreamReader& r) {
            while (NextToken(r)) {
                if (!r.isStartElement()) continue;
                if (attrU16(r.attributes(), QLatin1String("flag")) != 8738 || r.name() != root) {
                    host.Log(QStringLiteral("Import macro file format error."));
                    refused = true;
                    return;
                }
                ReadFirstMacros(r, set, host);
            }
        };
    }

    // Inside a parent element: reads its first "macros" child and stops there; children before it
    // are skipped. Ends at the parent's end when there is none.
    static void ReadFirstMacros(QXmlStreamReader& r, MacroSetRef<Map> set, const StoreHost& host) {
        while (r.readNextStartElement()) {
            if (r.name() == QLatin1String("macros")) {
                Read(r, set, host);
                return;
            }
            r.skipCurrentElement();
        }
    }

    static void ReadMacro(QXmlStreamReader& r, Map& macros, const StoreHost& host) {
        const QXmlStreamAttributes attrs = r.attributes();
        const std::string name = attrUtf8(attrs, QLatin1String("name"));
        Entry entry;
        SetRecordName(entry.record, name);
        entry.record.mode = attrU8(attrs, QLatin1String("mode"));
        const QStringRef assign = attrs.value(QLatin1String("assign"));
        if (!assign.isEmpty()) Assign::Parse(assign, Assign::List(entry));
        ReadActions(r, entry.record, name, host);
        if (!name.empty()) macros[name] = std::move(entry);
    }
};

using ShortMacros = MacroModel<MacroEntry, SlotKeyAssign>;
using LongMacros = MacroModel<MacroEntryLong, SlotKeyAssign>;
using KeydeckMacros = MacroModel<KeydeckMacroEntry, SlotIdAssign, KeydeckMacroTable>;

// The check of GetMacroMode and SetMacroMode: a valid profile index and a non-empty name, else the
// store's message, such as "KR720ProfileCfg: GetMacroMode Failed. Profile Id[3]. Macro Name[]."
bool CheckMacroModeCall(const StoreHost& host, const QString& store, const char* operation, int index,
                        bool validIndex, const std::string& name);

}  // namespace prefbook
