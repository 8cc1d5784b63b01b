#pragma once

#include <QStringList>

#include "devices/keyboards/ITL460ProfileCfg.h"
#include "devices/keyboards/ITL480ProfileCfg.h"
#include "devices/keyboards/TLDocument.h"
#include "profilecore/ProfileFolder.h"

namespace prefbook {

struct TL480Traits {
    using Interface = ITL480ProfileCfg;
    static TLModel Model() { return {1, QLatin1String("tl480"), QLatin1String("TL480")}; }
};

struct TL460Traits {
    using Interface = ITL460ProfileCfg;
    static TLModel Model() { return {3, QLatin1String("tl460"), QLatin1String("TL460")}; }
};

// The TL480 and TL460 stores: one implementation, two interfaces.
template <class Traits>
class TLProfileStore final : public Traits::Interface {
public:
    explicit TLProfileStore(const StoreHost& host) : host_(host), model_(Traits::Model()) { Load(); }

    // Where the data came from, for tools: the document kept at load, or empty for the defaults.
    const QString& LoadedFrom() const { return loadedFrom_; }
    const TLDocument& Document() const { return doc_; }
    // Whether the load takes a document that read as this.
    static bool Accepts(const TLDocument& doc) { return doc.profiles.size() == kTLProfileCount; }
    QString ProfileDir() const { return host_.ProfileDir(model_.deviceType); }

    int GetProfileNum() override { return doc_.profiles.size(); }
    const std::string& GetProfileName(int idx) override { return Valid(idx) ? At(idx).name : empty_.name; }
    void GetProfileNameList(QStringList& names) override {
        names.clear();
        for (const TLProfile& p : doc_.profiles) names << QString::fromStdString(p.name);
    }
    void SetExportPath(const QString& path) override { doc_.exportPath = path; }
    const QString& GetExportPath() override { return doc_.exportPath; }
    void SetOpenExePath(const QString& path) override { doc_.openExePath = path; }
    const QString& GetOpenExePath() override { return doc_.openExePath; }
    void SetProfileExe(int idx, const std::string& exe) override {
        if (Valid(idx)) At(idx).exe = exe;
    }
    const std::string& GetProfileExe(int idx) override { return Valid(idx) ? At(idx).exe : empty_.exe; }
    void SetProfileName(int idx, const std::string& name) override {
        if (Valid(idx) && !name.empty()) At(idx).name = name;
    }
    void SetCustomColors(int idx, bool background, const QVector<CustomColor>& colors) override {
        if (Valid(idx)) (background ? At(idx).background : At(idx).foreground) = colors;
    }
    const QVector<CustomColor>& GetCustomColors(int idx, bool background) override {
        if (!Valid(idx)) return noColors_;
        return background ? At(idx).background : At(idx).foreground;
    }
    void SetMultiLayer(int idx, int value) override {
        if (Valid(idx)) At(idx).multiLayer = value;
    }
    int GetMultiLayer(int idx) override { return Valid(idx) ? At(idx).multiLayer : 0; }
    void SetMultiZone(int idx, int value) override {
        if (Valid(idx)) At(idx).multiZone = value;
    }
    int GetMultiZone(int idx) override { return Valid(idx) ? At(idx).multiZone : 0; }

