#include "BackupArchive.h"

#include <archive.h>
#include <archive_entry.h>

#include <QDateTime>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <memory>

#include "Commands.h"

namespace prefbookctl {

namespace {

using ArchivePtr = std::unique_ptr<archive, int (*)(archive*)>;
using EntryPtr = std::unique_ptr<archive_entry, void (*)(archive_entry*)>;

QString ArchiveError(archive* a) {
    const char* text = archive_error_string(a);
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("unknown libarchive error");
}

la_ssize_t WriteToSaveFile(archive*, void* file, const void* buffer, size_t length) {
    return static_cast<QSaveFile*>(file)->write(static_cast<const char*>(buffer),
                                                static_cast<qint64>(length));
}

// What a backup never holds, for an entry that is not a regular file; empty for one that is.
QString UnwantedKind(archive_entry* entry) {
    if (archive_entry_hardlink(entry)) return QStringLiteral("a hard link");
    switch (archive_entry_filetype(entry)) {
        case AE_IFREG:
            return {};
        case AE_IFLNK:
            return QStringLiteral("a symbolic link");
        case AE_IFCHR:
        case AE_IFBLK:
            return QStringLiteral("a device");
        case AE_IFIFO:
            return QStringLiteral("a FIFO");
        case AE_IFSOCK:
            return QStringLiteral("a socket");
        default:
            return QStringLiteral("not a regular file");
    }
}

// The name with a leading "./" dropped, or why it could reach outside the folder it is unpacked in.
QString CleanName(QString name, QString* why) {
    while (name.startsWith(QLatin1String("./"))) name.remove(0, 2);
    if (name.isEmpty()) {
        *why = QStringLiteral("has no name");
    } else if (name.startsWith('/') || name.startsWith('\\') || (name.size() > 1 && name[1] == ':')) {
        *why = QStringLiteral("has an absolute path");
    } else if (QString(name)
                   .replace(QLatin1Char('\\'), QLatin1Char('/'))
                   .split(QLatin1Char('/'))
                   .contains(QStringLiteral(".."))) {
        *why = QStringLiteral("climbs out with '..'");
    }
    return name;
}

}  // namespace

bool WriteTarGz(const QString& path, const QVector<ArchiveEntry>& entries, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = "cannot write " + path + ": " + file.errorString();
        return false;
    }
    ArchivePtr a(archive_write_new(), archive_write_free);
    const auto fail = [&](const QString& what) {
        *error = "cannot write " + path + ": " + what;
        file.cancelWriting();
        return false;
    };
    if (archive_write_add_filter_gzip(a.get()) != ARCHIVE_OK ||
        archive_write_set_format_pax_restricted(a.get()) != ARCHIVE_OK ||
        archive_write_open(a.get(), &file, nullptr, WriteToSaveFile, nullptr) != ARCHIVE_OK)
        return fail(ArchiveError(a.get()));
    const time_t now = QDateTime::currentSecsSinceEpoch();
    for (const ArchiveEntry& e : entries) {
        EntryPtr entry(archive_entry_new(), archive_entry_free);
        archive_entry_set_pathname_utf8(entry.get(), e.name.toUtf8().constData());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), e.data.size());
        archive_entry_set_mtime(entry.get(), now, 0);
        if (archive_write_header(a.get(), entry.get()) != ARCHIVE_OK ||
            archive_write_data(a.get(), e.data.constData(), static_cast<size_t>(e.data.size())) !=
                e.data.size())
            return fail(e.name + ": " + ArchiveError(a.get()));
    }
    if (archive_write_close(a.get()) != ARCHIVE_OK) return fail(ArchiveError(a.get()));
    if (!file.commit()) {
        *error = "cannot write " + path + ": " + file.errorString();
        return false;
    }
    return true;
}

QVector<ArchiveEntry> ReadArchive(const QString& path) {
    // Only a regular file is opened: a FIFO or device would block the read or never end.
    const QFileInfo info(path);
    if (!info.isFile()) throw RunError{path + (info.exists() ? " is not a regular file" : " does not exist")};
    ArchivePtr a(archive_read_new(), archive_read_free);
    archive_read_support_filter_all(a.get());
    archive_read_support_format_all(a.get());
    if (archive_read_open_filename(a.get(), QFile::encodeName(path).constData(), 64 * 1024) != ARCHIVE_OK)
        throw RunError{"cannot read " + path + ": " + ArchiveError(a.get())};

    QVector<ArchiveEntry> entries;
    QSet<QString> names;
    qint64 total = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(a.get(), &entry);
        if (status == ARCHIVE_EOF) break;
        if (status < ARCHIVE_WARN) throw RunError{"cannot read " + path + ": " + ArchiveError(a.get())};
        const char* utf8 = archive_entry_pathname_utf8(entry);
        const QString raw = utf8 ? QString::fromUtf8(utf8) : QFile::decodeName(archive_entry_pathname(entry));
        const auto refuse = [&](const QString& why) {
            return RunError{"refused: entry '" + raw + "' " + why};
        };
        QString why;
        QString name = CleanName(raw, &why);
        if (!why.isEmpty()) throw refuse(why);
        if (archive_entry_filetype(entry) == AE_IFDIR && !archive_entry_hardlink(entry)) continue;
        const QString kind = UnwantedKind(entry);
        if (!kind.isEmpty()) throw refuse("is " + kind);
        if (names.contains(name)) throw refuse("appears twice");
        if (entries.size() >= kMaxEntries)
            throw RunError{"refused: more than " + QString::number(kMaxEntries) + " entries"};
        if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > kMaxEntrySize)
            throw refuse("is larger than " + QString::number(kMaxEntrySize) + " bytes");
        // Counted as read, since a header's size is the archive's word only.
        QByteArray data;
        char buffer[64 * 1024];
        for (;;) {
            const la_ssize_t n = archive_read_data(a.get(), buffer, sizeof buffer);
            if (n < 0) throw RunError{"cannot read " + path + ": " + raw + ": " + ArchiveError(a.get())};
            if (n == 0) break;
            total += n;
            if (data.size() + n > kMaxEntrySize)
                throw refuse("is larger than " + QString::number(kMaxEntrySize) + " bytes");
            if (total > kMaxArchiveSize)
                throw RunError{"refused: the entries unpack to more than " +
                               QString::number(kMaxArchiveSize) + " bytes"};
            data.append(buffer, static_cast<int>(n));
        }
        names.insert(name);
        entries.append({name, data});
    }
    return entries;
}

}  // namespace prefbookctl
