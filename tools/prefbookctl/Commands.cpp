#include "Commands.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "DocumentProbe.h"
#include "Output.h"
#include "SettingsCatalog.h"
#include "StoreAdapter.h"
#include "SystemReason.h"
#include "ToolHost.h"
#include "hostservices/IHabitat.h"
#include "profilecore/ProfileFolder.h"
#include "settings/DeviceType.h"
#include "settings/Prefbook.h"
#include "settings/StoreForwarding.h"

namespace prefbookctl {

namespace {

QString BaseDir() {
    return IHabitat::Instance().GetBaseDir();
}

// This run's options, repeated by the hints it prints.
Options& Invocation() {
    static Options options;
    return options;
}

void ExpectArgs(const QStringList& args, int count, const char* usage) {
    if (args.size() != count) throw UsageError{QString("usage: prefbookctl ") + usage};
}

// Options a command does not take are refused rather than ignored.
void NoTransferOptions(const Options& options, const QString& command) {
    if (!options.kind.isEmpty() || !options.profile.isEmpty() || !options.aimMode.isEmpty())
        throw UsageError{"--kind, --profile and --aim-mode belong to export and import, not " + command};
}

// --- tables ---

Table GlobalSettingsTable() {
    Table table({{"name", "NAME", {}},
                 {"value", "VALUE", {}},
                 {"file", "FILE", {}},
                 {"group", "GROUP", {}},
                 {"key", "KEY", {}},
                 {"writable", "WRITABLE", {}}});
    for (const Setting& s : Settings()) {
        if (s.deviceType >= 0) continue;
        table.AddRow({s.name, s.read(), s.file, s.group, s.key, bool(s.write)});
    }
    return table;
}

Table ResetFlagTable() {
    Table table({{"type", "TYPE", {}}, {"name", "NAME", {}}, {"reset", "RESET", {}}});
    for (const Setting& s : Settings()) {
        if (s.deviceType >= 0) table.AddRow({s.deviceType, s.name, s.read()});
    }
    return table;
}

Table DeviceTypeTable(bool withResetFlag) {
    QVector<Column> columns = {{"type", "TYPE", {}},
                               {"name", "NAME", {}},
                               {"servedBy", "SERVED BY", {}},
                               {"profileDir", "PROFILE FOLDER", {}}};
    if (withResetFlag) columns.append({"reset", "RESET", {}});
    Table table(columns);
    for (int t = 0; t < kDeviceTypeCount; ++t) {
        // The store Prefbook forwards the type's questions to, from the library's own table.
        const prefbook::ServingStore* store = prefbook::StoreServing(t);
        QVector<QJsonValue> row = {t, DeviceTypeName(t), store ? QJsonValue(store->model) : QJsonValue("-"),
                                   ProfileDir(t)};
        if (withResetFlag) row.append(Prefbook::ReadPortalDevResetFlag(static_cast<DeviceType>(t)));
        table.AddRow(row);
    }
    return table;
}

Table CategoryTable() {
    using Reader = void (*)(QVector<unsigned short>&);
    const std::pair<const char*, Reader> categories[] = {
        {"Keyboard", Prefbook::ReadKeyboardDev}, {"Mouse", Prefbook::ReadMouseDev},
        {"Headset", Prefbook::ReadHeadsetDev},   {"MousePad", Prefbook::ReadMousePadDev},
        {"DS180", Prefbook::ReadDS180Dev},       {"AU320", Prefbook::ReadAU320Dev},
        {"AU340", Prefbook::ReadAU340Dev},       {"FT280", Prefbook::ReadFT280Dev},
        {"TL460B", Prefbook::ReadTL460BDev},     {"TL460W", Prefbook::ReadTL460WDev},
        {"TL480B", Prefbook::ReadTL480BDev},     {"TL480W", Prefbook::ReadTL480WDev},
        {"VL550", Prefbook::ReadVL550Dev},
    };
    Table table({{"category", "CATEGORY", {}}, {"pids", "PRODUCT IDS", HexId}});
    for (const auto& category : categories) {
        QVector<unsigned short> ids;
        category.second(ids);
        QJsonArray pids;
        for (unsigned short id : ids) pids.append(int(id));
        table.AddRow({category.first, pids});
    }
    return table;
}

Table StoreTable() {
    Table table({{"model", "MODEL", {}},
                 {"commands", "COMMANDS", {}},
                 {"type", "TYPE", {}},
                 {"profileDir", "PROFILE FOLDER", {}},
                 {"document", "DOCUMENT", {}},
                 {"profiles", "PROFILES", {}}});
    for (const auto& adapter : Adapters()) {
        const StoreSummary summary = adapter->Summary();
        table.AddRow({summary.model, QJsonArray::fromStringList(adapter->Names()), adapter->DeviceType(),
                      summary.profileDir, summary.document, summary.profileCount});
    }
    return table;
}

// --- output of several titled tables ---

struct Section {
    QString key, title;
    Table table;
};

void Print(const QVector<Section>& sections, bool json) {
    if (json) {
        QJsonObject object{{"base", BaseDir()}};
        for (const Section& s : sections) object.insert(s.key, s.table.ToJson());
        PrintJson(object);
        return;
    }
    QString text = "Base folder: " + BaseDir() + "\n";
    for (const Section& s : sections) {
        text += "\n" + s.title + "\n" + s.table.ToText();
        if (s.table.RowCount() == 0) text += "(none)\n";
    }
    PrintText(text);
}

// --- commands ---

void Overview(const QStringList& args, bool json) {
    if (args.size() > 1) ExpectArgs(args, 1, "overview");
    Print({{"settings", "Settings", GlobalSettingsTable()},
           {"devices", "Devices", DeviceTypeTable(true)},
           {"stores", "Profile stores", StoreTable()}},
          json);
}

void Devices(const QStringList& args, bool json) {
    ExpectArgs(args, 1, "devices");
    Print({{"types", "Device types", DeviceTypeTable(false)},
           {"categories", "Product identifiers (param.arg)", CategoryTable()}},
          json);
}

const Setting& KnownSetting(const QString& name) {
    const Setting* setting = FindSetting(name);
    if (setting) return *setting;
    QStringList names;
    for (const Setting& s : Settings()) names << ShellQuote(s.name);
    throw UsageError{"unknown setting '" + name + "': expected one of " + names.join(", ")};
}

void GetSetting(const QStringList& args, bool json) {
    ExpectArgs(args, 3, "settings get NAME");
    const Setting& setting = KnownSetting(args[2]);
    const QJsonValue value = setting.read();
    if (json) {
        PrintJson({{"name", setting.name}, {"value", value}});
    } else {
        PrintText(CellText(value) + "\n");
    }
}

void SetSetting(const QStringList& args, bool json) {
    ExpectArgs(args, 4, "settings set NAME VALUE");
    const Setting* setting = &KnownSetting(args[2]);
    if (!setting->write) throw UsageError{"setting '" + args[2] + "' is read-only"};
    QJsonValue value;
    QString why;
    if (!ParseValue(setting->kind, args[3], &value, &why))
        throw UsageError{"bad value '" + args[3] + "' for " + setting->name + ": " + why};

    AllowFolderCreation();
    setting->write(value);
    // Settings writes fail silently, so read the file itself back to tell the user.
    const QString path = BaseDir() + setting->file;
    QJsonValue stored;
    if (!ReadFromDisk(*setting, &stored) || stored != value) {
        const QString why = WriteBlocker(path);
        throw RunError{"could not write " + setting->name + " to " + path +
                       (why.isEmpty() ? QString() : ": " + why)};
    }
    if (json) {
        PrintJson({{"name", setting->name}, {"value", value}});
    } else {
        PrintText(setting->name + " = " + CellText(value) + "\n");
    }
}

void SettingsCommand(const QStringList& args, bool json) {
    if (args.size() > 1 && args[1] == "set") return SetSetting(args, json);
    if (args.size() > 1 && args[1] == "get") return GetSetting(args, json);
    if (args.size() > 1) throw UsageError{"unknown settings command '" + args[1] + "'"};
    Print({{"settings", "Settings", GlobalSettingsTable()},
           {"resetFlags", "Reset flags (reset.ini)", ResetFlagTable()}},
          json);
}

StoreAdapter& Adapter(const QString& model) {
    // A device type number names the store that serves the type, as the suite sees it.
    bool isType = false;
    const int type = model.toInt(&isType);
    if (isType) {
        const prefbook::ServingStore* store = prefbook::StoreServing(type);
        if (!store) throw UsageError{"device type " + model + " is served by no store"};
        return Adapter(store->model);
    }
    StoreAdapter* adapter = FindAdapter(model);
    if (!adapter) {
        QStringList names;
        for (const auto& a : Adapters()) names << a->Names();
        throw UsageError{"unknown model '" + model + "': expected one of " + names.join(", ")};
    }
    return *adapter;
}

bool IsDocument(const QFileInfo& file) {
    return file.suffix() == QLatin1String("xml") || file.suffix() == QLatin1String("bin");
}

// The library reports only that a write failed; the file, or the folder a new file goes into, tells
// why.
QString WithReason(const QString& error, const QString& path) {
    const QString why = WriteBlocker(path);
    return why.isEmpty() ? error : error + "\n  " + path + ": " + why;
}

QString WithFolderReason(const QString& error, const QString& folder) {
    const QString why = WriteBlocker(folder + "new document");
    return why.isEmpty() ? error : error + "\n  " + folder + ": " + why;
}

// A store that fell back to its defaults while its folder holds documents would put the defaults
// over the user's profiles, and its rotation would delete a document that may still be repaired.
QString DefaultsBlocker(StoreAdapter& adapter, const QString& command) {
    const StoreSummary summary = adapter.Summary();
    if (Invocation().force || summary.document != QLatin1String("defaults")) return {};
    for (const QFileInfo& file : prefbook::ListProfileFolder(summary.profileDir)) {
        if (!IsDocument(file)) continue;
        return summary.model + " could not load " + file.absoluteFilePath() + " and holds its defaults; " +
               command + " would save them over it (see '" +
               HintCommand({"doctor", adapter.Names().first()}) + "'). Add --force to save anyway.";
    }
    return {};
}

void RefuseSavingDefaults(StoreAdapter& adapter, const QString& command) {
    const QString blocker = DefaultsBlocker(adapter, command);
    AllowFolderCreation();  // the save needs the folder; everything above only looked
    if (!blocker.isEmpty()) throw RunError{blocker};
}

// A save counts when a store built afresh over the folder loads what the saving store holds: the
// library's true alone does not show that the document reached the disk and reads back.
void CheckSaved(StoreAdapter& saver) {
    const std::unique_ptr<StoreAdapter> fresh = NewAdapter(saver);
    if (!fresh) return;
    const StoreSummary loaded = fresh->Summary();
    if (loaded.document == QLatin1String("defaults") || fresh->Show().ToJson() != saver.Show().ToJson())
        throw RunError{saver.Summary().model + " reported the save done, but " + loaded.profileDir +
                       " does not load it back (it loads " + loaded.document + "; see '" +
                       HintCommand({"doctor", saver.Names().first()}) + "')"};
}

void Show(const QStringList& args, bool json) {
    ExpectArgs(args, 2, "show MODEL");
    StoreAdapter& adapter = Adapter(args[1]);
    const Table profiles = adapter.Show();
    if (json) {
        PrintJson({{"model", adapter.Summary().model}, {"profiles", profiles.ToJson()}});
    } else {
        PrintText(profiles.ToText());
    }
}

void Rename(const QStringList& args, bool json) {
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

// --- validate ---

QString YesNo(bool value) {
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

// Two aligned columns without a heading.
QString KeyValueText(const QVector<QPair<QString, QString>>& rows) {
    int width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    QString text;
    for (const auto& row : rows) text += (row.first + ":").leftJustified(width + 3) + row.second + "\n";
    return text;
}

void Validate(const QStringList& args, const Options& options) {
    ExpectArgs(args, 2, "validate FILE");
    NoTransferOptions(options, "validate");
    const QString path = QFileInfo(args[1]).absoluteFilePath();
    const DocumentProbe probe = ProbeDocument(path);
    if (!probe.opened) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        throw RunError{"cannot open " + path + ": " + file.errorString()};
    }

    Validation result;
    bool claimed = false;
    for (const auto& adapter : Adapters()) {
        if ((claimed = adapter->Validate(probe, &result))) break;
    }
    if (!claimed) {
        result.kind = QStringLiteral("unknown");
        result.storeLoad = QStringLiteral("no store reads it");
        if (probe.IsXmlError()) result.problems << probe.ErrorText();
        result.problems << (probe.root.isEmpty() ? QStringLiteral("no root element: not a store's document")
                                                 : "root element '" + probe.root + "' belongs to no store");
    }

    if (options.json) {
        QJsonArray problems;
        for (const QString& p : result.problems) problems.append(p);
        PrintJson({{"file", path},
                   {"model", result.model},
                   {"kind", result.kind},
                   {"flag", probe.hasFlag ? QJsonValue(probe.flagText) : QJsonValue()},
                   {"count", result.profiles},
                   {"unit", result.unit},
                   {"read", result.read},
                   {"storeAccepts", result.storeAccepts},
                   {"storeLoad", result.storeLoad},
                   {"import", result.import},
                   {"valid", result.Valid()},
                   {"problems", problems}});
    } else {
        QVector<QPair<QString, QString>> rows = {
            {"File", path},
            {"Model", result.model.isEmpty() ? QStringLiteral("-") : result.model},
            {"Kind", result.kind + (probe.hasFlag ? " (flag " + probe.flagText + ")" : QString())},
            {"Holds", QString::number(result.profiles) + " " + result.unit},
            {"Reads", YesNo(result.read)},
            {"Store load", result.storeLoad},
            {"Import", result.import.isEmpty() ? QStringLiteral("none") : result.import},
            {"Valid", YesNo(result.Valid())}};
        QString text = KeyValueText(rows);
        if (result.problems.isEmpty()) {
            text += "Problems: none\n";
        } else {
            text += "Problems:\n";
            for (const QString& p : result.problems) text += "  " + p + "\n";
        }
        PrintText(text);
    }
    if (!result.Valid()) throw CheckFailed{};
}

// --- doctor ---

void Doctor(const QStringList& args, const Options& options) {
    if (args.size() > 2) ExpectArgs(args, 2, "doctor [MODEL]");
    NoTransferOptions(options, "doctor");
    QVector<FolderReport> reports;
    if (args.size() == 2) {
        reports = Adapter(args[1]).Doctor();
    } else {
        for (const auto& adapter : Adapters()) reports += adapter->Doctor();
    }
    QStringList problems;
    for (const FolderReport& r : reports) {
        for (const FileReport& f : r.files) {
            if (f.verdict == QLatin1String("skipped") || f.verdict == QLatin1String("kept"))
                problems << r.model + ": " + f.file + " " + f.verdict + ": " + f.reason;
        }
        for (const QString& warning : r.warnings) problems << r.model + ": " + warning;
    }
    if (options.json) {
        QJsonArray folders;
        for (const FolderReport& r : reports) folders.append(r.ToJson());
        PrintJson({{"base", BaseDir()},
                   {"folders", folders},
                   {"sound", problems.isEmpty()},
                   {"problems", QJsonArray::fromStringList(problems)}});
    } else {
        QString text = "Base folder: " + BaseDir() + "\n";
        for (const FolderReport& r : reports) text += "\n" + r.ToText();
        text += problems.isEmpty() ? QStringLiteral("\nSound: every store loads its newest document.\n")
                                   : "\nProblems:\n  " + problems.join("\n  ") + "\n";
        PrintText(text);
    }
    if (!problems.isEmpty()) throw CheckFailed{};
}

// --- restore and diff: the newest two documents, each read by a store of its own ---

QFileInfoList RotationDocuments(StoreAdapter& adapter) {
    QFileInfoList documents;
    for (const QFileInfo& file : prefbook::ListProfileFolder(adapter.Summary().profileDir)) {
        if (IsDocument(file)) documents << file;
    }
    if (documents.size() < 2)
        throw RunError{adapter.Summary().model + " has no previous document in " +
                       adapter.Summary().profileDir};
    return documents;
}

// A new adapter whose store loaded nothing but a copy of the document, so that what it holds is
// what the store's own reader and acceptance rule make of that file.
std::unique_ptr<StoreAdapter> LoadAlone(StoreAdapter& like, const QFileInfo& document) {
    const QString model = like.Summary().model;
    QTemporaryDir dir;
    if (!dir.isValid() || !QFile::copy(document.absoluteFilePath(), dir.filePath(document.fileName())))
        throw RunError{"cannot copy " + document.absoluteFilePath() +
                       " to a temporary folder: " + WriteBlocker(dir.filePath(document.fileName()))};
    std::unique_ptr<StoreAdapter> fresh = NewAdapter(like);
    if (!fresh) throw UsageError{like.Names().first() + " keeps no document history"};
    // The store's own walk over the lone copy says whether its load accepts the document; one it
    // merely keeps (the only one that reads) would lose to the current document at the next load.
    RedirectProfileDir(like.DeviceType(), dir.path());
    StoreSummary loaded;
    QVector<FolderReport> reports;
    try {
        loaded = fresh->Summary();  // builds the store, which loads the copy
        reports = fresh->Doctor();
    } catch (...) {
        RedirectProfileDir(like.DeviceType(), {});
        throw;
    }
    RedirectProfileDir(like.DeviceType(), {});
    if (loaded.profileDir != dir.path() + '/')
        throw UsageError{like.Names().first() + " keeps one document, without a previous one"};
    QString why = QStringLiteral("it does not read");
    for (const FolderReport& report : reports) {
        for (const FileReport& file : report.files) {
            if (file.file != document.fileName()) continue;
            if (file.verdict == QLatin1String("loaded") && loaded.document == document.fileName())
                return fresh;
            if (!file.reason.isEmpty()) why = file.reason;
        }
    }
    throw RunError{model + " does not accept " + document.absoluteFilePath() + ": " + why + " (see '" +
                   HintCommand({"doctor", like.Names().first()}) + "')"};
}

void Restore(const QStringList& args, bool json) {
    ExpectArgs(args, 2, "restore MODEL");
    StoreAdapter& adapter = Adapter(args[1]);
    const QFileInfoList documents = RotationDocuments(adapter);
    std::unique_ptr<StoreAdapter> previous = LoadAlone(adapter, documents[1]);
    AllowFolderCreation();
    QString error;
    if (!previous->Save(&error)) throw RunError{WithFolderReason(error, adapter.Summary().profileDir)};
    CheckSaved(*previous);
    const QFileInfoList after = prefbook::ListProfileFolder(adapter.Summary().profileDir);
    const QString saved = after.value(0).fileName();
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

void Diff(const QStringList& args, bool json) {
    ExpectArgs(args, 2, "diff MODEL");
    StoreAdapter& adapter = Adapter(args[1]);
    const QFileInfoList documents = RotationDocuments(adapter);
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

// A file exported into a profile folder joins the store's rotation: the next load meets it, and the
// next save may delete it or the user's document.
void RefuseExportTarget(const QString& path) {
    const QFileInfo target(path);
    if (target.isDir()) throw RunError{path + " is a folder"};
    if (target.exists() && !Invocation().force)
        throw RunError{path + " already exists; add --force to overwrite it"};
    const QString parent = QDir(target.absolutePath()).canonicalPath();
    if (parent.isEmpty()) return;  // the export fails and says why
    for (int type = 0; type < kDeviceTypeCount; ++type) {
        const QString folder = QDir(ProfileDir(type)).canonicalPath();
        if (!folder.isEmpty() && (parent == folder || parent.startsWith(folder + '/')))
            throw RunError{path + " is inside the profile folder " + folder +
                           ", where the store would take it for one of its documents"};
    }
}

void Export(const QStringList& args, const Options& options) {
    ExpectArgs(args, 3, "export MODEL FILE [--kind KIND] [--profile N] [--aim-mode N]");
    StoreAdapter& adapter = Adapter(args[1]);
    const Transfer t = MakeTransfer(adapter, args[2], options);
    RefuseExportTarget(t.path);
    QString error;
    if (!adapter.Export(t, &error)) throw RunError{WithReason(error, t.path)};
    // The export reported success; the file must also be there and read as XML.
    const DocumentProbe written = ProbeDocument(t.path);
    if (!written.opened || written.root.isEmpty() || written.IsXmlError())
        throw RunError{"export from " + adapter.Summary().model + " reported success, but " + t.path +
                       " does not read back" +
                       (written.IsXmlError() ? ": " + written.ErrorText() : QString())};
    const QString model = adapter.Summary().model;
    if (options.json) {
        PrintJson({{"model", model}, {"kind", t.kind}, {"file", t.path}});
    } else {
        PrintText("exported " + model + " " + t.kind + " to " + t.path + "\n");
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
        throw RunError{saveFailed ? WithFolderReason(error, adapter.Summary().profileDir) : error};
    }
    CheckSaved(adapter);
    const QString model = adapter.Summary().model;
    if (options.json) {
        PrintJson({{"model", model}, {"kind", t.kind}, {"file", t.path}, {"document", document}});
    } else {
        PrintText("imported " + t.path + " into " + model + " " + t.kind + "; saved " + document + "\n");
    }
}

// --- help ---

struct CommandInfo {
    const char* name;
    const char* usage;
    const char* summary;
    const char* details;
};

const CommandInfo kCommands[] = {
    {"overview", "overview", "settings summary, device table, profile stores (default)",
     "Prints the global settings, the 25 device types with profile folder and reset flag, and one row\n"
     "per profile store: its model, command names, device type, profile folder, the document it\n"
     "loaded (or \"defaults\") and its profile count."},
    {"devices", "devices", "device types with profile folders; product identifiers per category",
     "Prints the device types with the store that serves them (\"-\": none) and their profile\n"
     "folders, and the product identifiers of every category in param.arg."},
    {"settings", "settings", "every global setting and every device's reset flag",
     "Prints every global setting with its file, group and key, and the reset flag of every device."},
    {"settings get", "settings get NAME", "print one setting",
     "Prints the value of one setting, as 'settings' lists it (NAME as there)."},
    {"settings set", "settings set NAME VALUE", "write one setting",
     "Writes one setting and reads the file itself back; exit status 1, with the system's reason,\n"
     "when the file does not hold the new value. NAME as listed by 'settings'; a device's reset flag\n"
     "by its name (KR720, \"BX310 V2\", ...). Booleans take true/false, 1/0, yes/no or on/off."},
    {"show", "show MODEL", "the profiles of a store",
     "Prints the profiles of one store as its load finds them: names, executables, lighting,\n"
     "colours and macros where the store has them. MODEL as listed under COMMANDS by 'overview', or a\n"
     "device type number for the store that serves it."},
    {"rename", "rename MODEL INDEX NAME", "rename a profile and save the store",
     "Renames profile INDEX (from 0) of a store with profile names (kr720, tl480, tl460, ds180,\n"
     "au320, au340) and saves the store: a new document appears in its profile folder. Refused when\n"
     "the store could not load the documents its folder holds (it would save its defaults over\n"
     "them), unless --force is given."},
    {"restore", "restore MODEL", "make the previous document the current one again",
     "Undoes the last save: reads the previous document with the store's own reader and saves it,\n"
     "so it becomes the newest document and is what the store loads next. The folder still holds\n"
     "two documents: the restored state and the one it replaced. Refused when the store does not\n"
     "accept the previous document."},
    {"diff", "diff MODEL", "what changed between the previous and the current document",
     "Reads the current and the previous document, each with the store's own reader, and prints\n"
     "every field that differs: profile, field, old value, new value."},
    {"validate", "validate FILE", "check a document or export file with its store's reader",
     "Recognises the store from the root element (and the KR720 kind from its \"flag\"), reads the\n"
     "file with that store's reader, and prints the model, the kind, what it holds, whether the\n"
     "store's load would accept it, which import takes it and every problem found: the first XML\n"
     "error with its line and column, and every line the reader logs. A \".bin\" file that is not\n"
     "XML is taken for an FT610 record.\n"
     "Exit status 0 when a store's load or an import takes the file, 1 when none does."},
    {"doctor", "doctor [MODEL]", "explain what each store's load does with its folder",
     "For the profile folder of every store (or of MODEL): every file newest first with what the\n"
     "load does with it (loaded; skipped and why: parse error at line and column, wrong profile\n"
     "count, wrong flag, not a document), what the next save's rotation does with it, the lines the\n"
     "reader logs, the document the store ends up with, and a warning where it falls back to its\n"
     "defaults although documents exist. Nothing is written.\n"
     "Exit status 0 when every folder is sound, 1 when a problem is found (listed at the end)."},
    {"backup", "backup FILE.tar.gz", "write every store's documents, PR940 artworks and settings to one file",
     kBackupHelp},
    {"restore-backup", "restore-backup FILE [MODEL...] [--dry-run]", "check a backup, then restore it",
     kRestoreBackupHelp},
    {"artwork", "artwork pr940 PROFILE DISPLAYPROFILE ARTWORK OUT.png", "draw a PR940 artwork as a PNG",
     "Draws one display artwork of the PR940 store (PROFILE from 0, the display profile and artwork by\n"
     "name) as a PNG: lit pixels white, dark ones black, the unused end of the last row grey, each\n"
     "display pixel four image pixels wide."},
    {"export", "export MODEL FILE [--kind KIND] [--profile N] [--aim-mode N]",
     "write a profile (or record, aimpad settings, macros) to FILE",
     "Writes FILE through the store's own export operation. An existing FILE is overwritten only\n"
     "with --force; a FILE inside a profile folder is refused. The kinds and options per store:"},
    {"import", "import MODEL FILE [--kind KIND] [--profile N] [--aim-mode N]",
     "read FILE into a store and save it",
     "Reads FILE through the store's own import operation and saves the store (a new document in\n"
     "its profile folder). A file the store refuses leaves the folder untouched; the refusal is\n"
     "explained with the store's log lines. Refused, like rename, when the store fell back to its\n"
     "defaults although its folder holds documents, unless --force is given. The kinds and options\n"
     "per store:"},
};

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

std::unique_ptr<StoreAdapter> LoadDocumentAlone(StoreAdapter& like, const QFileInfo& document) {
    return LoadAlone(like, document);
}

void CheckSavedDocument(StoreAdapter& saver) {
    CheckSaved(saver);
}

QString SavingDefaultsBlocker(StoreAdapter& adapter, const QString& command) {
    return DefaultsBlocker(adapter, command);
}

void CheckOutputFile(const QString& path) {
    RefuseExportTarget(path);
}

QString ShellQuote(const QString& word) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:=@%+,-]+$"));
    if (plain.match(word).hasMatch()) return word;
    return "'" + QString(word).replace("'", "'\\''") + "'";
}

QString HintCommand(QStringList words) {
    words.prepend(QDir(BaseDir()).absolutePath());
    words.prepend(QStringLiteral("--base"));
    if (!Invocation().profile.isEmpty()) words << "--profile" << Invocation().profile;
    if (!Invocation().aimMode.isEmpty()) words << "--aim-mode" << Invocation().aimMode;
    QStringList quoted{QStringLiteral("prefbookctl")};
    for (const QString& word : words) quoted << ShellQuote(word);
    return quoted.join(' ');
}

QString CommandSummary() {
    QString text;
    for (const CommandInfo& c : kCommands)
        text += "  " + QString(c.usage).leftJustified(28) +
                (QString(c.usage).size() > 27 ? "\n" + QString(30, ' ') : "") + c.summary + "\n";
    return text;
}

QStringList CompletionWords(const QStringList& what) {
    QStringList words;
    const QString topic = what.value(0);
    if (topic == "commands") {
        for (const CommandInfo& c : kCommands) {
            if (!QString(c.name).contains(' ')) words << c.name;
        }
    } else if (topic == "models") {
        for (const auto& adapter : Adapters()) words << adapter->Names();
    } else if (topic == "kinds") {
        if (StoreAdapter* adapter = FindAdapter(what.value(1))) words = adapter->TransferKinds();
    } else if (topic == "settings") {
        for (const Setting& s : Settings()) words << s.name;
    }
    return words;
}

QString CommandHelp(const QString& command) {
    for (const CommandInfo& c : kCommands) {
        if (command != QLatin1String(c.name)) continue;
        QString text =
            QString("Usage: prefbookctl [--base DIR] [--json] ") + c.usage + "\n\n" + c.details + "\n";
        if (command == "export" || command == "import") {
            for (const auto& adapter : Adapters()) {
                if (!adapter->TransferKinds().isEmpty()) text += "  " + adapter->TransferHelp() + "\n";
            }
        }
        return text;
    }
    return {};
}

// Defined with the PR940 adapter, the one store with display artworks.
void Artwork(const QStringList& args, bool json);

void RunCommand(const QStringList& args, const Options& options) {
    Invocation() = options;
    const QString command = args.value(0, "overview");
    const bool json = options.json;
    if (command == "export" || command == "import") {
        return command == "export" ? Export(args, options) : Import(args, options);
    }
    if (command == "validate") return Validate(args, options);
    if (command == "doctor") return Doctor(args, options);
    NoTransferOptions(options, command);
    if (options.dryRun && command != "restore-backup")
        throw UsageError{"--dry-run belongs to restore-backup"};
    if (command == "backup" || command == "restore-backup") return RunBackupCommand(args, options);
    if (command == "overview") return Overview(args, json);
    if (command == "devices") return Devices(args, json);
    if (command == "settings") return SettingsCommand(args, json);
    if (command == "show") return Show(args, json);
    if (command == "rename") return Rename(args, json);
    if (command == "restore") return Restore(args, json);
    if (command == "diff") return Diff(args, json);
    if (command == "artwork") return Artwork(args, json);
    throw UsageError{"unknown command '" + command + "'"};
}

}  // namespace prefbookctl
