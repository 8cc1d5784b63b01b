#include "devices/keypad/KeydeckProfileCfgImpl.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "profilecore/ImportedSlot.h"
#include "profilecore/ProfileFolder.h"

namespace prefbook {
namespace {

const QString kStore = QStringLiteral("KeydeckProfileCfg: ");
const std::string kEmpty;

QStringList DefaultAppPaths() {
    return QStringList{QString(), QString(), QString()};
}

// Gives an id back to the pool; an id already there is not added twice.
void ReturnId(QVector<uint8_t>& pool, uint8_t id) {
    if (!pool.contains(id)) pool.push_back(id);
}

void ReturnIds(QVector<uint8_t>& pool, const KeydeckSlotMap& assigned) {
    for (uint8_t id : assigned) ReturnId(pool, id);
}

void ClaimIds(QVector<uint8_t>& pool, const KeydeckSlotMap& assigned) {
    for (uint8_t id : assigned) pool.removeAll(id);
}

MacroSetRef<KeydeckMacroTable> Ref(KeydeckMacroSet& set) {
    return {set.path, set.currMacro, set.macros};
}

ConstMacroSetRef<KeydeckMacroTable> Ref(const KeydeckMacroSet& set) {
    return {set.path, set.currMacro, set.macros};
}

}  // namespace

KeydeckProfileCfgImpl::KeydeckProfileCfgImpl(const StoreHost& host)
    : host_(host), appPaths_(DefaultAppPaths()) {
    for (int type : {19, 20}) variants_[type] = KeydeckVariant{};
    for (int type : {19, 20}) Load(type);
}

// ---- Variants and profiles ----

KeydeckVariant* KeydeckProfileCfgImpl::VariantOf(int type) {
    const auto found = variants_.find(type);
    return found == variants_.end() ? nullptr : &found->second;
}

const KeydeckVariant* KeydeckProfileCfgImpl::Variant(int type) const {
    const auto found = variants_.find(type);
    return found == variants_.end() ? nullptr : &found->second;
}

KeydeckProfile* KeydeckProfileCfgImpl::Profile(int type, int idx) {
    KeydeckVariant* v = VariantOf(type);
    return v && idx >= 0 && idx < v->profiles.size() ? &v->profiles[idx] : nullptr;
}

void KeydeckProfileCfgImpl::ResetVariant(KeydeckVariant& v) {
    v.profiles.clear();
    for (int n = 0; n < kKeydeckProfileCount; ++n) v.profiles.push_back(DefaultKeydeckProfile(n));
    v.exportPath.clear();
    v.openExePath.clear();
    v.documentPath.clear();
}

// Every attempted document leaves its current profile id and paths behind; only a document read
// without error that holds 24 profiles is kept, whatever its flag says, as the suite always did.
// The application paths are shared: a variant that falls back to its defaults clears them only when
// the other variant has not loaded its own, else it restores the ones that variant loaded.
void KeydeckProfileCfgImpl::Load(int type) {
    KeydeckVariant& v = variants_[type];
    const QStringList before = AppPathsLocked();
    bool accepted = false;
    const auto read = [&](const QString& path) {
        v.documentPath = path;
        KeydeckDocument doc;
        doc.exportPath = v.exportPath;
        doc.openExePath = v.openExePath;
        doc.appPaths = AppPathsLocked();
        const bool ok = ReadKeydeckFile(host_, path, doc);
        accepted = Accepts(doc);
        v.currentProfileId = doc.currentProfileId;
        v.exportPath = doc.exportPath;
        v.openExePath = doc.openExePath;
        v.profiles = std::move(doc.profiles);
        SetAppPathsLocked(doc.appPaths);
        return ok;
    };
    const auto accept = [&] { return accepted; };
    const LoadOutcome outcome =
        LoadNewestDocument(host_.ProfileDir(type), QStringLiteral("xml"), read, accept);
    if (outcome.accepted || (outcome.keep && v.profiles.size() == kKeydeckProfileCount)) return;
    ResetVariant(v);
    const bool otherLoaded = std::any_of(variants_.begin(), variants_.end(), [&](const auto& item) {
        return item.first != type && !item.second.documentPath.isEmpty();
    });
    SetAppPathsLocked(otherLoaded ? before : DefaultAppPaths());
}

int KeydeckProfileCfgImpl::GetProfileNum(int type) {
    const KeydeckVariant* v = VariantOf(type);
    return v ? v->profiles.size() : 0;
}

int KeydeckProfileCfgImpl::GetCurrentProfileId(int type) {
    const KeydeckVariant* v = VariantOf(type);
    return v ? v->currentProfileId : 0;
}

void KeydeckProfileCfgImpl::SetCurrentProfileId(int type, int id) {
    if (KeydeckVariant* v = VariantOf(type)) v->currentProfileId = id;
}

uint8_t KeydeckProfileCfgImpl::GetCurrentProfileChanged(int type) {
    const KeydeckVariant* v = VariantOf(type);
    return v ? v->currentProfileChanged : 0;
}

void KeydeckProfileCfgImpl::SetCurrentProfileChanged(int type, uint8_t changed) {
    if (KeydeckVariant* v = VariantOf(type)) v->currentProfileChanged = changed;
}

void KeydeckProfileCfgImpl::SetExportPath(int type, const QString& path) {
    if (KeydeckVariant* v = VariantOf(type)) v->exportPath = path;
}

const QString& KeydeckProfileCfgImpl::GetExportPath(int type) {
    const KeydeckVariant* v = VariantOf(type);
    return v ? v->exportPath : emptyPath_;
}

void KeydeckProfileCfgImpl::SetOpenExePath(int type, const QString& path) {
    if (KeydeckVariant* v = VariantOf(type)) v->openExePath = path;
}

const QString& KeydeckProfileCfgImpl::GetOpenExePath(int type) {
    const KeydeckVariant* v = VariantOf(type);
    return v ? v->openExePath : emptyPath_;
}

void KeydeckProfileCfgImpl::SetProfileExe(int type, int idx, const std::string& exe) {
    if (KeydeckProfile* p = Profile(type, idx)) p->exe = exe;
}

const std::string& KeydeckProfileCfgImpl::GetProfileExe(int type, int idx) {
    const KeydeckProfile* p = Profile(type, idx);
    return p ? p->exe : kEmpty;
}

void KeydeckProfileCfgImpl::SetProfileName(int type, int idx, const std::string& name) {
    if (KeydeckProfile* p = Profile(type, idx)) p->name = name;
}

const std::string& KeydeckProfileCfgImpl::GetProfileName(int type, int idx) {
    const KeydeckProfile* p = Profile(type, idx);
    return p ? p->name : kEmpty;
}

void KeydeckProfileCfgImpl::SetIndicator(int type, int idx, const uint8_t* colors) {
    if (KeydeckProfile* p = Profile(type, idx)) std::memcpy(p->indicator, colors, kKeydeckIndicatorBytes);
}

bool KeydeckProfileCfgImpl::GetIndicator(int type, int idx, uint8_t* colors) {
    const KeydeckProfile* p = Profile(type, idx);
    if (!p) return false;
    std::memcpy(colors, p->indicator, kKeydeckIndicatorBytes);
    return true;
}

// ---- Values generated from the tables of the header ----

#define PREFBOOK_KEYDECK_VALUE_DEF(Name, T, field, fallback)            \
    void KeydeckProfileCfgImpl::Set##Name(int type, int idx, T value) { \
        if (KeydeckProfile* p = Profile(type, idx)) p->field = value;   \
    }                                                                   \
    T KeydeckProfileCfgImpl::Get##Name(int type, int idx) {             \
        const KeydeckProfile* p = Profile(type, idx);                   \
        return p ? p->field : T(fallback);                              \
    }
