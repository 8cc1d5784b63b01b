#pragma once

// Marks the classes and accessors the suite links against; everything else stays hidden.
#if defined(_WIN32)
#if defined(PREFBOOK_BUILDING)
#define PREFBOOK_EXPORT __declspec(dllexport)
#else
#define PREFBOOK_EXPORT __declspec(dllimport)
#endif
#else
#define PREFBOOK_EXPORT __attribute__((visibility("default")))
#endif
