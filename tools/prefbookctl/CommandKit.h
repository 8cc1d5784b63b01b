#pragma once

#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QVector>

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
void Print(const QVector<Section>& sections, bool json);

// The store a model name or device type number names; UsageError listing the models otherwise.
StoreAdapter& Adapter(const QString& model);
bool IsDocument(const QFileInfo& file);

// The library reports only that a write failed; the file, or the folder a new file goes into, tells
// why.
QString WithReason(const QString& error, const QString& path);
QString WithFolderReason(const QString& error, const QString& folder);

// A store that fell back to its defaults while its folder holds documents would put the defaults
// over the user's profiles, and its rotation would delete a document that may still be repaired.
void RefuseSavingDefaults(StoreAdapter& adapter, const QString& command);
// A save counts when a store built afresh over the folder loads what the saving store holds: the
// library's true alone does not show that the document reached the disk and reads back.
void CheckSaved(StoreAdapter& saver);

}  // namespace prefbookctl
