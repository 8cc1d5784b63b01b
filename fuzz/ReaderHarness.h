#pragma once

#include <cstddef>
#include <cstdint>

namespace prefbook::fuzz {

// Feeds one fuzz input to the named catalogue reader through a QBuffer. Besides the sanitizers, it
// checks one property of every input that reads: what was read, written back, reads again, and once
// written a second time it is a fixed point of reading and writing. A violation aborts, so libFuzzer
// keeps the input as a crash.
int FuzzReader(const char* reader, const uint8_t* data, size_t size);

}  // namespace prefbook::fuzz
