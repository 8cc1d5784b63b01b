#pragma once

#include <QVector>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "profilecore/PackedRecord.h"

constexpr int kMacroActionCapacity = 199;  // steps a macro record holds
constexpr int kMacroNameBytes = 16;        // bytes of the name kept inside a record

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
static_assert(sizeof(MacroAssignment) == 3, "MacroAssignment is exchanged as 3 bytes");

PREFBOOK_BYTEWISE_EQUALITY(MacroAssignment)

// What a profile keeps per macro: the record, its key assignments (any number, duplicates allowed) and
// four reserved bytes that are copied with the entry but never persisted.
template <class Record>
struct BasicMacroEntry {
    Record record{};
    QVector<MacroAssignment> assignments;
    uint8_t reserved[4]{};
};
using MacroEntry = BasicMacroEntry<MacroRecord>;
using MacroEntryLong = BasicMacroEntry<MacroRecordLong>;

// Macros by full name; std::string orders bytes as unsigned values, a proper prefix first.
using MacroMap = std::map<std::string, MacroEntry>;
using MacroMapLong = std::map<std::string, MacroEntryLong>;

// The macros of one profile with the two values its "macros" element carries.
template <class Entry>
struct BasicMacroSet {
    std::string path;
    std::string currMacro;
    std::map<std::string, Entry> macros;
};
using MacroSet = BasicMacroSet<MacroEntry>;
using MacroSetLong = BasicMacroSet<MacroEntryLong>;
