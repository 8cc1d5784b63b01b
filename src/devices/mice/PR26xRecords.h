#pragma once

#include <QString>
#include <QVector>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "devices/mice/MouseMacroRecord.h"
#include "profilecore/CustomColor.h"
#include "profilecore/PackedRecord.h"

// Records of the button mice: the PR260 and PR261, whose button, surface and macro parts the PR941
// shares.

constexpr int kMouseButtons = 13;            // buttons 0..12 of the mapping and the bound macros
constexpr uint8_t kUnboundMacroButton = 13;  // a macro's id when it is bound to no button
constexpr int kMouseDpiSteps = 7;
constexpr uint8_t kCustomRgbLightingMode = 176;  // the lighting mode the custom colours select

#pragma pack(push, 1)
struct DpiStep {
    uint16_t x;
    uint16_t y;
};

// Sensor and pointer settings of one profile, exchanged whole.
struct PerformanceConfig {
    uint8_t dpiLevel;  // selected step, 0..6
    DpiStep dpi[kMouseDpiSteps];
    uint8_t dpiEnable[kMouseDpiSteps];
    int32_t angleTunability;
    uint8_t angleSnapping;  // 0 or 1
    uint8_t liftOffDistance;
    // Two bytes the device firmware expects here; the document does not carry them.
    uint8_t reserved1;
    uint8_t reserved2;
    uint8_t pollingRate;
    uint8_t osSensitivity;
    uint8_t osDoubleClickSpeed;
    uint8_t buttonResponseTime;
};

