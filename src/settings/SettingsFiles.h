#pragma once

#include <QString>
#include <QVariant>
#include <string>

// Library-private access to the three INI settings files of the base folder. Prefbook's operations
// are built on it; prefbookctl and the tests use it for what Prefbook keeps private.
namespace prefbook {

// Relative paths, appended verbatim to the base folder (a trailing separator of the base stays, doubled).
constexpr char kParamFile[] = "/config/param/param.arg";
constexpr char kParamChgFile[] = "/config/param/param_chg.arg";
constexpr char kResetFile[] = "/reset.ini";
constexpr char kHotkeysFolder[] = "/hotkeys";

// Group and keys of the two profile export paths in the changeable-parameters file.
constexpr char kExportPathGroup[] = "ProfileExportPath";
constexpr char kKR720ExportPathKey[] = "kr720Path";
constexpr char kPR940ExportPathKey[] = "pr940Path";

// The full path of a settings file: IHabitat's base folder followed by the relative path.
QString SettingsFilePath(const std::string& relative);

// Each call opens the file, enters one group, reads or writes one key and closes the file again,
// so nothing is cached and a hand edit between two calls is honoured. Failures are silent: a read
// yields the fallback, a write that cannot reach the disk is lost.
QVariant ReadSetting(const std::string& file, const QString& group, const QString& key,
                     const QVariant& fallback);
void WriteSetting(const std::string& file, const QString& group, const QString& key, const QVariant& value);

// The export paths ("kr720Path", "pr940Path"); an absent key reads as an empty path.
QString ReadProfileExportPath(const char* key);
void SaveProfileExportPath(const char* key, const QString& path);

}  // namespace prefbook
