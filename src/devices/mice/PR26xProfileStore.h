#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <type_traits>

#include "devices/mice/PR26xDocument.h"
#include "devices/mice/PRMouseSections.h"
#include "profilecore/ImportedSlot.h"
#include "profilecore/MacroModel.h"
#include "profilecore/ProfileFolder.h"

namespace prefbook {

// The button mouse stores (PR260, PR261, PR941): every operation they share, written once over the
// model's interface and profile record. The DPI step setter differs in its values, so each model
// forwards it to SetStep.
template <class Interface, class Profile>
class PR26xProfileStore : public Interface {
public:
    using Document = PR26xDocument<Profile>;
    using ConfigBlock = decltype(Profile::config);

    PR26xProfileStore(const StoreHost& host, const PR26xModel& model) : host_(host), model_(model) { Load(); }

    // Whether the load takes a document that read as this: a store document with every profile.
    static bool Accepts(const Document& doc) {
        return doc.profiles.size() == kButtonMouseProfileCount && doc.flag == kButtonMouseStoreFlag;
    }

    // For tests and tools: what the store holds, and its current document: the one the load kept or
    // the last save wrote (empty: defaults, nothing saved yet).
    const Document& Held() const { return doc_; }
    const QString& DocumentPath() const { return documentPath_; }
    QString ProfileDir() const { return host_.ProfileDir(model_.deviceType); }
    const PR26xModel& Model() const { return model_; }

    // ---- Profile list, paths, whole records, marks ----

    int GetProfileNum() override { return doc_.profiles.size(); }
    void SetCurrentProfileID(uint8_t id) override { doc_.currentProfileID = id; }
    uint8_t GetCurrentProfileID() override { return doc_.currentProfileID; }
    void SetExportPath(const QString& path) override { doc_.exportPath = path; }
    const QString& GetExportPath() override { return doc_.exportPath; }
    void SetOpenExePath(const QString& path) override { doc_.openExePath = path; }
    const QString& GetOpenExePath() override { return doc_.openExePath; }
    void SetProfileExe(int idx, const std::string& exe) override {
        if (Profile* p = At(idx)) p->exe = exe;
    }
    const std::string& GetProfileExe(int idx) override { return Read(idx).exe; }
    void SetProfileName(int idx, const std::string& name) override {
        if (Profile* p = At(idx)) p->name = name;
    }
    const std::string& GetProfileName(int idx) override { return Read(idx).name; }
    void SetProfile(int idx, const Profile& profile) override {
        if (Profile* p = At(idx)) {
            *p = profile;
            FitMapping(p->mapping);
        }
    }
    bool GetProfile(int idx, Profile& profile) override {
        profile = Valid(idx) ? doc_.profiles[idx] : empty_;
        return Valid(idx);
    }

    void SetChangedFlag(int idx, uint8_t flag) override {
        if (Profile* p = At(idx)) p->changedFlag = flag;
    }
    bool HasChangedProfile() override {
        return std::any_of(doc_.profiles.begin(), doc_.profiles.end(),
                           [](const Profile& p) { return p.changedFlag != 0; });
    }
    uint8_t GetChangedFlag(int idx) override { return Read(idx).changedFlag; }
    void ClearChangedFlags() override {
        for (Profile& p : doc_.profiles) p.changedFlag = 0;
    }
    void SetProfileMarks(uint8_t value) override { marks_.fill(value); }
    uint8_t GetProfileMark(int position) override {
        return position >= 0 && position < static_cast<int>(marks_.size()) ? marks_[position] : 0;
    }
    void SetResetFlag(int idx) override {
        if (Profile* p = At(idx)) p->resetFlag = 1;
    }
    uint8_t GetResetFlag(int idx) override { return Read(idx).resetFlag; }
    void SetAllResetFlags() override {
        for (Profile& p : doc_.profiles) p.resetFlag = 1;
    }

    // ---- Buttons ----

