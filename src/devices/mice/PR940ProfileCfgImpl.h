#pragma once

#include "devices/mice/IPR940ProfileCfg.h"
#include "devices/mice/PR940Document.h"
#include "profilecore/StoreHost.h"

class IGlyphPress;

namespace prefbook {

class PR940ProfileCfgImpl final : public IPR940ProfileCfg {
public:
    // Loads the newest document of the PR940 folder that reads and holds five profiles, else the
    // defaults. Artwork images go through press.
    PR940ProfileCfgImpl(const StoreHost& host, IGlyphPress& press);

    // Whether the load takes a document that read as this (the document carries no flag).
    static bool Accepts(const PR940Document& doc) { return doc.profiles.size() == kPR940ProfileCount; }

    int GetProfileNum() const override { return doc_.profiles.size(); }
    const std::string& GetProfileName(int idx) const override;
    void GetProfileNameList(QStringList& out) const override;
    void SetExportPath(const QString& path) override { doc_.exportPath = path; }
    const QString& GetExportPath() const override { return doc_.exportPath; }
    void SetOpenExePath(const QString& path) override { doc_.openExePath = path; }
    const QString& GetOpenExePath() const override { return doc_.openExePath; }
    void SetProfileExe(int idx, const std::string& exe) override;
    const std::string& GetProfileExe(int idx) const override;
    void SetProfileName(int idx, const std::string& name) override;
    void SetCurrView(int idx, int view) override;
    int GetCurrView(int idx) const override;
    void SetTactix(int idx, bool on) override;
    bool GetTactix(int idx) const override;
    void SetCustomColors(int idx, const QVector<CustomColor>& colors) override;
    const QVector<CustomColor>& GetCustomColors(int idx) const override;
    void SetCurrCustom(int idx, int custom) override;
    int GetCurrCustom(int idx) const override;
    void SetCurrBeat(int idx, int beat) override;
    int GetCurrBeat(int idx) const override;
    void SetLightingMode(int idx, int mode) override;
    int GetLightingMode(int idx) const override;
    const SurfaceTuningMap& GetSurfaceMap(int idx) const override;
    void SetSurfaceMap(int idx, const SurfaceTuningMap& surfaces) override;
    const SurfaceTuning& GetSurface(int idx, const std::string& name) const override;
    void SetSurface(int idx, const std::string& name, const SurfaceTuning& surface) override;
    void RemoveSurface(int idx, const std::string& name) override;
    void RenameSurface(int idx, const std::string& oldName, const std::string& newName) override;
    const std::string& GetCurrOledProfile(int idx) const override;
    void SetCurrOledProfile(int idx, const std::string& op) override;
    const OledProfileMap& GetOledProfileMap(int idx) const override;
    void SetOledProfileMap(int idx, const OledProfileMap& profiles) override;
    const OledProfile& GetOledProfile(int idx, const std::string& op) const override;
    void SetOledProfile(int idx, const std::string& op, const OledProfile& profile) override;
    void AddOledProfile(int idx, const std::string& op) override;
    void RemoveOledProfile(int idx, const std::string& op) override;
    void RenameOledProfile(int idx, const std::string& oldName, const std::string& newName) override;
    void SetOledOrder(int idx, const std::string& op, const QVector<int32_t>& order) override;
    const QVector<int32_t>& GetOledOrder(int idx, const std::string& op) const override;
    void SetOledDuration(int idx, const std::string& op, double duration) override;
    const std::string& GetOledCurrArtwork(int idx, const std::string& op) const override;
    void SetOledCurrArtwork(int idx, const std::string& op, const std::string& art) override;
    const OledArtworkMap& GetArtworkMap(int idx, const std::string& op) const override;
    void SetArtworkMap(int idx, const std::string& op, const OledArtworkMap& artworks) override;
    const OledArtwork& GetArtwork(int idx, const std::string& op, const std::string& art) const override;
    void SetArtwork(int idx, const std::string& op, const std::string& art,
                    const OledArtwork& artwork) override;
    bool GetArtworkPixels(int idx, const std::string& op, const std::string& art,
                          QVector<uint32_t>& out) const override;
    void SetArtworkPixels(int idx, const std::string& op, const std::string& art,
                          const QVector<uint32_t>& pixels) override;
    uint8_t GetArtworkPen(int idx, const std::string& op, const std::string& art) const override;
    void SetArtworkPen(int idx, const std::string& op, const std::string& art, int value) override;
    void AddArtwork(int idx, const std::string& op, const std::string& art) override;
    void RemoveArtwork(int idx, const std::string& op, const std::string& art) override;
    void RenameArtwork(int idx, const std::string& op, const std::string& oldName,
                       const std::string& newName) override;
    const PR940MacroMap& GetMacroMap(int idx) const override;
    void SetMacroMap(int idx, const PR940MacroMap& macros) override;
    const std::string& GetCurrMacro(int idx) const override;
    void SetCurrMacro(int idx, const std::string& name) override;
    void AddMacro(int idx, const std::string& name, const MouseMacroRecord& macro) override;
    void AddEmptyMacro(int idx, const std::string& name) override;
    void RemoveMacro(int idx, const std::string& name) override;
    void RenameMacro(int idx, const std::string& oldName, const std::string& newName) override;
    void GetMacroNames(int idx, std::vector<std::string>& out) const override;
    MouseMacroRecord& GetMacro(int idx, const std::string& name) override;
    void SetMacro(int idx, const std::string& name, const MouseMacroRecord& macro) override;
    uint8_t GetMacroMode(int idx, const std::string& name) override;
    void SetMacroMode(int idx, const std::string& name, uint8_t mode) override;
    const std::string& GetMacroPath(int idx) const override;
    void SetMacroPath(int idx, const std::string& path) override;
    bool SaveProfile() override;

    // For tools and tests: the whole document, and the file the load kept (empty for defaults).
    const PR940Document& Document() const { return doc_; }
    const QString& LoadedFrom() const { return loadedFrom_; }

private:
    PR940Profile* At(int idx);
    const PR940Profile* At(int idx) const;
    OledProfile* Oled(int idx, const std::string& op);
    const OledProfile* Oled(int idx, const std::string& op) const;
    OledArtwork* Artwork(int idx, const std::string& op, const std::string& art);
    const OledArtwork* Artwork(int idx, const std::string& op, const std::string& art) const;
    // The macro of that name, added as an all-zero record when missing; null for a bad index or name.
    MouseMacroRecord* AccessMacro(int idx, const std::string& name);
    void Load();

    StoreHost host_;
    IGlyphPress& press_;
    PR940Document doc_;
    QString loadedFrom_;
    // Handed out by reference when a check fails; const, so no caller can fill them.
    const PR940Profile noProfile_{};
    const SurfaceTuning noSurface_{};
    const OledProfile noOled_{};
    const OledArtwork noArtwork_{};
    MouseMacroRecord scratchMacro_{};  // GetMacro's writable fallback, zeroed on every such call
};

}  // namespace prefbook
