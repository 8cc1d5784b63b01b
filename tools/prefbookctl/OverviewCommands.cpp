#include <QJsonArray>
#include <QJsonObject>

#include "CommandKit.h"
#include "SettingsCatalog.h"
#include "SystemReason.h"
#include "ToolHost.h"
#include "settings/DeviceType.h"
#include "settings/Prefbook.h"
#include "settings/StoreForwarding.h"

namespace prefbookctl {

namespace {

// --- tables ---

QString RelativeToBase(const QJsonValue& path) {
    const QString text = path.toString();
    return text.startsWith(BaseDir()) ? text.mid(BaseDir().size()) : text;
}

Table GlobalSettingsTable() {
    Table table({{"name", "NAME", {}},
                 {"value", "VALUE", {}},
                 {"file", "FILE", RelativeToBase},
                 {"group", "GROUP", {}},
                 {"key", "KEY", {}},
                 {"writable", "WRITABLE", {}}});
    for (const Setting& s : Settings()) {
        if (s.deviceType >= 0) continue;
        // JSON carries the whole path; the text table, under its "Base folder:" line, the rest.
        table.AddRow({s.name, s.read(), s.file.isEmpty() ? QString() : BaseDir() + s.file, s.group, s.key,
                      bool(s.write)});
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

Table StoreTable(QStringList* problems) {
    Table table({{"model", "MODEL", {}},
                 {"commands", "COMMANDS", {}},
                 {"type", "TYPE", {}},
                 {"profileDir", "PROFILE FOLDER", {}},
                 {"document", "DOCUMENT", {}},
                 {"profiles", "PROFILES", {}},
                 {"note", "NOTE", {}}});
    for (const auto& adapter : Adapters()) {
        const StoreSummary summary = adapter->Summary();
        // A folder that cannot be listed, or documents the store could not load, must not look like
        // an empty store.
        QString note;
        const QString unlisted = ListBlocker(summary.profileDir);
        const int unloaded = UnloadedDocuments(*adapter);
        if (!unlisted.isEmpty()) {
            note = "unreadable folder (" + unlisted + ")";
            problems->append("cannot list " + summary.profileDir + ": " + unlisted);
        } else if (unloaded > 0) {
            note = QString::number(unloaded) + " document" + (unloaded == 1 ? "" : "s") + " not loaded";
            problems->append(summary.model + " could not load the documents in " + summary.profileDir +
                             " (see '" + HintCommand({"doctor", adapter->Names().first()}) + "')");
        }
        table.AddRow({summary.model, QJsonArray::fromStringList(adapter->Names()), adapter->DeviceType(),
                      summary.profileDir, summary.document, summary.profileCount, note});
    }
    return table;
}

// Settings files that exist but cannot be read: their settings would show as defaults.
QStringList UnreadableSettingsFiles() {
    QStringList problems, seen;
    for (const Setting& s : Settings()) {
        if (s.file.isEmpty() || seen.contains(s.file)) continue;
        seen << s.file;
        const QString why = ReadBlocker(BaseDir() + s.file);
        if (!why.isEmpty()) problems << "cannot read " + BaseDir() + s.file + ": " + why;
    }
    return problems;
}

void RefuseUnreadableSetting(const Setting& setting) {
    const QString path = BaseDir() + setting.file;
    const QString why = setting.file.isEmpty() ? QString() : ReadBlocker(path);
    if (!why.isEmpty()) throw RunError{"cannot read " + path + ": " + why};
}

// --- commands ---

void Overview(const QStringList& args, const Options& options) {
    const bool json = options.json;
    if (args.size() > 1) ExpectArgs(args, 1, "overview");
    QStringList problems = UnreadableSettingsFiles();
    Print({{"settings", "Settings", GlobalSettingsTable()},
           {"devices", "Devices", DeviceTypeTable(true)},
           {"stores", "Profile stores", StoreTable(&problems)}},
          json, problems);
    if (!problems.isEmpty()) throw CheckFailed{};
}

void Devices(const QStringList& args, const Options& options) {
    const bool json = options.json;
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

void GetSetting(const QStringList& args, const Options& options) {
    const bool json = options.json;
    ExpectArgs(args, 3, "settings get NAME");
    const Setting& setting = KnownSetting(args[2]);
    RefuseUnreadableSetting(setting);
    const QJsonValue value = setting.read();
    if (json) {
        PrintJson({{"name", setting.name}, {"value", value}});
    } else {
        PrintText(CellText(value) + "\n");
    }
}

void SetSetting(const QStringList& args, const Options& options) {
    const bool json = options.json;
    ExpectArgs(args, 4, "settings set NAME VALUE");
    const Setting* setting = &KnownSetting(args[2]);
    if (!setting->write) throw UsageError{"setting '" + args[2] + "' is read-only"};
    RefuseUnreadableSetting(*setting);  // writing it would drop the file's other values
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

void SettingsCommand(const QStringList& args, const Options& options) {
    if (args.size() > 1) throw UsageError{"unknown settings command '" + args[1] + "'"};
    Print({{"settings", "Settings", GlobalSettingsTable()},
           {"resetFlags", "Reset flags (reset.ini)", ResetFlagTable()}},
          options.json);
}

}  // namespace

std::vector<CommandInfo> OverviewCommands() {
    return {
        {"overview", "overview", "settings summary, device table, profile stores (default)",
         "Prints the global settings, the 25 device types with profile folder and reset flag, and one row\n"
         "per profile store: its model, command names, device type, profile folder, the document it\n"
         "loaded (or \"defaults\") and its profile count.",
         Overview, 0},
        {"devices", "devices", "device types with profile folders; product identifiers per category",
         "Prints the device types with the store that serves them (\"-\": none) and their profile\n"
         "folders, and the product identifiers of every category in param.arg.",
         Devices, 0},
        {"settings", "settings", "every global setting and every device's reset flag",
         "Prints every global setting with its file, group and key, and the reset flag of every device.",
         SettingsCommand, 0},
        {"settings get", "settings get NAME", "print one setting",
         "Prints the value of one setting, as 'settings' lists it (NAME as there).", GetSetting, 0},
        {"settings set", "settings set NAME VALUE", "write one setting",
         "Writes one setting and reads the file itself back; exit status 1, with the system's reason,\n"
         "when the file does not hold the new value. NAME as listed by 'settings'; a device's reset flag\n"
         "by its name (KR720, \"BX310 V2\", ...). Booleans take true/false, 1/0, yes/no or on/off.",
         SetSetting, 0},
    };
}

}  // namespace prefbookctl
