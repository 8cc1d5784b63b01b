#include "FolderDoctor.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QMap>
#include <algorithm>

#include "DocumentProbe.h"
#include "Output.h"
#include "SystemReason.h"
#include "ToolHost.h"

namespace prefbookctl {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

bool IsRotationDocument(const QFileInfo& file) {
    return file.suffix() == QLatin1String("xml") || file.suffix() == QLatin1String("bin");
}

QString WrongSuffix(const QFileInfo& file, const QString& suffix) {
    if (IsRotationDocument(file)) return "not a ." + suffix + " document";
    return QStringLiteral("not a document");
}

// Names of stray files a warning spells out; the rest it counts.
constexpr int kNamedStrays = 10;

// The document restore would bring back must load, or the last save cannot be undone.
void WarnAboutPrevious(FolderReport& report, const QString& folder, const LoadRules& rules) {
    QStringList documents;
    for (const FileReport& f : report.files) {
        if (IsRotationDocument(QFileInfo(f.file))) documents << f.file;
    }
    if (documents.size() < 2) return;
    const QString previous = documents[1];
    QString why;
    for (const FileReport& f : report.files) {
        if (f.file != previous) continue;
        if (f.verdict == QLatin1String("skipped") || f.verdict == QLatin1String("kept")) why = f.reason;
        if (f.verdict != QLatin1String("not reached")) break;
        if (QFileInfo(previous).suffix() != rules.suffix) {
            why = WrongSuffix(QFileInfo(previous), rules.suffix);
            break;
        }
        QStringList notes;
        TakeLog();
        const bool read = rules.read(folder + previous, notes);
        const QStringList lines = TakeLog();
        if (!read) {
            why = ReadFailure(folder + previous, lines);
        } else if (!rules.accept()) {
            why = rules.rejection ? rules.rejection() : QStringLiteral("not accepted");
        }
    }
    if (!why.isEmpty())
        report.warnings << "the previous document " + previous + " would not load (" + why +
                               "): restore cannot undo the last save";
}

}  // namespace

QString ReadFailure(const QString& path, const QStringList& messages) {
    const DocumentProbe probe = ProbeDocument(path);
    if (probe.IsXmlError()) return "parse error at " + probe.ErrorText();
    if (!probe.opened) return "cannot be opened: " + probe.openError;
    return messages.isEmpty() ? QStringLiteral("does not read") : messages.first();
}

QString DocumentName(const QString& path) {
    return path.isEmpty() ? QStringLiteral("defaults") : QFileInfo(path).fileName();
}

FolderReport WalkProfileFolder(const QString& model, const QString& folder, const LoadRules& rules,
                               const QString& storeDocument) {
    FolderReport report;
    report.model = model;
    report.folder = folder;

    QMap<QString, FileReport> visited;
    QStringList pending;  // messages and notes of the document just read, until the walk judges it
    TakeLog();
    const auto read = [&](const QString& path) {
        QStringList notes;
        const bool ok = rules.read(path, notes);
        pending = TakeLog() + notes;
        return ok;
    };
    const auto observe = [&](const QFileInfo& info, prefbook::FileVerdict verdict) {
        FileReport file;
        file.file = info.fileName();
        switch (verdict) {
            case prefbook::FileVerdict::Loaded:
                file.verdict = QStringLiteral("loaded");
                break;
            case prefbook::FileVerdict::WrongSuffix:
                file.verdict = QStringLiteral("skipped");
                file.reason = WrongSuffix(info, rules.suffix);
                break;
            case prefbook::FileVerdict::ReadFailed:
                file.verdict = QStringLiteral("skipped");
                file.reason = ReadFailure(info.absoluteFilePath(), pending);
                break;
            case prefbook::FileVerdict::NotAccepted:
                file.verdict = QStringLiteral("skipped");
                file.reason = rules.rejection ? rules.rejection() : QStringLiteral("not accepted");
                break;
        }
        if (verdict != prefbook::FileVerdict::WrongSuffix) file.messages = pending;
        pending.clear();
        visited.insert(file.file, file);
    };

    const prefbook::LoadOutcome outcome =
        prefbook::LoadNewestDocument(folder, rules.suffix, read, rules.accept, observe);
    const bool keeps = rules.keeps ? rules.keeps(outcome) : outcome.keep;
    report.document = keeps ? DocumentName(outcome.path) : QStringLiteral("defaults");

    int documents = 0;     // of the store's suffix
    int rotationSeen = 0;  // documents of any suffix, for the next save's pruning
    for (const QFileInfo& info : prefbook::ListProfileFolder(folder)) {
        FileReport file = visited.value(info.fileName());
        if (file.file.isEmpty()) {
            file.file = info.fileName();
            file.verdict = QStringLiteral("not reached");
            file.reason = QStringLiteral("a newer document was loaded");
        }
        file.modified = info.lastModified();
        // The next save adds the newest document and keeps one more: the newest one here.
        if (IsRotationDocument(info)) {
            file.nextSave = ++rotationSeen == 1 ? QStringLiteral("kept") : QStringLiteral("deleted");
        } else {
            file.nextSave = QStringLiteral("deleted");
        }
        if (info.suffix() == rules.suffix) ++documents;
        if (keeps && outcome.path.endsWith('/' + file.file) && file.verdict != QLatin1String("loaded")) {
            file.verdict = QStringLiteral("kept");
            report.warnings << "the store keeps " + file.file + " although it was not accepted (" +
                                   file.reason + "): it was the last document read without error";
        }
        report.files << file;
    }
    const QString unlisted = ListBlocker(folder);
    if (!unlisted.isEmpty())
        report.warnings << "cannot list " + folder + ": " + unlisted +
                               "; the store sees no documents there, and a save would go in blind";
    WarnAboutPrevious(report, folder, rules);
    QStringList strays;
    for (const FileReport& f : report.files) {
        if (!IsRotationDocument(QFileInfo(f.file))) strays << f.file;
    }
    if (!strays.isEmpty()) {
        const int named = std::min<int>(strays.size(), kNamedStrays);
        report.warnings << "the next save deletes " + QString::number(strays.size()) + " file" +
                               (strays.size() == 1 ? "" : "s") + " that " +
                               (strays.size() == 1 ? "is" : "are") +
                               " not a document: " + strays.mid(0, named).join(", ") +
                               (strays.size() > named
                                    ? " and " + QString::number(strays.size() - named) + " more"
                                    : QString());
    }
    if (!keeps && documents > 0) {
        report.warnings << "the store falls back to its defaults although " + QString::number(documents) +
                               " ." + rules.suffix + " document" + (documents == 1 ? "" : "s") + " exist" +
                               (documents == 1 ? "s" : "");
    }
    if (!storeDocument.isEmpty() && storeDocument != report.document) {
        report.warnings << "the store itself loaded " + storeDocument + ", not " + report.document +
                               ": this report does not describe it";
    }
    return report;
}