PREFBOOK_KEYDECK_VALUES(PREFBOOK_KEYDECK_VALUE_DEF)
#undef PREFBOOK_KEYDECK_VALUE_DEF

#define PREFBOOK_KEYDECK_SEQUENCE_DEF(Name, T, value)                       \
    void KeydeckProfileCfgImpl::Set##Name(int type, int idx, const T& in) { \
        if (KeydeckProfile* p = Profile(type, idx)) value = in;             \
    }                                                                       \
    bool KeydeckProfileCfgImpl::Get##Name(int type, int idx, T& out) {      \
        KeydeckProfile* p = Profile(type, idx);                             \
        if (!p) {                                                           \
            out = T{};                                                      \
            return false;                                                   \
        }                                                                   \
        out = value;                                                        \
        return true;                                                        \
    }
PREFBOOK_KEYDECK_SEQUENCES(PREFBOOK_KEYDECK_SEQUENCE_DEF)
#undef PREFBOOK_KEYDECK_SEQUENCE_DEF

#define PREFBOOK_KEYDECK_ELEMENT_DEF(Name, T, field)                                  \
    void KeydeckProfileCfgImpl::Set##Name(int type, int idx, int n, const T& value) { \
        KeydeckProfile* p = Profile(type, idx);                                       \
        if (p && n >= 0 && n < p->field.size()) p->field[n] = value;                  \
    }                                                                                 \
    bool KeydeckProfileCfgImpl::Get##Name(int type, int idx, int n, T& value) {       \
        const KeydeckProfile* p = Profile(type, idx);                                 \
        if (!p || n < 0 || n >= p->field.size()) return false;                        \
        value = p->field[n];                                                          \
        return true;                                                                  \
    }
