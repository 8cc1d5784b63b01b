#include <QJsonObject>

#include "CommandKit.h"

namespace prefbookctl {

namespace {

void Show(const QStringList& args, const Options& options) {
    const bool json = options.json;
    ExpectArgs(args, 2, "show MODEL");
    StoreAdapter& adapter = Adapter(args[1]);
    const Table profiles = adapter.Show();
    if (json) {
        PrintJson({{"model", adapter.Summary().model}, {"profiles", profiles.ToJson()}});
    } else {
        PrintText(profiles.ToText());
    }
}

void Rename(const QStringList& args, const Options& options) {
    const bool json = options.json;
    ExpectArgs(args, 4, "rename MODEL INDEX NAME");
    StoreAdapter& adapter = Adapter(args[1]);
    if (!adapter.HasProfileNames()) throw UsageError{args[1] + " profiles have no names"};
    if (args[3].isEmpty()) throw UsageError{"a profile name cannot be empty"};
    bool ok = false;
    const int index = args[2].toInt(&ok);
    const int count = adapter.Summary().profileCount;
    if (!ok || index < 0 || index >= count)
        throw UsageError{"bad index '" + args[2] + "': expected 0 to " + QString::number(count - 1)};
    RefuseSavingDefaults(adapter, "rename");
    QString error;
    if (!adapter.Rename(index, args[3].toStdString(), &error))
        throw RunError{WithFolderReason(error, adapter.Summary().profileDir)};
    CheckSaved(adapter);
    if (json) {
        PrintJson({{"model", adapter.Summary().model}, {"index", index}, {"name", args[3]}});
    } else {
        PrintText("profile " + QString::number(index) + " renamed to " + args[3] + "\n");
    }
}

}  // namespace

std::vector<CommandInfo> ProfileCommands() {
    return {
        {"show", "show MODEL", "the profiles of a store",
         "Prints the profiles of one store as its load finds them: names, executables, lighting,\n"
         "colours and macros where the store has them. MODEL as listed under COMMANDS by 'overview', or a\n"
         "device type number for the store that serves it.",
         Show, 0},
        {"rename", "rename MODEL INDEX NAME", "rename a profile and save the store",
         "Renames profile INDEX (from 0) of a store with profile names (kr720, tl480, tl460, ds180,\n"
         "au320, au340) and saves the store: a new document appears in its profile folder. Refused when\n"
         "the store could not load the documents its folder holds (it would save its defaults over\n"
         "them), unless --force is given.",
         Rename, kTakesForce},
    };
}

}  // namespace prefbookctl
