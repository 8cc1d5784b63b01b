#include "CommandKit.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include "SystemReason.h"
#include "ToolHost.h"
#include "hostservices/IHabitat.h"
#include "profilecore/ProfileFolder.h"
#include "profilecore/DeviceType.h"
#include "settings/StoreForwarding.h"

namespace prefbookctl {

QString BaseDir() {
    return IHabitat::Instance().GetBaseDir();
}

Options& Invocation() {
    static Options options;
    return options;
}

void ExpectArgs(const QStringList& args, int count, const char* usage) {
    if (args.size() != count) throw UsageError{QString("usage: prefbookctl ") + usage};
}

void Print(const QVector<Section>& sections, bool json, const QStringList& problems) {
    if (json) {
        QJsonObject object{{"base", BaseDir()}};
        for (const Section& s : sections) object.insert(s.key, s.table.ToJson());
        if (!problems.isEmpty()) object.insert("problems", QJsonArray::fromStringList(problems));
        PrintJson(object);
        return;
    }
    QString text = "Base folder: " + BaseDir() + "\n";
    for (const Section& s : sections) {
        text += "\n" + s.title + "\n" + s.table.ToText();
        if (s.table.RowCount() == 0) text += "(none)\n";
    }
    if (!problems.isEmpty()) text += "\nProblems:\n  " + problems.join("\n  ") + "\n";
    PrintText(text);
}

StoreAdapter& Adapter(const QString& model) {
    // A device type number names the store that serves the type, as the suite sees it.
    bool isType = false;
    const int type = model.toInt(&isType);
    if (isType) {
        const prefbook::ServingStore* store = prefbook::StoreServing(type);
        if (!store) throw UsageError{"device type " + model + " is served by no store"};
        return Adapter(store->model);
    }
    StoreAdapter* adapter = FindAdapter(model);
    if (!adapter) {
        QStringList names;
        for (const auto& a : Adapters()) names << a->Names();
        const QString nearest = Nearest(model, names);
        throw UsageError{"unknown model '" + model + "'" +
                         (nearest.isEmpty() ? QString() : " (did you mean " + nearest + "?)") +
                         ": expected one of " + names.join(", ")};
    }
    return *adapter;
}

QString KeyValueText(const QVector<QPair<QString, QString>>& rows) {
    int width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    QString text;
    for (const auto& row : rows) text += (row.first + ":").leftJustified(width + 3) + row.second + "\n";
    return text;
}

bool IsDocument(const QFileInfo& file) {
    return file.suffix() == QLatin1String("xml") || file.suffix() == QLatin1String("bin");
}

QString WithReason(const QString& error, const QString& path) {
    const QString why = WriteBlocker(path);
    return why.isEmpty() ? error : error + "\n  " + path + ": " + why;
}

QString SaveFailure(const QString& error, const QString& folder) {
    const QString conflict = TakeSaveConflict();
    if (!conflict.isEmpty()) return conflict;
    const QString headline = error.section('\n', 0, 0);
    const QString why = WriteBlocker(folder + "new document");
    if (!why.isEmpty()) return headline + ": " + folder + ": " + why;
    // Without a reason the system shows, the store's last log line says the most.
    const QString last = error.section('\n', -1).trimmed();
    return last == headline ? headline : headline + ": " + last;
}

int UnloadedDocuments(StoreAdapter& adapter) {
    const StoreSummary summary = adapter.Summary();
    if (summary.document != QLatin1String("defaults")) return 0;
    int documents = 0;
    for (const QFileInfo& file : prefbook::ListProfileFolder(summary.profileDir))
        documents += IsDocument(file);
    return documents;
}

void RefuseUnreadable(const QString& folder, const QString& command) {
    const QString why = ListBlocker(folder);
    if (!why.isEmpty())
        throw RunError{"cannot list " + folder + ": " + why + "; " + command +
                       " refused, since it could not see the documents there"};
}

QString SavingDefaultsBlocker(StoreAdapter& adapter, const QString& command) {
    const StoreSummary summary = adapter.Summary();
    if (Invocation().force || summary.document != QLatin1String("defaults")) return {};
    for (const QFileInfo& file : prefbook::ListProfileFolder(summary.profileDir)) {
        if (!IsDocument(file)) continue;
        return summary.model + " could not load " + file.absoluteFilePath() + " and holds its defaults; " +
               command + " would save them over it (see '" +
               HintCommand({"doctor", adapter.Names().first()}) + "'). Add --force to save anyway.";
    }
    return {};
}

void RefuseSavingDefaults(StoreAdapter& adapter, const QString& command) {
    RefuseUnreadable(adapter.Summary().profileDir, command);
    const QString blocker = SavingDefaultsBlocker(adapter, command);
    AllowFolderCreation();  // the save needs the folder; everything above only looked
    if (!blocker.isEmpty()) throw RunError{blocker};
}

void CheckSaved(StoreAdapter& saver) {
    // The document this run wrote, not the newest: another run may rightly have saved after it.
    const QString saved = LastSavedDocument();
    if (saved.isEmpty() || !NewAdapter(saver)) return;
    const std::unique_ptr<StoreAdapter> fresh = LoadAlone(saver, QFileInfo(saved));
    if (fresh->Show().ToJson() != saver.Show().ToJson())
        throw RunError{saver.Summary().model + " saved " + saved + ", but it reads back differently (see '" +
                       HintCommand({"doctor", saver.Names().first()}) + "')"};
}

std::unique_ptr<StoreAdapter> LoadAlone(StoreAdapter& like, const QFileInfo& document) {
    const QString model = like.Summary().model;
    QTemporaryDir dir;
    if (!dir.isValid() || !QFile::copy(document.absoluteFilePath(), dir.filePath(document.fileName())))
        throw RunError{"cannot copy " + document.absoluteFilePath() +
                       " to a temporary folder: " + WriteBlocker(dir.filePath(document.fileName()))};
    std::unique_ptr<StoreAdapter> fresh = NewAdapter(like);
    if (!fresh) throw UsageError{like.Names().first() + " keeps no document history"};
    // The store's own walk over the lone copy says whether its load accepts the document; one it
    // merely keeps (the only one that reads) would lose to the current document at the next load.
    RedirectProfileDir(like.DeviceType(), dir.path());
    StoreSummary loaded;
    QVector<FolderReport> reports;
    try {
        loaded = fresh->Summary();  // builds the store, which loads the copy
        reports = fresh->Doctor();
    } catch (...) {
        RedirectProfileDir(like.DeviceType(), {});
        throw;
    }
    RedirectProfileDir(like.DeviceType(), {});
    if (loaded.profileDir != dir.path() + '/')
        throw UsageError{like.Names().first() + " keeps one document, without a previous one"};
    QString why = QStringLiteral("it does not read");
    for (const FolderReport& report : reports) {
        for (const FileReport& file : report.files) {
            if (file.file != document.fileName()) continue;
            if (file.verdict == QLatin1String("loaded") && loaded.document == document.fileName())
                return fresh;
            if (!file.reason.isEmpty()) why = file.reason;
        }
    }
    throw RunError{model + " does not accept " + document.absoluteFilePath() + ": " + why + " (see '" +
                   HintCommand({"doctor", like.Names().first()}) + "')"};
}

void RefuseOutputTarget(const QString& path) {
    const QFileInfo target(path);
    if (target.isDir()) throw RunError{path + " is a folder"};
    if (target.exists() && !Invocation().force)
        throw RunError{path + " already exists; add --force to overwrite it"};
    const QString parent = QDir(target.absolutePath()).canonicalPath();
    if (parent.isEmpty()) return;  // the write fails and says why
    for (int type = 0; type < kDeviceTypeCount; ++type) {
        const QString folder = QDir(ProfileDir(type)).canonicalPath();
        if (!folder.isEmpty() && (parent == folder || parent.startsWith(folder + '/')))
            throw RunError{path + " is inside the profile folder " + folder +
                           ", where the store would take it for one of its documents"};
    }
}

}  // namespace prefbookctl
