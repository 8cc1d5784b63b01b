#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <string>

#include "PrefbookExport.h"
#include "profilecore/DeviceType.h"

// The owner window of the file dialogs. On Windows it is an HWND (declared as windows.h declares it
// under STRICT, its default, so this header needs no windows.h). Elsewhere it is the owner's native
// window id as Qt gives it (QWidget::winId()), 0 for none. Filters are wide strings on every platform
// (LPCWSTR on Windows).
#if defined(_WIN32)
struct HWND__;
using PrefbookWindow = HWND__*;
#else
using PrefbookWindow = quintptr;
#endif

// The suite's application settings, kept in three INI files under IHabitat's base folder. Every
// operation opens one file, reads or writes one value and closes it again; nothing is cached, so a
// file edited by hand between two calls is honoured. No operation reports an error: absent files,
// groups and keys read as the defaults, failed writes are ignored.
class PREFBOOK_EXPORT Prefbook {
public:
    // The class holds no data; assigning does nothing.
    Prefbook& operator=(const Prefbook& other);
    Prefbook& operator=(Prefbook&& other);

    // Global flags and parameters.
    static bool IsLocalUpdate();  // param.arg [FWUpdate] local, false; set only by hand
    static bool ReadSWUpdate();   // reset.ini [Reset] swUpdate, false
    static void WriteSWUpdate(bool update);
    static bool ReadProfileBackupFlag();  // reset.ini [Reset] backup, true
    static void SaveProfileBakcupFlag(bool backup);
    static void ReadKeyMappingParam(double& precision);  // param.arg [KeyMapping] precision, 0.5
    static void WriteKeyMappingParam(double precision);
    static void ReadMouseOled(int& maxStepNum);  // param.arg [MouseOled] maxStepNum, 15
    static void WriteMouseOled(int maxStepNum);
    // Empties the list, then appends the "photoshop", "premiere" and "illustrator" paths of
    // param.arg [Application]: always three entries, empty for an absent key.
    static void ReadLatestAppPath(QStringList& paths);
    // The user folder followed by "/hotkeys"; touches no file.
    static void ReadAppHotKeysFolder(QString& folder);

    // Supported product identifiers per device category (param.arg, key "pid" of the category's
    // group). The numbers are appended; the vector is not cleared.
    static void ReadKeyboardDev(QVector<unsigned short>& devs);
    static void ReadMouseDev(QVector<unsigned short>& devs);
    static void ReadHeadsetDev(QVector<unsigned short>& devs);
    static void ReadMousePadDev(QVector<unsigned short>& devs);
    static void ReadDS180Dev(QVector<unsigned short>& devs);
    static void ReadAU320Dev(QVector<unsigned short>& devs);
    static void ReadAU340Dev(QVector<unsigned short>& devs);
    static void ReadFT280Dev(QVector<unsigned short>& devs);
    static void ReadTL460BDev(QVector<unsigned short>& devs);
    static void ReadTL460WDev(QVector<unsigned short>& devs);
    static void ReadTL480BDev(QVector<unsigned short>& devs);
    static void ReadTL480WDev(QVector<unsigned short>& devs);
    static void ReadVL550Dev(QVector<unsigned short>& devs);

    // Reset flags of reset.ini [Reset], default false. The name-based pair uses the name as the
    // key; the type-based pair the device-name table entry ("BX310 V2" for type 5). A type outside
    // the table reads false, writes nothing and is logged.
    static bool ReadPortalDevResetFlag(const std::string& name);
    static void SavePortalDevResetFlag(const std::string& name, bool reset);
    static bool ReadPortalDevResetFlag(DeviceType type);
    static void SavePortalDevResetFlag(DeviceType type, bool reset);
    // Keys "BX310V2" and "BX330V2", without the blank: distinct from the type-based keys.
    static bool ReadBX310V2ResetFlag();
    static void SaveBX310V2ResetFlag(bool reset);
    static bool ReadBX330V2ResetFlag();
    static void SaveBX330V2ResetFlag(bool reset);

    // Per-device questions, forwarded to the store that serves the type (Instance(), so the first
    // call creates and loads it). Indices are the store's own and checked there. A type the operation
    // does not forward to is ignored: setters do nothing, getters give 0 or an empty value, the list
    // form leaves the list as it was, ReadDevDefaultPrefbook returns true and leaves path alone.
    // The TL480, TL460, BX310V2 and BX330V2 stores save at once after SaveOpenExeName,
    // SaveOpenExePath and SaveProfileExportPath; every other change stays in memory until the suite
    // saves the store.
    static int ReadProfileNum(DeviceType type);
    static const std::string& ReadProfileName(DeviceType type, int idx);
    static void ReadProfileName(DeviceType type, QStringList& names);
    static void SaveProfileName(DeviceType type, int idx, const std::string& name);
    static const std::string& ReadOpenExeName(DeviceType type, int idx);
    static void SaveOpenExeName(DeviceType type, int idx, const std::string& exe);
    static const QString& ReadOpenExePath(DeviceType type);
    static void SaveOpenExePath(DeviceType type, const QString& path);
    static const QString& ReadProfileExportPath(DeviceType type);
    static void SaveProfileExportPath(DeviceType type, const QString& path);
    static bool ReadDevDefaultPrefbook(DeviceType type, QString& path);

    // File dialogs: the path the user picked, or an empty string when the dialog was cancelled or
    // could not be shown (nothing is logged). filter holds pairs of description and pattern list,
    // each zero-terminated, the list ending with an extra zero: L"Profiles\0*.xml;*.bak\0\0".
    // A successful dialog leaves the process's current directory as it was before the call.
    // Windows shows the common dialogs; elsewhere the desktop's file chooser is asked through the
    // XDG desktop portal on the session bus, waiting in a local event loop (needs a QCoreApplication).
    static QString getOpenFileName(PrefbookWindow owner, const QString& title, const QString& initialDir,
                                   const wchar_t* filter);
    // defaultExt (without the dot, may be null) is appended to a chosen name that has no extension.
    static QString getSaveFileName(PrefbookWindow owner, const QString& title, const QString& initialDir,
                                   const wchar_t* filter, const wchar_t* defaultExt);

private:
    static const std::string filename();       // "/config/param/param.arg"
    static const std::string filename_chg();   // "/config/param/param_chg.arg"
    static const std::string resetFile();      // "/reset.ini"
    static const std::string hotkeysFolder();  // "/hotkeys"

    static void ReadPortalDev(const QString& group, QVector<unsigned short>& devs);

    // Export paths of param_chg.arg [ProfileExportPath], default empty.
    static void ReadKR720ProfileExportPath(QString& path);
    static void SaveKR720ProfileExportPath(const QString& path);
    static void ReadPR940ProfileExportPath(QString& path);
    static void SavePR940ProfileExportPath(const QString& path);
};
