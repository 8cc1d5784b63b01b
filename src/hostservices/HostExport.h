#pragma once

#if defined(_WIN32)
#if defined(PREFBOOK_HOST_BUILDING)
#define PREFBOOK_HOST_EXPORT __declspec(dllexport)
#else
#define PREFBOOK_HOST_EXPORT __declspec(dllimport)
#endif
#else
#define PREFBOOK_HOST_EXPORT __attribute__((visibility("default")))
#endif
