#pragma once

#include <QString>
#include <QStringRef>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cstdint>
#include <map>
#include <string>

#include "devices/mice/MouseMacroRecord.h"
#include "profilecore/StoreHost.h"

namespace prefbook {

// Macros of one mouse profile by full name.
using MouseMacroMap = std::map<std::string, MouseMacroRecord>;

// ---- The mice's "learn" numbers: signed base 16, lower-case digits, no prefix ("-1", "ff"). ----

QString LearnText(int32_t value);
// Base 16 as written by LearnText; anything malformed or outside int32 reads as 0.
int32_t ParseLearn(QStringRef text);

// ---- The profile-level "macros" element of the mice ----

// Whether a mouse family carries the record's id as an attribute between "name" and "mode".
enum class MouseMacroId { Omitted, Written };

// "macros" with "path" and "currMacro", one "macro" per entry with a non-empty name ("name" is the
// map key) and one "action" per step; a record's actionCount is clamped to its capacity.
void WriteMouseMacros(QXmlStreamWriter& w, const std::string& path, const std::string& currMacro,
                      const MouseMacroMap& macros, MouseMacroId id);

// Reads the "macros" element the reader stands on, up to its end. The map is emptied first; each
// "macro" with a non-empty name becomes an all-zero record carrying the name (cut to the record's
// field), its mode's low byte, its id when the family writes one, and its first 199 actions (more are
// dropped with one log line). A later macro of the same name replaces an earlier one.
void ReadMouseMacros(QXmlStreamReader& r, std::string& path, std::string& currMacro, MouseMacroMap& macros,
                     MouseMacroId id, const StoreHost& host);

}  // namespace prefbook
