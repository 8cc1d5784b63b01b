#pragma once

#include <QFileInfo>
#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

#include "Commands.h"
#include "Output.h"
#include "StoreAdapter.h"

// What the command groups share: this run's options, argument checks, output of titled tables and
// the guards around a store's save.
namespace prefbookctl {

QString BaseDir();
// This run's options, repeated by the hints it prints.
Options& Invocation();

void ExpectArgs(const QStringList& args, int count, const char* usage);

// Several titled tables, printed as text or as one JSON object keyed by the section keys.
struct Section {
    QString key, title;
    Table table;
};
// Problems found on the way follow the tables (JSON: "problems", present only when there are some).
void Print(const QVector<Section>& sections, bool json, const QStringList& problems = {});
// Two aligned columns without a heading.
QString KeyValueText(const QVector<QPair<QString, QString>>& rows);

// The store a model name or device type number names; UsageError listing the models otherwise.
StoreAdapter& Adapter(const QString& model);
bool IsDocument(const QFileInfo& file);

// The library reports only that a write failed; the file, or the folder a new file goes into, tells
// why.
QString WithReason(const QString& error, const QString& path);
// A failed save in one line: another program's save in between, else the system's reason, else the
// store's last log line.
QString SaveFailure(const QString& error, const QString& folder);

// How many documents the store's folder holds although it fell back to its defaults (0 when it
// loaded one).
int UnloadedDocuments(StoreAdapter& adapter);
// A folder that exists but cannot be listed hides its documents: nothing may be saved into it.
void RefuseUnreadable(const QString& folder, const QString& command);
// A store that fell back to its defaults while its folder holds documents would put the defaults
// over the user's profiles, and its rotation would delete a document that may still be repaired.
void RefuseSavingDefaults(StoreAdapter& adapter, const QString& command);
// The reason RefuseSavingDefaults gives, without throwing; empty when the save may go ahead (or
// with --force).
QString SavingDefaultsBlocker(StoreAdapter& adapter, const QString& command);
// A save counts when a store built afresh over the folder loads what the saving store holds: the
// library's true alone does not show that the document reached the disk and reads back.
void CheckSaved(StoreAdapter& saver);

// A new adapter whose store loaded nothing but a copy of the document, so that what it holds is
// what the store's own reader and acceptance rule make of that file; RunError when it does not
// accept it.
std::unique_ptr<StoreAdapter> LoadAlone(StoreAdapter& like, const QFileInfo& document);

// A file the user names for output (export, artwork) replaces an existing one only with --force, and
// never goes into a profile folder: the store would take it for one of its documents.
void RefuseOutputTarget(const QString& path);

// Every field that differs between two shows of one store, as {"profile", "field", "old", "new"};
// a profile present in one only has the field "*". (diff, restore-backup --dry-run)
QJsonArray TableDifferences(const Table& before, const Table& after);
// The differences as a table headed like the store's show.
Table DifferenceTable(const Table& shown, const QJsonArray& differences);

}  // namespace prefbookctl
