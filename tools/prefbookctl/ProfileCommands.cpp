#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <cstdio>

#include "CommandKit.h"
#include "SystemReason.h"
#include "profilecore/ProfileFolder.h"

namespace prefbookctl {

namespace {

// A store that fell back to its defaults looks like an empty one unless it says so.
QString FallbackNote(StoreAdapter& adapter) {
    const int unloaded = UnloadedDocuments(adapter);
    if (unloaded == 0) return {};
    return adapter.Summary().model + " shows its defaults: it could not load the " +
           QString::number(unloaded) + " document" + (unloaded == 1 ? "" : "s") + " in " +
           adapter.Summary().profileDir + " (see '" + HintCommand({"doctor", adapter.Names().first()}) + "')";
}

void Show(const QStringList& args, const Options& options) {
    if (args.size() != 2) ExpectArgs(args, 3, "show MODEL [INDEX]");
    StoreAdapter& adapter = Adapter(args[1]);
    const QString model = adapter.Summary().model;
    const Table profiles = adapter.Show();
    const QString note = FallbackNote(adapter);
    if (args.size() == 3) {
        // One profile, every value whole.
        bool ok = false;
        const int index = args[2].toInt(&ok);
        if (!ok || index < 0 || index >= profiles.RowCount())
            throw UsageError{"bad index '" + args[2] + "': expected 0 to " +
                             QString::number(profiles.RowCount() - 1)};
        const QJsonObject row = profiles.ToJson().at(index).toObject();
        if (options.json) {
            PrintJson({{"model", model}, {"index", index}, {"profile", row}, {"defaults", !note.isEmpty()}});
            return;
        }
        QVector<QPair<QString, QString>> lines;
        const QStringList headings = profiles.Headings();
        for (int c = 0; c < headings.size(); ++c) lines.append({headings[c], profiles.CellToText(index, c)});
        PrintText((note.isEmpty() ? QString() : "Note: " + note + "\n") + KeyValueText(lines));
        return;
    }
    if (options.json) {
        PrintJson({{"model", model}, {"profiles", profiles.ToJson()}, {"defaults", !note.isEmpty()}});
    } else {
        PrintText((note.isEmpty() ? QString() : "Note: " + note + "\n") + profiles.ToText());
    }
}

// Names holding characters the document cannot carry would be saved without them.
void RefuseUnstorableName(const QString& name) {
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.unicode() >= 0xfffe || c.isSurrogate())
            throw UsageError{"a profile name cannot hold the control character U+" +
                             QString::number(c.unicode(), 16).toUpper().rightJustified(4, '0') +
                             ": the document cannot carry it"};
    }
}

void Rename(const QStringList& args, const Options& options) {
    const bool json = options.json;
    ExpectArgs(args, 4, "rename MODEL INDEX NAME");
    StoreAdapter& adapter = Adapter(args[1]);
    if (!adapter.HasProfileNames()) throw UsageError{args[1] + " profiles have no names"};
    if (args[3].isEmpty()) throw UsageError{"a profile name cannot be empty"};
    RefuseUnstorableName(args[3]);
    bool ok = false;
    const int index = args[2].toInt(&ok);
    const int count = adapter.Summary().profileCount;
    if (!ok || index < 0 || index >= count)
        throw UsageError{"bad index '" + args[2] + "': expected 0 to " + QString::number(count - 1)};
    RefuseSavingDefaults(adapter, "rename");
    QString error;
    if (!adapter.Rename(index, args[3].toStdString(), &error))
        throw RunError{SaveFailure(error, adapter.Summary().profileDir)};
    CheckSaved(adapter);
    if (json) {
        PrintJson({{"model", adapter.Summary().model}, {"index", index}, {"name", args[3]}});
    } else {
        PrintText("profile " + QString::number(index) + " renamed to " + args[3] + "\n");
    }
}

// Removes the temporary files a killed save left, while holding the folder's save lock: no save of
// any process is under way, so every temporary file there is stale. Documents are never touched.
void Clean(const QStringList& args, const Options& options) {
    ExpectArgs(args, 2, "clean MODEL");
    StoreAdapter& adapter = Adapter(args[1]);
    QJsonArray removed;
    QStringList failed;
    for (const FolderReport& report : adapter.Doctor()) {
        RefuseUnreadable(report.folder, "clean");
        const int fd =
            ::open(QFile::encodeName(report.folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;  // no folder, nothing to clean
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        for (const QFileInfo& file : prefbook::ListProfileFolder(report.folder)) {
            if (file.suffix() != QLatin1String("tmp")) continue;
            if (std::remove(QFile::encodeName(file.absoluteFilePath()).constData()) == 0) {
                removed.append(file.absoluteFilePath());
            } else {
                failed << file.absoluteFilePath() + ": " + ErrorText(errno);
            }
        }
        ::close(fd);
    }
    if (options.json) {
        PrintJson({{"model", adapter.Summary().model}, {"removed", removed}});
    } else {
        QString text;
        for (const QJsonValue& path : removed) text += "removed " + path.toString() + "\n";
        PrintText(text.isEmpty() ? "no stale temporary files\n" : text);
    }
    if (!failed.isEmpty()) throw RunError{"could not remove " + failed.join("; ")};
}

}  // namespace

std::vector<CommandInfo> ProfileCommands() {
    return {
        {"show", "show MODEL [INDEX]", "the profiles of a store, or one in full",
         "Prints the profiles of one store as its load finds them: names, executables, lighting,\n"
         "colours and macros where the store has them. MODEL as listed under COMMANDS by 'overview', or a\n"
         "device type number for the store that serves it. With INDEX (from 0), one profile with every\n"
         "value whole. A store that fell back to its defaults although its folder holds documents says so.",
         Show, 0},
        {"rename", "rename MODEL INDEX NAME", "rename a profile and save the store",
         "Renames profile INDEX (from 0) of a store with profile names (kr720, bx310v2, bx330v2, tl480,\n"
         "tl460, pr940, pr260, pr261, pr941, ds180, au320, au340, keydeck_g, keydeck_c) and saves the store: "
         "a new document appears in its profile folder. Refused when\n"
         "the store could not load the documents its folder holds (it would save its defaults over\n"
         "them), unless --force is given.",
         Rename, kTakesForce},
        {"clean", "clean MODEL", "remove the temporary files killed saves left",
         "Removes the \".tmp\" files in the store's profile folders while holding the folders' save lock,\n"
         "so no save under way loses its file, and prints each one removed. Documents are never touched.",
         Clean, 0},
    };
}

}  // namespace prefbookctl
