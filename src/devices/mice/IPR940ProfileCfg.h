#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <string>
#include <vector>

#include "PrefbookExport.h"
#include "devices/mice/PR940Records.h"

// Profile store of the PR940 display mouse (device type 7): five profiles with lighting, surface
// tuning, display profiles with artworks and macros, persisted as a "pr940" document. Every operation
// with a profile index ignores a bad index: setters do nothing, getters return 0, -1, false or an
// empty value. Names must not be empty.
class PREFBOOK_EXPORT IPR940ProfileCfg {
public:
    // The process-wide store, loaded on first use (thread-safe).
    static IPR940ProfileCfg& Instance();

    virtual int GetProfileNum() const = 0;
    virtual const std::string& GetProfileName(int idx) const = 0;
    virtual void GetProfileNameList(QStringList& out) const = 0;
    virtual void SetExportPath(const QString& path) = 0;
    virtual const QString& GetExportPath() const = 0;
    virtual void SetOpenExePath(const QString& path) = 0;
    virtual const QString& GetOpenExePath() const = 0;
    virtual void SetProfileExe(int idx, const std::string& exe) = 0;
    virtual const std::string& GetProfileExe(int idx) const = 0;
    virtual void SetProfileName(int idx, const std::string& name) = 0;
    virtual void SetCurrView(int idx, int view) = 0;
    virtual int GetCurrView(int idx) const = 0;
    virtual void SetTactix(int idx, bool on) = 0;
    virtual bool GetTactix(int idx) const = 0;
    virtual void SetCustomColors(int idx, const QVector<CustomColor>& colors) = 0;
    virtual const QVector<CustomColor>& GetCustomColors(int idx) const = 0;
    virtual void SetCurrCustom(int idx, int custom) = 0;
    // -1 on a bad index, as GetCurrBeat
    virtual int GetCurrCustom(int idx) const = 0;
    virtual void SetCurrBeat(int idx, int beat) = 0;
    virtual int GetCurrBeat(int idx) const = 0;
    virtual void SetLightingMode(int idx, int mode) = 0;
    virtual int GetLightingMode(int idx) const = 0;
    virtual const SurfaceTuningMap& GetSurfaceMap(int idx) const = 0;
    virtual void SetSurfaceMap(int idx, const SurfaceTuningMap& surfaces) = 0;
    // The getters below hand out an empty value when the index or a name does not check out.
    virtual const SurfaceTuning& GetSurface(int idx, const std::string& name) const = 0;
    // Stores the value under name as it is; its own name field is not touched.
    virtual void SetSurface(int idx, const std::string& name, const SurfaceTuning& surface) = 0;
    virtual void RemoveSurface(int idx, const std::string& name) = 0;
    // Renames move the entry and its own name; the display profile and artwork renames also carry
    // the current-entry name along. Renaming to the same name changes nothing.
    virtual void RenameSurface(int idx, const std::string& oldName, const std::string& newName) = 0;
    virtual const std::string& GetCurrOledProfile(int idx) const = 0;
    virtual void SetCurrOledProfile(int idx, const std::string& op) = 0;
    virtual const OledProfileMap& GetOledProfileMap(int idx) const = 0;
    virtual void SetOledProfileMap(int idx, const OledProfileMap& profiles) = 0;
    virtual const OledProfile& GetOledProfile(int idx, const std::string& op) const = 0;
    // Replaces an existing display profile only; AddOledProfile creates (or resets) one.
    virtual void SetOledProfile(int idx, const std::string& op, const OledProfile& profile) = 0;
    virtual void AddOledProfile(int idx, const std::string& op) = 0;
    virtual void RemoveOledProfile(int idx, const std::string& op) = 0;
    virtual void RenameOledProfile(int idx, const std::string& oldName, const std::string& newName) = 0;
    virtual void SetOledOrder(int idx, const std::string& op, const QVector<int32_t>& order) = 0;
    virtual const QVector<int32_t>& GetOledOrder(int idx, const std::string& op) const = 0;
    virtual void SetOledDuration(int idx, const std::string& op, double duration) = 0;
    virtual const std::string& GetOledCurrArtwork(int idx, const std::string& op) const = 0;
    virtual void SetOledCurrArtwork(int idx, const std::string& op, const std::string& art) = 0;
    virtual const OledArtworkMap& GetArtworkMap(int idx, const std::string& op) const = 0;
    virtual void SetArtworkMap(int idx, const std::string& op, const OledArtworkMap& artworks) = 0;
    virtual const OledArtwork& GetArtwork(int idx, const std::string& op, const std::string& art) const = 0;
    virtual void SetArtwork(int idx, const std::string& op, const std::string& art,
                            const OledArtwork& artwork) = 0;
    // False, with out untouched, when the profile, display profile or artwork is missing.
    virtual bool GetArtworkPixels(int idx, const std::string& op, const std::string& art,
                                  QVector<uint32_t>& out) const = 0;
    virtual void SetArtworkPixels(int idx, const std::string& op, const std::string& art,
                                  const QVector<uint32_t>& pixels) = 0;
    virtual uint8_t GetArtworkPen(int idx, const std::string& op, const std::string& art) const = 0;
    // The pen takes the low byte of value; the background becomes its opposite.
    virtual void SetArtworkPen(int idx, const std::string& op, const std::string& art, int value) = 0;
    virtual void AddArtwork(int idx, const std::string& op, const std::string& art) = 0;
    virtual void RemoveArtwork(int idx, const std::string& op, const std::string& art) = 0;
    virtual void RenameArtwork(int idx, const std::string& op, const std::string& oldName,
                               const std::string& newName) = 0;
    virtual const PR940MacroMap& GetMacroMap(int idx) const = 0;
    virtual void SetMacroMap(int idx, const PR940MacroMap& macros) = 0;
    virtual const std::string& GetCurrMacro(int idx) const = 0;
    virtual void SetCurrMacro(int idx, const std::string& name) = 0;
    virtual void AddMacro(int idx, const std::string& name, const MouseMacroRecord& macro) = 0;
    virtual void AddEmptyMacro(int idx, const std::string& name) = 0;
    // Leaves currMacro as it is, also when it names the removed macro.
    virtual void RemoveMacro(int idx, const std::string& name) = 0;
    virtual void RenameMacro(int idx, const std::string& oldName, const std::string& newName) = 0;
    virtual void GetMacroNames(int idx, std::vector<std::string>& out) const = 0;
    // A missing name is added as an empty macro first, as GetMacroMode and SetMacroMode do.
    virtual MouseMacroRecord& GetMacro(int idx, const std::string& name) = 0;
    virtual void SetMacro(int idx, const std::string& name, const MouseMacroRecord& macro) = 0;
    virtual uint8_t GetMacroMode(int idx, const std::string& name) = 0;
    virtual void SetMacroMode(int idx, const std::string& name, uint8_t mode) = 0;
    virtual const std::string& GetMacroPath(int idx) const = 0;
    virtual void SetMacroPath(int idx, const std::string& path) = 0;
    virtual bool SaveProfile() = 0;

protected:
    IPR940ProfileCfg() = default;
    ~IPR940ProfileCfg() = default;
};
