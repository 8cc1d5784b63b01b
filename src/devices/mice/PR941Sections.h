#pragma once

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "devices/mice/PR26xDocument.h"
#include "devices/mice/PR941Records.h"

// The PR941's own sections of its document; everything else it writes like the PR260.

namespace prefbook {

PR26xModel PR941Model();

PerformanceConfig5 DefaultPerformanceConfig5();

// "lighting" with "curr_mode" and "stars_mode": "general" with one "mode" per entry, "custom" with
// "curr_led" and the 25 LED colours, "music" with "rgb_mode" and its 6 colours, "foreground".
void WritePR941Lighting(QXmlStreamWriter& w, const PR941Lighting& l);
void ReadPR941Lighting(QXmlStreamReader& r, PR941Lighting& l);

// "wireless" with one "data" element ("time", "brightness", "ring").
void WritePR941Wireless(QXmlStreamWriter& w, const WirelessSettings& s);
void ReadPR941Wireless(QXmlStreamReader& r, WirelessSettings& s);

}  // namespace prefbook
