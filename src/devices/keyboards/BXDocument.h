#pragma once

#include <QIODevice>
#include <QString>
#include <QVector>
#include <cstdint>

#include "devices/keyboards/BXRecords.h"
#include "profilecore/MacroModel.h"
#include "profilecore/StoreHost.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

// The "flag" of a BX root tells the store document and the exports apart.
constexpr uint16_t kBXStoreFlag = 1282;   // the whole store
constexpr uint16_t kBXExportFlag = 1824;  // one profile or all of them, exported

// What tells the two models' documents, folders and messages apart.
struct BXModel {
    int deviceType;      // 5 (BX310V2) or 6 (BX330V2)
    QLatin1String root;  // "bx310V2" / "bx330V2"
    QLatin1String name;  // "BX310V2" / "BX330V2", inside the log messages
    int filterWidth;     // values per filter row: 192 / 160
};

// Root attributes of a BX document.
struct BXHead {
    uint16_t flag = 0;
    QString exportPath;
    QString openExePath;
    uint8_t currentProfileID = 0;
};

struct BXDocument {
    BXHead head;
    bool rootSeen = false;  // the root was reached, so head holds the file's values
    QVector<BXProfile> records;
};

BXProfile DefaultBXProfile(int index);

void WriteBX(QXmlStreamWriter& w, const BXModel& model, const BXHead& head,
             const QVector<BXProfile>& records);
bool WriteBXFile(const StoreHost& host, const BXModel& model, const QString& path, WriteMode mode,
                 const BXHead& head, const QVector<BXProfile>& records);
// Appends every "profile" of the document to doc.records, each read onto an empty record.
void ReadBX(QXmlStreamReader& r, const StoreHost& host, const BXModel& model, BXDocument& doc);
bool ReadBXDevice(const StoreHost& host, const BXModel& model, QIODevice& device, const QString& path,
                  BXDocument& doc);
bool ReadBXFile(const StoreHost& host, const BXModel& model, const QString& path, BXDocument& doc);

}  // namespace prefbook
