#include "Commands.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include "DocumentProbe.h"
#include "Output.h"
#include "SettingsCatalog.h"
#include "StoreAdapter.h"
#include "hostservices/IHabitat.h"
#include "settings/DeviceType.h"
#include "settings/Prefbook.h"

namespace prefbookctl {

namespace {

QString BaseDir() {
    return IHabitat::Instance().GetBaseDir();
}

QString ProfileDir(int type) {
    QString dir;
    IHabitat::Instance().GetProfileDir(type, &dir);
    return dir;
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
    QVector<Column> columns = {
        {"type", "TYPE", {}}, {"name", "NAME", {}}, {"profileDir", "PROFILE FOLDER", {}}};
    if (withResetFlag) columns.append({"reset", "RESET", {}});
    Table table(columns);
    for (int t = 0; t < kDeviceTypeCount; ++t) {
        QVector<QJsonValue> row = {t, DeviceTypeName(t), ProfileDir(t)};
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

void SetSetting(const QStringList& args, bool json) {
    ExpectArgs(args, 4, "settings set NAME VALUE");
    const Setting* setting = FindSetting(args[2]);
    if (!setting) throw UsageError{"unknown setting '" + args[2] + "'"};
    if (!setting->write) throw UsageError{"setting '" + args[2] + "' is read-only"};
    QJsonValue value;
    QString why;
    if (!ParseValue(setting->kind, args[3], &value, &why))
        throw UsageError{"bad value '" + args[3] + "' for " + setting->name + ": " + why};

    setting->write(value);
    // Settings writes fail silently, so read the file back to tell the user.
    if (setting->read() != value)
        throw RunError{"could not write " + setting->name + " to " + BaseDir() + setting->file};
    if (json) {
        PrintJson({{"name", setting->name}, {"value", value}});
    } else {
        PrintText(setting->name + " = " + CellText(value) + "\n");
    }
}

void SettingsCommand(const QStringList& args, bool json) {
    if (args.size() > 1 && args[1] == "set") return SetSetting(args, json);
    if (args.size() > 1) throw UsageError{"unknown settings command '" + args[1] + "'"};
    Print({{"settings", "Settings", GlobalSettingsTable()},
           {"resetFlags", "Reset flags (reset.ini)", ResetFlagTable()}},
          json);
}

StoreAdapter& Adapter(const QString& model) {
    StoreAdapter* adapter = FindAdapter(model);
    if (!adapter) throw UsageError{"unknown model '" + model + "'"};
    return *adapter;
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
    QString error;
    if (!adapter.Rename(index, args[3].toStdString(), &error)) throw RunError{error};
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
    if (!probe.opened) throw RunError{"cannot open " + path};

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
    if (options.json) {
        QJsonArray folders;
        for (const FolderReport& r : reports) folders.append(r.ToJson());
        PrintJson({{"base", BaseDir()}, {"folders", folders}});
        return;
    }
    QString text = "Base folder: " + BaseDir() + "\n";
    for (const FolderReport& r : reports) text += "\n" + r.ToText();
    PrintText(text);
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

void Export(const QStringList& args, const Options& options) {
    ExpectArgs(args, 3, "export MODEL FILE [--kind KIND] [--profile N] [--aim-mode N]");
    StoreAdapter& adapter = Adapter(args[1]);
    const Transfer t = MakeTransfer(adapter, args[2], options);
    QString error;
    if (!adapter.Export(t, &error)) throw RunError{error};
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
    QString document, error;
    if (!adapter.Import(t, &document, &error)) throw RunError{error};
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
     "Prints the device types with their profile folders, and the product identifiers of every\n"
     "category in param.arg."},
    {"settings", "settings", "every global setting and every device's reset flag",
     "Prints every global setting with its file, group and key, and the reset flag of every device."},
    {"settings set", "settings set NAME VALUE", "write one setting",
     "Writes one setting and reads it back. NAME as listed by 'settings'; a device's reset flag by its\n"
     "name (KR720, \"BX310 V2\", ...). Booleans take true/false, 1/0, yes/no or on/off."},
    {"show", "show MODEL", "the profiles of a store",
     "Prints the profiles of one store as its load finds them: names, executables, lighting,\n"
     "colours and macros where the store has them. MODEL as listed under COMMANDS by 'overview'."},
    {"rename", "rename MODEL INDEX NAME", "rename a profile and save the store",
     "Renames profile INDEX (from 0) of a store with profile names (kr720, tl480, tl460, ds180,\n"
     "au320, au340) and saves the store: a new document appears in its profile folder."},
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
     "defaults although documents exist. Nothing is written."},
    {"artwork", "artwork pr940 PROFILE DISPLAYPROFILE ARTWORK OUT.png", "draw a PR940 artwork as a PNG",
     "Draws one display artwork of the PR940 store (PROFILE from 0, the display profile and artwork by\n"
     "name) as a PNG: lit pixels white, dark ones black, the unused end of the last row grey, each\n"
     "display pixel four image pixels wide."},
    {"export", "export MODEL FILE [--kind KIND] [--profile N] [--aim-mode N]",
     "write a profile (or record, aimpad settings, macros) to FILE",
     "Writes FILE through the store's own export operation. The kinds and options per store:"},
    {"import", "import MODEL FILE [--kind KIND] [--profile N] [--aim-mode N]",
     "read FILE into a store and save it",
     "Reads FILE through the store's own import operation and saves the store (a new document in\n"
     "its profile folder). A file the store refuses leaves the folder untouched; the refusal is\n"
     "explained with the store's log lines. The kinds and options per store:"},
};

}  // namespace

QString CommandSummary() {
    QString text;
    for (const CommandInfo& c : kCommands)
        text += "  " + QString(c.usage).leftJustified(28) +
                (QString(c.usage).size() > 27 ? "\n" + QString(30, ' ') : "") + c.summary + "\n";
    return text;
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
    const QString command = args.value(0, "overview");
    const bool json = options.json;
    if (command == "export" || command == "import") {
        return command == "export" ? Export(args, options) : Import(args, options);
    }
    if (command == "validate") return Validate(args, options);
    if (command == "doctor") return Doctor(args, options);
    NoTransferOptions(options, command);
    if (command == "overview") return Overview(args, json);
    if (command == "devices") return Devices(args, json);
    if (command == "settings") return SettingsCommand(args, json);
    if (command == "show") return Show(args, json);
    if (command == "rename") return Rename(args, json);
    if (command == "artwork") return Artwork(args, json);
    throw UsageError{"unknown command '" + command + "'"};
}

}  // namespace prefbookctl