    // The mapping always has one entry per button: a longer list is cut, a shorter one padded with 0.
    void SetMapping(int idx, const QVector<uint16_t>& mapping) override {
        if (Profile* p = At(idx)) {
            p->mapping = mapping;
            FitMapping(p->mapping);
        }
    }
    bool GetMapping(int idx, QVector<uint16_t>& mapping) override {
        return CopyOut(idx, &Profile::mapping, mapping);
    }
    void SetButtonMapping(int idx, uint8_t button, uint16_t value) override {
        Profile* p = At(idx);
        if (p && button < kMouseButtons) p->mapping[button] = value;
    }
    uint16_t GetButtonMapping(int idx, uint8_t button) override {
        return button < kMouseButtons ? Read(idx).mapping.value(button) : 0;
    }
    // Entries for buttons outside 0..12 are dropped: nothing could ever write or bind them.
    void SetButtonMacros(int idx, const ButtonMacroMap& macros) override {
        if (Profile* p = At(idx)) {
            p->buttonMacros.clear();
            for (const auto& item : macros) {
                if (item.first < kMouseButtons) p->buttonMacros[item.first] = Bound(item.first, item.second);
            }
        }
    }
    bool GetButtonMacros(int idx, ButtonMacroMap& macros) override {
        return CopyOut(idx, &Profile::buttonMacros, macros);
    }
    void ClearButtonMacros(int idx) override {
        if (Profile* p = At(idx)) p->buttonMacros.clear();
    }
    // The record's id names the button it is bound to, so it is set to match.
    void SetButtonMacro(int idx, uint8_t button, const MouseMacroRecord& macro) override {
        Profile* p = At(idx);
        if (p && button < kMouseButtons) p->buttonMacros[button] = Bound(button, macro);
    }
    bool GetButtonMacro(int idx, uint8_t button, MouseMacroRecord& macro) override {
        macro = MouseMacroRecord{};
        const Profile* p = At(idx);
        if (!p || button >= kMouseButtons) return false;
        const auto it = p->buttonMacros.find(button);
        if (it != p->buttonMacros.end()) macro = it->second;
        return true;
    }
    void SetComboEnable(int idx, uint8_t value) override {
        if (Profile* p = At(idx)) p->comboEnable = value;
    }
    uint8_t GetComboEnable(int idx) override { return Read(idx).comboEnable; }
    void SetComboView(int idx, uint8_t value) override {
        if (Profile* p = At(idx)) p->comboView = value;
    }
    uint8_t GetComboView(int idx) override { return Read(idx).comboView; }

    // ---- Sensor block ----

    void SetPerformanceConfig(int idx, const ConfigBlock& config) override {
        if (Profile* p = At(idx)) p->config = config;
    }
    bool GetPerformanceConfig(int idx, ConfigBlock& config) override {
        return CopyOut(idx, &Profile::config, config);
    }
    void SetDpiLevel(int idx, uint8_t level) override {
        if (ConfigBlock* c = Config(idx)) c->dpiLevel = level;
    }
    uint8_t GetDpiLevel(int idx) override { return Valid(idx) ? doc_.profiles[idx].config.dpiLevel : 0; }
    void SetPollingRate(int idx, uint8_t v) override {
        if (ConfigBlock* c = Config(idx)) c->pollingRate = v;
    }
    void SetAngleSnapping(int idx, uint8_t v) override {
        if (ConfigBlock* c = Config(idx)) c->angleSnapping = v;
    }
    void SetLiftOffDistance(int idx, uint8_t v) override {
        if (ConfigBlock* c = Config(idx)) c->liftOffDistance = v;
    }
    void SetAngleTunability(int idx, int32_t v) override {
        if (ConfigBlock* c = Config(idx)) c->angleTunability = v;
    }
    void SetOsSensitivity(int idx, uint8_t v) override {
        if (ConfigBlock* c = Config(idx)) c->osSensitivity = v;
    }
    void SetOsDoubleClickSpeed(int idx, uint8_t v) override {
        if (ConfigBlock* c = Config(idx)) c->osDoubleClickSpeed = v;
    }
    void SetButtonResponseTime(int idx, uint8_t v) override {
        if (ConfigBlock* c = Config(idx)) c->buttonResponseTime = v;
    }

    // ---- Surfaces ----

