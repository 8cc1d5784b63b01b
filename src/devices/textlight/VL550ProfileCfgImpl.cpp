#include "devices/textlight/VL550ProfileCfgImpl.h"

#include <QDir>
#include <cstring>
#include <stdexcept>

#include "devices/textlight/VL550Document.h"
#include "hostservices/IHabitat.h"
#include "profilecore/ProfileFolder.h"

IVL550ProfileCfg& IVL550ProfileCfg::Instance() {
    static prefbook::VL550ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

namespace prefbook {

const QString VL550ProfileCfgImpl::kFolder = QStringLiteral("/profile/VL550/");
const QString VL550ProfileCfgImpl::kLoadDefaultPath =
    QStringLiteral("C:/ProgramData/Varnhold/Quillon/profile/VL550/default.bin");
// Not the load default: another folder case and suffix, kept as the suite expects it.
const QString VL550ProfileCfgImpl::kDefaultDocument =
    QStringLiteral("C:/ProgramData/Varnhold/Quillon/profile/vl550/default.xml");

namespace {
const QString kDocumentName = QStringLiteral("default.bin");
}

VL550ProfileCfgImpl::VL550ProfileCfgImpl(const StoreHost& host) : host_(host) {
    StartupLoad();
}

void VL550ProfileCfgImpl::StartupLoad() {
    const QString folder = host_.habitat->GetBaseDir() + kFolder;
    if (!QDir(folder).exists()) {
        host_.Log("Read VL550 XML File Failed : " + folder + "not exists.");
        return;
    }
    const QFileInfoList files = ListProfileFolder(folder);
    bool ok = true;
    for (const QFileInfo& file : files) {
        if (file.suffix() != QLatin1String("bin")) {
            ok = false;
            continue;
        }
        // Another ".bin" is passed over without a verdict: only "default.bin" is the document.
        if (file.fileName() != kDocumentName) continue;
        docPath_ = folder + kDocumentName;
        ok = ReadVL550File(host_, docPath_, profile_) && Accepts(profile_);
        break;
    }
    if (!ok || files.isEmpty()) {
        ApplyDefaultModes();
        docPath_.clear();
    }
}

void VL550ProfileCfgImpl::ApplyDefaultModes() {
    profile_.name = "PROFILE";
    for (uint8_t id = 0; id < kVL550ModeCount; ++id) {
        VLModeSetting m = kVLDefaultModeSetting;
        m.id = id;
        profile_.modes.push_back(m);
    }
    // Settings a failed read left in front stay; the list is exactly ten long afterwards.
    profile_.modes.resize(static_cast<int>(kVL550ModeCount));
}

VLModeSetting& VL550ProfileCfgImpl::ModeAt(size_t index) {
    if (index >= static_cast<size_t>(profile_.modes.size()))
        throw std::out_of_range("invalid vector subscript");
    return profile_.modes[static_cast<int>(index)];
}

void VL550ProfileCfgImpl::SetModeSettingAt(uint8_t index, const VLModeSetting& setting) {
    if (index >= profile_.modes.size()) return;
    profile_.currMode = setting.id;
    profile_.modes[index] = setting;
}

bool VL550ProfileCfgImpl::GetModeSettingAt(uint8_t index, VLModeSetting& setting) {
    setting = ModeAt(index);
    return true;
}

void VL550ProfileCfgImpl::SetModeSetting(const VLModeSetting& setting) {
    ModeAt(setting.id) = setting;
    profile_.currMode = setting.id;
    SetChangeFlag(1);
}

bool VL550ProfileCfgImpl::GetCurrentModeSetting(VLModeSetting& setting) {
    setting = ModeAt(profile_.currMode);
    return true;
}

void VL550ProfileCfgImpl::SetCustomBlock(const uint8_t* block) {
    if (!block) return;
    std::memcpy(profile_.customBlock.data(), block, kVL550CustomBlockSize);
    profile_.currMode = 7;  // the device's custom-colour mode
}

bool VL550ProfileCfgImpl::GetCustomBlock(uint8_t* block) {
    if (!block) return false;
    std::memcpy(block, profile_.customBlock.data(), kVL550CustomBlockSize);
    return true;
}

void VL550ProfileCfgImpl::SetCustomColors(int, const QVector<CustomColor>& colors) {
    profile_.customColors = colors;
}

bool VL550ProfileCfgImpl::GetCustomColors(int, QVector<CustomColor>& colors) {
    colors = profile_.customColors;
    return true;
}

void VL550ProfileCfgImpl::SetText(const uint8_t* text) {
    if (!text) return;
    profile_.currText = text[0];
    profile_.textMode = text[0];
    profile_.textPeriod = text[1];
    SetChangeFlag(1);
}

bool VL550ProfileCfgImpl::GetText(uint8_t* text) {
    if (!text) return false;
    text[0] = profile_.textMode;
    text[1] = profile_.textPeriod;
    return true;
}

bool VL550ProfileCfgImpl::LoadDocument(const QString& path) {
    docPath_ = path.isEmpty() ? kLoadDefaultPath : path;
    // A document that does not read leaves the profile as far as it was read; the failure is logged.
    ReadVL550File(host_, docPath_, profile_);
    return true;
}

bool VL550ProfileCfgImpl::SaveDocumentAs(const QString& path) {
    if (path.isEmpty()) return false;
    docPath_ = path;
    return WriteVL550File(host_, docPath_, profile_);
}

bool VL550ProfileCfgImpl::SaveDocument() {
    if (docPath_.isEmpty()) return true;
    // Only a document that still reads is overwritten: a vanished or damaged one is never recreated here.
    VL550Profile scratch;
    if (!ReadVL550File(host_, docPath_, scratch)) return false;
    return WriteVL550File(host_, docPath_, profile_);
}

}  // namespace prefbook
