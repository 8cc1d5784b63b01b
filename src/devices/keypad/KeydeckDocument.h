#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QVector>

#include "devices/keypad/KeydeckRecords.h"
#include "profilecore/MacroModel.h"
#include "profilecore/StoreHost.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

constexpr uint16_t kKeydeckStoreFlag = 1282;  // a whole variant, 24 profiles
constexpr uint16_t kKeydeckExportFlag = 609;  // one exported profile

// What one keypad document holds.
struct KeydeckDocument {
    uint16_t flag = 0;
    QString exportPath;
    QString openExePath;
    uint16_t currentProfileId = 0;
    // In: the application paths the store holds. Out: the document's list when it has as many
    // entries, else unchanged.
    QStringList appPaths;
    QVector<KeydeckProfile> profiles;
};

// "KEYDECK_G" (19) or "KEYDECK_C" (20); empty for any other type.
QLatin1String KeydeckRootName(int type);

// The profile of index n (0..23) of a variant that has never been saved.
KeydeckProfile DefaultKeydeckProfile(int n);

// Reads a document into doc, emptying its profiles first; fields read before a failure stay.
bool ReadKeydeckDocument(const StoreHost& host, QIODevice& device, const QString& path, KeydeckDocument& doc);
bool ReadKeydeckFile(const StoreHost& host, const QString& path, KeydeckDocument& doc);

void WriteKeydeckDocument(QXmlStreamWriter& w, QLatin1String root, const KeydeckDocument& doc);
bool WriteKeydeckFile(const StoreHost& host, const QString& path, WriteMode mode, QLatin1String root,
                      const KeydeckDocument& doc);

}  // namespace prefbook
