#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "Commands.h"
#include "Output.h"

namespace {

const char kDescription[] =
    "Shows and edits the settings and profile stores of a prefbook base folder.\n"
    "\n"
    "Commands:\n"
    "  overview                   settings summary, device table, profile stores (default)\n"
    "  devices                    device types with profile folders; product identifiers per category\n"
    "  settings                   every global setting and every device's reset flag\n"
    "  settings set NAME VALUE    write one setting (NAME as listed by 'settings'; a device's\n"
    "                             reset flag by its name, e.g. KR720 or \"BX310 V2\")\n"
    "  show MODEL                 the profiles of a store\n"
    "  rename MODEL INDEX NAME    rename a profile and save the store\n"
    "\n"
    "Exit status: 0 done, 1 failed, 2 wrong command line (nothing written).\n"
    "With --json every command prints one object; tables are arrays of objects keyed as in\n"
    "tools/prefbookctl/README.md. A value starting with '-' goes after '--'.";

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("prefbookctl");

    QCommandLineParser parser;
    parser.setApplicationDescription(kDescription);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption base("base", "Use DIR as the configuration base folder.", "DIR");
    const QCommandLineOption json("json", "Print JSON instead of text tables.");
    parser.addOption(base);
    parser.addOption(json);
    parser.addPositionalArgument("command", "overview, devices, settings, show or rename.",
                                 "[command [args...]]");

    using prefbookctl::PrintError;
    if (!parser.parse(QCoreApplication::arguments())) {
        PrintError(parser.errorText());
        return 2;
    }
    if (parser.isSet(help)) {
        QString text = parser.helpText();
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

    try {
        prefbookctl::RunCommand(parser.positionalArguments(), parser.isSet(json));
    } catch (const prefbookctl::UsageError& e) {
        PrintError(e.message);
        return 2;
    } catch (const prefbookctl::RunError& e) {
        PrintError(e.message);
        return 1;
    }
    return 0;
}
