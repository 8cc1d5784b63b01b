#include "devices/keyboards/KR720ProfileCfgImpl.h"

#include <QtGlobal>
#include <algorithm>
#include <cstring>
#include <utility>

#include "profilecore/DeviceType.h"
#include "profilecore/ImportedSlot.h"
#include "profilecore/ProfileFolder.h"

// The bulk transfer hands out the sensit/actuat pair as one u16 with sensit in the low byte.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the KR720 transfer block assumes a little-endian host");

IKR720ProfileCfg& IKR720ProfileCfg::Instance() {
    static prefbook::KR720ProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}

namespace prefbook {
namespace {

const QString kStore = QStringLiteral("KR720ProfileCfg: ");
const QLatin1String kRootName("kr720");
constexpr uint8_t kSkippedMacroMode = 3;  // a transfer slot with this mode carries no macro

const std::string& EmptyString() {
    static const std::string empty;
    return empty;
}

template <class T>
QVector<T> FromArray(const T* values, int count) {
    QVector<T> list(count);
    std::copy(values, values + count, list.begin());
    return list;
}

// The transfer block hands out pointers to fixed counts; a list a document made shorter is grown
// with zero entries first so the caller never reads past it.
template <class T>
T* AtLeast(QVector<T>& list, int count) {
    if (list.size() < count) list.resize(count);
    return list.data();
}

MacroSetRef<MacroMap> Ref(MacroSet& set) {
    return {set.path, set.currMacro, set.macros};
}
ConstMacroSetRef<MacroMap> Ref(const MacroSet& set) {
    return {set.path, set.currMacro, set.macros};
}

}  // namespace

KR720ProfileCfgImpl::KR720ProfileCfgImpl(const StoreHost& host) : host_(host) {
    Load();
}

// ---- Load, defaults and lookups ----

void KR720ProfileCfgImpl::Load() {
    bool accepted = false;
    const auto read = [&](const QString& path) {
        KR720Document doc;
        const bool ok = ReadKR720File(host_, path, doc);
        accepted = Accepts(doc);
        records_ = std::move(doc.records);
        if (doc.rootSeen) {
            signature_ = doc.head.signature;
            exportPath_ = doc.head.exportPath;
            openExePath_ = doc.head.openExePath;
        }
        documentPath_ = path;
        return ok;
    };
    const auto accept = [&] { return accepted; };
    const LoadOutcome outcome =
        LoadNewestDocument(host_.ProfileDir(DeviceType::KR720), QStringLiteral("xml"), read, accept);
    if (outcome.accepted || (outcome.keep && records_.size() == kKR720Records)) return;
    BuildDefaults();
    exportPath_.clear();
    openExePath_.clear();
    documentPath_.clear();
}

void KR720ProfileCfgImpl::BuildDefaults() {
    records_.clear();
    for (int i = 0; i < kKR720Records; ++i) {
        KR720Profile p;
        p.id = static_cast<uint8_t>(i);
        p.name = "PROFILE" + std::to_string(i / kKR720AimModes);
        p.aimpad.mode.id = static_cast<uint8_t>(i % kKR720AimModes);
        p.aimpad.mode.name = aimModeNames_[i % kKR720AimModes];
        records_.push_back(std::move(p));
    }
}

KR720Profile* KR720ProfileCfgImpl::Record(uint32_t index) {
    return index < static_cast<uint32_t>(records_.size()) ? &records_[static_cast<int>(index)] : nullptr;
}

QVector<KR720Profile> KR720ProfileCfgImpl::CurrentProfileRecords() const {
    QVector<KR720Profile> copies;
    if (currProfile_ >= kKR720Profiles) return copies;
    for (int m = 0; m < kKR720AimModes; ++m) {
        const int index = currProfile_ * kKR720AimModes + m;
        if (index < records_.size()) copies.push_back(records_[index]);
    }
    return copies;
}

uint8_t KR720ProfileCfgImpl::GetCurrIndex() {
    return static_cast<uint8_t>(currProfile_ * kKR720AimModes + currAimMode_);
}

int8_t KR720ProfileCfgImpl::GetRecordIndex(uint8_t profile, uint8_t aimMode) {
    if (profile >= kKR720Profiles) return -1;
    return static_cast<int8_t>(profile * kKR720AimModes + aimMode);
}

bool KR720ProfileCfgImpl::GetProfileIndexes(uint8_t profile, QVector<uint8_t>& indexes) {
    if (profile >= kKR720Profiles) return false;
    indexes.clear();
    for (int m = 0; m < kKR720AimModes; ++m)
        indexes.push_back(static_cast<uint8_t>(profile * kKR720AimModes + m));
    return true;
}

// ---- Profile-wide values: the five records of a profile carry the same name and executable ----

void KR720ProfileCfgImpl::SetProfileExe(uint32_t profile, const std::string& exe) {
    if (profile >= kKR720Profiles) return;
    for (int m = 0; m < kKR720AimModes; ++m) {
        if (KR720Profile* p = Record(profile * kKR720AimModes + m)) p->exe = exe;
    }
}

const std::string& KR720ProfileCfgImpl::GetProfileExe(uint32_t profile) {
    KR720Profile* p = profile < kKR720Profiles ? Record(profile * kKR720AimModes) : nullptr;
    return p ? p->exe : EmptyString();
}

void KR720ProfileCfgImpl::SetProfileName(uint32_t profile, const std::string& name) {
    if (profile >= kKR720Profiles) return;
    for (int m = 0; m < kKR720AimModes; ++m) {
        if (KR720Profile* p = Record(profile * kKR720AimModes + m)) p->name = name;
    }
}

const std::string& KR720ProfileCfgImpl::GetProfileName(uint32_t profile) {
    KR720Profile* p = profile < kKR720Profiles ? Record(profile * kKR720AimModes) : nullptr;
    return p ? p->name : EmptyString();
}

// ---- Bulk transfer ----

void KR720ProfileCfgImpl::SetProfileBlock(uint32_t record, const KR720ProfileBlock& b) {
    KR720Profile* p = Record(record);
    if (!p) return;
    KR720Lighting& l = p->lighting;
    // Null pointers are skipped rather than trusted: a caller's missing buffer must not crash the suite.
    if (b.lightMode) l.currMode = *b.lightMode;
    if (b.general) l.general = FromArray(b.general, kKR720GeneralEffects);
    if (b.custom) l.custom = *b.custom;
    if (b.multilayer) l.multilayer = FromArray(b.multilayer, kKR720LayerEffects);
    if (b.multizone) l.multizone = FromArray(b.multizone, kKR720LayerEffects);
    if (b.filters) std::memcpy(l.filters, b.filters, kKR720FilterBytes);
    if (b.mapping) {
        p->mapping.resize(kKR720MappedKeys);
        std::memcpy(p->mapping.data(), b.mapping, kKR720MappedKeys * sizeof(uint16_t));
    }

    // The device's assignments replace the assigned macros; unassigned ones are the user's library.
    MacroSet& set = p->macros;
    set.currMacro.clear();
    for (auto it = set.macros.begin(); it != set.macros.end();) {
        it = it->second.assignments.isEmpty() ? std::next(it) : set.macros.erase(it);
    }
    for (const MacroRecord* source : b.macros) {
        if (!source) continue;
        MacroRecord macro;
        std::memcpy(&macro, source, sizeof(MacroRecord));
        if (macro.mode == kSkippedMacroMode) continue;
        MacroEntry& entry = ShortMacros::Access(set.macros, RecordName(macro));
        entry.record = macro;
        if (macro.key != 0) entry.assignments.push_back({macro.slot, macro.key});
    }

    AimMode& mode = p->aimpad.mode;
    if (b.specKeys) std::memcpy(mode.specKeys, b.specKeys, sizeof(mode.specKeys));
    if (b.sensitActuat) {
        uint16_t pair = 0;
        std::memcpy(&pair, b.sensitActuat, sizeof(pair));
        mode.sensit = static_cast<uint8_t>(pair & 0xFFu);
        mode.actuat = static_cast<uint8_t>(pair >> 8);
    }
}

bool KR720ProfileCfgImpl::GetProfileBlock(uint32_t record, KR720ProfileBlock& b) {
    KR720Profile* p = Record(record);
    if (!p) return false;
    KR720Lighting& l = p->lighting;
    b.lightMode = &l.currMode;
    b.general = AtLeast(l.general, kKR720GeneralEffects);
    b.custom = &l.custom;
    b.multilayer = AtLeast(l.multilayer, kKR720LayerEffects);
    b.multizone = AtLeast(l.multizone, kKR720LayerEffects);
    b.filters = &l.filters[0][0];
    b.mapping = AtLeast(p->mapping, kKR720MappedKeys);
    b.specKeys = p->aimpad.mode.specKeys;
    b.sensitActuat = reinterpret_cast<uint16_t*>(&p->aimpad.mode.sensit);

    // One buffer per assignment: the macro's record carrying that assignment in its first two bytes.
    int filled = 0;
    for (const auto& item : p->macros.macros) {
        for (const MacroAssignment& a : item.second.assignments) {
            if (filled == kKR720BlockMacros) return true;
            if (MacroRecord* target = b.macros[filled++]) {
                *target = item.second.record;
                target->slot = a.slot;
                target->key = static_cast<uint8_t>(a.key);
            }
        }
    }
    return true;
}

// ---- Change flags ----

void KR720ProfileCfgImpl::SetChanged(uint32_t record, uint8_t changed) {
    if (KR720Profile* p = Record(record)) p->changed = changed;
}

bool KR720ProfileCfgImpl::HasChanges() {
    return std::any_of(records_.cbegin(), records_.cend(),
                       [](const KR720Profile& p) { return p.changed != 0; });
}

uint8_t KR720ProfileCfgImpl::IsChanged(uint32_t record) {
    const KR720Profile* p = Record(record);
    return p ? p->changed : 0;
}

uint8_t KR720ProfileCfgImpl::IsProfileChanged(int32_t profile) {
    if (profile < 0 || profile >= kKR720Profiles) return 0;
    return IsChanged(static_cast<uint32_t>(profile * kKR720AimModes + currAimMode_));
}

uint8_t KR720ProfileCfgImpl::IsAimModeChanged(int32_t aimMode) {
    if (aimMode < 0 || aimMode >= kKR720AimModes) return 0;
    return IsChanged(static_cast<uint32_t>(currProfile_ * kKR720AimModes + aimMode));
}

void KR720ProfileCfgImpl::ClearChanged() {
    for (KR720Profile& p : records_) p.changed = 0;
}

// ---- Aim-mode settings ----

bool KR720ProfileCfgImpl::GetAimMode(uint32_t record, AimMode& mode) {
    const KR720Profile* p = Record(record);
    if (p) mode = p->aimpad.mode;
    return p != nullptr;
}

bool KR720ProfileCfgImpl::SetAimMode(uint32_t record, const AimMode& mode) {
    KR720Profile* p = Record(record);
    if (p) p->aimpad.mode = mode;
    return p != nullptr;
}

bool KR720ProfileCfgImpl::GetSpecKeys(uint32_t record, uint16_t* keys) {
    const KR720Profile* p = Record(record);
    if (p) std::copy_n(p->aimpad.mode.specKeys, kKR720SpecKeys, keys);
    return p != nullptr;
}

bool KR720ProfileCfgImpl::SetSpecKeys(uint32_t record, const uint16_t* keys) {
    KR720Profile* p = Record(record);
    if (p) std::copy_n(keys, kKR720SpecKeys, p->aimpad.mode.specKeys);
    return p != nullptr;
}

bool KR720ProfileCfgImpl::GetSensitActuat(uint32_t record, uint16_t& value) {
    const KR720Profile* p = Record(record);
    if (p) value = static_cast<uint16_t>(p->aimpad.mode.sensit + 256 * p->aimpad.mode.actuat);
    return p != nullptr;
}

bool KR720ProfileCfgImpl::SetSensitActuat(uint32_t record, uint16_t value) {
    KR720Profile* p = Record(record);
    if (!p) return false;
    p->aimpad.mode.sensit = static_cast<uint8_t>(value & 0xFFu);
    p->aimpad.mode.actuat = static_cast<uint8_t>(value >> 8);
    return true;
}

bool KR720ProfileCfgImpl::GetDigitalKeys(uint32_t record, DigitalKeyMap& keys) {
    const KR720Profile* p = Record(record);
    if (p) keys = p->aimpad.digitalKeys;
    return p != nullptr;
}

bool KR720ProfileCfgImpl::SetDigitalKeys(uint32_t record, const DigitalKeyMap& keys) {
    KR720Profile* p = Record(record);
    if (p) p->aimpad.digitalKeys = keys;
    return p != nullptr;
}

const std::string& KR720ProfileCfgImpl::GetAimModeName(uint32_t record) {
    const KR720Profile* p = Record(record);
    return p ? p->aimpad.mode.name : EmptyString();
}

bool KR720ProfileCfgImpl::SetAimModeName(uint32_t record, const std::string& name) {
    KR720Profile* p = Record(record);
    if (p) p->aimpad.mode.name = name;
    return p != nullptr;
}

void KR720ProfileCfgImpl::ResetAimModeName(uint32_t record) {
    if (KR720Profile* p = Record(record)) p->aimpad.mode.name = aimModeNames_[record % kKR720AimModes];
}

const std::string& KR720ProfileCfgImpl::GetAimpadPath(uint32_t record) {
    const KR720Profile* p = Record(record);
    return p ? p->aimpad.path : EmptyString();
}

void KR720ProfileCfgImpl::SetAimpadPath(uint32_t record, const std::string& path) {
    if (KR720Profile* p = Record(record)) p->aimpad.path = path;
}

// ---- Lighting ----

void KR720ProfileCfgImpl::SetLightMode(uint8_t record, uint8_t mode) {
    if (KR720Profile* p = Record(record)) p->lighting.currMode = mode;
}

int8_t KR720ProfileCfgImpl::GetLightMode(uint8_t record) {
    const KR720Profile* p = Record(record);
    return p ? static_cast<int8_t>(p->lighting.currMode) : -1;
}

// A position outside the list changes nothing, the light mode included.
void KR720ProfileCfgImpl::SetGeneralEffect(uint8_t record, uint8_t position, const LightEffect& effect) {
    KR720Profile* p = Record(record);
    if (!p || position >= p->lighting.general.size()) return;
    p->lighting.general[position] = effect;
    p->lighting.currMode = effect.id;
}

bool KR720ProfileCfgImpl::GetGeneralEffect(uint8_t record, uint8_t position, LightEffect& effect) {
    const KR720Profile* p = Record(record);
    if (!p || position >= p->lighting.general.size()) return false;
    effect = p->lighting.general[position];
    return true;
}

void KR720ProfileCfgImpl::SetGeneralEffects(uint8_t record, const QVector<LightEffect>& effects) {
    if (KR720Profile* p = Record(record)) p->lighting.general = effects;
}

bool KR720ProfileCfgImpl::GetGeneralEffects(uint8_t record, QVector<LightEffect>& effects) {
    const KR720Profile* p = Record(record);
    if (p) effects = p->lighting.general;
    return p != nullptr;
}

void KR720ProfileCfgImpl::SetCustomColors(uint8_t record, const KR720CustomBlock& colors) {
    KR720Profile* p = Record(record);
    if (!p) return;
    p->lighting.custom = colors;
    p->lighting.currMode = 4;
}

bool KR720ProfileCfgImpl::GetCustomColors(uint8_t record, KR720CustomBlock& colors) {
    const KR720Profile* p = Record(record);
    if (p) colors = p->lighting.custom;
    return p != nullptr;
}

void KR720ProfileCfgImpl::SetMultilayerCurrMode(uint8_t record, uint8_t mode) {
    if (KR720Profile* p = Record(record)) p->lighting.multilayerCurrMode = mode;
}

int8_t KR720ProfileCfgImpl::GetMultilayerCurrMode(uint8_t record) {
    const KR720Profile* p = Record(record);
    return p ? static_cast<int8_t>(p->lighting.multilayerCurrMode) : -1;
}

void KR720ProfileCfgImpl::SetMultilayerEffects(uint8_t record, const QVector<LightEffect>& effects) {
    KR720Profile* p = Record(record);
    if (!p) return;
    p->lighting.multilayer = effects;
    p->lighting.currMode = 19;
}

bool KR720ProfileCfgImpl::GetMultilayerEffects(uint8_t record, QVector<LightEffect>& effects) {
    const KR720Profile* p = Record(record);
    if (p) effects = p->lighting.multilayer;
    return p != nullptr;
}

bool KR720ProfileCfgImpl::GetCurrMultilayerEffect(uint8_t record, LightEffect& effect) {
    const KR720Profile* p = Record(record);
    if (!p || p->lighting.multilayerCurrMode >= p->lighting.multilayer.size()) return false;
    effect = p->lighting.multilayer[p->lighting.multilayerCurrMode];
    return true;
}

bool KR720ProfileCfgImpl::GetMultilayerIds(uint8_t record, uint8_t& currMode, QVector<uint8_t>& ids) {
    const KR720Profile* p = Record(record);
    if (!p) return false;
    currMode = p->lighting.multilayerCurrMode;
    ids.clear();
    for (const LightEffect& e : p->lighting.multilayer) ids.push_back(e.id);
    return true;
}

void KR720ProfileCfgImpl::SetMultizoneCurrMode(uint8_t record, uint8_t mode) {
    if (KR720Profile* p = Record(record)) p->lighting.multizoneCurrMode = mode;
}

int8_t KR720ProfileCfgImpl::GetMultizoneCurrMode(uint8_t record) {
    const KR720Profile* p = Record(record);
    return p ? static_cast<int8_t>(p->lighting.multizoneCurrMode) : -1;
}

void KR720ProfileCfgImpl::SetMultizone(uint8_t record, const QVector<LightEffect>& effects,
                                       const uint8_t* filters) {
    KR720Profile* p = Record(record);
    if (!p) return;
    p->lighting.multizone = effects;
    if (filters) std::memcpy(p->lighting.filters, filters, kKR720FilterBytes);
    p->lighting.currMode = 20;
}

bool KR720ProfileCfgImpl::GetMultizone(uint8_t record, QVector<LightEffect>& effects, uint8_t* filters) {
    const KR720Profile* p = Record(record);
    if (!p) return false;
    effects = p->lighting.multizone;
    if (filters) std::memcpy(filters, p->lighting.filters, kKR720FilterBytes);
    return true;
}

bool KR720ProfileCfgImpl::GetCurrMultizoneEffect(uint8_t record, LightEffect& effect) {
    const KR720Profile* p = Record(record);
    if (!p || p->lighting.multizoneCurrMode >= p->lighting.multizone.size()) return false;
    effect = p->lighting.multizone[p->lighting.multizoneCurrMode];
    return true;
}

bool KR720ProfileCfgImpl::GetMultizoneIds(uint8_t record, uint8_t& currMode, QVector<uint8_t>& ids) {
    const KR720Profile* p = Record(record);
    if (!p) return false;
    currMode = p->lighting.multizoneCurrMode;
    ids.clear();
    for (const LightEffect& e : p->lighting.multizone) ids.push_back(e.id);
    return true;
}

void KR720ProfileCfgImpl::SetCustomList(uint8_t record, int8_t which, const QVector<CustomColor>& colors) {
    if (KR720Profile* p = Record(record))
        (which == 0 ? p->lighting.foreground : p->lighting.background) = colors;
}

bool KR720ProfileCfgImpl::GetCustomList(uint8_t record, uint8_t which, QVector<CustomColor>& colors) {
    const KR720Profile* p = Record(record);
    if (p) colors = which == 0 ? p->lighting.foreground : p->lighting.background;
    return p != nullptr;
}

void KR720ProfileCfgImpl::ClearCustomEnables(uint8_t record) {
    KR720Profile* p = Record(record);
    if (!p) return;
    for (CustomColor& c : p->lighting.foreground) c.enable = 0;
    for (CustomColor& c : p->lighting.background) c.enable = 0;
}

// ---- Key mapping ----

void KR720ProfileCfgImpl::SetMapping(uint8_t record, const QVector<uint16_t>& mapping) {
    if (KR720Profile* p = Record(record)) p->mapping = mapping;
}

bool KR720ProfileCfgImpl::GetMapping(uint8_t record, QVector<uint16_t>& mapping) {
    const KR720Profile* p = Record(record);
    if (p) mapping = p->mapping;
    return p != nullptr;
}

void KR720ProfileCfgImpl::SetMappedKey(uint8_t record, uint16_t key, uint16_t value) {
    KR720Profile* p = Record(record);
    if (p && key < p->mapping.size()) p->mapping[key] = value;
}

uint16_t KR720ProfileCfgImpl::GetMappedKey(uint8_t record, uint16_t key) {
    const KR720Profile* p = Record(record);
    return p && key < p->mapping.size() ? p->mapping[key] : 65535;
}

// ---- Macros: forwarded to the shared macro model ----

bool KR720ProfileCfgImpl::GetMacroSet(uint32_t record, MacroMap& macros) {
    const KR720Profile* p = Record(record);
    if (p) macros = p->macros.macros;
    return p != nullptr;
}

void KR720ProfileCfgImpl::SetMacroSet(uint32_t record, const MacroMap& macros) {
    if (KR720Profile* p = Record(record)) p->macros.macros = macros;
}

const std::string& KR720ProfileCfgImpl::GetCurrMacro(uint32_t record) {
    const KR720Profile* p = Record(record);
    return p ? p->macros.currMacro : EmptyString();
}

void KR720ProfileCfgImpl::SetCurrMacro(uint32_t record, const std::string& name) {
    if (KR720Profile* p = Record(record)) p->macros.currMacro = name;
}

void KR720ProfileCfgImpl::SetMacroEntry(uint32_t record, const std::string& name, const MacroEntry& entry) {
    if (KR720Profile* p = Record(record)) ShortMacros::Access(p->macros.macros, name) = entry;
}

void KR720ProfileCfgImpl::AddMacro(uint32_t record, const std::string& name) {
    if (KR720Profile* p = Record(record)) ShortMacros::Add(p->macros.macros, name);
}

void KR720ProfileCfgImpl::DeleteMacro(uint32_t record, const std::string& name) {
    if (KR720Profile* p = Record(record)) ShortMacros::Delete(p->macros.macros, name);
}

void KR720ProfileCfgImpl::RenameMacro(uint32_t record, const std::string& oldName,
                                      const std::string& newName) {
    if (KR720Profile* p = Record(record)) ShortMacros::Rename(p->macros.macros, oldName, newName);
}

void KR720ProfileCfgImpl::GetMacroNames(uint32_t record, std::vector<std::string>& names) {
    if (const KR720Profile* p = Record(record)) ShortMacros::Names(p->macros.macros, names);
}

bool KR720ProfileCfgImpl::GetMacro(uint32_t record, const std::string& name, MacroRecord& macro) {
    KR720Profile* p = Record(record);
    if (p) macro = ShortMacros::Access(p->macros.macros, name).record;
    return p != nullptr;
}

void KR720ProfileCfgImpl::SetMacro(uint32_t record, const std::string& name, const MacroRecord& macro) {
    if (KR720Profile* p = Record(record)) ShortMacros::SetRecord(p->macros.macros, name, macro);
}

bool KR720ProfileCfgImpl::GetMacroAssignments(uint32_t record, const std::string& name,
                                              QVector<MacroAssignment>& assignments) {
    KR720Profile* p = Record(record);
    if (p) assignments = ShortMacros::Access(p->macros.macros, name).assignments;
    return p != nullptr;
}

bool KR720ProfileCfgImpl::GetMacroAssignedKeys(uint32_t record, const std::string& name,
                                               QVector<uint16_t>& keys) {
    KR720Profile* p = Record(record);
    if (!p) return false;
    keys.clear();
    for (const MacroAssignment& a : ShortMacros::Access(p->macros.macros, name).assignments)
        keys.push_back(a.key);
    return true;
}

void KR720ProfileCfgImpl::SetMacroAssignments(uint32_t record, const std::string& name,
                                              const QVector<MacroAssignment>& assignments) {
    if (KR720Profile* p = Record(record))
        ShortMacros::Access(p->macros.macros, name).assignments = assignments;
}

void KR720ProfileCfgImpl::AddMacroAssignment(uint32_t record, const std::string& name,
                                             const MacroAssignment& assignment) {
    if (KR720Profile* p = Record(record)) ShortMacros::AddItem(p->macros.macros, name, assignment);
}

void KR720ProfileCfgImpl::RemoveMacroAssignment(uint32_t record, const std::string& name,
                                                const MacroAssignment& assignment) {
    if (KR720Profile* p = Record(record)) ShortMacros::RemoveItem(p->macros.macros, name, assignment);
}

bool KR720ProfileCfgImpl::HasMacroAssignment(uint32_t record, const std::string& name) {
    KR720Profile* p = Record(record);
    return p && ShortMacros::HasItems(p->macros.macros, name);
}

void KR720ProfileCfgImpl::ClearAllMacroAssignments(uint32_t record) {
    if (KR720Profile* p = Record(record)) ShortMacros::ClearAllItems(p->macros.macros);
}

void KR720ProfileCfgImpl::ClearMacroAssignments(uint32_t record, const std::string& name) {
    if (KR720Profile* p = Record(record)) ShortMacros::ClearItems(p->macros.macros, name);
}

uint8_t KR720ProfileCfgImpl::GetMacroMode(uint32_t record, const std::string& name) {
    KR720Profile* p = Record(record);
    if (!CheckMacroModeCall(host_, kStore, "GetMacroMode", static_cast<int>(record), p != nullptr, name))
        return 0;
    return ShortMacros::Access(p->macros.macros, name).record.mode;
}

void KR720ProfileCfgImpl::SetMacroMode(uint32_t record, const std::string& name, uint8_t mode) {
    KR720Profile* p = Record(record);
    if (!CheckMacroModeCall(host_, kStore, "SetMacroMode", static_cast<int>(record), p != nullptr, name))
        return;
    ShortMacros::Access(p->macros.macros, name).record.mode = mode;
}

const std::string& KR720ProfileCfgImpl::GetMacroPath(uint32_t record) {
    const KR720Profile* p = Record(record);
    return p ? p->macros.path : EmptyString();
}

void KR720ProfileCfgImpl::SetMacroPath(uint32_t record, const std::string& path) {
    if (KR720Profile* p = Record(record)) p->macros.path = path;
}

// ---- Files at the user's paths ----

bool KR720ProfileCfgImpl::ImportMacroFile(const QString& path) {
    KR720Profile* p = Record(GetCurrIndex());
    return p && ShortMacros::ImportFile(host_, path, kRootName, Ref(p->macros));
}

bool KR720ProfileCfgImpl::ExportMacroFile(const QString& path) {
    const KR720Profile* p = Record(GetCurrIndex());
    return p && ShortMacros::ExportFile(host_, path, kRootName, Ref(p->macros));
}

bool KR720ProfileCfgImpl::ImportAimpadFile(const QString& path) {
    if (path.isEmpty()) return false;
    AimpadFile file;
    const bool read = ReadAimpadFile(host_, path, file);
    // An aim mode past the five would make the current record one of the next profile's.
    if (file.rootSeen && !ImportedSlotFits(host_, path, file.currMode, kKR720AimModes, kNoAimMode))
        return false;
    if (file.rootSeen) currAimMode_ = file.currMode;  // taken even when the rest of the file fails
    if (!read || currProfile_ >= kKR720Profiles) return false;
    for (int m = 0; m < kKR720AimModes; ++m) {
        if (KR720Profile* p = Record(currProfile_ * kKR720AimModes + m)) p->aimpad = file.modes[m];
    }
    return true;
}

bool KR720ProfileCfgImpl::ExportAimpadFile(const QString& path) {
    if (path.isEmpty()) return false;
    QVector<AimpadSettings> modes;
    for (const KR720Profile& p : CurrentProfileRecords()) modes.push_back(p.aimpad);
    return WriteXmlFile(host_, path, WriteMode::Atomic,
                        [&](QXmlStreamWriter& w) { WriteAimpadFile(w, currAimMode_, modes); });
}

bool KR720ProfileCfgImpl::ReadExport(const QString& path, KR720Document& doc) {
    const bool read = ReadKR720File(host_, path, doc);
    if (doc.rootSeen) {
        exportPath_ = doc.head.exportPath;
        openExePath_ = doc.head.openExePath;
    }
    return read;
}

bool KR720ProfileCfgImpl::ImportRecord(const QString& path) {
    if (path.isEmpty()) return false;
    KR720Profile* target = Record(GetCurrIndex());
    if (!target) return false;
    KR720Document doc;
    if (!ReadExport(path, doc) || doc.records.size() != 1 || doc.head.flag != kKR720RecordFlag) return false;
    *target = doc.records.front();
    return true;
}

bool KR720ProfileCfgImpl::ExportRecord(const QString& path) {
    if (path.isEmpty()) return false;
    const KR720Profile* p = Record(GetCurrIndex());
    return p && WriteKR720File(host_, path, WriteMode::Atomic, Head(kKR720RecordFlag), {*p});
}

bool KR720ProfileCfgImpl::ImportProfile(const QString& path) {
    if (path.isEmpty() || currProfile_ >= kKR720Profiles) return false;
    KR720Document doc;
    if (!ReadExport(path, doc) || doc.records.size() != kKR720AimModes ||
        doc.head.flag != kKR720ProfileFlag) {
        return false;
    }
    for (int m = 0; m < kKR720AimModes; ++m) {
        KR720Profile* p = Record(currProfile_ * kKR720AimModes + m);
        if (!p) continue;
        *p = doc.records[m];
        p->changed = 1;
    }
    return true;
}

bool KR720ProfileCfgImpl::ExportProfile(const QString& path) {
    if (path.isEmpty()) return false;
    return WriteKR720File(host_, path, WriteMode::Atomic, Head(kKR720ProfileFlag), CurrentProfileRecords());
}

// ---- Saving ----

bool KR720ProfileCfgImpl::SaveProfile() {
    return SaveProfileDocument(
        host_, host_.ProfileDir(DeviceType::KR720), QStringLiteral("xml"),
        [&](const QString& tmp) {
            return WriteKR720File(host_, tmp, WriteMode::Direct, Head(kKR720StoreFlag), records_);
        },
        &documentPath_);
}

// Rewrites the current document with the software-side fields of memory, keeping what the device
// side stored there. The rewrite goes through a temporary file, so a failed write keeps the old one.
bool KR720ProfileCfgImpl::SaveSoftwareSettings() {
    KR720Document stored;
    if (!ReadKR720File(host_, documentPath_, stored) || stored.records.size() != records_.size())
        return false;
    for (int i = 0; i < records_.size(); ++i) {
        const KR720Profile& mine = records_[i];
        KR720Profile& theirs = stored.records[i];
        theirs.name = mine.name;
        theirs.exe = mine.exe;
        theirs.aimpad.path = mine.aimpad.path;
        theirs.aimpad.mode.name = mine.aimpad.mode.name;
        theirs.lighting.foreground = mine.lighting.foreground;
        theirs.lighting.background = mine.lighting.background;
        theirs.macros = mine.macros;  // currMacro, path and the whole map
    }
    return WriteKR720File(host_, documentPath_, WriteMode::Atomic, Head(kKR720StoreFlag), stored.records);
}

}  // namespace prefbook
