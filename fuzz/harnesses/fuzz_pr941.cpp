#include "ReaderHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return prefbook::fuzz::FuzzReader("pr941", data, size);
}