PREFBOOK_KEYDECK_ELEMENTS(PREFBOOK_KEYDECK_ELEMENT_DEF)
#undef PREFBOOK_KEYDECK_ELEMENT_DEF

// ---- Marks kept in memory only ----

void KeydeckProfileCfgImpl::SetFlagB(int type, int idx, uint8_t flag) {
    if (KeydeckProfile* p = Profile(type, idx)) {
        p->flagB = flag;
        if (idx < kKeydeckProfileCount) VariantOf(type)->slotFlags[idx] = flag;
    }
}

uint8_t KeydeckProfileCfgImpl::GetFlagB(int type, int idx) {
    const KeydeckProfile* p = Profile(type, idx);
    return p ? p->flagB : 0;
}

bool KeydeckProfileCfgImpl::HasFlagB(int type) {
    const KeydeckVariant* v = VariantOf(type);
    return v && std::any_of(v->profiles.begin(), v->profiles.end(),
                            [](const KeydeckProfile& p) { return p.flagB != 0; });
}

uint8_t KeydeckProfileCfgImpl::GetSlotFlag(int type, int idx) {
    const KeydeckVariant* v = VariantOf(type);
    return v && idx >= 0 && idx < kKeydeckProfileCount ? v->slotFlags[idx] : 0;
}

void KeydeckProfileCfgImpl::ClearFlagB(int type) {
    if (KeydeckVariant* v = VariantOf(type)) {
        for (KeydeckProfile& p : v->profiles) p.flagB = 0;
    }
}

void KeydeckProfileCfgImpl::FillSlotFlags(int type, uint8_t flag) {
    if (KeydeckVariant* v = VariantOf(type)) v->slotFlags.fill(flag);
}

void KeydeckProfileCfgImpl::SetFlagA(int type, int idx) {
    if (KeydeckProfile* p = Profile(type, idx)) p->flagA = 1;
}

uint8_t KeydeckProfileCfgImpl::GetFlagA(int type, int idx) {
    const KeydeckProfile* p = Profile(type, idx);
    return p ? p->flagA : 0;
}

void KeydeckProfileCfgImpl::ClearFlagA(int type) {
    if (KeydeckVariant* v = VariantOf(type)) {
        for (KeydeckProfile& p : v->profiles) p.flagA = 0;
    }
}

// ---- The macro id pool ----

uint8_t KeydeckProfileCfgImpl::TakeFreeMacroId(int type, int idx) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p || p->freeMacroIds.isEmpty()) return kKeydeckNoMacroId;
    return p->freeMacroIds.takeFirst();
}

bool KeydeckProfileCfgImpl::HasFreeMacroId(int type, int idx) {
    const KeydeckProfile* p = Profile(type, idx);
    return p && !p->freeMacroIds.isEmpty();
}

// Advanced keys are left out: the suite hands their ids out from another range.
void ClaimUsedMacroIdsOf(KeydeckProfile& p) {
    for (const auto& item : p.macros.macros) ClaimIds(p.freeMacroIds, item.second.assignments);
    for (const auto& k : p.mapping.simpleKeys) p.freeMacroIds.removeAll(k.second.macro.slot);
    for (const auto& k : p.mapping.shortcutKeys) p.freeMacroIds.removeAll(k.second.macroId);
    for (const auto& k : p.mapping.specialKeys) p.freeMacroIds.removeAll(k.second.macoId);
}

void KeydeckProfileCfgImpl::ClaimUsedMacroIds(int type, int idx) {
    if (KeydeckProfile* p = Profile(type, idx)) ClaimUsedMacroIdsOf(*p);
}

void KeydeckProfileCfgImpl::ResetFreeMacroIds(int type, int idx) {
    if (KeydeckProfile* p = Profile(type, idx)) p->freeMacroIds = FullKeydeckMacroIdPool();
}

// ---- Lighting ----

void KeydeckProfileCfgImpl::SetCustomLighting(int type, int idx, const KeydeckLightEffect& effect,
                                              const uint8_t* colors) {
    constexpr int kCustomEffect = 4;
    KeydeckProfile* p = Profile(type, idx);
    if (!p) return;
    if (p->lighting.effects.size() > kCustomEffect) p->lighting.effects[kCustomEffect] = effect;
    std::memcpy(p->lighting.customColors, colors, kKeydeckCustomColorBytes);
    p->lighting.currMode = kCustomEffect;
}

