#include "devices/mice/PR941ProfileCfgImpl.h"

#include <QMutexLocker>

IPR941ProfileCfg& IPR941ProfileCfg::Instance() {
    static prefbook::PR941ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

namespace prefbook {

void PR941ProfileCfgImpl::SetStarsMode(int idx, uint8_t mode) {
    if (PR941Lighting* l = Lighting(idx)) l->starsMode = mode;
}

uint8_t PR941ProfileCfgImpl::GetStarsMode(int idx) {
    return ReadLighting(idx).starsMode;
}

void PR941ProfileCfgImpl::SetMusic(int idx, const MusicLighting& music) {
    if (PR941Lighting* l = Lighting(idx)) l->music = music;
}

bool PR941ProfileCfgImpl::GetMusic(int idx, MusicLighting& music) {
    music = ReadLighting(idx).music;
    return Valid(idx);
}

void PR941ProfileCfgImpl::SetWireless(int idx, const WirelessSettings& wireless) {
    if (PR941Profile* p = At(idx)) p->wireless = wireless;
}

bool PR941ProfileCfgImpl::GetWireless(int idx, WirelessSettings& wireless) {
    wireless = Read(idx).wireless;
    return Valid(idx);
}

// The whole store goes out as a store document, so it can be dropped into a profile folder as is.
bool PR941ProfileCfgImpl::ExportAllProfiles(const QString& path) {
    if (path.isEmpty()) return false;
    return WritePR26xFile(Host(), Model(), path, WriteMode::Atomic, kButtonMouseStoreFlag, doc_);
}

bool PR941ProfileCfgImpl::ImportAllProfiles(const QString& path) {
    if (path.isEmpty()) return false;
    Document read;
    if (!ReadPR26xFile(Host(), Model(), path, read) || read.profiles.size() != kButtonMouseProfileCount ||
        read.flag != kButtonMouseStoreFlag || !CurrentProfileFits(path, read)) {
        return false;
    }
    doc_.profiles = std::move(read.profiles);
    doc_.exportPath = read.exportPath;
    doc_.openExePath = read.openExePath;
    doc_.currentProfileID = read.currentProfileID;
    return true;
}

// The lock covers the read of the document through the rename of its replacement, so two merges
// never interleave; the locker releases it on every return.
bool PR941ProfileCfgImpl::MergeSaveProfile() {
    QMutexLocker lock(&mergeMutex_);
    return PR26xLitStore::MergeSaveProfile();
}

// A profile without every lighting mode would leave the device's effects undefined.
bool PR941ProfileCfgImpl::Importable(const PR941Profile& profile) const {
    return profile.lighting.modes.size() == kPR941ImportModes;
}

}  // namespace prefbook
