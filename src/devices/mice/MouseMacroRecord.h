#pragma once

#include <cstddef>
#include <cstdint>

#include "profilecore/MacroTypes.h"
#include "profilecore/PackedRecord.h"

constexpr int kMouseMacroNameBytes = 40;  // bytes of the name kept inside a mouse macro record

#pragma pack(push, 1)
// The mice's macro record, exchanged byte for byte with the suite. id holds the bound button on the
// mice that bind macros to buttons; the PR940 leaves it 0.
struct MouseMacroRecord {
    uint8_t id;
    char name[kMouseMacroNameBytes];  // NUL-padded, not terminated when the name fills it
    uint8_t mode;
    uint8_t actionCount;  // valid entries of actions, at most kMacroActionCapacity
    MacroAction actions[kMacroActionCapacity];
};
#pragma pack(pop)

static_assert(sizeof(MouseMacroRecord) == 1038, "MouseMacroRecord is exchanged as 1038 bytes");
static_assert(offsetof(MouseMacroRecord, name) == 1 && offsetof(MouseMacroRecord, mode) == 41 &&
                  offsetof(MouseMacroRecord, actionCount) == 42 && offsetof(MouseMacroRecord, actions) == 43,
              "MouseMacroRecord field offsets");
PREFBOOK_BYTEWISE_EQUALITY(MouseMacroRecord)