void KeydeckProfileCfgImpl::SetCustomColors(int type, int idx, const uint8_t* colors) {
    if (KeydeckProfile* p = Profile(type, idx))
        std::memcpy(p->lighting.customColors, colors, kKeydeckCustomColorBytes);
}

bool KeydeckProfileCfgImpl::GetCustomLighting(int type, int idx, KeydeckLightEffect& effect,
                                              uint8_t* colors) {
    constexpr int kCustomEffect = 4;
    const KeydeckProfile* p = Profile(type, idx);
    if (!p || p->lighting.effects.size() <= kCustomEffect) return false;
    effect = p->lighting.effects[kCustomEffect];
    std::memcpy(colors, p->lighting.customColors, kKeydeckCustomColorBytes);
    return true;
}

bool KeydeckProfileCfgImpl::GetCustomColors(int type, int idx, uint8_t* colors) {
    const KeydeckProfile* p = Profile(type, idx);
    if (!p) return false;
    std::memcpy(colors, p->lighting.customColors, kKeydeckCustomColorBytes);
    return true;
}

void KeydeckProfileCfgImpl::SetLayerColors(int type, int idx, int which, const QVector<CustomColor>& colors) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p || which < 0 || which > 1) return;
    (which == 0 ? p->lighting.foreground : p->lighting.background) = colors;
}

bool KeydeckProfileCfgImpl::GetLayerColors(int type, int idx, int which, QVector<CustomColor>& colors) {
    const KeydeckProfile* p = Profile(type, idx);
    colors.clear();
    if (!p || which < 0 || which > 1) return false;
    colors = which == 0 ? p->lighting.foreground : p->lighting.background;
    return true;
}

void KeydeckProfileCfgImpl::ClearCustomEnables(int type, int idx) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p) return;
    for (CustomColor& c : p->lighting.foreground) c.enable = 0;
    for (CustomColor& c : p->lighting.background) c.enable = 0;
}

// ---- Key assignments ----

template <class Map>
bool KeydeckProfileCfgImpl::AssignKey(Map KeydeckMapping::*field, int type, int idx, int key,
                                      const typename Map::mapped_type& entry) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p || key < 0 || p->freeMacroIds.isEmpty()) return false;
    typename Map::mapped_type copy = entry;
    MacroIdOf(copy) = p->freeMacroIds.takeFirst();
    (p->mapping.*field)[key] = copy;
    return true;
}

template <class Map>
void KeydeckProfileCfgImpl::DeleteKey(Map KeydeckMapping::*field, int type, int idx, int key) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p) return;
    Map& keys = p->mapping.*field;
    const auto found = keys.find(key);
    if (found == keys.end()) return;
    ReturnId(p->freeMacroIds, MacroIdOf(found->second));
    keys.erase(found);
}

template <class Map>
void KeydeckProfileCfgImpl::ClearKeys(Map KeydeckMapping::*field, int type, int idx) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p) return;
    for (auto& item : p->mapping.*field) ReturnId(p->freeMacroIds, MacroIdOf(item.second));
    (p->mapping.*field).clear();
}

template <class Map>
bool KeydeckProfileCfgImpl::GetKey(Map KeydeckMapping::*field, int type, int idx, int key,
                                   typename Map::mapped_type& entry) {
    const KeydeckProfile* p = Profile(type, idx);
    if (!p) return false;
    const Map& keys = p->mapping.*field;
    const auto found = keys.find(key);
    if (found == keys.end()) return false;
    entry = found->second;
    return true;
}

#define PREFBOOK_KEYDECK_KEY_DEF(Kind, Record, Map, field)                                           \
    bool KeydeckProfileCfgImpl::Assign##Kind##Key(int type, int idx, int key, const Record& entry) { \
        return AssignKey(&KeydeckMapping::field, type, idx, key, entry);                             \
    }                                                                                                \
    void KeydeckProfileCfgImpl::Delete##Kind##Key(int type, int idx, int key) {                      \
        DeleteKey(&KeydeckMapping::field, type, idx, key);                                           \
    }                                                                                                \
    void KeydeckProfileCfgImpl::Set##Kind##Key(int type, int idx, int key, const Record& entry) {    \
        if (KeydeckProfile* p = Profile(type, idx)) p->mapping.field[key] = entry;                   \
    }                                                                                                \
    bool KeydeckProfileCfgImpl::Get##Kind##Key(int type, int idx, int key, Record& entry) {          \
        return GetKey(&KeydeckMapping::field, type, idx, key, entry);                                \
    }                                                                                                \
    void KeydeckProfileCfgImpl::Set##Kind##Keys(int type, int idx, const Map& keys) {                \
        if (KeydeckProfile* p = Profile(type, idx)) p->mapping.field = keys;                         \
    }                                                                                                \
    bool KeydeckProfileCfgImpl::Get##Kind##Keys(int type, int idx, Map& keys) {                      \
        const KeydeckProfile* p = Profile(type, idx);                                                \
        keys = p ? p->mapping.field : Map{};                                                         \
        return p != nullptr;                                                                         \
    }
