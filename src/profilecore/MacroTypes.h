#pragma once

#include <QMap>
#include <QVector>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "profilecore/PackedRecord.h"

constexpr int kMacroActionCapacity = 199;         // steps a macro record holds
constexpr int kMacroNameBytes = 16;               // bytes of the name kept inside a record
constexpr int kKeydeckMacroActionCapacity = 127;  // the keypad's shorter record

#pragma pack(push, 1)
// One step of a macro.
struct MacroAction {
    uint16_t key;
    uint8_t event;
    uint16_t timer;
};

// The fixed part of a macro as exchanged with the suite and the device; short layout (one-byte key).
// slot and key carry one assignment in transfers only; key 0 means none.
struct MacroRecord {
    uint8_t slot;
    uint8_t key;
    char name[kMacroNameBytes];  // zero-padded, not terminated when the name fills it
    uint8_t mode;
    uint8_t actionCount;
    MacroAction actions[kMacroActionCapacity];
};

// The same record with a two-byte key, for the keyboards that address more keys.
struct MacroRecordLong {
    uint8_t slot;
    uint16_t key;
    char name[kMacroNameBytes];
    uint8_t mode;
    uint8_t actionCount;
    MacroAction actions[kMacroActionCapacity];
};

// The keypad's record: the long layout with room for 127 steps only.
struct KeydeckMacroRecord {
    uint8_t slot;
    uint16_t key;
    char name[kMacroNameBytes];
    uint8_t mode;
    uint8_t actionCount;
    MacroAction actions[kKeydeckMacroActionCapacity];
};

// One key assignment of a macro.
struct MacroAssignment {
    uint8_t slot;
    uint16_t key;
};
#pragma pack(pop)

static_assert(sizeof(MacroAction) == 5, "MacroAction is exchanged as 5 bytes");
static_assert(sizeof(MacroRecord) == 1015, "MacroRecord is exchanged as 1015 bytes");
static_assert(offsetof(MacroRecord, name) == 2 && offsetof(MacroRecord, mode) == 18 &&
                  offsetof(MacroRecord, actionCount) == 19 && offsetof(MacroRecord, actions) == 20,
              "MacroRecord field offsets");
static_assert(sizeof(MacroRecordLong) == 1016, "MacroRecordLong is exchanged as 1016 bytes");
static_assert(offsetof(MacroRecordLong, name) == 3 && offsetof(MacroRecordLong, mode) == 19 &&
                  offsetof(MacroRecordLong, actionCount) == 20 && offsetof(MacroRecordLong, actions) == 21,
              "MacroRecordLong field offsets");
static_assert(sizeof(KeydeckMacroRecord) == 656, "KeydeckMacroRecord is exchanged as 656 bytes");
static_assert(offsetof(KeydeckMacroRecord, name) == 3 && offsetof(KeydeckMacroRecord, actions) == 21,
              "KeydeckMacroRecord field offsets");
static_assert(sizeof(MacroAssignment) == 3, "MacroAssignment is exchanged as 3 bytes");

PREFBOOK_BYTEWISE_EQUALITY(MacroAssignment)

// What a profile keeps per macro: the record, its key assignments (any number, duplicates allowed) and
// four reserved bytes that are copied with the entry but never persisted.
template <class Record, class Assignments = QVector<MacroAssignment>>
struct BasicMacroEntry {
    Record record{};
    Assignments assignments;
    uint8_t reserved[4]{};
};
using MacroEntry = BasicMacroEntry<MacroRecord>;
using MacroEntryLong = BasicMacroEntry<MacroRecordLong>;

// The keypad's assignments: slot -> macro id, one id per slot, in ascending slot order.
using KeydeckSlotMap = QMap<uint8_t, uint8_t>;
using KeydeckMacroEntry = BasicMacroEntry<KeydeckMacroRecord, KeydeckSlotMap>;

// Macros by name in insertion order, looked up through a hash index. Offers the part of std::map's
// interface the macro model uses, so the same operations serve both tables.
template <class Entry>
class InsertionOrderedMacros {
public:
    using value_type = std::pair<std::string, Entry>;
    using const_iterator = typename std::vector<value_type>::const_iterator;
    using iterator = typename std::vector<value_type>::iterator;

    Entry& operator[](const std::string& name) {
        const auto found = index_.find(name);
        if (found != index_.end()) return items_[found->second].second;
        index_.emplace(name, items_.size());
        items_.emplace_back(name, Entry{});
        return items_.back().second;
    }
    const Entry* Find(const std::string& name) const {
        const auto found = index_.find(name);
        return found == index_.end() ? nullptr : &items_[found->second].second;
    }
    Entry* Find(const std::string& name) {
        const auto found = index_.find(name);
        return found == index_.end() ? nullptr : &items_[found->second].second;
    }
    size_t erase(const std::string& name) {
        const auto found = index_.find(name);
        if (found == index_.end()) return 0;
        const size_t at = found->second;
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(at));
        index_.erase(found);
        for (auto& slot : index_) {
            if (slot.second > at) --slot.second;
        }
        return 1;
    }
    void clear() {
        items_.clear();
        index_.clear();
    }
    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

private:
    std::vector<value_type> items_;
    std::unordered_map<std::string, size_t> index_;
};
using KeydeckMacroTable = InsertionOrderedMacros<KeydeckMacroEntry>;

// Macros by full name; std::string orders bytes as unsigned values, a proper prefix first.
using MacroMap = std::map<std::string, MacroEntry>;
using MacroMapLong = std::map<std::string, MacroEntryLong>;

// The macros of one profile with the two values its "macros" element carries.
template <class Entry, class Map = std::map<std::string, Entry>>
struct BasicMacroSet {
    std::string path;
    std::string currMacro;
    Map macros;
};
using MacroSet = BasicMacroSet<MacroEntry>;
using MacroSetLong = BasicMacroSet<MacroEntryLong>;
using KeydeckMacroSet = BasicMacroSet<KeydeckMacroEntry, KeydeckMacroTable>;
