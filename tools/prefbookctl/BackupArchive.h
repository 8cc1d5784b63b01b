#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The archive file of a backup, through libarchive: written as a gzip-compressed tar, read in any
// form libarchive reads. Reading refuses what a backup never holds before anything is unpacked.
namespace prefbookctl {

struct ArchiveEntry {
    QString name;  // relative, '/'-separated
    QByteArray data;
};

// Bounds that keep a crafted archive (a compression bomb, a flood of entries) from exhausting the
// memory the whole archive is read into.
constexpr qint64 kMaxEntrySize = 16 * 1024 * 1024;
constexpr qint64 kMaxArchiveSize = 256 * 1024 * 1024;
constexpr int kMaxEntries = 4096;

// Writes the entries, in order, as regular files; the file appears whole or not at all. False with
// *error set on failure.
bool WriteTarGz(const QString& path, const QVector<ArchiveEntry>& entries, QString* error);

// Every regular file of the archive; folders are passed over. RunError, naming the entry, for an
// absolute or climbing name, a link, a device, a FIFO, a socket, a name met twice, an entry or a
// total beyond the bounds, or an archive that does not read.
QVector<ArchiveEntry> ReadArchive(const QString& path);

}  // namespace prefbookctl
