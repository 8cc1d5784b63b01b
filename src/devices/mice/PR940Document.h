#pragma once

#include <QIODevice>
#include <QString>
#include <QVector>

#include "devices/mice/PR940Records.h"
#include "profilecore/StoreHost.h"
#include "profilecore/XmlSupport.h"

class IGlyphPress;

namespace prefbook {

// What a PR940 document holds.
struct PR940Document {
    QString exportPath;
    QString openExePath;
    QVector<PR940Profile> profiles;
};

constexpr int kPR940ProfileCount = 5;
constexpr int kPR940ColorCount = 7;

PR940Profile DefaultPR940Profile(int id);

// The 64-byte name field of a surface, zero-filled, then the name cut to it; and the name it carries.
void SetSurfaceName(SurfaceTuning& surface, const std::string& name);
std::string SurfaceName(const SurfaceTuning& surface);

// Reads a document into doc (its profiles emptied once the device reads); every artwork with an image
// path has its pixels loaded through the press. False on an unreadable or malformed document.
bool ReadPR940Document(const StoreHost& host, IGlyphPress& press, QIODevice& device, const QString& path,
                       PR940Document& doc);
bool ReadPR940DocumentFile(const StoreHost& host, IGlyphPress& press, const QString& path,
                           PR940Document& doc);

// Writes the document; every artwork's image is handed to the press as <folder the press gives for
// the display profile>/<SafeFileName of the artwork's name>.bmp, and the document keeps that path. The
// path comes from the name alone, never from a "bmp" value a document held.
void WritePR940Document(IGlyphPress& press, const PR940Document& doc, QXmlStreamWriter& w);
bool WritePR940DocumentFile(const StoreHost& host, IGlyphPress& press, const PR940Document& doc,
                            const QString& path, WriteMode mode = WriteMode::Direct);

}  // namespace prefbook