    void SetSurfaces(int idx, const SurfaceMap& surfaces) override {
        if (Profile* p = At(idx)) p->surfaces = surfaces;
    }
    bool GetSurfaces(int idx, SurfaceMap& surfaces) override {
        return CopyOut(idx, &Profile::surfaces, surfaces);
    }
    void SetCurrSurface(int idx, const std::string& name) override {
        if (Profile* p = At(idx)) p->currSurface = name;
    }
    const std::string& GetCurrSurface(int idx) override { return Read(idx).currSurface; }
    // The current surface goes back to the default too: it must not name an entry that is gone.
    void ResetSurfaces(int idx) override {
        if (Profile* p = At(idx)) {
            p->surfaces = DefaultSurfaces();
            p->currSurface = kDefaultSurfaceName;
        }
    }
    void SetSurface(int idx, const std::string& name, int32_t learn1, int32_t learn2) override {
        Profile* p = At(idx);
        if (!p) return;
        const auto it = p->surfaces.find(name);
        if (it != p->surfaces.end()) it->second = SurfaceValue{name, learn1, learn2};
    }
    bool GetSurface(int idx, const std::string& name, SurfaceValue& surface) override {
        surface = SurfaceValue{};
        const Profile* p = At(idx);
        if (!p) return false;
        const auto it = p->surfaces.find(name);
        if (it == p->surfaces.end()) return false;
        surface = it->second;
        return true;
    }
    void AddSurface(int idx, const SurfaceValue& surface) override {
        if (Profile* p = At(idx)) {
            p->surfaces[surface.name] = surface;
            p->currSurface = surface.name;
        }
    }
    void RemoveSurface(int idx, const std::string& name) override {
        if (Profile* p = At(idx)) p->surfaces.erase(name);
    }
    // Renaming to the same name is no change (a copy-then-remove would lose the entry).
    void RenameSurface(int idx, const std::string& oldName, const std::string& newName) override {
        Profile* p = At(idx);
        if (!p || oldName == newName) return;
        const auto it = p->surfaces.find(oldName);
        if (it == p->surfaces.end()) return;
        SurfaceValue value = it->second;
        value.name = newName;
        p->surfaces.erase(it);
        p->surfaces[newName] = value;
    }

    // ---- Named macros ----

    void SetMacros(int idx, const MouseMacroNameMap& macros) override {
        if (Profile* p = At(idx)) p->macros = macros;
    }
    bool GetMacros(int idx, MouseMacroNameMap& macros) override {
        return CopyOut(idx, &Profile::macros, macros);
    }
    const std::string& GetCurrMacro(int idx) override { return Read(idx).currMacro; }
    void SetCurrMacro(int idx, const std::string& name) override {
        if (Profile* p = At(idx)) p->currMacro = name;
    }
    void AddMacro(int idx, const std::string& name, const MouseMacroRecord& macro) override {
        if (Profile* p = At(idx)) {
            p->macros[name] = macro;
            p->currMacro = name;
        }
    }
    void AddEmptyMacro(int idx, const std::string& name) override {
        if (Profile* p = At(idx)) {
            MouseMacroRecord record{};
            record.id = kUnboundMacroButton;
            SetRecordName(record, name);
            p->macros[name] = record;
            p->currMacro = name;
        }
    }
    void RemoveMacro(int idx, const std::string& name) override {
        if (Profile* p = At(idx)) p->macros.erase(name);
    }
    // Renaming to the same name is no change (a copy-then-remove would lose the entry).
    void RenameMacro(int idx, const std::string& oldName, const std::string& newName) override {
        Profile* p = At(idx);
        if (!p || oldName == newName) return;
        const auto it = p->macros.find(oldName);
        if (it == p->macros.end()) return;
        MouseMacroRecord record = it->second;
        SetRecordName(record, newName);
        p->macros.erase(it);
        p->macros[newName] = record;
    }
    void GetMacroNames(int idx, std::vector<std::string>& names) override {
        names.clear();
        if (const Profile* p = At(idx)) {
            for (const auto& item : p->macros) names.push_back(item.first);
        }
    }
    bool GetButtonMacroName(int idx, uint8_t button, std::string& name) override {
        name.clear();
        const Profile* p = At(idx);
        if (!p || button >= kMouseButtons) return false;
        name = "MACRO";
        for (const auto& item : p->macros) {
            if (item.second.id == button) {
                name = item.first;
                break;
            }
        }
        return true;
    }
    void SetMacro(int idx, const std::string& name, const MouseMacroRecord& macro) override {
        if (MouseMacroRecord* m = Macro(idx, name)) *m = macro;
    }
    bool GetMacro(int idx, const std::string& name, MouseMacroRecord& macro) override {
        macro = MouseMacroRecord{};
        const MouseMacroRecord* m = Macro(idx, name);
        if (m) macro = *m;
        return m != nullptr;
    }
    uint8_t GetMacroId(int idx, const std::string& name) override {
        if (!Valid(idx)) return 0;
        const MouseMacroRecord* m = Macro(idx, name);
        return m ? m->id : kUnboundMacroButton;
    }
    void SetMacroId(int idx, const std::string& name, uint8_t id) override {
        if (MouseMacroRecord* m = Macro(idx, name)) m->id = id;
    }
    uint8_t GetMacroMode(int idx, const std::string& name) override {
        const MouseMacroRecord* m = Macro(idx, name);
        return m ? m->mode : 0;
    }
    void SetMacroMode(int idx, const std::string& name, uint8_t mode) override {
        if (MouseMacroRecord* m = Macro(idx, name)) m->mode = mode;
    }
    const std::string& GetMacroPath(int idx) override { return Read(idx).macroPath; }
    void SetMacroPath(int idx, const std::string& path) override {
        if (Profile* p = At(idx)) p->macroPath = path;
    }