    const KeyMacroMap& GetMacroSet(int idx) override { return Valid(idx) ? At(idx).macros : empty_.macros; }
    void SetMacroSet(int idx, const KeyMacroMap& macros) override {
        if (Valid(idx)) At(idx).macros = macros;
    }
    const std::string& GetCurrMacro(int idx) override {
        return Valid(idx) ? At(idx).currMacro : empty_.currMacro;
    }
    void SetCurrMacro(int idx, const std::string& name) override {
        if (Valid(idx)) At(idx).currMacro = name;
    }
    void SetMacroEntry(int idx, const std::string& name, const KeyMacroEntry& entry) override {
        if (Valid(idx)) TLMacros::Access(At(idx).macros, name) = entry;
    }
    void AddMacro(int idx, const std::string& name) override {
        if (Valid(idx)) TLMacros::Add(At(idx).macros, name);
    }
    void DeleteMacro(int idx, const std::string& name) override {
        if (Valid(idx)) TLMacros::Delete(At(idx).macros, name);
    }
    void RenameMacro(int idx, const std::string& oldName, const std::string& newName) override {
        if (Valid(idx)) TLMacros::Rename(At(idx).macros, oldName, newName);
    }
    void GetMacroNames(int idx, std::vector<std::string>& names) override {
        if (Valid(idx)) {
            TLMacros::Names(At(idx).macros, names);
        } else {
            names.clear();
        }
    }
    const KeyMacroEntry& GetMacroEntry(int idx, const std::string& name) override {
        return Valid(idx) ? TLMacros::Access(At(idx).macros, name) : noEntry_;
    }
    void SetMacro(int idx, const std::string& name, const MacroRecord& record) override {
        if (Valid(idx)) TLMacros::SetRecord(At(idx).macros, name, record);
    }
    const QVector<uint16_t>& GetMacroKeys(int idx, const std::string& name) override {
        return Valid(idx) ? TLMacros::Access(At(idx).macros, name).keys : noEntry_.keys;
    }
    void SetMacroKeys(int idx, const std::string& name, const QVector<uint16_t>& keys) override {
        if (Valid(idx)) TLMacros::Access(At(idx).macros, name).keys = keys;
    }
    void AddMacroKey(int idx, const std::string& name, uint16_t key) override {
        if (Valid(idx)) TLMacros::AddItem(At(idx).macros, name, key);
    }
    void RemoveMacroKey(int idx, const std::string& name, uint16_t key) override {
        if (Valid(idx)) TLMacros::RemoveItem(At(idx).macros, name, key);
    }
    void ClearMacroKeys(int idx, const std::string& name) override {
        if (Valid(idx)) TLMacros::ClearItems(At(idx).macros, name);
    }
    // These two log the KR720 store's texts: the suite's log readers look for them.
    uint8_t GetMacroMode(int idx, const std::string& name) override {
        if (!CheckMacroModeCall(host_, kMacroLogPrefix, "GetMacroMode", idx, Valid(idx), name)) return 0;
        return TLMacros::Access(At(idx).macros, name).record.mode;
    }
    void SetMacroMode(int idx, const std::string& name, uint8_t mode) override {
        if (CheckMacroModeCall(host_, kMacroLogPrefix, "SetMacroMode", idx, Valid(idx), name)) {
            TLMacros::Access(At(idx).macros, name).record.mode = mode;
        }
    }
    const std::string& GetMacroPath(int idx) override {
        return Valid(idx) ? At(idx).macroPath : empty_.macroPath;
    }
    void SetMacroPath(int idx, const std::string& path) override {
        if (Valid(idx)) At(idx).macroPath = path;
    }

    bool SaveProfile() override {
        return SaveProfileDocument(host_, ProfileDir(), QStringLiteral("xml"), [this](const QString& tmp) {
            return WriteTLDocumentFile(host_, model_, doc_, tmp);
        });
    }

private:
    static inline const QString kMacroLogPrefix = QStringLiteral("KR720ProfileCfg: ");

    bool Valid(int idx) const { return idx >= 0 && idx < doc_.profiles.size(); }
    TLProfile& At(int idx) { return doc_.profiles[idx]; }

    void Load() {
        const LoadOutcome outcome = LoadNewestDocument(
            ProfileDir(), QStringLiteral("xml"),
            [this](const QString& path) { return ReadTLDocumentFile(host_, model_, path, doc_); },
            [this] { return Accepts(doc_); });
        if (outcome.keep) {
            loadedFrom_ = outcome.path;
            return;
        }
        doc_ = TLDocument{};
        for (int id = 0; id < kTLProfileCount; ++id) doc_.profiles.push_back(DefaultTLProfile(id));
    }

    StoreHost host_;
    TLModel model_;
    TLDocument doc_;
    QString loadedFrom_;
    // Returned by reference for an invalid index; const, so a caller can never fill them.
    const TLProfile empty_{};
    const KeyMacroEntry noEntry_{};
    const QVector<CustomColor> noColors_ = QVector<CustomColor>(kTLColorCount, CustomColor{});
};

using TL480ProfileCfgImpl = TLProfileStore<TL480Traits>;
using TL460ProfileCfgImpl = TLProfileStore<TL460Traits>;

}  // namespace prefbook
