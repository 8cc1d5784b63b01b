#pragma once

#include <QString>
#include <QStringList>
#include <vector>

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
    bool all = false;     // --all: doctor lists every file
    bool dryRun = false;  // --dry-run: restore-backup only says what it would change
};

// The options besides --base, --json and --help that a command honours; any other one given is a
// usage error rather than silently dropped.
enum TakesOption : unsigned {
    kTakesKind = 1,
    kTakesProfile = 2,
    kTakesAimMode = 4,
    kTakesForce = 8,
    kTakesAll = 16,
    kTakesDryRun = 32
};

// One command: its words ("settings get"), help texts, what runs it and the options it honours.
struct CommandInfo {
    const char* name;
    const char* usage;
    const char* summary;
    const char* details;
    void (*run)(const QStringList& args, const Options& options);
    unsigned options = 0;
};

// The command groups, each in a file of its own; Commands.cpp lists them in help order.
std::vector<CommandInfo> OverviewCommands();
std::vector<CommandInfo> ProfileCommands();
std::vector<CommandInfo> HistoryCommands();
std::vector<CommandInfo> ValidateCommands();
std::vector<CommandInfo> DoctorCommands();
std::vector<CommandInfo> ArtworkCommands();  // with the PR940 adapter
std::vector<CommandInfo> TransferCommands();
std::vector<CommandInfo> BackupCommands();  // backup and restore-backup

// Runs the command named by the positional arguments ("overview" when there are none) and prints
// its result as text or JSON. Throws UsageError, RunError or CheckFailed.
void RunCommand(const QStringList& args, const Options& options);

// A command line that repeats this run's --base, --profile and --aim-mode, quoted for a POSIX shell,
// so that copying it acts on the same folder and profile.
QString HintCommand(QStringList words);
// A word quoted for a POSIX shell where it needs quoting.
QString ShellQuote(const QString& word);

// "unknown command 'shwo' (did you mean show?); commands: ..."
QString UnknownCommand(const QString& command);
// The candidate nearest to a mistyped word, or empty when none is near enough to be meant.
QString Nearest(const QString& word, const QStringList& candidates);

// The words bash completion offers: "commands", "models [COMMAND]" (the models the command takes),
// "kinds MODEL", "profiles MODEL" (its indices), "settings [writable]", "values NAME" (a setting's
// choices), "artworks PROFILE [DISPLAYPROFILE]" (the PR940's display profiles, or their artworks).
QStringList CompletionWords(const QStringList& what);

// The help text of one command, empty for an unknown one.
QString CommandHelp(const QString& command);
// Every store's first command name, in device type order.
QStringList ModelNames();
// The PR940's display profile names of a profile, or with a display profile its artwork names.
QStringList ArtworkWords(const QStringList& what);
// The command list of the general help.
QString CommandSummary();

}  // namespace prefbookctl
