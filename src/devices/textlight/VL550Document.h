#pragma once

#include "devices/textlight/VL550Records.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

// The "vl550" document of one profile. The writer always writes kVL550ModeCount "mode" elements: the
// first ten settings, padded with kVLDefaultModeSetting when the profile holds fewer.
void WriteVL550Document(QXmlStreamWriter& w, const VL550Profile& profile);
// Reads into the profile as it stands: fields the document does not carry keep their values. The
// text selection is logged as a detail line through host.
void ReadVL550Document(const StoreHost& host, QXmlStreamReader& r, VL550Profile& profile);

bool WriteVL550File(const StoreHost& host, const QString& path, const VL550Profile& profile);
bool ReadVL550File(const StoreHost& host, const QString& path, VL550Profile& profile);

extern const QString kVL550ParseFailure;  // "Parse VL550 XML Failed. "

}  // namespace prefbook
