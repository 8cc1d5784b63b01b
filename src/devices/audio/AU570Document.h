#pragma once

#include "devices/audio/IAU570ProfileCfg.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

// The three built-in equaliser presets, "GAMING(BASS+)" (id 3) in use, bass and treble 0.
AU570ProfileData AU570Presets();

// The "au570" document: one "mode" (bass, treble, currModeId) holding one "eq" per table entry.
void WriteAU570Document(QXmlStreamWriter& w, const AU570ProfileData& data);
// Empties the table, then reads the document; bass, treble and currModeId change only where a
// "mode" element is found.
void ReadAU570Document(QXmlStreamReader& r, AU570ProfileData& data);

}  // namespace prefbook
