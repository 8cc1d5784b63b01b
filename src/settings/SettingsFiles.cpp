#include "settings/SettingsFiles.h"

#include <QSettings>
#include <QTextCodec>

#include "hostservices/IHabitat.h"
#include "profilecore/FolderSync.h"

namespace prefbook {

namespace {

// The suite stores non-ASCII paths and names in the locale's code page, not as escapes.
void OpenIni(QSettings& settings, const QString& group) {
    settings.setIniCodec(QTextCodec::codecForLocale());
    settings.beginGroup(group);
}

}  // namespace

QString SettingsFilePath(const std::string& relative) {
    return IHabitat::Instance().GetBaseDir() + QString::fromStdString(relative);
}

QVariant ReadSetting(const std::string& file, const QString& group, const QString& key,
                     const QVariant& fallback) {
    QSettings settings(SettingsFilePath(file), QSettings::IniFormat);
    OpenIni(settings, group);
    return settings.value(key, fallback);
}

void WriteSetting(const std::string& file, const QString& group, const QString& key, const QVariant& value) {
    const QString path = SettingsFilePath(file);
    QSettings settings(path, QSettings::IniFormat);
    OpenIni(settings, group);
    settings.setValue(key, value);
    // Qt writes the file aside, fsyncs it and renames it over the old one, but leaves the rename
    // to the kernel: after a power cut the old value could come back.
    settings.sync();
    SyncFolderOf(path);
}

QString ReadProfileExportPath(const char* key) {
    return ReadSetting(kParamChgFile, kExportPathGroup, key, QString()).toString();
}

void SaveProfileExportPath(const char* key, const QString& path) {
    WriteSetting(kParamChgFile, kExportPathGroup, key, path);
}

}  // namespace prefbook
