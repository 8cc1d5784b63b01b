#pragma once

#include <QString>
#include <QVector>

#include "profilecore/XmlSupport.h"

namespace prefbook {

// Everything a DS180-shaped store persists.
template <class Profile>
struct AudioStoreData {
    QString exportPath;
    QString openExePath;
    QVector<Profile> profiles;
};

// A profile as a document's "profile" element starts out before its content is read. Lists no
// document carries start with their default entries, so they look the same after every start.
template <class Traits>
typename Traits::Profile FreshAudioProfile();

// PROFILE0 with the default lighting, colours, sound and surround.
template <class Traits>
typename Traits::Profile DefaultAudioProfile();

// A profile without equaliser modes takes the sound defaults; one without surround modes the
// surround defaults.
template <class Profile>
void ApplyMissingAudioDefaults(Profile& profile);

// Root (model name, "exportPath", "openExePath") with one "profile" per profile: "lighting" (not the
// AU340), "sound", "surround".
template <class Traits>
void WriteAudioDocument(QXmlStreamWriter& w, const AudioStoreData<typename Traits::Profile>& data);
// Empties the profile list, then reads the document into data.
template <class Traits>
void ReadAudioDocument(QXmlStreamReader& r, AudioStoreData<typename Traits::Profile>& data);

}  // namespace prefbook
