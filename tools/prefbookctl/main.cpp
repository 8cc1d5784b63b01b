#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "Commands.h"
#include "Output.h"
#include "SystemReason.h"
#include "ToolHost.h"
#include "hostservices/IHabitat.h"

namespace {

QString Description() {
    return "Shows, checks and edits the settings and profile stores of a prefbook base folder.\n"
           "\n"
           "Commands:\n" +
           prefbookctl::CommandSummary() +
           "\n"
           "'prefbookctl help COMMAND' describes one command.\n"
           "Models: " +
           prefbookctl::ModelNames().join(", ") +
           ",\n"
           "or a device type number for the store that serves it.\n"
           "Exit status: 0 done, 1 failed (validate: the file is not taken; doctor: a problem found),\n"
           "2 wrong command line or missing base folder (nothing written).\n"
           "With --json, every command prints one object, shaped as in tools/prefbookctl/README.md;\n"
           "an error is {\"error\": MESSAGE, \"exitCode\": N} with the same exit status.\n"
           "A value starting with '-' goes after '--'.";
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("prefbookctl");
    QCoreApplication::setApplicationVersion(PREFBOOK_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription(Description());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption base("base", "Use DIR as the configuration base folder.", "DIR");
    const QCommandLineOption json("json", "Print JSON instead of text tables.");
    const QCommandLineOption kind("kind", "export/import: what to transfer (see 'export --help').", "KIND");
    const QCommandLineOption profile("profile", "export/import: the profile, from 0.", "N");
    const QCommandLineOption aimMode("aim-mode", "export/import: the KR720 aim mode, from 0.", "N");
    const QCommandLineOption force("force",
                                   "rename/import/restore-backup: save although the store fell back to its\n"
                                   "defaults;\n"
                                   "export/artwork/backup: overwrite an existing file.");
    const QCommandLineOption all("all", "doctor: list every file, not a line per kind of stale file.");
    const QCommandLineOption dryRun("dry-run",
                                    "restore-backup: check and say what would change, write nothing.");
    for (const QCommandLineOption& option : {base, json, kind, profile, aimMode, force, all, dryRun})
        parser.addOption(option);
    parser.addPositionalArgument("command", "one of the commands above; overview when none is given.",
                                 "[command [args...]]");

    // With --json an error is an object on stdout too, so a script reads one format whatever happens.
    const bool jsonErrors = QCoreApplication::arguments().contains(QStringLiteral("--json"));
    const auto fail = [jsonErrors](const QString& message, int status) {
        if (jsonErrors) {
            prefbookctl::PrintJson({{"error", message}, {"exitCode", status}});
        } else {
            prefbookctl::PrintError(message);
        }
        return status;
    };
    if (!parser.parse(QCoreApplication::arguments())) return fail(parser.errorText(), 2);
    QStringList args = parser.positionalArguments();
    if (parser.isSet(version)) {
        prefbookctl::PrintText(QCoreApplication::applicationName() + " " +
                               QCoreApplication::applicationVersion() + "\n");
        return 0;
    }
    // "help [COMMAND]" is "[COMMAND] --help".
    const bool helpCommand = args.value(0) == QLatin1String("help");
    if (helpCommand) args.removeFirst();
    if (parser.isSet(help) || helpCommand) {
        QString text;
        if (!args.isEmpty()) {
            // "settings set --help" describes the sub-command.
            const QString command =
                args.size() > 1 && args[0] == "settings" && (args[1] == "set" || args[1] == "get")
                    ? args[0] + " " + args[1]
                    : args[0];
            text = prefbookctl::CommandHelp(command);
            if (text.isEmpty()) return fail(prefbookctl::UnknownCommand(args[0]), 2);
        } else {
            text = parser.helpText();
        }
        if (!text.endsWith('\n')) text += '\n';
        prefbookctl::PrintText(text);
        return 0;
    }

    // Set before any library call, so the default habitat puts every settings path and store folder
    // under it.
    // An empty --base would quietly mean the current folder.
    if (parser.isSet(base) && parser.value(base).isEmpty()) return fail("--base needs a folder, not \"\"", 2);
    if (parser.isSet(base))
        qputenv("PREFBOOK_BASE_DIR", QDir(parser.value(base)).absolutePath().toLocal8Bit());
    prefbookctl::InstallToolHabitat();
    // A base folder given by option or environment must exist, however it was given: a typo must not
    // read as an empty installation. The per-user default may be missing on a fresh machine; looking
    // at it then shows defaults and creates nothing, a write creates what it needs.
    const QString baseDir = IHabitat::Instance().GetBaseDir();
    const bool given = parser.isSet(base) || !qgetenv("PREFBOOK_BASE_DIR").isEmpty();
    const QString blocker = given ? prefbookctl::FolderBlocker(baseDir) : QString();
    if (!blocker.isEmpty()) return fail("base folder '" + baseDir + "': " + blocker, 2);

    // Bash completion asks for its words here; profile indices and artworks come from the base folder.
    if (args.value(0) == QLatin1String("__complete")) {
        const QStringList words = prefbookctl::CompletionWords(args.mid(1));
        if (!words.isEmpty()) prefbookctl::PrintText(words.join('\n') + '\n');
        return 0;
    }
    prefbookctl::Options options;
    options.json = parser.isSet(json);
    options.kind = parser.value(kind);
    options.profile = parser.value(profile);
    options.aimMode = parser.value(aimMode);
    options.force = parser.isSet(force);
    options.all = parser.isSet(all);
    options.dryRun = parser.isSet(dryRun);
    const QByteArray term = qgetenv("TERM");
    prefbookctl::EnableSwatches(!options.json && ::isatty(STDOUT_FILENO) && qgetenv("NO_COLOR").isEmpty() &&
                                !term.isEmpty() && term != "dumb");
    try {
        prefbookctl::RunCommand(args, options);
    } catch (const prefbookctl::UsageError& e) {
        return fail(e.message, 2);
    } catch (const prefbookctl::RunError& e) {
        return fail(e.message, 1);
    } catch (const prefbookctl::CheckFailed&) {
        return 1;
    }
    return 0;
}