PREFBOOK_KEYDECK_KEY_GROUPS(PREFBOOK_KEYDECK_KEY_DEF)
#undef PREFBOOK_KEYDECK_KEY_DEF

void KeydeckProfileCfgImpl::ClearSimpleKeys(int type, int idx) {
    ClearKeys(&KeydeckMapping::simpleKeys, type, idx);
}

void KeydeckProfileCfgImpl::ClearAdvancedKeys(int type, int idx) {
    ClearKeys(&KeydeckMapping::advancedKeys, type, idx);
}

// The maps are emptied without giving their ids back: the suite resets the pool itself afterwards.
void KeydeckProfileCfgImpl::ResetMapping(int type, int idx) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p) return;
    KeydeckMapping& m = p->mapping;
    m.currMode = 0;
    m.currInput = 0;
    m.simpleKeys.clear();
    m.advancedKeys.clear();
    m.shortcutKeys.clear();
    m.specialKeys.clear();
}

// ---- Macros ----

int KeydeckProfileCfgImpl::GetMacroNum(int type, int idx) {
    const KeydeckProfile* p = Profile(type, idx);
    return p ? static_cast<int>(p->macros.macros.size()) : 0;
}

bool KeydeckProfileCfgImpl::GetMacroSet(int type, int idx, KeydeckMacroTable& macros) {
    const KeydeckProfile* p = Profile(type, idx);
    macros = p ? p->macros.macros : KeydeckMacroTable{};
    return p != nullptr;
}

void KeydeckProfileCfgImpl::SetMacroSet(int type, int idx, const KeydeckMacroTable& macros) {
    if (KeydeckProfile* p = Profile(type, idx)) p->macros.macros = macros;
}

const std::string& KeydeckProfileCfgImpl::GetCurrMacro(int type, int idx) {
    const KeydeckProfile* p = Profile(type, idx);
    return p ? p->macros.currMacro : kEmpty;
}

void KeydeckProfileCfgImpl::SetCurrMacro(int type, int idx, const std::string& name) {
    if (KeydeckProfile* p = Profile(type, idx)) p->macros.currMacro = name;
}

void KeydeckProfileCfgImpl::SetMacroEntry(int type, int idx, const std::string& name,
                                          const KeydeckMacroEntry& entry) {
    if (KeydeckProfile* p = Profile(type, idx)) KeydeckMacros::Access(p->macros.macros, name) = entry;
}

void KeydeckProfileCfgImpl::AddMacro(int type, int idx, const std::string& name) {
    if (KeydeckProfile* p = Profile(type, idx)) KeydeckMacros::Add(p->macros.macros, name);
}

void KeydeckProfileCfgImpl::DeleteMacro(int type, int idx, const std::string& name) {
    if (KeydeckProfile* p = Profile(type, idx)) KeydeckMacros::Delete(p->macros.macros, name);
}

// An empty new name would store a macro the document cannot carry, so nothing is copied then; the old
// name is deleted either way, as the suite expects.
void KeydeckProfileCfgImpl::RenameMacro(int type, int idx, const std::string& oldName,
                                        const std::string& newName) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p || oldName == newName) return;
    if (!newName.empty()) {
        KeydeckMacroEntry copy = KeydeckMacros::Access(p->macros.macros, oldName);
        KeydeckMacros::Access(p->macros.macros, newName) = std::move(copy);
    }
    DeleteMacro(type, idx, oldName);
}

void KeydeckProfileCfgImpl::GetMacroNames(int type, int idx, std::vector<std::string>& names) {
    names.clear();
    if (const KeydeckProfile* p = Profile(type, idx)) KeydeckMacros::Names(p->macros.macros, names);
}

bool KeydeckProfileCfgImpl::GetMacro(int type, int idx, const std::string& name, KeydeckMacroRecord& record) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p) return false;
    record = KeydeckMacros::Access(p->macros.macros, name).record;
    return true;
}

