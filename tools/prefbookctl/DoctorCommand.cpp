#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include "CommandKit.h"

namespace prefbookctl {

namespace {

void Doctor(const QStringList& args, const Options& options) {
    if (args.size() > 2) ExpectArgs(args, 2, "doctor [MODEL]");
    QVector<FolderReport> reports;
    if (args.size() == 2) {
        reports = Adapter(args[1]).Doctor();
    } else {
        for (const auto& adapter : Adapters()) reports += adapter->Doctor();
    }
    QStringList problems;
    for (const FolderReport& r : reports) {
        for (const FileReport& f : r.files) {
            // Files that are not documents are counted in one warning of the folder's.
            if (!IsDocument(QFileInfo(f.file))) continue;
            if (f.verdict == QLatin1String("skipped") || f.verdict == QLatin1String("kept"))
                problems << r.model + ": " + f.file + " " + f.verdict + ": " + f.reason;
        }
        for (const QString& warning : r.warnings) problems << r.model + ": " + warning;
    }
    if (options.json) {
        QJsonArray folders;
        for (const FolderReport& r : reports) folders.append(r.ToJson());
        PrintJson({{"base", BaseDir()},
                   {"folders", folders},
                   {"sound", problems.isEmpty()},
                   {"problems", QJsonArray::fromStringList(problems)}});
    } else {
        QString text = "Base folder: " + BaseDir() + "\n";
        for (const FolderReport& r : reports) text += "\n" + r.ToText(options.all);
        text += problems.isEmpty() ? QStringLiteral("\nSound: every store loads its newest document.\n")
                                   : "\nProblems:\n  " + problems.join("\n  ") + "\n";
        PrintText(text);
    }
    if (!problems.isEmpty()) throw CheckFailed{};
}

}  // namespace

std::vector<CommandInfo> DoctorCommands() {
    return {
        {"doctor", "doctor [MODEL] [--all]", "explain what each store's load does with its folder",
         "For the profile folder of every store (or of MODEL): every file newest first with what the\n"
         "load does with it (loaded; skipped and why: parse error at line and column, wrong profile\n"
         "count, wrong flag, not a document), what the next save's rotation does with it, the lines the\n"
         "reader logs, the document the store ends up with, and a warning where it falls back to its\n"
         "defaults although documents exist, where a folder cannot be listed, where the previous document\n"
         "would not load (restore could not undo the last save), and naming the files that are not\n"
         "documents, which the next save deletes. Over 20 files, those print as one line per kind unless\n"
         "--all is given. Nothing is written.\n"
         "Exit status 0 when every folder is sound, 1 when a problem is found (listed at the end).",
         Doctor, kTakesAll},
    };
}

}  // namespace prefbookctl
