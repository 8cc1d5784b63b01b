#include "settings/Prefbook.h"
#include "settings/StoreForwarding.h"

using prefbook::ServingStore;
using prefbook::StoreServing;

namespace {

// The hook of the store serving type, or null when no store serves it or the operation does not
// forward to that store.
template <class Hook>
Hook HookOf(DeviceType type, Hook ServingStore::*hook) {
    const ServingStore* store = StoreServing(type);
    return store ? store->*hook : nullptr;
}

void SaveAtOnce(DeviceType type) {
    if (auto save = HookOf(type, &ServingStore::saveAtOnce))
        save(type);  // a failed save is logged by the store
}

const std::string& EmptyName() {
    static const std::string empty;
    return empty;
}

const QString& EmptyPath() {
    static const QString empty;
    return empty;
}

}  // namespace

int Prefbook::ReadProfileNum(DeviceType type) {
    auto hook = HookOf(type, &ServingStore::profileNum);
    return hook ? hook(type) : 0;
}

const std::string& Prefbook::ReadProfileName(DeviceType type, int idx) {
    auto hook = HookOf(type, &ServingStore::profileName);
    return hook ? hook(type, idx) : EmptyName();
}

void Prefbook::ReadProfileName(DeviceType type, QStringList& names) {
    if (auto hook = HookOf(type, &ServingStore::profileNameList)) hook(type, names);
}

void Prefbook::SaveProfileName(DeviceType type, int idx, const std::string& name) {
    if (auto hook = HookOf(type, &ServingStore::setProfileName)) hook(type, idx, name);
}

const std::string& Prefbook::ReadOpenExeName(DeviceType type, int idx) {
    auto hook = HookOf(type, &ServingStore::profileExe);
    return hook ? hook(type, idx) : EmptyName();
}

void Prefbook::SaveOpenExeName(DeviceType type, int idx, const std::string& exe) {
    if (auto hook = HookOf(type, &ServingStore::setProfileExe)) {
        hook(type, idx, exe);
        SaveAtOnce(type);
    }
}

const QString& Prefbook::ReadOpenExePath(DeviceType type) {
    auto hook = HookOf(type, &ServingStore::openExePath);
    return hook ? hook(type) : EmptyPath();
}

void Prefbook::SaveOpenExePath(DeviceType type, const QString& path) {
    if (auto hook = HookOf(type, &ServingStore::setOpenExePath)) {
        hook(type, path);
        SaveAtOnce(type);
    }
}

const QString& Prefbook::ReadProfileExportPath(DeviceType type) {
    auto hook = HookOf(type, &ServingStore::exportPath);
    return hook ? hook(type) : EmptyPath();
}

void Prefbook::SaveProfileExportPath(DeviceType type, const QString& path) {
    if (auto hook = HookOf(type, &ServingStore::setExportPath)) {
        hook(type, path);
        SaveAtOnce(type);
    }
}

bool Prefbook::ReadDevDefaultPrefbook(DeviceType type, QString& path) {
    auto hook = HookOf(type, &ServingStore::defaultFile);
    return hook ? hook(type, path) : true;
}
