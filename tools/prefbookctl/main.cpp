#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "Commands.h"
#include "Output.h"

namespace {

QString Description() {
    return "Shows, checks and edits the settings and profile stores of a prefbook base folder.\n"
           "\n"
           "Commands:\n" +
           prefbookctl::CommandSummary() +
           "\n"
           "'prefbookctl COMMAND --help' describes one command.\n"
           "Exit status: 0 done, 1 failed (validate: the file is not taken), 2 wrong command line\n"
           "(nothing written). With --json, overview, devices, settings, show, validate and doctor print\n"
           "one object, shaped as in tools/prefbookctl/README.md. A value starting with '-' goes after '--'.";
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("prefbookctl");

    QCommandLineParser parser;
    parser.setApplicationDescription(Description());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption base("base", "Use DIR as the configuration base folder.", "DIR");
    const QCommandLineOption json("json", "Print JSON instead of text tables.");
    const QCommandLineOption kind("kind", "export/import: what to transfer (see 'export --help').", "KIND");
    const QCommandLineOption profile("profile", "export/import: the profile, from 0.", "N");
    const QCommandLineOption aimMode("aim-mode", "export/import: the KR720 aim mode, from 0.", "N");
    for (const QCommandLineOption& option : {base, json, kind, profile, aimMode}) parser.addOption(option);
    parser.addPositionalArgument("command", "one of the commands above; overview when none is given.",
                                 "[command [args...]]");

    using prefbookctl::PrintError;
    if (!parser.parse(QCoreApplication::arguments())) {
        PrintError(parser.errorText());
        return 2;
    }
    const QStringList args = parser.positionalArguments();
    if (parser.isSet(help)) {
        QString text;
        if (!args.isEmpty()) {
            // "settings set --help" describes the sub-command.
            const QString command = args.size() > 1 && args[0] == "settings" && args[1] == "set"
                                        ? QStringLiteral("settings set")
                                        : args[0];
            text = prefbookctl::CommandHelp(command);
            if (text.isEmpty()) {
                PrintError("unknown command '" + args[0] + "'");
                return 2;
            }
        } else {
            text = parser.helpText();
        }
        if (!text.endsWith('\n')) text += '\n';
        prefbookctl::PrintText(text);
        return 0;
    }

    // Set before any library call, so the default habitat puts every settings path and store folder
    // under it.
    if (parser.isSet(base)) {
        const QString dir = parser.value(base);
        if (!QFileInfo(dir).isDir()) {
            PrintError("base folder '" + dir + "' does not exist");
            return 2;
        }
        qputenv("PREFBOOK_BASE_DIR", QDir(dir).absolutePath().toLocal8Bit());
    }

    prefbookctl::Options options;
    options.json = parser.isSet(json);
    options.kind = parser.value(kind);
    options.profile = parser.value(profile);
    options.aimMode = parser.value(aimMode);
    try {
        prefbookctl::RunCommand(args, options);
    } catch (const prefbookctl::UsageError& e) {
        PrintError(e.message);
        return 2;
    } catch (const prefbookctl::RunError& e) {
        PrintError(e.message);
        return 1;
    } catch (const prefbookctl::CheckFailed&) {
        return 1;
    }
    return 0;
}
