#include "SettingsCatalog.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>
#include <cmath>

#include "hostservices/IHabitat.h"
#include "profilecore/DeviceType.h"
#include "settings/Prefbook.h"
#include "settings/SettingsFiles.h"

namespace prefbookctl {

namespace {

using prefbook::kParamChgFile;
using prefbook::kParamFile;
using prefbook::kResetFile;

QJsonValue AppPath(int index) {
    QStringList paths;
    Prefbook::ReadLatestAppPath(paths);
    return paths.value(index);
}

Setting ReadOnly(QString name, QString file, QString group, QString key, ValueKind kind,
                 std::function<QJsonValue()> read) {
    return {std::move(name), std::move(file), std::move(group), std::move(key), kind, std::move(read), {}};
}

Setting ExportPath(const char* key) {
    return {key,
            kParamChgFile,
            prefbook::kExportPathGroup,
            key,
            ValueKind::Text,
            [key] { return QJsonValue(prefbook::ReadProfileExportPath(key)); },
            [key](const QJsonValue& v) { prefbook::SaveProfileExportPath(key, v.toString()); }};
}

std::vector<Setting> BuildSettings() {
    std::vector<Setting> all = {
        ReadOnly("localUpdate", kParamFile, "FWUpdate", "local", ValueKind::Bool,
                 [] { return QJsonValue(Prefbook::IsLocalUpdate()); }),
        {"swUpdate", kResetFile, "Reset", "swUpdate", ValueKind::Bool,
         [] { return QJsonValue(Prefbook::ReadSWUpdate()); },
         [](const QJsonValue& v) { Prefbook::WriteSWUpdate(v.toBool()); }},
        {"backup", kResetFile, "Reset", "backup", ValueKind::Bool,
         [] { return QJsonValue(Prefbook::ReadProfileBackupFlag()); },
         [](const QJsonValue& v) { Prefbook::SaveProfileBakcupFlag(v.toBool()); }},
        {"precision", kParamFile, "KeyMapping", "precision", ValueKind::Number,
         [] {
             double precision = 0;
             Prefbook::ReadKeyMappingParam(precision);
             return QJsonValue(precision);
         },
         [](const QJsonValue& v) { Prefbook::WriteKeyMappingParam(v.toDouble()); }},
        {"maxStepNum", kParamFile, "MouseOled", "maxStepNum", ValueKind::Count,
         [] {
             int steps = 0;
             Prefbook::ReadMouseOled(steps);
             return QJsonValue(steps);
         },
         [](const QJsonValue& v) { Prefbook::WriteMouseOled(v.toInt()); }},
        ReadOnly("photoshop", kParamFile, "Application", "photoshop", ValueKind::Text,
                 [] { return AppPath(0); }),
        ReadOnly("premiere", kParamFile, "Application", "premiere", ValueKind::Text,
                 [] { return AppPath(1); }),
        ReadOnly("illustrator", kParamFile, "Application", "illustrator", ValueKind::Text,
                 [] { return AppPath(2); }),
        ReadOnly("hotkeysFolder", "", "", "", ValueKind::Text,
                 [] {
                     QString folder;
                     Prefbook::ReadAppHotKeysFolder(folder);
                     return QJsonValue(folder);
                 }),
        ExportPath(prefbook::kKR720ExportPathKey),
        ExportPath(prefbook::kPR940ExportPathKey),
        {"BX310V2", kResetFile, "Reset", "BX310V2", ValueKind::Bool,
         [] { return QJsonValue(Prefbook::ReadBX310V2ResetFlag()); },
         [](const QJsonValue& v) { Prefbook::SaveBX310V2ResetFlag(v.toBool()); }},
        {"BX330V2", kResetFile, "Reset", "BX330V2", ValueKind::Bool,
         [] { return QJsonValue(Prefbook::ReadBX330V2ResetFlag()); },
         [](const QJsonValue& v) { Prefbook::SaveBX330V2ResetFlag(v.toBool()); }},
    };
    for (int t = 0; t < kDeviceTypeCount; ++t) {
        const auto type = static_cast<DeviceType>(t);
        const QString name = DeviceTypeName(t);
        Setting flag{name,
                     kResetFile,
                     "Reset",
                     name,
                     ValueKind::Bool,
                     [type] { return QJsonValue(Prefbook::ReadPortalDevResetFlag(type)); },
                     [type](const QJsonValue& v) { Prefbook::SavePortalDevResetFlag(type, v.toBool()); }};
        flag.deviceType = t;
        all.push_back(std::move(flag));
    }
    return all;
}

}  // namespace

const std::vector<Setting>& Settings() {
    static const std::vector<Setting> settings = BuildSettings();
    return settings;
}

const Setting* FindSetting(const QString& name) {
    for (const Setting& setting : Settings()) {
        if (setting.name == name) return &setting;
    }
    return nullptr;
}

bool ReadFromDisk(const Setting& setting, QJsonValue* value) {
    QFile file(IHabitat::Instance().GetBaseDir() + setting.file);
    if (setting.file.isEmpty() || !file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    // Qt keeps one settings cache per file and process, and a write that never reached the disk
    // stays in it; a copy under a name of its own is read afresh.
    QTemporaryDir dir;
    QFile copy(dir.filePath("copy.ini"));
    if (!dir.isValid() || !copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size()) return false;
    copy.close();
    QSettings settings(copy.fileName(), QSettings::IniFormat);
    settings.setIniCodec(QTextCodec::codecForLocale());
    settings.beginGroup(setting.group);
    if (!settings.contains(setting.key)) return false;
    const QVariant stored = settings.value(setting.key);
    switch (setting.kind) {
        case ValueKind::Bool:
            *value = stored.toBool();
            break;
        case ValueKind::Count:
            *value = stored.toInt();
            break;
        case ValueKind::Number:
            *value = stored.toDouble();
            break;
        case ValueKind::Text:
            *value = stored.toString();
            break;
    }
    return true;
}

bool ParseValue(ValueKind kind, const QString& text, QJsonValue* value, QString* why) {
    bool ok = false;
    switch (kind) {
        case ValueKind::Bool: {
            const QString word = text.trimmed().toLower();
            if (word == "true" || word == "1" || word == "yes" || word == "on") {
                *value = true;
            } else if (word == "false" || word == "0" || word == "no" || word == "off") {
                *value = false;
            } else {
                *why = "expected true or false";
                return false;
            }
            return true;
        }
        case ValueKind::Count: {
            const int count = text.toInt(&ok);
            if (!ok || count < 0) {
                *why = "expected a whole number of at least 0";
                return false;
            }
            *value = count;
            return true;
        }
        case ValueKind::Number: {
            const double number = text.toDouble(&ok);
            if (!ok || !std::isfinite(number)) {
                *why = "expected a decimal number";
                return false;
            }
            *value = number;
            return true;
        }
        case ValueKind::Text:
            *value = text;
            return true;
    }
    return false;
}

}  // namespace prefbookctl
