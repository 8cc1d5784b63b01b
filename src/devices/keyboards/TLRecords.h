#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "profilecore/CustomColor.h"
#include "profilecore/MacroTypes.h"

// A TL480/TL460 macro: the record and the plain key numbers it is bound to.
struct KeyMacroEntry {
    MacroRecord record{};
    QVector<uint16_t> keys;
};

using KeyMacroMap = std::map<std::string, KeyMacroEntry>;

// One profile of a TL480 or TL460 keyboard.
struct TLProfile {
    int id = 0;
    std::string name;
    std::string exe;
    int multiLayer = 0;  // lighting selections, kept as the suite gives them
    int multiZone = 0;
    QVector<CustomColor> foreground;
    QVector<CustomColor> background;
    std::string macroPath;
    std::string currMacro;
    KeyMacroMap macros;
};

// The operations of both TL keyboard interfaces, in their binary order. The two interfaces must stay
// distinct classes with identical tables, so the table is written once here.
//
// Macro operations (16, 17, 20-31) with an invalid profile index never touch memory they do not own:
// setters do nothing, reference getters return a reference to an empty value owned by the store, and
// GetMacroNames yields an empty list.
#define PREFBOOK_TL_OPERATIONS                                                                      \
    virtual int GetProfileNum() = 0;                                                                \
    virtual const std::string& GetProfileName(int idx) = 0;                                         \
    virtual void GetProfileNameList(QStringList& names) = 0;                                        \
    virtual void SetExportPath(const QString& path) = 0;                                            \
    virtual const QString& GetExportPath() = 0;                                                     \
    virtual void SetOpenExePath(const QString& path) = 0;                                           \
    virtual const QString& GetOpenExePath() = 0;                                                    \
    virtual void SetProfileExe(int idx, const std::string& exe) = 0;                                \
    virtual const std::string& GetProfileExe(int idx) = 0;                                          \
    virtual void SetProfileName(int idx, const std::string& name) = 0;                              \
    virtual void SetCustomColors(int idx, bool background, const QVector<CustomColor>& colors) = 0; \
    virtual const QVector<CustomColor>& GetCustomColors(int idx, bool background) = 0;              \
    virtual void SetMultiLayer(int idx, int value) = 0;                                             \
    virtual int GetMultiLayer(int idx) = 0;                                                         \
    virtual void SetMultiZone(int idx, int value) = 0;                                              \
    virtual int GetMultiZone(int idx) = 0;                                                          \
    virtual const KeyMacroMap& GetMacroSet(int idx) = 0;                                            \
    virtual void SetMacroSet(int idx, const KeyMacroMap& macros) = 0;                               \
    virtual const std::string& GetCurrMacro(int idx) = 0;                                           \
    virtual void SetCurrMacro(int idx, const std::string& name) = 0;                                \
    virtual void SetMacroEntry(int idx, const std::string& name, const KeyMacroEntry& entry) = 0;   \
    virtual void AddMacro(int idx, const std::string& name) = 0;                                    \
    virtual void DeleteMacro(int idx, const std::string& name) = 0;                                 \
    virtual void RenameMacro(int idx, const std::string& oldName, const std::string& newName) = 0;  \
    virtual void GetMacroNames(int idx, std::vector<std::string>& names) = 0;                       \
    virtual const KeyMacroEntry& GetMacroEntry(int idx, const std::string& name) = 0;               \
    virtual void SetMacro(int idx, const std::string& name, const MacroRecord& record) = 0;         \
    virtual const QVector<uint16_t>& GetMacroKeys(int idx, const std::string& name) = 0;            \
    virtual void SetMacroKeys(int idx, const std::string& name, const QVector<uint16_t>& keys) = 0; \
    virtual void AddMacroKey(int idx, const std::string& name, uint16_t key) = 0;                   \
    virtual void RemoveMacroKey(int idx, const std::string& name, uint16_t key) = 0;                \
    virtual void ClearMacroKeys(int idx, const std::string& name) = 0;                              \
    virtual uint8_t GetMacroMode(int idx, const std::string& name) = 0;                             \
    virtual void SetMacroMode(int idx, const std::string& name, uint8_t mode) = 0;                  \
    virtual const std::string& GetMacroPath(int idx) = 0;                                           \
    virtual void SetMacroPath(int idx, const std::string& path) = 0;                                \
    virtual bool SaveProfile() = 0;
