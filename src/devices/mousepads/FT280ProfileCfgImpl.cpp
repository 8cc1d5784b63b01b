#include "devices/mousepads/FT280ProfileCfgImpl.h"

#include "devices/mousepads/FT280Document.h"
#include "profilecore/DeviceType.h"
#include "profilecore/ProfileFolder.h"

IFT280ProfileCfg& IFT280ProfileCfg::Instance() {
    static prefbook::FT280ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

namespace prefbook {

FT280ProfileCfgImpl::FT280ProfileCfgImpl(const StoreHost& host) : host_(host) {
    for (int type : {FT280M, FT280L, FT280XL}) {
        profiles_[type].clear();
        Load(type);
    }
}

FT280Profile FT280ProfileCfgImpl::DefaultProfile() {
    FT280Profile p;
    p.currMode = 1;
    p.modes.fill(ModeSetting{0, 3, 255, 255, 255}, 4);
    p.foreground.fill(CustomColor{0, 0, 0, 0, 0}, 7);
    return p;
}

void FT280ProfileCfgImpl::Load(int type) {
    QVector<FT280Profile>& list = profiles_[type];
    const LoadOutcome outcome = LoadNewestDocument(
        host_.ProfileDir(type), QStringLiteral("xml"),
        [&](const QString& path) { return ReadFT280File(host_, path, list); }, [&] { return Accepts(list); });
    // A document that reads but holds no profile leaves nothing to work on, so it counts as none.
    if (!outcome.keep || list.isEmpty()) {
        list = {DefaultProfile()};
    } else {
        loadedFrom_[type] = outcome.path;
    }
}

QVector<FT280Profile>* FT280ProfileCfgImpl::Profiles(int type) {
    const auto it = profiles_.find(type);
    return it == profiles_.end() ? nullptr : &it->second;
}

FT280Profile* FT280ProfileCfgImpl::Profile(int type) {
    QVector<FT280Profile>* list = Profiles(type);
    return list && !list->isEmpty() ? &list->first() : nullptr;
}

bool FT280ProfileCfgImpl::SetCustomColors(int type, const QVector<CustomColor>& colors) {
    FT280Profile* p = Profile(type);
    if (!p) return false;
    p->foreground = colors;
    return true;
}

bool FT280ProfileCfgImpl::GetCustomColors(int type, QVector<CustomColor>& colors) {
    const FT280Profile* p = Profile(type);
    if (!p) return false;
    colors = p->foreground;
    return true;
}

void FT280ProfileCfgImpl::SetModeSetting(int type, uint8_t index, const ModeSetting& setting) {
    FT280Profile* p = Profile(type);
    if (!p || index >= p->modes.size()) return;
    p->modes[index] = setting;
    p->currMode = setting.id;
}

bool FT280ProfileCfgImpl::GetModeSetting(int type, uint8_t index, ModeSetting& setting) {
    const FT280Profile* p = Profile(type);
    if (!p || index >= p->modes.size()) return false;
    setting = p->modes[index];
    return true;
}

void FT280ProfileCfgImpl::SetModeSettings(int type, const QVector<ModeSetting>& settings) {
    if (FT280Profile* p = Profile(type)) p->modes = settings;
}

bool FT280ProfileCfgImpl::GetModeSettings(int type, QVector<ModeSetting>& settings) {
    const FT280Profile* p = Profile(type);
    if (!p) return false;
    settings = p->modes;
    return true;
}

void FT280ProfileCfgImpl::SetCurrMode(int type, uint8_t mode) {
    if (FT280Profile* p = Profile(type)) p->currMode = mode;
}

uint8_t FT280ProfileCfgImpl::GetCurrMode(int type) {
    const FT280Profile* p = Profile(type);
    return p ? p->currMode : 0;
}

bool FT280ProfileCfgImpl::SaveProfile(int type) {
    const QVector<FT280Profile>* list = Profiles(type);
    if (!list) return false;  // not an FT280 size: no folder of ours to write into
    return SaveProfileDocument(host_, host_.ProfileDir(type), QStringLiteral("xml"), [&](const QString& tmp) {
        return WriteFT280File(host_, tmp, WriteMode::Direct, *list);
    });
}

bool FT280ProfileCfgImpl::ExportProfile(int type, const QString& path) {
    const QVector<FT280Profile>* list = Profiles(type);
    if (path.isEmpty() || !list) return false;
    return WriteFT280File(host_, path, WriteMode::Atomic, *list);
}

bool FT280ProfileCfgImpl::ImportProfile(int type, const QString& path) {
    QVector<FT280Profile>* list = Profiles(type);
    if (path.isEmpty() || !list) return false;
    return ReadFT280File(host_, path, *list) && list->size() == 1;
}

}  // namespace prefbook
