#pragma once

#include <QMap>
#include <QStringRef>

#include "devices/audio/AudioRecords.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

// ---- "eq": attributes "id", "name", "Hz64", "Hz250", "Hz1K", "Hz4K", "Hz16K" (bass and treble stay in
// memory). ----

void WriteEqMode(QXmlStreamWriter& w, const EqMode& mode);
// The attributes of one "eq"; false for an "eq" without a name, which ends a list.
bool ReadEqMode(const QXmlStreamAttributes& a, EqMode& m);
// Reads the "eq" children of the current element into modes, keyed by their "id" (a later duplicate
// wins). The list ends at the first child that is not an "eq" or is an "eq" without a name; the
// children after it are skipped unread.
void ReadEqModes(QXmlStreamReader& r, QMap<int, EqMode>& modes);

// ---- "sound" and "surround" of the DS180-shaped profiles. ----

enum class BassTreble { Carried, Omitted };  // the AU340 document carries neither

void WriteSound(QXmlStreamWriter& w, const SoundSettings& sound, BassTreble bassTreble);
// At a "sound" start element: its attributes, then its "eq" children.
void ReadSound(QXmlStreamReader& r, SoundSettings& sound, BassTreble bassTreble);

void WriteSurround(QXmlStreamWriter& w, const SurroundSettings& surround);
// At a "surround" start element: "currModeId", then one mode per "virtual" child (a later duplicate
// id wins); other children are skipped.
void ReadSurround(QXmlStreamReader& r, SurroundSettings& surround);

// The eight values of "distance" and "angle", joined by ",".
QString JoinSpeakerValues(const SpeakerValues& values);
// Takes the text only when it splits at "," into exactly eight integers; otherwise values stay.
bool SplitSpeakerValues(QStringRef text, SpeakerValues& values);

}  // namespace prefbook
