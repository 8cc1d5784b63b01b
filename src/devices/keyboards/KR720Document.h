#pragma once

#include <QIODevice>
#include <QString>
#include <QVector>
#include <cstdint>

#include "devices/keyboards/KR720Records.h"
#include "profilecore/StoreHost.h"
#include "profilecore/XmlSupport.h"

namespace prefbook {

// The "flag" of a "kr720" root tells the store document and the export files apart.
constexpr uint16_t kKR720StoreFlag = 1282;    // the whole store
constexpr uint16_t kKR720RecordFlag = 4369;   // one record, and the aimpad file
constexpr uint16_t kKR720ProfileFlag = 1824;  // the five records of one profile

// Root attributes of a "kr720" document.
struct KR720Head {
    uint16_t flag = 0;
    uint32_t signature = 0;
    QString exportPath;
    QString openExePath;
};

struct KR720Document {
    KR720Head head;
    bool rootSeen = false;  // the root was reached, so head holds the file's values
    QVector<KR720Profile> records;
};

// The store document and the record and profile exports.
void WriteKR720(QXmlStreamWriter& w, const KR720Head& head, const QVector<KR720Profile>& records);
bool WriteKR720File(const StoreHost& host, const QString& path, WriteMode mode, const KR720Head& head,
                    const QVector<KR720Profile>& records);
// Appends every "profile" of the document to doc.records, each read onto an empty record.
void ReadKR720(QXmlStreamReader& r, const StoreHost& host, KR720Document& doc);
bool ReadKR720Device(const StoreHost& host, QIODevice& device, const QString& path, KR720Document& doc);
bool ReadKR720File(const StoreHost& host, const QString& path, KR720Document& doc);

// The "aimpad" element the reader stands on, read onto settings (the map merges).
void ReadAimpad(QXmlStreamReader& r, AimpadSettings& settings);
void WriteAimpad(QXmlStreamWriter& w, const AimpadSettings& settings);

// The aimpad file: the five aim modes of one profile.
struct AimpadFile {
    bool rootSeen = false;  // root and flag passed, so currMode holds the file's value
    uint8_t currMode = 0;
    QVector<AimpadSettings> modes;
};
void WriteAimpadFile(QXmlStreamWriter& w, uint8_t currMode, const QVector<AimpadSettings>& modes);
// False, logged, for a wrong root or flag, an element after the fifth "aimpad", or a stream error.
bool ReadAimpadDevice(const StoreHost& host, QIODevice& device, const QString& path, AimpadFile& file);
bool ReadAimpadFile(const StoreHost& host, const QString& path, AimpadFile& file);

}  // namespace prefbook