    // ---- Files at the user's paths ----

    bool ImportMacroFile(const QString& path) override {
        Profile* p = At(doc_.currentProfileID);
        if (!p || path.isEmpty()) return false;
        std::string macroPath, currMacro;
        MouseMacroNameMap imported;
        if (!ReadPR26xMacroFile(host_, model_, path, macroPath, currMacro, imported)) return false;
        if (p->macros.empty()) {
            p->macroPath = macroPath;
            p->currMacro = currMacro;
        }
        MergeImportedMacros(imported, p->macros);
        return true;
    }
    // The file carries every macro with id 3; the store's records keep their own.
    bool ExportMacroFile(const QString& path) override {
        const Profile* p = At(doc_.currentProfileID);
        if (!p || path.isEmpty()) return false;
        MouseMacroNameMap copies = p->macros;
        for (auto& item : copies) item.second.id = kExportedMacroId;
        return WritePR26xMacroFile(host_, model_, path, p->macroPath, p->currMacro, copies);
    }
    bool ImportProfile(const QString& path) override {
        Profile* p = At(doc_.currentProfileID);
        if (!p || path.isEmpty()) return false;
        Document read;
        if (!ReadPR26xFile(host_, model_, path, read) || read.profiles.size() != 1 ||
            read.flag != model_.exportFlag || !Importable(read.profiles.front())) {
            return false;
        }
        *p = read.profiles.front();
        return true;
    }
    bool ExportProfile(const QString& path) override {
        const Profile* p = At(doc_.currentProfileID);
        if (!p || path.isEmpty()) return false;
        Document one = Head();
        one.profiles.push_back(*p);
        return WritePR26xFile(host_, model_, path, WriteMode::Atomic, model_.exportFlag, one);
    }
    bool ImportAllProfiles(const QString& path) override {
        if (path.isEmpty()) return false;
        Document read;
        if (!ReadPR26xFile(host_, model_, path, read) || read.profiles.size() != kButtonMouseProfileCount ||
            read.flag != model_.exportFlag || !CurrentProfileFits(path, read)) {
            return false;
        }
        doc_.profiles = std::move(read.profiles);
        doc_.currentProfileID = read.currentProfileID;
        return true;
    }
    bool ExportAllProfiles(const QString& path) override {
        if (path.isEmpty()) return false;
        return WritePR26xFile(host_, model_, path, WriteMode::Atomic, model_.exportFlag, doc_);
    }

    // ---- Persistence ----