void KeydeckProfileCfgImpl::SetMacro(int type, int idx, const std::string& name,
                                     const KeydeckMacroRecord& record) {
    if (KeydeckProfile* p = Profile(type, idx)) KeydeckMacros::SetRecord(p->macros.macros, name, record);
}

bool KeydeckProfileCfgImpl::GetMacroAssignments(int type, int idx, const std::string& name,
                                                KeydeckSlotMap& assigned) {
    assigned.clear();
    const KeydeckProfile* p = Profile(type, idx);
    const KeydeckMacroEntry* entry = p && !name.empty() ? p->macros.macros.Find(name) : nullptr;
    if (!entry) return false;
    assigned = entry->assignments;
    return true;
}

void KeydeckProfileCfgImpl::SetMacroAssignments(int type, int idx, const std::string& name,
                                                const KeydeckSlotMap& assigned) {
    if (KeydeckProfile* p = Profile(type, idx))
        KeydeckMacros::Access(p->macros.macros, name).assignments = assigned;
}

bool KeydeckProfileCfgImpl::AddMacroAssignment(int type, int idx, const std::string& name, uint8_t slot) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p || p->freeMacroIds.isEmpty()) return false;
    KeydeckMacros::Access(p->macros.macros, name).assignments[slot] = p->freeMacroIds.takeFirst();
    return true;
}

void KeydeckProfileCfgImpl::SetMacroAssignmentId(int type, int idx, const std::string& name, uint8_t slot,
                                                 uint8_t id) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p || name.empty()) return;
    KeydeckSlotMap& assigned = KeydeckMacros::Access(p->macros.macros, name).assignments;
    if (assigned.contains(slot)) assigned[slot] = id;
}

// Slots from 28 on belong to keys that are not pad keys and are left to their own operations.
void KeydeckProfileCfgImpl::RemoveSlotAssignment(int type, int idx, uint8_t slot) {
    constexpr uint8_t kPadSlots = 28;
    KeydeckProfile* p = Profile(type, idx);
    if (!p || slot >= kPadSlots) return;
    for (auto& item : p->macros.macros) {
        KeydeckSlotMap& assigned = item.second.assignments;
        if (!assigned.contains(slot)) continue;
        ReturnId(p->freeMacroIds, assigned.take(slot));
        return;
    }
}

void KeydeckProfileCfgImpl::RemoveMacroAssignment(int type, int idx, const std::string& name, uint8_t slot) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p) return;
    KeydeckSlotMap& assigned = KeydeckMacros::Access(p->macros.macros, name).assignments;
    if (assigned.contains(slot)) ReturnId(p->freeMacroIds, assigned.take(slot));
}

bool KeydeckProfileCfgImpl::HasMacroAssignment(int type, int idx, const std::string& name) {
    const KeydeckProfile* p = Profile(type, idx);
    const KeydeckMacroEntry* entry = p && !name.empty() ? p->macros.macros.Find(name) : nullptr;
    return entry && !entry->assignments.isEmpty();
}

void KeydeckProfileCfgImpl::ClearAllMacroAssignments(int type, int idx) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p) return;
    std::vector<std::string> names;
    KeydeckMacros::Names(p->macros.macros, names);
    for (const std::string& name : names) ClearMacroAssignments(type, idx, name);
}

void KeydeckProfileCfgImpl::ClearMacroAssignments(int type, int idx, const std::string& name) {
    KeydeckProfile* p = Profile(type, idx);
    if (!p) return;
    KeydeckSlotMap& assigned = KeydeckMacros::Access(p->macros.macros, name).assignments;
    ReturnIds(p->freeMacroIds, assigned);
    assigned.clear();
}

uint8_t KeydeckProfileCfgImpl::GetMacroMode(int type, int idx, const std::string& name) {
    KeydeckProfile* p = Profile(type, idx);
    if (!CheckMacroModeCall(host_, kStore, "GetMacroMode", idx, p != nullptr, name)) return 0;
    return KeydeckMacros::Access(p->macros.macros, name).record.mode;
}

void KeydeckProfileCfgImpl::SetMacroMode(int type, int idx, const std::string& name, uint8_t mode) {
    KeydeckProfile* p = Profile(type, idx);
    if (!CheckMacroModeCall(host_, kStore, "SetMacroMode", idx, p != nullptr, name)) return;
    KeydeckMacros::Access(p->macros.macros, name).record.mode = mode;
}

const std::string& KeydeckProfileCfgImpl::GetMacroPath(int type, int idx) {
    const KeydeckProfile* p = Profile(type, idx);
    return p ? p->macros.path : kEmpty;
}

