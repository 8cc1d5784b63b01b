#include "devices/audio/AU570ProfileCfgImpl.h"

#include "devices/audio/AU570Document.h"
#include "devices/audio/AudioXml.h"
#include "profilecore/DeviceType.h"
#include "profilecore/ProfileFolder.h"

IAU570ProfileCfg& IAU570ProfileCfg::Instance() {
    static prefbook::AU570ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

namespace prefbook {
namespace {
const QString kSuffix = QStringLiteral("xml");
}

AU570ProfileCfgImpl::AU570ProfileCfgImpl(const StoreHost& host) : host_(host) {
    const LoadOutcome outcome = LoadNewestDocument(
        host_.ProfileDir(AU570), kSuffix,
        [this](const QString& path) {
            data_ = AU570ProfileData{};  // a failed document leaves nothing behind for the next one
            return ReadDocument(path, data_);
        },
        [this] { return Accepts(data_); });
    if (!outcome.keep) data_ = AU570Presets();
    if (outcome.keep) loadedFrom_ = outcome.path;
}

EqMode& AU570ProfileCfgImpl::GetEqMode(int id) {
    if (id == 0) {
        detached_ = EqMode{};
        return detached_;
    }
    return data_.modes[id];
}

void AU570ProfileCfgImpl::AddEqMode(const EqMode& mode) {
    data_.modes.insert(mode.id, mode);
    data_.currModeId = mode.id;
}

bool AU570ProfileCfgImpl::SaveProfile() {
    return SaveProfileDocument(host_, host_.ProfileDir(AU570), kSuffix,
                               [this](const QString& tmp) { return WriteDocument(tmp, WriteMode::Direct); });
}

bool AU570ProfileCfgImpl::ExportProfile(const QString& path) {
    return !path.isEmpty() && WriteDocument(path, WriteMode::Atomic);
}

bool AU570ProfileCfgImpl::ImportProfile(const QString& path) {
    if (path.isEmpty()) return false;
    // Read aside so that a failed import leaves the store as it was.
    AU570ProfileData read = data_;
    if (!ReadDocument(path, read)) return false;
    // An import takes the table and the mode in use; the levels stay the user's.
    read.bass = data_.bass;
    read.treble = data_.treble;
    data_ = read.modes.isEmpty() ? AU570Presets() : read;
    return true;
}

bool AU570ProfileCfgImpl::ReadDocument(const QString& path, AU570ProfileData& into) const {
    return ReadXmlFile(host_, path, QString(), [&into](QXmlStreamReader& r) { ReadAU570Document(r, into); });
}

bool AU570ProfileCfgImpl::WriteDocument(const QString& path, WriteMode mode) const {
    return WriteGuardedXmlFile(host_, path, mode, QStringLiteral("Write AU570 XML Failed: "),
                               [this](QXmlStreamWriter& w) { WriteAU570Document(w, data_); });
}

}  // namespace prefbook