    bool SaveProfile() override {
        return SaveProfileDocument(
            host_, ProfileDir(), QStringLiteral("xml"),
            [this](const QString& tmp) {
                return WritePR26xFile(host_, model_, tmp, WriteMode::Direct, kButtonMouseStoreFlag, doc_);
            },
            &documentPath_);
    }

    // Rewrites the current document (the one loaded, or the one the last save wrote) with the user's side of
    // memory (names, macros, surfaces) over what the device side stored there. The file is replaced whole
    // through a temporary file beside it, so a crash leaves the old document or the new one; a document that
    // has gone is not recreated.
    bool MergeSaveProfile() override {
        if (documentPath_.isEmpty()) return false;
        Document stored;
        if (!ReadPR26xFile(host_, model_, documentPath_, stored) ||
            stored.profiles.size() != doc_.profiles.size())
            return false;
        for (int i = 0; i < doc_.profiles.size(); ++i) {
            const Profile& mine = doc_.profiles[i];
            Profile& theirs = stored.profiles[i];
            theirs.name = mine.name;
            theirs.exe = mine.exe;
            theirs.comboView = mine.comboView;
            theirs.buttonMacros = mine.buttonMacros;
            theirs.currSurface = mine.currSurface;
            theirs.surfaces = mine.surfaces;
            theirs.macroPath = mine.macroPath;
            theirs.currMacro = mine.currMacro;
            theirs.macros = mine.macros;
            if constexpr (!std::is_same_v<decltype(Profile::lighting), NoMouseLighting>) {
                theirs.lighting.foreground = mine.lighting.foreground;
            }
        }
        Document merged = Head();
        merged.profiles = std::move(stored.profiles);
        return ReplacePR26xFile(host_, model_, documentPath_, merged);
    }

protected:
    static constexpr uint8_t kExportedMacroId = 3;

    // Whether an exported profile may replace the current one; a model can ask for more than the flag.
    virtual bool Importable(const Profile&) const { return true; }

    // Sets one DPI step; steps past the model's count are refused.
    template <class Step>
    void SetStep(int idx, uint8_t step, const Step& value) {
        Profile* p = At(idx);
        if (p && step < std::extent_v<decltype(ConfigBlock::dpi)>) p->config.dpi[step] = value;
    }

    const StoreHost& Host() const { return host_; }

    bool Valid(int idx) const { return idx >= 0 && idx < doc_.profiles.size(); }
    Profile* At(int idx) { return Valid(idx) ? &doc_.profiles[idx] : nullptr; }
    // The profile at idx, or an empty one whose fields are the getters' fallbacks.
    const Profile& Read(int idx) const { return Valid(idx) ? doc_.profiles[idx] : empty_; }

    // Copies a field of the profile at idx out; on a bad index the out-argument is reset.
    template <class Value>
    bool CopyOut(int idx, Value Profile::*field, Value& out) {
        out = Read(idx).*field;
        return Valid(idx);
    }

    MouseMacroRecord* Macro(int idx, const std::string& name) {
        Profile* p = At(idx);
        if (!p) return nullptr;
        const auto it = p->macros.find(name);
        return it == p->macros.end() ? nullptr : &it->second;
    }

    // An imported current profile must name one of the five, or be the "none yet" of a fresh store.
    bool CurrentProfileFits(const QString& path, const Document& read) const {
        return ImportedSlotFits(host_, path, read.currentProfileID, kButtonMouseProfileCount,
                                kNoDocumentProfileID);
    }

    Document Head() const {
        Document head;
        head.exportPath = doc_.exportPath;
        head.openExePath = doc_.openExePath;
        head.currentProfileID = doc_.currentProfileID;
        return head;
    }

    Document doc_;

private:
    ConfigBlock* Config(int idx) {
        Profile* p = At(idx);
        return p ? &p->config : nullptr;
    }

    static MouseMacroRecord Bound(uint8_t button, MouseMacroRecord macro) {
        macro.id = button;
        return macro;
    }

    static void FitMapping(QVector<uint16_t>& mapping) { mapping.resize(kMouseButtons); }