void KeydeckProfileCfgImpl::SetMacroPath(int type, int idx, const std::string& path) {
    if (KeydeckProfile* p = Profile(type, idx)) p->macros.path = path;
}

// ---- Application paths: the one state several threads reach ----

QStringList KeydeckProfileCfgImpl::AppPathsLocked() {
    const std::lock_guard<std::mutex> lock(appPathsLock_);
    return appPaths_;
}

void KeydeckProfileCfgImpl::SetAppPathsLocked(const QStringList& paths) {
    const std::lock_guard<std::mutex> lock(appPathsLock_);
    appPaths_ = paths;
}

void KeydeckProfileCfgImpl::GetAppPath(int index, QString& path) {
    const std::lock_guard<std::mutex> lock(appPathsLock_);
    path.clear();
    if (index >= 0 && index < appPaths_.size()) path = appPaths_[index];
}

void KeydeckProfileCfgImpl::GetAppPaths(QStringList& paths) {
    const std::lock_guard<std::mutex> lock(appPathsLock_);
    paths = appPaths_;
}

void KeydeckProfileCfgImpl::SetAppPath(int index, const QString& path) {
    const std::lock_guard<std::mutex> lock(appPathsLock_);
    if (index >= 0 && index < appPaths_.size()) appPaths_[index] = path;
}

void KeydeckProfileCfgImpl::SetAppPaths(const QStringList& paths) {
    const std::lock_guard<std::mutex> lock(appPathsLock_);
    appPaths_ = paths;
}

// Takes the lock too, although callers never write the list while asking: a racing writer would
// otherwise be a data race on the list.
bool KeydeckProfileCfgImpl::IsAppPathValid(int index) {
    QString path;
    GetAppPath(index, path);
    return !path.isEmpty() && QFileInfo::exists(path);
}

// ---- Documents ----

KeydeckDocument KeydeckProfileCfgImpl::Document(int type, uint16_t flag,
                                                const QVector<KeydeckProfile>& profiles) {
    const KeydeckVariant& v = *VariantOf(type);
    KeydeckDocument doc;
    doc.flag = flag;
    doc.exportPath = v.exportPath;
    doc.openExePath = v.openExePath;
    doc.currentProfileId = static_cast<uint16_t>(v.currentProfileId);
    doc.appPaths = AppPathsLocked();
    doc.profiles = profiles;
    return doc;
}

bool KeydeckProfileCfgImpl::CreateDefaultFile(int type, const QString& path) {
    if (!VariantOf(type) || path.isEmpty()) return false;
    KeydeckDocument doc;
    doc.flag = kKeydeckStoreFlag;
    doc.appPaths = DefaultAppPaths();
    for (int n = 0; n < kKeydeckProfileCount; ++n) doc.profiles.push_back(DefaultKeydeckProfile(n));
    return WriteKeydeckFile(host_, path, WriteMode::Atomic, KeydeckRootName(type), doc);
}

bool KeydeckProfileCfgImpl::ReadImport(int type, const QString& path, KeydeckDocument& doc) {
    KeydeckVariant& v = *VariantOf(type);
    doc.exportPath = v.exportPath;
    doc.openExePath = v.openExePath;
    doc.appPaths = AppPathsLocked();
    const bool read = ReadKeydeckFile(host_, path, doc);
    v.exportPath = doc.exportPath;
    v.openExePath = doc.openExePath;
    SetAppPathsLocked(doc.appPaths);
    return read;
}

bool KeydeckProfileCfgImpl::ImportProfile(int type, const QString& path) {
    if (!VariantOf(type) || path.isEmpty()) return false;
    KeydeckDocument doc;
    // The id names the slot the profile came from and goes to, which must be one of the variant's.
    if (!ReadImport(type, path, doc) || doc.profiles.size() != 1 || doc.flag != kKeydeckExportFlag ||
        !ImportedSlotFits(host_, path, doc.profiles.front().id, kKeydeckProfileCount))
        return false;
    KeydeckVariant& v = *VariantOf(type);
    const KeydeckProfile& imported = doc.profiles.front();
    v.currentProfileId = imported.id;
    v.profiles[imported.id] = imported;
    return true;
}

bool KeydeckProfileCfgImpl::ExportProfile(int type, const QString& path) {
    KeydeckVariant* v = VariantOf(type);
    if (!v || path.isEmpty()) return false;
    const KeydeckProfile* p = Profile(type, v->currentProfileId);
    if (!p) return false;
    return WriteKeydeckFile(host_, path, WriteMode::Atomic, KeydeckRootName(type),
                            Document(type, kKeydeckExportFlag, {*p}));
}

