#pragma once

#include <QFileInfo>
#include <QJsonArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace prefbookctl {

// A wrong command line: reported on one line, exit status 2, nothing written.
struct UsageError {
    QString message;
};
// A command that was understood but failed: exit status 1.
struct RunError {
    QString message;
};
// A command that ran and found what it was asked to check wanting (validate of a bad file): its
// report is printed, and the exit status is 1.
struct CheckFailed {};

// The options of the command line besides --base and --help.
struct Options {
    bool json = false;
    QString kind;         // --kind
    QString profile;      // --profile, as given
    QString aimMode;      // --aim-mode, as given
    bool force = false;   // --force: save over documents the store could not load, overwrite a file
    bool dryRun = false;  // --dry-run: restore-backup only says what it would change
};

// Runs the command named by the positional arguments ("overview" when there are none) and prints
// its result as text or JSON. Throws UsageError, RunError or CheckFailed.
void RunCommand(const QStringList& args, const Options& options);

// A command line that repeats this run's --base, --profile and --aim-mode, quoted for a POSIX shell,
// so that copying it acts on the same folder and profile.
QString HintCommand(QStringList words);
// A word quoted for a POSIX shell where it needs quoting.
QString ShellQuote(const QString& word);

// The words bash completion offers: "commands", "models", "kinds MODEL", "settings".
QStringList CompletionWords(const QStringList& what);

// The help text of one command, empty for an unknown one.
QString CommandHelp(const QString& command);
// The command list of the general help.
QString CommandSummary();

// --- shared by the command groups ---

class StoreAdapter;
class Table;

// A store built over a copy of one document alone; RunError when the store's load does not accept it.
std::unique_ptr<StoreAdapter> LoadDocumentAlone(StoreAdapter& like, const QFileInfo& document);
// RunError when a store built afresh over the folder does not load back what saver holds.
void CheckSavedDocument(StoreAdapter& saver);
// Why a save would put the store's defaults over documents it could not load; empty when it would
// not, or with --force.
QString SavingDefaultsBlocker(StoreAdapter& adapter, const QString& command);
// RunError for an output path that is a folder, exists (without --force) or lies in a profile folder.
void CheckOutputFile(const QString& path);
// Every field that differs between two shows of one store, as {"profile", "field", "old", "new"};
// a profile present in one only has the field "*".
QJsonArray TableDifferences(const Table& before, const Table& after);
// The differences as a table headed like the store's show.
Table DifferenceTable(const Table& shown, const QJsonArray& differences);

// backup and restore-backup (Backup.cpp), and their help texts.
void RunBackupCommand(const QStringList& args, const Options& options);
extern const char* const kBackupHelp;
extern const char* const kRestoreBackupHelp;

}  // namespace prefbookctl