    void Load() {
        const auto read = [this](const QString& path) {
            documentPath_ = path;
            doc_ = Document{};
            return ReadPR26xFile(host_, model_, path, doc_);
        };
        const auto accept = [this] { return Accepts(doc_); };
        const LoadOutcome outcome = LoadNewestDocument(ProfileDir(), QStringLiteral("xml"), read, accept);
        if (outcome.accepted) return;
        // The last document tried stays when it read cleanly with five profiles, whatever its flag.
        if (outcome.keep && doc_.profiles.size() == kButtonMouseProfileCount) return;
        doc_ = Document{};
        doc_.currentProfileID = kNoDocumentProfileID;
        for (int i = 0; i < kButtonMouseProfileCount; ++i)
            doc_.profiles.push_back(DefaultPR26xProfile<Profile>(i));
        documentPath_.clear();
    }

    static constexpr uint8_t kNoDocumentProfileID = 255;

    StoreHost host_;
    PR26xModel model_;
    QString documentPath_;
    std::array<uint8_t, kButtonMouseProfileCount> marks_{};
    const Profile empty_ = EmptyProfile();

    static Profile EmptyProfile() {
        Profile p;
        p.comboEnable = 0;
        p.mapping.clear();
        return p;
    }
};

// The stores with a lighting block (PR261, PR941): the operations their blocks share.
template <class Interface, class Profile>
class PR26xLitStore : public PR26xProfileStore<Interface, Profile> {
    using Base = PR26xProfileStore<Interface, Profile>;

public:
    using LightingBlock = decltype(Profile::lighting);
    using ModeMap = decltype(LightingBlock::modes);
    using ModeEntry = typename ModeMap::mapped_type;
    using CustomColors = decltype(LightingBlock::custom);

    using Base::Base;

    void SetLightingMode(int idx, uint8_t mode) override {
        if (LightingBlock* l = Lighting(idx)) l->currMode = mode;
    }
    uint8_t GetLightingMode(int idx) override { return ReadLighting(idx).currMode; }
    void SetLightingModeEntry(int idx, uint8_t modeId, const ModeEntry& entry) override {
        if (LightingBlock* l = Lighting(idx)) l->modes[modeId] = entry;
    }
    bool GetLightingModeEntry(int idx, uint8_t modeId, ModeEntry& entry) override {
        entry = ModeEntry{};
        const LightingBlock& l = ReadLighting(idx);
        const auto it = l.modes.find(modeId);
        if (it == l.modes.end()) return false;
        entry = it->second;
        return true;
    }
    void SetLightingModes(int idx, const ModeMap& modes) override {
        if (LightingBlock* l = Lighting(idx)) l->modes = modes;
    }
    bool GetLightingModes(int idx, ModeMap& modes) override {
        modes = ReadLighting(idx).modes;
        return this->Valid(idx);
    }
    // Choosing custom colours switches the device to its custom mode.
    void SetCustomRgb(int idx, const CustomColors& colors) override {
        if (LightingBlock* l = Lighting(idx)) {
            l->custom = colors;
            l->currMode = kCustomRgbLightingMode;
        }
    }
    bool GetCustomRgb(int idx, CustomColors& colors) override {
        colors = ReadLighting(idx).custom;
        return this->Valid(idx);
    }
    void SetCurrLed(int idx, int32_t led) override {
        if (LightingBlock* l = Lighting(idx)) l->currLed = led;
    }
    int32_t GetCurrLed(int idx) override { return ReadLighting(idx).currLed; }
    void SetForeground(int idx, const QVector<CustomColor>& colors) override {
        if (LightingBlock* l = Lighting(idx)) l->foreground = colors;
    }
    bool GetForeground(int idx, QVector<CustomColor>& colors) override {
        colors = ReadLighting(idx).foreground;
        return this->Valid(idx);
    }
    void ClearForegroundEnables(int idx) override {
        if (LightingBlock* l = Lighting(idx)) {
            for (CustomColor& c : l->foreground) c.enable = 0;
        }
    }

protected:
    LightingBlock* Lighting(int idx) {
        Profile* p = this->At(idx);
        return p ? &p->lighting : nullptr;
    }
    const LightingBlock& ReadLighting(int idx) const { return this->Read(idx).lighting; }
};

}  // namespace prefbook
