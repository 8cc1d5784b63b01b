#pragma once

#include <QIODevice>
#include <QString>
#include <QVector>

#include "devices/keyboards/TLRecords.h"
#include "profilecore/MacroModel.h"
#include "profilecore/StoreHost.h"

namespace prefbook {

using TLMacros = MacroModel<KeyMacroEntry, KeyListAssign>;

// What a TL480 or TL460 document holds.
struct TLDocument {
    QString exportPath;
    QString openExePath;
    QVector<TLProfile> profiles;
};

// The names that tell the two models' documents and messages apart.
struct TLModel {
    int deviceType;      // folder of the store: 1 (TL480) or 3 (TL460)
    QLatin1String root;  // "tl480" / "tl460"
    QLatin1String name;  // "TL480" / "TL460", inside the log messages
};

constexpr int kTLProfileCount = 5;
constexpr int kTLColorCount = 7;

TLProfile DefaultTLProfile(int id);

// Reads a document into doc (its profiles emptied first); false on an unreadable or malformed file.
bool ReadTLDocument(const StoreHost& host, const TLModel& model, QIODevice& device, const QString& path,
                    TLDocument& doc);
bool ReadTLDocumentFile(const StoreHost& host, const TLModel& model, const QString& path, TLDocument& doc);

void WriteTLDocument(const TLModel& model, const TLDocument& doc, QXmlStreamWriter& w);
bool WriteTLDocumentFile(const StoreHost& host, const TLModel& model, const TLDocument& doc,
                         const QString& path);

}  // namespace prefbook
