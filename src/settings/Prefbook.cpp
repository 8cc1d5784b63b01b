#include "settings/Prefbook.h"

#include "hostservices/IHabitat.h"
#include "hostservices/ITracebook.h"
#include "settings/SettingsFiles.h"

using prefbook::ReadSetting;
using prefbook::WriteSetting;

namespace {

constexpr char kResetGroup[] = "Reset";

// The reset-flag key of a device type, or nullptr (logged) for a type outside the table.
const char* ResetKeyOf(DeviceType type) {
    const char* name = DeviceTypeName(type);
    if (!name) {
        ITracebook::Instance().WriteLog("Reset flag of unknown device type " + QString::number(type) +
                                        " ignored.");
    }
    return name;
}

}  // namespace

Prefbook& Prefbook::operator=(const Prefbook&) {
    return *this;
}

Prefbook& Prefbook::operator=(Prefbook&&) {
    return *this;
}

const std::string Prefbook::filename() {
    return prefbook::kParamFile;
}

const std::string Prefbook::filename_chg() {
    return prefbook::kParamChgFile;
}

const std::string Prefbook::resetFile() {
    return prefbook::kResetFile;
}

const std::string Prefbook::hotkeysFolder() {
    return prefbook::kHotkeysFolder;
}

// --- Global flags and parameters ---

bool Prefbook::IsLocalUpdate() {
    return ReadSetting(filename(), "FWUpdate", "local", 0).toBool();
}

bool Prefbook::ReadSWUpdate() {
    return ReadSetting(resetFile(), kResetGroup, "swUpdate", false).toBool();
}

void Prefbook::WriteSWUpdate(bool update) {
    WriteSetting(resetFile(), kResetGroup, "swUpdate", update);
}

bool Prefbook::ReadProfileBackupFlag() {
    return ReadSetting(resetFile(), kResetGroup, "backup", true).toBool();
}

void Prefbook::SaveProfileBakcupFlag(bool backup) {
    WriteSetting(resetFile(), kResetGroup, "backup", backup);
}

void Prefbook::ReadKeyMappingParam(double& precision) {
    precision = ReadSetting(filename(), "KeyMapping", "precision", 0.5).toDouble();
}

void Prefbook::WriteKeyMappingParam(double precision) {
    WriteSetting(filename(), "KeyMapping", "precision", precision);
}

void Prefbook::ReadMouseOled(int& maxStepNum) {
    maxStepNum = ReadSetting(filename(), "MouseOled", "maxStepNum", 15).toInt();
}

void Prefbook::WriteMouseOled(int maxStepNum) {
    WriteSetting(filename(), "MouseOled", "maxStepNum", maxStepNum);
}

void Prefbook::ReadLatestAppPath(QStringList& paths) {
    paths.clear();
    for (const char* key : {"photoshop", "premiere", "illustrator"})
        paths << ReadSetting(filename(), "Application", key, QString()).toString();
}

void Prefbook::ReadAppHotKeysFolder(QString& folder) {
    folder = IHabitat::Instance().GetUserDir() + QString::fromStdString(hotkeysFolder());
}

// --- Device lists ---

void Prefbook::ReadPortalDev(const QString& group, QVector<unsigned short>& devs) {
    const QStringList pids = ReadSetting(filename(), group, "pid", QStringList()).toStringList();
    for (const QString& pid : pids) devs.append(pid.toUShort(nullptr, 16));  // "0x" accepted; junk gives 0
}

void Prefbook::ReadKeyboardDev(QVector<unsigned short>& devs) {
    ReadPortalDev("Keyboard", devs);
}
void Prefbook::ReadMouseDev(QVector<unsigned short>& devs) {
    ReadPortalDev("Mouse", devs);
}
void Prefbook::ReadHeadsetDev(QVector<unsigned short>& devs) {
    ReadPortalDev("Headset", devs);
}
void Prefbook::ReadMousePadDev(QVector<unsigned short>& devs) {
    ReadPortalDev("MousePad", devs);
}
void Prefbook::ReadDS180Dev(QVector<unsigned short>& devs) {
    ReadPortalDev("DS180", devs);
}
void Prefbook::ReadAU320Dev(QVector<unsigned short>& devs) {
    ReadPortalDev("AU320", devs);
}
void Prefbook::ReadAU340Dev(QVector<unsigned short>& devs) {
    ReadPortalDev("AU340", devs);
}
void Prefbook::ReadFT280Dev(QVector<unsigned short>& devs) {
    ReadPortalDev("FT280", devs);
}
void Prefbook::ReadTL460BDev(QVector<unsigned short>& devs) {
    ReadPortalDev("TL460B", devs);
}
void Prefbook::ReadTL460WDev(QVector<unsigned short>& devs) {
    ReadPortalDev("TL460W", devs);
}
void Prefbook::ReadTL480BDev(QVector<unsigned short>& devs) {
    ReadPortalDev("TL480B", devs);
}
void Prefbook::ReadTL480WDev(QVector<unsigned short>& devs) {
    ReadPortalDev("TL480W", devs);
}
void Prefbook::ReadVL550Dev(QVector<unsigned short>& devs) {
    ReadPortalDev("VL550", devs);
}

// --- Reset flags ---

// Names come from the suite as narrow strings; the table's are ASCII, others are taken as UTF-8.
bool Prefbook::ReadPortalDevResetFlag(const std::string& name) {
    return ReadSetting(resetFile(), kResetGroup, QString::fromStdString(name), false).toBool();
}

void Prefbook::SavePortalDevResetFlag(const std::string& name, bool reset) {
    WriteSetting(resetFile(), kResetGroup, QString::fromStdString(name), reset);
}

bool Prefbook::ReadPortalDevResetFlag(DeviceType type) {
    const char* key = ResetKeyOf(type);
    return key && ReadPortalDevResetFlag(std::string(key));
}

void Prefbook::SavePortalDevResetFlag(DeviceType type, bool reset) {
    if (const char* key = ResetKeyOf(type)) SavePortalDevResetFlag(std::string(key), reset);
}

bool Prefbook::ReadBX310V2ResetFlag() {
    return ReadPortalDevResetFlag(std::string("BX310V2"));
}
void Prefbook::SaveBX310V2ResetFlag(bool reset) {
    SavePortalDevResetFlag(std::string("BX310V2"), reset);
}
bool Prefbook::ReadBX330V2ResetFlag() {
    return ReadPortalDevResetFlag(std::string("BX330V2"));
}
void Prefbook::SaveBX330V2ResetFlag(bool reset) {
    SavePortalDevResetFlag(std::string("BX330V2"), reset);
}

// --- Export paths ---

void Prefbook::ReadKR720ProfileExportPath(QString& path) {
    path = prefbook::ReadProfileExportPath(prefbook::kKR720ExportPathKey);
}

void Prefbook::SaveKR720ProfileExportPath(const QString& path) {
    prefbook::SaveProfileExportPath(prefbook::kKR720ExportPathKey, path);
}

void Prefbook::ReadPR940ProfileExportPath(QString& path) {
    path = prefbook::ReadProfileExportPath(prefbook::kPR940ExportPathKey);
}

void Prefbook::SavePR940ProfileExportPath(const QString& path) {
    prefbook::SaveProfileExportPath(prefbook::kPR940ExportPathKey, path);
}
