#include "devices/mice/PR940ProfileCfgImpl.h"

#include "hostservices/IGlyphPress.h"
#include "profilecore/MacroModel.h"
#include "profilecore/ProfileFolder.h"
#include "settings/DeviceType.h"

IPR940ProfileCfg& IPR940ProfileCfg::Instance() {
    static prefbook::PR940ProfileCfgImpl store(prefbook::StoreHost::Process(), IGlyphPress::Instance());
    return store;
}

namespace prefbook {
namespace {

const QString kSuffix = QStringLiteral("xml");

// The rename shared by surfaces, display profiles, artworks and macros: the entry moves to the new
// key carrying the new name. Renaming to the same name is no change (moving would erase the entry).
template <class Map, class SetName>
bool RenameEntry(Map& map, const std::string& oldName, const std::string& newName, SetName setName) {
    if (oldName.empty() || newName.empty() || oldName == newName) return false;
    const auto found = map.find(oldName);
    if (found == map.end()) return false;
    auto entry = found->second;
    setName(entry, newName);
    map[newName] = std::move(entry);
    map.erase(oldName);
    return true;
}

}  // namespace

PR940ProfileCfgImpl::PR940ProfileCfgImpl(const StoreHost& host, IGlyphPress& press)
    : host_(host), press_(press) {
    Load();
}

void PR940ProfileCfgImpl::Load() {
    const LoadOutcome outcome = LoadNewestDocument(
        host_.ProfileDir(PR940), kSuffix,
        [this](const QString& path) { return ReadPR940DocumentFile(host_, press_, path, doc_); },
        [this] { return Accepts(doc_); });
    if (outcome.keep) {
        loadedFrom_ = outcome.path;
        return;
    }
    doc_ = PR940Document{};
    for (int id = 0; id < kPR940ProfileCount; ++id) doc_.profiles.push_back(DefaultPR940Profile(id));
}

bool PR940ProfileCfgImpl::SaveProfile() {
    return SaveProfileDocument(host_, host_.ProfileDir(PR940), kSuffix, [this](const QString& tmp) {
        return WritePR940DocumentFile(host_, press_, doc_, tmp);
    });
}

// ---- Lookups ----

PR940Profile* PR940ProfileCfgImpl::At(int idx) {
    return idx >= 0 && idx < doc_.profiles.size() ? &doc_.profiles[idx] : nullptr;
}

const PR940Profile* PR940ProfileCfgImpl::At(int idx) const {
    return idx >= 0 && idx < doc_.profiles.size() ? &doc_.profiles[idx] : nullptr;
}

OledProfile* PR940ProfileCfgImpl::Oled(int idx, const std::string& op) {
    PR940Profile* p = At(idx);
    if (!p || op.empty()) return nullptr;
    const auto found = p->oledProfiles.find(op);
    return found == p->oledProfiles.end() ? nullptr : &found->second;
}

const OledProfile* PR940ProfileCfgImpl::Oled(int idx, const std::string& op) const {
    return const_cast<PR940ProfileCfgImpl*>(this)->Oled(idx, op);
}

OledArtwork* PR940ProfileCfgImpl::Artwork(int idx, const std::string& op, const std::string& art) {
    OledProfile* o = Oled(idx, op);
    if (!o || art.empty()) return nullptr;
    const auto found = o->artworks.find(art);
    return found == o->artworks.end() ? nullptr : &found->second;
}

const OledArtwork* PR940ProfileCfgImpl::Artwork(int idx, const std::string& op,
                                                const std::string& art) const {
    return const_cast<PR940ProfileCfgImpl*>(this)->Artwork(idx, op, art);
}

MouseMacroRecord* PR940ProfileCfgImpl::AccessMacro(int idx, const std::string& name) {
    PR940Profile* p = At(idx);
    if (!p || name.empty()) return nullptr;
    const auto found = p->macros.find(name);
    if (found != p->macros.end()) return &found->second;
    // Unlike AddEmptyMacro, a macro added by asking for it is all zero, its name field included.
    return &p->macros.emplace(name, MouseMacroRecord{}).first->second;
}

// ---- Profile fields ----

const std::string& PR940ProfileCfgImpl::GetProfileName(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->name : noProfile_.name;
}

void PR940ProfileCfgImpl::GetProfileNameList(QStringList& out) const {
    out.clear();
    for (const PR940Profile& p : doc_.profiles) out.push_back(QString::fromStdString(p.name));
}

void PR940ProfileCfgImpl::SetProfileExe(int idx, const std::string& exe) {
    if (PR940Profile* p = At(idx)) p->exe = exe;
}

const std::string& PR940ProfileCfgImpl::GetProfileExe(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->exe : noProfile_.exe;
}

void PR940ProfileCfgImpl::SetProfileName(int idx, const std::string& name) {
    PR940Profile* p = At(idx);
    if (p && !name.empty()) p->name = name;
}

void PR940ProfileCfgImpl::SetCurrView(int idx, int view) {
    if (PR940Profile* p = At(idx)) p->currView = view;
}

int PR940ProfileCfgImpl::GetCurrView(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->currView : 0;
}

void PR940ProfileCfgImpl::SetTactix(int idx, bool on) {
    if (PR940Profile* p = At(idx)) p->tactix = on ? 1 : 0;
}

bool PR940ProfileCfgImpl::GetTactix(int idx) const {
    const PR940Profile* p = At(idx);
    return p && p->tactix != 0;
}

void PR940ProfileCfgImpl::SetCustomColors(int idx, const QVector<CustomColor>& colors) {
    if (PR940Profile* p = At(idx)) p->customColors = colors;
}

const QVector<CustomColor>& PR940ProfileCfgImpl::GetCustomColors(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->customColors : noProfile_.customColors;
}

void PR940ProfileCfgImpl::SetCurrCustom(int idx, int custom) {
    if (PR940Profile* p = At(idx)) p->currCustom = custom;
}

int PR940ProfileCfgImpl::GetCurrCustom(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->currCustom : -1;
}

void PR940ProfileCfgImpl::SetCurrBeat(int idx, int beat) {
    if (PR940Profile* p = At(idx)) p->currBeat = beat;
}

int PR940ProfileCfgImpl::GetCurrBeat(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->currBeat : -1;
}

void PR940ProfileCfgImpl::SetLightingMode(int idx, int mode) {
    if (PR940Profile* p = At(idx)) p->lightingMode = mode;
}

int PR940ProfileCfgImpl::GetLightingMode(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->lightingMode : 0;
}

// ---- Surfaces ----

const SurfaceTuningMap& PR940ProfileCfgImpl::GetSurfaceMap(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->surfaces : noProfile_.surfaces;
}

void PR940ProfileCfgImpl::SetSurfaceMap(int idx, const SurfaceTuningMap& surfaces) {
    if (PR940Profile* p = At(idx)) p->surfaces = surfaces;
}

const SurfaceTuning& PR940ProfileCfgImpl::GetSurface(int idx, const std::string& name) const {
    const PR940Profile* p = At(idx);
    if (!p || name.empty()) return noSurface_;
    const auto found = p->surfaces.find(name);
    return found == p->surfaces.end() ? noSurface_ : found->second;
}

void PR940ProfileCfgImpl::SetSurface(int idx, const std::string& name, const SurfaceTuning& surface) {
    PR940Profile* p = At(idx);
    if (p && !name.empty()) p->surfaces[name] = surface;
}

void PR940ProfileCfgImpl::RemoveSurface(int idx, const std::string& name) {
    PR940Profile* p = At(idx);
    if (p && !name.empty()) p->surfaces.erase(name);
}

void PR940ProfileCfgImpl::RenameSurface(int idx, const std::string& oldName, const std::string& newName) {
    if (PR940Profile* p = At(idx)) {
        RenameEntry(p->surfaces, oldName, newName,
                    [](SurfaceTuning& s, const std::string& name) { SetSurfaceName(s, name); });
    }
}

// ---- Display profiles ----

const std::string& PR940ProfileCfgImpl::GetCurrOledProfile(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->currOledProfile : noProfile_.currOledProfile;
}

void PR940ProfileCfgImpl::SetCurrOledProfile(int idx, const std::string& op) {
    if (PR940Profile* p = At(idx)) p->currOledProfile = op;
}

const OledProfileMap& PR940ProfileCfgImpl::GetOledProfileMap(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->oledProfiles : noProfile_.oledProfiles;
}

void PR940ProfileCfgImpl::SetOledProfileMap(int idx, const OledProfileMap& profiles) {
    if (PR940Profile* p = At(idx)) p->oledProfiles = profiles;
}

const OledProfile& PR940ProfileCfgImpl::GetOledProfile(int idx, const std::string& op) const {
    const OledProfile* o = Oled(idx, op);
    return o ? *o : noOled_;
}

void PR940ProfileCfgImpl::SetOledProfile(int idx, const std::string& op, const OledProfile& profile) {
    if (OledProfile* o = Oled(idx, op)) *o = profile;
}

void PR940ProfileCfgImpl::AddOledProfile(int idx, const std::string& op) {
    PR940Profile* p = At(idx);
    if (!p || op.empty()) return;
    OledProfile fresh;
    fresh.name = op;
    p->oledProfiles[op] = fresh;
}

void PR940ProfileCfgImpl::RemoveOledProfile(int idx, const std::string& op) {
    PR940Profile* p = At(idx);
    if (p && !op.empty()) p->oledProfiles.erase(op);
}

void PR940ProfileCfgImpl::RenameOledProfile(int idx, const std::string& oldName, const std::string& newName) {
    PR940Profile* p = At(idx);
    if (!p || !RenameEntry(p->oledProfiles, oldName, newName,
                           [](OledProfile& o, const std::string& name) { o.name = name; })) {
        return;
    }
    if (p->currOledProfile == oldName) p->currOledProfile = newName;
}

void PR940ProfileCfgImpl::SetOledOrder(int idx, const std::string& op, const QVector<int32_t>& order) {
    if (OledProfile* o = Oled(idx, op)) o->order = order;
}

const QVector<int32_t>& PR940ProfileCfgImpl::GetOledOrder(int idx, const std::string& op) const {
    return GetOledProfile(idx, op).order;
}

void PR940ProfileCfgImpl::SetOledDuration(int idx, const std::string& op, double duration) {
    if (OledProfile* o = Oled(idx, op)) o->duration = duration;
}

const std::string& PR940ProfileCfgImpl::GetOledCurrArtwork(int idx, const std::string& op) const {
    return GetOledProfile(idx, op).currArtworkName;
}

void PR940ProfileCfgImpl::SetOledCurrArtwork(int idx, const std::string& op, const std::string& art) {
    if (OledProfile* o = Oled(idx, op)) o->currArtworkName = art;
}

// ---- Artworks ----

const OledArtworkMap& PR940ProfileCfgImpl::GetArtworkMap(int idx, const std::string& op) const {
    return GetOledProfile(idx, op).artworks;
}

void PR940ProfileCfgImpl::SetArtworkMap(int idx, const std::string& op, const OledArtworkMap& artworks) {
    if (OledProfile* o = Oled(idx, op)) o->artworks = artworks;
}

const OledArtwork& PR940ProfileCfgImpl::GetArtwork(int idx, const std::string& op,
                                                   const std::string& art) const {
    const OledArtwork* a = Artwork(idx, op, art);
    return a ? *a : noArtwork_;
}

void PR940ProfileCfgImpl::SetArtwork(int idx, const std::string& op, const std::string& art,
                                     const OledArtwork& artwork) {
    if (OledArtwork* a = Artwork(idx, op, art)) *a = artwork;
}

bool PR940ProfileCfgImpl::GetArtworkPixels(int idx, const std::string& op, const std::string& art,
                                           QVector<uint32_t>& out) const {
    const OledArtwork* a = Artwork(idx, op, art);
    if (!a) return false;
    out = a->pixels;
    return true;
}

void PR940ProfileCfgImpl::SetArtworkPixels(int idx, const std::string& op, const std::string& art,
                                           const QVector<uint32_t>& pixels) {
    if (OledArtwork* a = Artwork(idx, op, art)) a->pixels = pixels;
}

uint8_t PR940ProfileCfgImpl::GetArtworkPen(int idx, const std::string& op, const std::string& art) const {
    const OledArtwork* a = Artwork(idx, op, art);
    return a ? a->pen : 0;
}

void PR940ProfileCfgImpl::SetArtworkPen(int idx, const std::string& op, const std::string& art, int value) {
    if (OledArtwork* a = Artwork(idx, op, art)) {
        a->pen = static_cast<uint8_t>(value & 0xFF);
        a->background = value == 0 ? 1 : 0;
    }
}

void PR940ProfileCfgImpl::AddArtwork(int idx, const std::string& op, const std::string& art) {
    OledProfile* o = Oled(idx, op);
    if (!o || art.empty()) return;
    OledArtwork fresh;
    fresh.name = art;
    o->artworks[art] = fresh;
}

void PR940ProfileCfgImpl::RemoveArtwork(int idx, const std::string& op, const std::string& art) {
    if (!Artwork(idx, op, art)) return;
    host_.Log("Profile Idx: " + QString::number(idx) + " Profile Name: " + QString::fromStdString(op) +
              "Artwork: " + QString::fromStdString(art));
    Oled(idx, op)->artworks.erase(art);
}

void PR940ProfileCfgImpl::RenameArtwork(int idx, const std::string& op, const std::string& oldName,
                                        const std::string& newName) {
    OledProfile* o = Oled(idx, op);
    if (!o || !RenameEntry(o->artworks, oldName, newName,
                           [](OledArtwork& a, const std::string& name) { a.name = name; })) {
        return;
    }
    if (o->currArtworkName == oldName) o->currArtworkName = newName;
}

// ---- Macros ----

const PR940MacroMap& PR940ProfileCfgImpl::GetMacroMap(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->macros : noProfile_.macros;
}

void PR940ProfileCfgImpl::SetMacroMap(int idx, const PR940MacroMap& macros) {
    if (PR940Profile* p = At(idx)) p->macros = macros;
}

const std::string& PR940ProfileCfgImpl::GetCurrMacro(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->currMacro : noProfile_.currMacro;
}

void PR940ProfileCfgImpl::SetCurrMacro(int idx, const std::string& name) {
    if (PR940Profile* p = At(idx)) p->currMacro = name;
}

void PR940ProfileCfgImpl::AddMacro(int idx, const std::string& name, const MouseMacroRecord& macro) {
    PR940Profile* p = At(idx);
    if (!p || name.empty()) return;
    p->macros[name] = macro;
    p->currMacro = name;
}

void PR940ProfileCfgImpl::AddEmptyMacro(int idx, const std::string& name) {
    MouseMacroRecord fresh{};
    SetRecordName(fresh, name);
    AddMacro(idx, name, fresh);
}

void PR940ProfileCfgImpl::RemoveMacro(int idx, const std::string& name) {
    PR940Profile* p = At(idx);
    if (p && !name.empty()) p->macros.erase(name);
}

void PR940ProfileCfgImpl::RenameMacro(int idx, const std::string& oldName, const std::string& newName) {
    if (PR940Profile* p = At(idx)) {
        RenameEntry(p->macros, oldName, newName,
                    [](MouseMacroRecord& m, const std::string& name) { SetRecordName(m, name); });
    }
}

void PR940ProfileCfgImpl::GetMacroNames(int idx, std::vector<std::string>& out) const {
    out.clear();
    const PR940Profile* p = At(idx);
    if (!p) return;
    for (const auto& item : p->macros) out.push_back(item.first);
}

MouseMacroRecord& PR940ProfileCfgImpl::GetMacro(int idx, const std::string& name) {
    if (MouseMacroRecord* m = AccessMacro(idx, name)) return *m;
    scratchMacro_ = MouseMacroRecord{};
    return scratchMacro_;
}

void PR940ProfileCfgImpl::SetMacro(int idx, const std::string& name, const MouseMacroRecord& macro) {
    if (MouseMacroRecord* m = AccessMacro(idx, name)) *m = macro;
}

uint8_t PR940ProfileCfgImpl::GetMacroMode(int idx, const std::string& name) {
    const MouseMacroRecord* m = AccessMacro(idx, name);
    return m ? m->mode : 0;
}

void PR940ProfileCfgImpl::SetMacroMode(int idx, const std::string& name, uint8_t mode) {
    if (MouseMacroRecord* m = AccessMacro(idx, name)) m->mode = mode;
}

const std::string& PR940ProfileCfgImpl::GetMacroPath(int idx) const {
    const PR940Profile* p = At(idx);
    return p ? p->macroPath : noProfile_.macroPath;
}

void PR940ProfileCfgImpl::SetMacroPath(int idx, const std::string& path) {
    if (PR940Profile* p = At(idx)) p->macroPath = path;
}

}  // namespace prefbook
