#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include "CommandKit.h"
#include "SystemReason.h"
#include "ToolHost.h"
#include "profilecore/ProfileFolder.h"

namespace prefbookctl {

namespace {

// --- restore and diff: the newest two documents, each read by a store of its own ---

QFileInfoList RotationDocuments(StoreAdapter& adapter, const QString& command) {
    RefuseUnreadable(adapter.Summary().profileDir, command);
    QFileInfoList documents;
    for (const QFileInfo& file : prefbook::ListProfileFolder(adapter.Summary().profileDir)) {
        if (IsDocument(file)) documents << file;
    }
    if (documents.size() < 2)
        throw RunError{adapter.Summary().model + " has no previous document in " +
                       adapter.Summary().profileDir};
    return documents;
}

void Restore(const QStringList& args, const Options& options) {
    const bool json = options.json;
    ExpectArgs(args, 2, "restore MODEL");
    StoreAdapter& adapter = Adapter(args[1]);
    const QFileInfoList documents = RotationDocuments(adapter, "restore");
    std::unique_ptr<StoreAdapter> previous = LoadAlone(adapter, documents[1]);
    AllowFolderCreation();
    QString error;
    if (!previous->Save(&error)) throw RunError{SaveFailure(error, adapter.Summary().profileDir)};
    CheckSaved(*previous);
    const QString saved = QFileInfo(LastSavedDocument()).fileName();
    const QString model = adapter.Summary().model;
    if (json) {
        PrintJson({{"model", model},
                   {"restored", documents[1].fileName()},
                   {"document", saved},
                   {"previous", documents[0].fileName()}});
    } else {
        PrintText("restored " + model + " " + documents[1].fileName() + " as " + saved + "; " +
                  documents[0].fileName() + " is now the previous document\n");
    }
}

void Diff(const QStringList& args, const Options& options) {
    const bool json = options.json;
    ExpectArgs(args, 2, "diff MODEL");
    StoreAdapter& adapter = Adapter(args[1]);
    const QFileInfoList documents = RotationDocuments(adapter, "diff");
    const Table current = LoadAlone(adapter, documents[0])->Show();
    const Table previous = LoadAlone(adapter, documents[1])->Show();
    const QJsonArray differences = TableDifferences(previous, current);
    const QString model = adapter.Summary().model;
    if (json) {
        PrintJson({{"model", model},
                   {"previous", documents[1].fileName()},
                   {"current", documents[0].fileName()},
                   {"differences", differences}});
        return;
    }
    QString text = model + ": " + documents[1].fileName() + " -> " + documents[0].fileName() + "\n";
    if (differences.isEmpty()) {
        PrintText(text + "no differences\n");
        return;
    }
    PrintText(text + DifferenceTable(current, differences).ToText());
}

}  // namespace

QJsonArray TableDifferences(const Table& before, const Table& after) {
    const QJsonArray newRows = after.ToJson(), oldRows = before.ToJson();
    const QStringList keys = after.Keys();
    const auto difference = [](const QJsonValue& profile, const QString& field, const QJsonValue& old,
                               const QJsonValue& now) {
        return QJsonObject{{"profile", profile}, {"field", field}, {"old", old}, {"new", now}};
    };
    QJsonArray differences;
    for (int row = 0; row < std::max(newRows.size(), oldRows.size()); ++row) {
        const QJsonObject was = oldRows.at(row).toObject(), is = newRows.at(row).toObject();
        const QJsonValue profile = (is.isEmpty() ? was : is).value(keys.value(0));
        if (was.isEmpty() || is.isEmpty()) {
            differences.append(difference(profile, QStringLiteral("*"), was.isEmpty() ? "absent" : "present",
                                          is.isEmpty() ? "absent" : "present"));
            continue;
        }
        for (const QString& key : keys) {
            if (was.value(key) != is.value(key))
                differences.append(difference(profile, key, was.value(key), is.value(key)));
        }
    }
    return differences;
}

Table DifferenceTable(const Table& shown, const QJsonArray& differences) {
    Table table({{"profile", shown.Headings().value(0, "PROFILE"), {}},
                 {"field", "FIELD", {}},
                 {"old", "OLD", {}},
                 {"new", "NEW", {}}});
    for (const QJsonValue& d : differences) {
        const QJsonObject o = d.toObject();
        table.AddRow({o["profile"], o["field"], o["old"], o["new"]});
    }
    return table;
}

std::vector<CommandInfo> HistoryCommands() {
    return {
        {"restore", "restore MODEL", "make the previous document the current one again",
         "Undoes the last save: reads the previous document with the store's own reader and saves it,\n"
         "so it becomes the newest document and is what the store loads next. The folder still holds\n"
         "two documents: the restored state and the one it replaced. Refused when the store does not\n"
         "accept the previous document.",
         Restore, 0},
        {"diff", "diff MODEL", "what changed between the previous and the current document",
         "Reads the current and the previous document, each with the store's own reader, and prints\n"
         "every field that differs: profile, field, old value, new value.",
         Diff, 0},
    };
}

}  // namespace prefbookctl
