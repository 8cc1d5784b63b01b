#pragma once

#include <QVector>

#include "devices/mousepads/FT280Records.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

// The "ft280" document: one "profile" per profile, no store-wide attributes on the root.
void WriteFT280Document(QXmlStreamWriter& w, const QVector<FT280Profile>& profiles);
// Empties the list, then appends one profile per "profile" element.
void ReadFT280Document(QXmlStreamReader& r, QVector<FT280Profile>& profiles);

// The same over files, with the common open, parse and write messages.
bool WriteFT280File(const StoreHost& host, const QString& path, WriteMode mode,
                    const QVector<FT280Profile>& profiles);
bool ReadFT280File(const StoreHost& host, const QString& path, QVector<FT280Profile>& profiles);

extern const QString kFT280ParseFailure;  // "Parse FT280 XML Failed. "

}  // namespace prefbook
