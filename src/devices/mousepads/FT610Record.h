#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kFT610RecordSize = 150;
constexpr size_t kFT610EntryCount = 6;
constexpr size_t kFT610EntrySize = 14;
constexpr size_t kFT610TailOffset = 92;
constexpr size_t kFT610TailSize = 58;

#pragma pack(push, 1)
// The whole configuration of the FT610 pad as the device takes it. The library gives the fields no
// meaning: they are stored, returned and written to disk exactly as the suite hands them over.
struct FT610Record {
    uint32_t headerA;                                    // bytes 0-3, platform order (little-endian)
    uint32_t headerB;                                    // bytes 4-7
    uint8_t entries[kFT610EntryCount][kFT610EntrySize];  // bytes 8-91
    uint8_t tail[kFT610TailSize];  // bytes 92-149: one byte, then nineteen 3-byte entries
};
#pragma pack(pop)

static_assert(sizeof(FT610Record) == kFT610RecordSize, "FT610Record is exchanged as 150 bytes");
static_assert(offsetof(FT610Record, headerA) == 0, "FT610Record header A at byte 0");
static_assert(offsetof(FT610Record, headerB) == 4, "FT610Record header B at byte 4");
static_assert(offsetof(FT610Record, entries) == 8, "FT610Record entries at byte 8");
static_assert(offsetof(FT610Record, tail) == kFT610TailOffset, "FT610Record tail block at byte 92");
