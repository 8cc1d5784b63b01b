#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "profilecore/DeviceType.h"

namespace prefbook {

// What Prefbook's per-device operations ask the one store that serves a device type. Every hook
// takes the type the suite asked about, because the keypad store serves two types and wants it.
// A null hook means the operation does not forward to this store: Prefbook then answers as for a
// type served by no store.
struct ServingStore {
    const char* model;  // the store's model as prefbookctl names it: "TL480" serves TL480B and TL480W

    int (*profileNum)(DeviceType);
    void (*profileNameList)(DeviceType, QStringList&);
    const std::string& (*profileName)(DeviceType, int);
    void (*setProfileName)(DeviceType, int, const std::string&);
    const std::string& (*profileExe)(DeviceType, int);
    void (*setProfileExe)(DeviceType, int, const std::string&);
    const QString& (*openExePath)(DeviceType);
    void (*setOpenExePath)(DeviceType, const QString&);
    const QString& (*exportPath)(DeviceType);
    void (*setExportPath)(DeviceType, const QString&);
    bool (*defaultFile)(DeviceType, QString&);
    // Stores whose executable and path changes must be on disk when the call returns: their save.
    bool (*saveAtOnce)(DeviceType);
};

// The store serving a device type, or nullptr for a type served by none (or outside the table).
// The table itself, and how a store joins it, is in StoreForwarding.cpp.
const ServingStore* StoreServing(int type);

}  // namespace prefbook