// One mode of the PR261 lighting effects.
struct LightingModeEntry {
    uint8_t id;
    uint8_t speed;
    uint8_t random;
    uint8_t brightness;
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

struct RgbColor {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

// The colours of a custom lighting mode: two on the PR261, one per LED on the PR941.
template <int N>
struct CustomRgbSet {
    RgbColor colors[N];
};
using CustomRgbPair = CustomRgbSet<2>;
#pragma pack(pop)

static_assert(sizeof(DpiStep) == 4, "DpiStep is exchanged as 4 bytes");
static_assert(sizeof(PerformanceConfig) == 48, "PerformanceConfig is exchanged as 48 bytes");
static_assert(offsetof(PerformanceConfig, angleTunability) == 36 &&
                  offsetof(PerformanceConfig, reserved1) == 42,
              "PerformanceConfig field offsets");
static_assert(sizeof(LightingModeEntry) == 7, "LightingModeEntry is exchanged as 7 bytes");
static_assert(sizeof(RgbColor) == 3, "RgbColor is exchanged as 3 bytes");
static_assert(sizeof(CustomRgbPair) == 6, "CustomRgbPair is exchanged as 6 bytes");
PREFBOOK_BYTEWISE_EQUALITY(PerformanceConfig)
PREFBOOK_BYTEWISE_EQUALITY(LightingModeEntry)
PREFBOOK_BYTEWISE_EQUALITY(CustomRgbPair)

// A learned surface: two values the sensor calibration produced.
struct SurfaceValue {
    std::string name;
    int32_t learn1 = 10;
    int32_t learn2 = 16;
};
inline bool operator==(const SurfaceValue& a, const SurfaceValue& b) {
    return a.name == b.name && a.learn1 == b.learn1 && a.learn2 == b.learn2;
}

using ButtonMacroMap = std::map<uint8_t, MouseMacroRecord>;  // by bound button, 0..12
using SurfaceMap = std::map<std::string, SurfaceValue>;
using MouseMacroNameMap = std::map<std::string, MouseMacroRecord>;
using LightingModeMap = std::map<uint8_t, LightingModeEntry>;  // by mode id

// The PR261 lighting block.
struct PR261Lighting {
    uint8_t currMode = 0;
    LightingModeMap modes;
    int32_t currLed = 0;
    CustomRgbPair custom{};
    QVector<CustomColor> foreground;
};

struct NoMouseLighting {};
struct NoProfileExtra {};

// One profile of a button mouse; Lighting is the model's lighting block, Config its sensor block and
// Extra the sections a model adds after the macros.
template <class Lighting, class Config = PerformanceConfig, class Extra = NoProfileExtra>
struct ButtonMouseProfile : Extra {
    uint8_t id = 0;
    std::string name;
    std::string exe;
    uint8_t comboEnable = 1;
    uint8_t comboView = 0;
    QVector<uint16_t> mapping = QVector<uint16_t>(kMouseButtons, 0);
    ButtonMacroMap buttonMacros;
    Lighting lighting{};
    Config config{};
    std::string currSurface;
    SurfaceMap surfaces;
    std::string macroPath;
    std::string currMacro;
    MouseMacroNameMap macros;
    uint8_t resetFlag = 0;
    uint8_t changedFlag = 0;
};

using PR260Profile = ButtonMouseProfile<NoMouseLighting>;
using PR261Profile = ButtonMouseProfile<PR261Lighting>;

// The operations of the button mice, in their declared order, written once so that the interfaces
// that share them cannot drift apart. Every operation with a profile index checks it (and a button
// number against 0..12, a DPI step against 0..6): a setter then does nothing, a getter returns false,
// 0 or an empty value, and an out-argument is reset to its empty value.

// Profile list, paths, whole records, marks, button mapping and bound macros, combo switches.
#define PREFBOOK_BUTTON_MOUSE_HEAD_OPERATIONS(Profile)                                       \
    virtual int GetProfileNum() = 0;                                                         \
    virtual void SetCurrentProfileID(uint8_t id) = 0;                                        \
    virtual uint8_t GetCurrentProfileID() = 0;                                               \
    virtual void SetExportPath(const QString& path) = 0;                                     \
    virtual const QString& GetExportPath() = 0;                                              \
    virtual void SetOpenExePath(const QString& path) = 0;                                    \
    virtual const QString& GetOpenExePath() = 0;                                             \
    virtual void SetProfileExe(int idx, const std::string& exe) = 0;                         \
    virtual const std::string& GetProfileExe(int idx) = 0;                                   \
    virtual void SetProfileName(int idx, const std::string& name) = 0;                       \
    virtual const std::string& GetProfileName(int idx) = 0;                                  \
    virtual void SetProfile(int idx, const Profile& profile) = 0;                            \
    virtual bool GetProfile(int idx, Profile& profile) = 0;                                  \
    virtual void SetChangedFlag(int idx, uint8_t flag) = 0;                                  \
    virtual bool HasChangedProfile() = 0;                                                    \
    virtual uint8_t GetChangedFlag(int idx) = 0;                                             \
    virtual void ClearChangedFlags() = 0;                                                    \
    virtual void SetProfileMarks(uint8_t value) = 0;                                         \
    virtual uint8_t GetProfileMark(int position) = 0;                                        \
    virtual void SetResetFlag(int idx) = 0;                                                  \
    virtual uint8_t GetResetFlag(int idx) = 0;                                               \
    virtual void SetAllResetFlags() = 0;                                                     \
    virtual void SetMapping(int idx, const QVector<uint16_t>& mapping) = 0;                  \
    virtual bool GetMapping(int idx, QVector<uint16_t>& mapping) = 0;                        \
    virtual void SetButtonMapping(int idx, uint8_t button, uint16_t value) = 0;              \
    virtual uint16_t GetButtonMapping(int idx, uint8_t button) = 0;                          \
    virtual void SetButtonMacros(int idx, const ButtonMacroMap& macros) = 0;                 \
    virtual bool GetButtonMacros(int idx, ButtonMacroMap& macros) = 0;                       \
    virtual void ClearButtonMacros(int idx) = 0;                                             \
    virtual void SetButtonMacro(int idx, uint8_t button, const MouseMacroRecord& macro) = 0; \
    virtual bool GetButtonMacro(int idx, uint8_t button, MouseMacroRecord& macro) = 0;       \
    virtual void SetComboEnable(int idx, uint8_t value) = 0;                                 \
    virtual uint8_t GetComboEnable(int idx) = 0;                                             \
    virtual void SetComboView(int idx, uint8_t value) = 0;                                   \
    virtual uint8_t GetComboView(int idx) = 0;

// The sensor block and its fields; a DPI step is set from the values after its index.
#define PREFBOOK_BUTTON_MOUSE_CONFIG_OPERATIONS(Config, ...)              \
    virtual void SetPerformanceConfig(int idx, const Config& config) = 0; \
    virtual bool GetPerformanceConfig(int idx, Config& config) = 0;       \
    virtual void SetDpiLevel(int idx, uint8_t level) = 0;                 \
    virtual uint8_t GetDpiLevel(int idx) = 0;                             \
    virtual void SetDpiStep(int idx, uint8_t step, __VA_ARGS__) = 0;      \
    virtual void SetPollingRate(int idx, uint8_t value) = 0;              \
    virtual void SetAngleSnapping(int idx, uint8_t value) = 0;            \
    virtual void SetLiftOffDistance(int idx, uint8_t value) = 0;          \
    virtual void SetAngleTunability(int idx, int32_t value) = 0;          \
    virtual void SetOsSensitivity(int idx, uint8_t value) = 0;            \
    virtual void SetOsDoubleClickSpeed(int idx, uint8_t value) = 0;       \
    virtual void SetButtonResponseTime(int idx, uint8_t value) = 0;

// Surfaces, named macros and the macro path.
#define PREFBOOK_BUTTON_MOUSE_SURFACE_MACRO_OPERATIONS                                               \
    virtual void SetSurfaces(int idx, const SurfaceMap& surfaces) = 0;                               \
    virtual bool GetSurfaces(int idx, SurfaceMap& surfaces) = 0;                                     \
    virtual void SetCurrSurface(int idx, const std::string& name) = 0;                               \
    virtual const std::string& GetCurrSurface(int idx) = 0;                                          \
    virtual void ResetSurfaces(int idx) = 0;                                                         \
    virtual void SetSurface(int idx, const std::string& name, int32_t learn1, int32_t learn2) = 0;   \
    virtual bool GetSurface(int idx, const std::string& name, SurfaceValue& surface) = 0;            \
    virtual void AddSurface(int idx, const SurfaceValue& surface) = 0;                               \
    virtual void RemoveSurface(int idx, const std::string& name) = 0;                                \
    virtual void RenameSurface(int idx, const std::string& oldName, const std::string& newName) = 0; \
    virtual void SetMacros(int idx, const MouseMacroNameMap& macros) = 0;                            \
    virtual bool GetMacros(int idx, MouseMacroNameMap& macros) = 0;                                  \
    virtual const std::string& GetCurrMacro(int idx) = 0;                                            \
    virtual void SetCurrMacro(int idx, const std::string& name) = 0;                                 \
    virtual void AddMacro(int idx, const std::string& name, const MouseMacroRecord& macro) = 0;      \
    virtual void AddEmptyMacro(int idx, const std::string& name) = 0;                                \
    virtual void RemoveMacro(int idx, const std::string& name) = 0;                                  \
    virtual void RenameMacro(int idx, const std::string& oldName, const std::string& newName) = 0;   \
    virtual void GetMacroNames(int idx, std::vector<std::string>& names) = 0;                        \
    virtual bool GetButtonMacroName(int idx, uint8_t button, std::string& name) = 0;                 \
    virtual void SetMacro(int idx, const std::string& name, const MouseMacroRecord& macro) = 0;      \
    virtual bool GetMacro(int idx, const std::string& name, MouseMacroRecord& macro) = 0;            \
    virtual uint8_t GetMacroId(int idx, const std::string& name) = 0;                                \
    virtual void SetMacroId(int idx, const std::string& name, uint8_t id) = 0;                       \
    virtual uint8_t GetMacroMode(int idx, const std::string& name) = 0;                              \
    virtual void SetMacroMode(int idx, const std::string& name, uint8_t mode) = 0;                   \
    virtual const std::string& GetMacroPath(int idx) = 0;                                            \
    virtual void SetMacroPath(int idx, const std::string& path) = 0;

// Macro files and single-profile export and import, at the user's paths.
#define PREFBOOK_BUTTON_MOUSE_FILE_OPERATIONS              \
    virtual bool ImportMacroFile(const QString& path) = 0; \
    virtual bool ExportMacroFile(const QString& path) = 0; \
    virtual bool ImportProfile(const QString& path) = 0;   \
    virtual bool ExportProfile(const QString& path) = 0;

// All operations after a model's lighting block, for the PR260 and PR261.
#define PREFBOOK_PR26X_TAIL_OPERATIONS                                                 \
    PREFBOOK_BUTTON_MOUSE_CONFIG_OPERATIONS(PerformanceConfig, uint16_t x, uint16_t y) \
    PREFBOOK_BUTTON_MOUSE_SURFACE_MACRO_OPERATIONS                                     \
    PREFBOOK_BUTTON_MOUSE_FILE_OPERATIONS                                              \
    virtual bool ImportAllProfiles(const QString& path) = 0;                           \
    virtual bool ExportAllProfiles(const QString& path) = 0;                           \
    virtual bool SaveProfile() = 0;                                                    \
    virtual bool MergeSaveProfile() = 0;

// The PR261 lighting operations.
#define PREFBOOK_PR261_LIGHTING_OPERATIONS                                                          \
    virtual void SetLightingMode(int idx, uint8_t mode) = 0;                                        \
    virtual uint8_t GetLightingMode(int idx) = 0;                                                   \
    virtual void SetLightingModeEntry(int idx, uint8_t modeId, const LightingModeEntry& entry) = 0; \
    virtual bool GetLightingModeEntry(int idx, uint8_t modeId, LightingModeEntry& entry) = 0;       \
    virtual void SetLightingModes(int idx, const LightingModeMap& modes) = 0;                       \
    virtual bool GetLightingModes(int idx, LightingModeMap& modes) = 0;                             \
    virtual void SetCustomRgb(int idx, const CustomRgbPair& colors) = 0;                            \
    virtual bool GetCustomRgb(int idx, CustomRgbPair& colors) = 0;                                  \
    virtual void SetCurrLed(int idx, int32_t led) = 0;                                              \
    virtual int32_t GetCurrLed(int idx) = 0;                                                        \
    virtual void SetForeground(int idx, const QVector<CustomColor>& colors) = 0;                    \
    virtual bool GetForeground(int idx, QVector<CustomColor>& colors) = 0;                          \
    virtual void ClearForegroundEnables(int idx) = 0;
