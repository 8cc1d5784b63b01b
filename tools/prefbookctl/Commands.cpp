#include "Commands.h"

#include <QJsonArray>
#include <QJsonObject>

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

}  // namespace

void RunCommand(const QStringList& args, bool json) {
    const QString command = args.value(0, "overview");
    if (command == "overview") return Overview(args, json);
    if (command == "devices") return Devices(args, json);
    if (command == "settings") return SettingsCommand(args, json);
    if (command == "show") return Show(args, json);
    if (command == "rename") return Rename(args, json);
    throw UsageError{"unknown command '" + command + "'"};
}

}  // namespace prefbookctl
