#include "devices/mousepads/FT610ProfileCfgImpl.h"

#include <cstring>

#include "devices/mousepads/FT610Document.h"
#include "profilecore/DeviceType.h"
#include "profilecore/ProfileFolder.h"

IFT610ProfileCfg& IFT610ProfileCfg::Instance() {
    static prefbook::FT610ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

namespace prefbook {

FT610ProfileCfgImpl::FT610ProfileCfgImpl(const StoreHost& host) : host_(host) {
    Load();
}

void FT610ProfileCfgImpl::SetRecord(const FT610Record* record) {
    if (record) std::memcpy(&record_, record, sizeof(record_));
}

void FT610ProfileCfgImpl::SetTailBlock(const uint8_t* block) {
    if (block) std::memcpy(record_.tail, block, sizeof(record_.tail));
}

bool FT610ProfileCfgImpl::SaveProfile() {
    return SaveProfileRecord(
        host_, host_.ProfileDir(FT610), QStringLiteral("bin"),
        QByteArray::fromRawData(reinterpret_cast<const char*>(&record_), sizeof(record_)));
}

void FT610ProfileCfgImpl::Load() {
    // Any ".bin" that opens is taken, whatever its size or content; nothing else is checked.
    const LoadOutcome outcome = LoadNewestDocument(
        host_.ProfileDir(FT610), QStringLiteral("bin"),
        [this](const QString& path) { return ReadFT610Document(path, record_, &host_); },
        [this] { return Accepts(record_); });
    if (!outcome.keep) std::memset(&record_, 0, sizeof(record_));
    if (outcome.keep) loadedFrom_ = outcome.path;
}

}  // namespace prefbook
