#pragma once

#include "devices/audio/AudioRecords.h"

namespace prefbook::test {

// An equaliser mode in one expression, for expected tables.
inline EqMode Eq(int id, const char* name, int hz64, int hz250, int hz1k, int hz4k, int hz16k) {
    EqMode m;
    m.id = id;
    m.name = name;
    m.hz64 = hz64;
    m.hz250 = hz250;
    m.hz1k = hz1k;
    m.hz4k = hz4k;
    m.hz16k = hz16k;
    return m;
}

}  // namespace prefbook::test
