#pragma once

#include <cstring>
#include <type_traits>

// Equality of a packed record exchanged byte for byte: two records are equal when their bytes are.
// Only for records without padding, which the check below makes sure of.
#define PREFBOOK_BYTEWISE_EQUALITY(T)                                                       \
    static_assert(std::has_unique_object_representations_v<T>, #T " must have no padding"); \
    inline bool operator==(const T& x, const T& y) {                                        \
        return std::memcmp(&x, &y, sizeof(T)) == 0;                                         \
    }                                                                                       \
    inline bool operator!=(const T& x, const T& y) {                                        \
        return !(x == y);                                                                   \
    }