bool KeydeckProfileCfgImpl::ImportAllProfiles(int type, const QString& path) {
    if (!VariantOf(type) || path.isEmpty()) return false;
    KeydeckDocument doc;
    if (!ReadImport(type, path, doc) || doc.profiles.size() != kKeydeckProfileCount ||
        doc.flag != kKeydeckStoreFlag ||
        !ImportedSlotFits(host_, path, doc.currentProfileId, kKeydeckProfileCount))
        return false;
    KeydeckVariant& v = *VariantOf(type);
    v.currentProfileChanged = doc.currentProfileId != v.currentProfileId ? 1 : 0;
    v.currentProfileId = doc.currentProfileId;
    v.profiles = std::move(doc.profiles);
    return true;
}

bool KeydeckProfileCfgImpl::ExportAllProfiles(int type, const QString& path) {
    KeydeckVariant* v = VariantOf(type);
    if (!v || path.isEmpty()) return false;
    return WriteKeydeckFile(host_, path, WriteMode::Atomic, KeydeckRootName(type),
                            Document(type, kKeydeckStoreFlag, v->profiles));
}

// The profile's pool is first given back every id its macros hold and, once the file is merged, the
// ids the macros now hold are taken out again, so no id is both free and assigned.
bool KeydeckProfileCfgImpl::ImportMacroFile(int type, const QString& path) {
    KeydeckVariant* v = VariantOf(type);
    KeydeckProfile* p = v ? Profile(type, v->currentProfileId) : nullptr;
    if (!p || path.isEmpty()) return false;
    for (const auto& item : p->macros.macros) ReturnIds(p->freeMacroIds, item.second.assignments);
    const bool ok = KeydeckMacros::ImportFile(host_, path, KeydeckRootName(type), Ref(p->macros));
    for (const auto& item : p->macros.macros) ClaimIds(p->freeMacroIds, item.second.assignments);
    return ok;
}

bool KeydeckProfileCfgImpl::ExportMacroFile(int type, const QString& path) {
    KeydeckVariant* v = VariantOf(type);
    const KeydeckProfile* p = v ? Profile(type, v->currentProfileId) : nullptr;
    return p && KeydeckMacros::ExportFile(host_, path, KeydeckRootName(type), Ref(p->macros));
}

bool KeydeckProfileCfgImpl::SaveProfile(int type) {
    KeydeckVariant* v = VariantOf(type);
    if (!v) return false;
    const KeydeckDocument doc = Document(type, kKeydeckStoreFlag, v->profiles);
    return SaveProfileDocument(
        host_, host_.ProfileDir(type), QStringLiteral("xml"),
        [&](const QString& tmp) {
            return WriteKeydeckFile(host_, tmp, WriteMode::Direct, KeydeckRootName(type), doc);
        },
        &v->documentPath);
}

// Carries over what the suite edits in memory: names, executables, macros and key assignments. The
// rest (lighting, indicator, pad keys, the head of the document) stays as the device side stored it.
// The document is replaced whole through a temporary file, never written in place.
bool KeydeckProfileCfgImpl::RewriteDocument(int type) {
    KeydeckVariant* v = VariantOf(type);
    if (!v || v->documentPath.isEmpty()) return false;
    KeydeckDocument stored;
    stored.appPaths = AppPathsLocked();
    if (!ReadKeydeckFile(host_, v->documentPath, stored)) return false;
    for (int i = 0; i < stored.profiles.size() && i < v->profiles.size(); ++i) {
        const KeydeckProfile& mine = v->profiles[i];
        KeydeckProfile& theirs = stored.profiles[i];
        theirs.name = mine.name;
        theirs.exe = mine.exe;
        theirs.macros = mine.macros;
        theirs.mapping.simpleKeys = mine.mapping.simpleKeys;
        theirs.mapping.advancedKeys = mine.mapping.advancedKeys;
        theirs.mapping.shortcutKeys = mine.mapping.shortcutKeys;
        theirs.mapping.specialKeys = mine.mapping.specialKeys;
    }
    stored.flag = kKeydeckStoreFlag;
    return WriteKeydeckFile(host_, v->documentPath, WriteMode::Atomic, KeydeckRootName(type), stored);
}

}  // namespace prefbook

IKeydeckProfileCfg& IKeydeckProfileCfg::Instance() {
    static prefbook::KeydeckProfileCfgImpl store(prefbook::StoreHost::Process());
    return store;
}
