#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

#include "CommandKit.h"
#include "DocumentProbe.h"
#include "SystemReason.h"
#include "ToolHost.h"
#include "settings/DeviceType.h"

namespace prefbookctl {

namespace {

// --- export and import ---

int IndexOption(const QString& text, const char* option) {
    if (text.isEmpty()) return -1;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        throw UsageError{QString("bad ") + option + " '" + text + "': expected a number from 0"};
    return value;
}

Transfer MakeTransfer(StoreAdapter& adapter, const QString& file, const Options& options) {
    const QStringList kinds = adapter.TransferKinds();
    Transfer t;
    t.kind = options.kind.isEmpty() ? kinds.value(0) : options.kind;
    if (!kinds.isEmpty() && !kinds.contains(t.kind))
        throw UsageError{"unknown kind '" + t.kind + "' for " + adapter.Names().first() + ": expected " +
                         kinds.join(", ")};
    t.profile = IndexOption(options.profile, "--profile");
    t.aimMode = IndexOption(options.aimMode, "--aim-mode");
    t.path = QFileInfo(file).absoluteFilePath();
    return t;
}

void Export(const QStringList& args, const Options& options) {
    ExpectArgs(args, 3, "export MODEL FILE [--kind KIND] [--profile N] [--aim-mode N]");
    StoreAdapter& adapter = Adapter(args[1]);
    const Transfer t = MakeTransfer(adapter, args[2], options);
    RefuseOutputTarget(t.path);
    QString error;
    if (!adapter.Export(t, &error)) throw RunError{WithReason(error, t.path)};
    // The export reported success; the file must also be there and read as XML.
    const DocumentProbe written = ProbeDocument(t.path);
    if (!written.opened || written.root.isEmpty() || written.IsXmlError())
        throw RunError{"export from " + adapter.Summary().model + " reported success, but " + t.path +
                       " does not read back" +
                       (written.IsXmlError() ? ": " + written.ErrorText() : QString())};
    const QString model = adapter.Summary().model;
    // The store may write what its own import refuses (a PR941 profile without all its lighting
    // modes): the user learns it now, not when the import fails.
    Validation check;
    QString warning;
    if (adapter.Validate(written, &check) && !check.Valid())
        warning = t.path + " was written, but no import takes it back: " +
                  (check.problems.isEmpty() ? check.storeLoad : check.problems.join("; "));
    TakeLog();
    if (options.json) {
        QJsonObject result{{"model", model}, {"kind", t.kind}, {"file", t.path}};
        if (!warning.isEmpty()) result.insert("warning", warning);
        PrintJson(result);
    } else {
        PrintText("exported " + model + " " + t.kind + " to " + t.path + "\n");
        if (!warning.isEmpty()) PrintError("warning: " + warning);
    }
}

void Import(const QStringList& args, const Options& options) {
    ExpectArgs(args, 3, "import MODEL FILE [--kind KIND] [--profile N] [--aim-mode N]");
    StoreAdapter& adapter = Adapter(args[1]);
    const Transfer t = MakeTransfer(adapter, args[2], options);
    RefuseSavingDefaults(adapter, "import");
    QString document, error;
    if (!adapter.Import(t, &document, &error)) {
        const bool saveFailed = error.contains(QLatin1String("could not be saved"));
        throw RunError{saveFailed ? SaveFailure(error, adapter.Summary().profileDir) : error};
    }
    CheckSaved(adapter);
    const QString model = adapter.Summary().model;
    if (options.json) {
        PrintJson({{"model", model}, {"kind", t.kind}, {"file", t.path}, {"document", document}});
    } else {
        PrintText("imported " + t.path + " into " + model + " " + t.kind + "; saved " + document + "\n");
    }
}

}  // namespace

std::vector<CommandInfo> TransferCommands() {
    return {
        {"export", "export MODEL FILE [--kind KIND] [--profile N] [--aim-mode N]",
         "write a profile (or record, aimpad settings, macros) to FILE",
         "Writes FILE through the store's own export operation. An existing FILE is overwritten only\n"
         "with --force; a FILE inside a profile folder is refused. The kinds and options per store:",
         Export, kTakesKind | kTakesProfile | kTakesAimMode | kTakesForce},
        {"import", "import MODEL FILE [--kind KIND] [--profile N] [--aim-mode N]",
         "read FILE into a store and save it",
         "Reads FILE through the store's own import operation and saves the store (a new document in\n"
         "its profile folder). A file the store refuses leaves the folder untouched; the refusal is\n"
         "explained with the store's log lines. Refused, like rename, when the store fell back to its\n"
         "defaults although its folder holds documents, unless --force is given. The kinds and options\n"
         "per store:",
         Import, kTakesKind | kTakesProfile | kTakesAimMode | kTakesForce},
    };
}

}  // namespace prefbookctl