QJsonObject FolderReport::ToJson() const {
    QJsonArray fileArray;
    for (const FileReport& f : files) {
        fileArray.append(QJsonObject{{"file", f.file},
                                     {"modified", f.modified.toString(Qt::ISODate)},
                                     {"verdict", f.verdict},
                                     {"reason", f.reason},
                                     {"nextSave", f.nextSave},
                                     {"messages", QJsonArray::fromStringList(f.messages)}});
    }
    return {{"model", model},
            {"profileDir", folder},
            {"document", document},
            {"files", fileArray},
            {"warnings", QJsonArray::fromStringList(warnings)}};
}

QString FolderReport::ToText(bool all) const {
    QString text = model + "  " + folder + "\n";
    // Thousands of stray files read best as a line per kind; documents are always listed.
    QVector<FileReport> shown;
    QMap<QString, int> kinds;  // "LOAD|NEXT SAVE|suffix" -> count
    for (const FileReport& f : files) {
        if (all || files.size() <= kListAllUpTo || IsRotationDocument(QFileInfo(f.file))) {
            shown << f;
        } else {
            const QString suffix = QFileInfo(f.file).suffix();
            kinds[f.verdict + ": " + f.reason + '|' + f.nextSave + '|' +
                  (suffix.isEmpty() ? QStringLiteral("(no suffix)") : "*." + suffix)] += 1;
        }
    }
    if (files.isEmpty()) {
        text += "(no files)\n";
    } else {
        Table table({{"file", "FILE", {}},
                     {"modified", "MODIFIED", {}},
                     {"nextSave", "NEXT SAVE", {}},
                     {"load", "LOAD", CellText}});  // formatted cells are never cut: the reason is the point
        for (const FileReport& f : shown) {
            const QString load = f.reason.isEmpty() ? f.verdict : f.verdict + ": " + f.reason;
            table.AddRow(
                {f.file, f.modified.toString(kTimeFormat), f.nextSave.isEmpty() ? "-" : f.nextSave, load});
        }
        for (auto kind = kinds.cbegin(); kind != kinds.cend(); ++kind) {
            const QStringList parts = kind.key().split('|');
            table.AddRow(
                {QString::number(kind.value()) + (kind.value() == 1 ? " file " : " files ") + parts[2], "-",
                 parts[1], parts[0]});
        }
        text += table.ToText();
        if (!kinds.isEmpty()) text += "(--all lists every file)\n";
        for (const FileReport& f : shown) {
            for (const QString& message : f.messages) text += "  " + f.file + ": " + message + "\n";
        }
    }
    text += "Result: " +
            (document == QLatin1String("defaults") ? QStringLiteral("defaults") : "document " + document) +
            "\n";
    for (const QString& warning : warnings) text += "Warning: " + warning + "\n";
    return text;
}

}  // namespace prefbookctl
