#include "devices/mice/PR26xDocument.h"

#include <type_traits>

#include "devices/mice/MouseXml.h"
#include "devices/mice/PR941Sections.h"
#include "devices/mice/PRMouseSections.h"
#include "profilecore/ColorXml.h"
#include "profilecore/MacroModel.h"

namespace prefbook {

PR26xModel PR260Model() {
    return {8, QLatin1String("pr260"), QLatin1String("PR260"), 608};
}
PR26xModel PR261Model() {
    return {9, QLatin1String("pr261"), QLatin1String("PR261"), 609};
}

namespace {

template <class Profile>
constexpr bool HasLighting() {
    return !std::is_same_v<decltype(Profile::lighting), NoMouseLighting>;
}

PerformanceConfig DefaultConfigFor(const PerformanceConfig&) {
    static const PerformanceConfig config = [] {
        PerformanceConfig c{};
        c.dpiLevel = 2;
        const uint16_t steps[kMouseDpiSteps] = {400, 800, 1200, 1600, 3200, 6400, 16000};
        for (int i = 0; i < kMouseDpiSteps; ++i) {
            c.dpi[i] = {steps[i], steps[i]};
            c.dpiEnable[i] = 1;
        }
        c.reserved1 = 10;
        c.reserved2 = 16;
        c.pollingRate = 1;
        c.osSensitivity = 6;
        c.osDoubleClickSpeed = 6;
        c.buttonResponseTime = 3;
        return c;
    }();
    return config;
}
PerformanceConfig5 DefaultConfigFor(const PerformanceConfig5&) {
    static const PerformanceConfig5 config = DefaultPerformanceConfig5();
    return config;
}

// ---- Lighting (PR261) ----

void WriteLightingModeEntry(QXmlStreamWriter& w, const LightingModeEntry& m) {
    w.writeEmptyElement(QStringLiteral("mode"));
    writeNumber(w, QLatin1String("id"), m.id);
    writeNumber(w, QLatin1String("speed"), m.speed);
    writeNumber(w, QLatin1String("random"), m.random);
    writeNumber(w, QLatin1String("brightness"), m.brightness);
    writeNumber(w, QLatin1String("red"), m.red);
    writeNumber(w, QLatin1String("green"), m.green);
    writeNumber(w, QLatin1String("blue"), m.blue);
}

LightingModeEntry ReadLightingModeEntry(const QXmlStreamAttributes& a) {
    LightingModeEntry m{};
    m.id = attrU8(a, QLatin1String("id"));
    m.speed = attrU8(a, QLatin1String("speed"));
    m.random = attrU8(a, QLatin1String("random"));
    m.brightness = attrU8(a, QLatin1String("brightness"));
    m.red = attrU8(a, QLatin1String("red"));
    m.green = attrU8(a, QLatin1String("green"));
    m.blue = attrU8(a, QLatin1String("blue"));
    return m;
}

void WriteLighting(QXmlStreamWriter& w, const PR261Lighting& l) {
    w.writeStartElement(QStringLiteral("lighting"));
    writeNumber(w, QLatin1String("curr_mode"), l.currMode);
    w.writeStartElement(QStringLiteral("general"));
    for (const auto& item : l.modes) WriteLightingModeEntry(w, item.second);
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("custom"));
    writeNumber(w, QLatin1String("curr_led"), l.currLed);
    WriteRgbList(w, l.custom.colors, std::size(l.custom.colors));
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("foreground"));
    for (const CustomColor& c : l.foreground) WriteCustomColor(w, c);
    w.writeEndElement();
    w.writeEndElement();
}

void ReadLighting(QXmlStreamReader& r, PR261Lighting& l) {
    l.currMode = attrU8(r.attributes(), QLatin1String("curr_mode"));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("general")) {
            ForEachChild(r, [&](QStringRef child) {
                if (child != QLatin1String("mode")) return false;
                const LightingModeEntry m = ReadLightingModeEntry(r.attributes());
                l.modes[m.id] = m;
                return false;
            });
        } else if (name == QLatin1String("custom")) {
            l.currLed = attrInt(r.attributes(), QLatin1String("curr_led"));
            ReadRgbList(r, l.custom.colors, std::size(l.custom.colors));
        } else if (name == QLatin1String("foreground")) {
            ReadCustomColorList(r, l.foreground);
        } else {
            return false;
        }
        return true;
    });
}

void WriteLighting(QXmlStreamWriter& w, const PR941Lighting& l) {
    WritePR941Lighting(w, l);
}
void ReadLighting(QXmlStreamReader& r, PR941Lighting& l) {
    ReadPR941Lighting(r, l);
}

// ---- Sections after the macros ----

void WriteExtra(QXmlStreamWriter&, const NoProfileExtra&) {}
void WriteExtra(QXmlStreamWriter& w, const PR941Extra& e) {
    WritePR941Wireless(w, e.wireless);
}
bool ReadExtra(QXmlStreamReader&, QStringRef, NoProfileExtra&) {
    return false;
}
bool ReadExtra(QXmlStreamReader& r, QStringRef name, PR941Extra& e) {
    if (name != QLatin1String("wireless")) return false;
    ReadPR941Wireless(r, e.wireless);
    return true;
}

// ---- Performance ----

template <class Config>
SensorValues Sensors(const Config& c) {
    return {c.pollingRate,   c.angleSnapping,      c.liftOffDistance,   c.angleTunability,
            c.osSensitivity, c.osDoubleClickSpeed, c.buttonResponseTime};
}

// A step has an x and a y on the seven-step mice, one value on the PR941.
void WriteDpiStep(QXmlStreamWriter& w, DpiStep s) {
    writeNumber(w, QLatin1String("x"), s.x);
    writeNumber(w, QLatin1String("y"), s.y);
}
void WriteDpiStep(QXmlStreamWriter& w, uint16_t x) {
    writeNumber(w, QLatin1String("x"), x);
}
// The config is packed: steps go in and out by value, never by reference.
DpiStep ReadDpiStep(const QXmlStreamAttributes& a, DpiStep) {
    return {attrU16(a, QLatin1String("x")), attrU16(a, QLatin1String("y"))};
}
uint16_t ReadDpiStep(const QXmlStreamAttributes& a, uint16_t) {
    return attrU16(a, QLatin1String("x"));
}

template <class Config>
void WriteConfig(QXmlStreamWriter& w, const Config& c) {
    w.writeStartElement(QStringLiteral("config"));
    writeNumber(w, QLatin1String("dpi_level"), c.dpiLevel);
    for (size_t i = 0; i < std::extent_v<decltype(Config::dpi)>; ++i) {
        w.writeEmptyElement(QStringLiteral("dpi"));
        WriteDpiStep(w, c.dpi[i]);
        writeNumber(w, QLatin1String("enable"), c.dpiEnable[i]);
    }
    WriteSensorValues(w, Sensors(c));
    w.writeEndElement();
}

// The "dpi" elements come first; every other element after them is a sensor value by position.
template <class Config>
void ReadConfig(QXmlStreamReader& r, Config& c) {
    c.dpiLevel = attrU8(r.attributes(), QLatin1String("dpi_level"));
    SensorValues v = Sensors(c);
    size_t steps = 0;
    int values = 0;
    ForEachChild(r, [&](QStringRef name) {
        if (values == 0 && steps < std::extent_v<decltype(Config::dpi)> && name == QLatin1String("dpi")) {
            const QXmlStreamAttributes a = r.attributes();
            c.dpi[steps] = ReadDpiStep(a, c.dpi[steps]);
            c.dpiEnable[steps] = attrU8(a, QLatin1String("enable"));
            ++steps;
            return false;
        }
        if (values == kSensorValueCount) return false;
        ReadSensorValue(r, values++, v);
        return true;
    });
    c.pollingRate = v.pollingRate;
    c.angleSnapping = v.angleSnapping;
    c.liftOffDistance = v.liftOffDistance;
    c.angleTunability = v.angleTunability;
    c.osSensitivity = v.osSensitivity;
    c.osDoubleClickSpeed = v.osDoubleClickSpeed;
    c.buttonResponseTime = v.buttonResponseTime;
}

template <class Profile>
void ReadPerformance(QXmlStreamReader& r, Profile& p) {
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("config")) {
            ReadConfig(r, p.config);
        } else if (name == QLatin1String("surface")) {
            ReadMouseSurfaces(r, p.currSurface, p.surfaces);
        } else {
            return false;
        }
        return true;
    });
}

// ---- Profiles ----

template <class Profile>
Profile ReadProfile(QXmlStreamReader& r, const StoreHost& host, SectionNotes& notes) {
    // A profile starts from the defaults of its position, so a document that leaves a section out
    // keeps the values a fresh profile has.
    const QXmlStreamAttributes attrs = r.attributes();
    Profile p = DefaultPR26xProfile<Profile>(0);
    p.id = attrU8(attrs, QLatin1String("id"));
    p.name = attrUtf8(attrs, QLatin1String("name"));
    p.exe = attrUtf8(attrs, QLatin1String("exe"));
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("buttons")) {
            ReadMouseButtons(r, host, notes, p.comboEnable, p.comboView, p.mapping, p.buttonMacros);
        } else if (name == QLatin1String("performance")) {
            ReadPerformance(r, p);
        } else if (name == QLatin1String("macros")) {
            ReadMouseMacros(r, p.macroPath, p.currMacro, p.macros, MouseMacroId::Written, host);
        } else if (name == QLatin1String("lighting")) {
            if constexpr (!HasLighting<Profile>())
                return false;
            else
                ReadLighting(r, p.lighting);
        } else {
            return ReadExtra(r, name, p);
        }
        return true;
    });
    return p;
}

template <class Profile>
void WriteProfile(QXmlStreamWriter& w, const Profile& p) {
    w.writeStartElement(QStringLiteral("profile"));
    writeNumber(w, QLatin1String("id"), p.id);
    writeUtf8(w, QStringLiteral("name"), p.name);
    writeUtf8(w, QStringLiteral("exe"), p.exe);
    WriteMouseButtons(w, p.comboEnable, p.comboView, p.mapping, p.buttonMacros);
    if constexpr (HasLighting<Profile>()) WriteLighting(w, p.lighting);
    w.writeStartElement(QStringLiteral("performance"));
    WriteConfig(w, p.config);
    WriteMouseSurfaces(w, p.currSurface, p.surfaces);
    w.writeEndElement();
    WriteMouseMacros(w, p.macroPath, p.currMacro, p.macros, MouseMacroId::Written);
    WriteExtra(w, p);
    w.writeEndElement();
}

QString ParseFailure(const PR26xModel& model) {
    return "Parse " + model.name + " XML Failed. ";
}

template <class Profile>
ReadBody DocumentBody(const StoreHost& host, const PR26xModel& model, PR26xDocument<Profile>& doc) {
    return [&host, &model, &doc](QXmlStreamReader& r) {
        doc.profiles.clear();
        SectionNotes notes;
        WalkDocument(
            r, model.root,
            [&](const QXmlStreamAttributes& attrs) {
                doc.rootSeen = true;
                doc.flag = attrU16(attrs, QLatin1String("flag"));
                doc.exportPath = attrString(attrs, QLatin1String("exportPath"));
                doc.openExePath = attrString(attrs, QLatin1String("openExePath"));
                doc.currentProfileID = attrU8(attrs, QLatin1String("currentProfileID"));
            },
            [&](QStringRef name) {
                if (name != QLatin1String("profile")) return false;
                doc.profiles.push_back(ReadProfile<Profile>(r, host, notes));
                return true;
            });
    };
}

}  // namespace

template <class Profile>
Profile DefaultPR26xProfile(int position) {
    Profile p;
    p.id = static_cast<uint8_t>(position);
    p.name = "PROFILE" + std::to_string(position + 1);
    p.config = DefaultConfigFor(p.config);
    p.currSurface = kDefaultSurfaceName;
    p.surfaces = DefaultSurfaces();
    return p;
}

template <class Profile>
bool ReadPR26xDevice(const StoreHost& host, const PR26xModel& model, QIODevice& device, const QString& path,
                     PR26xDocument<Profile>& doc) {
    return ReadXmlDevice(host, device, path, ParseFailure(model), DocumentBody(host, model, doc));
}

template <class Profile>
bool ReadPR26xFile(const StoreHost& host, const PR26xModel& model, const QString& path,
                   PR26xDocument<Profile>& doc) {
    return ReadXmlFile(host, path, ParseFailure(model), DocumentBody(host, model, doc));
}

template <class Profile>
void WritePR26x(QXmlStreamWriter& w, const PR26xModel& model, uint16_t flag,
                const PR26xDocument<Profile>& doc) {
    w.writeStartElement(model.root);
    writeNumber(w, QLatin1String("flag"), flag);
    w.writeAttribute(QStringLiteral("exportPath"), doc.exportPath);
    w.writeAttribute(QStringLiteral("openExePath"), doc.openExePath);
    writeNumber(w, QLatin1String("currentProfileID"), doc.currentProfileID);
    for (const Profile& p : doc.profiles) WriteProfile(w, p);
    w.writeEndElement();
}

template <class Profile>
bool WritePR26xFile(const StoreHost& host, const PR26xModel& model, const QString& path, WriteMode mode,
                    uint16_t flag, const PR26xDocument<Profile>& doc) {
    return WriteGuardedXmlFile(host, path, mode, "Write " + model.name + " XML Failed: ",
                               [&](QXmlStreamWriter& w) { WritePR26x(w, model, flag, doc); });
}

template <class Profile>
bool ReplacePR26xFile(const StoreHost& host, const PR26xModel& model, const QString& path,
                      const PR26xDocument<Profile>& doc) {
    return WritePR26xFile(host, model, path, WriteMode::Atomic, kButtonMouseStoreFlag, doc);
}

#define PREFBOOK_PR26X_INSTANTIATE(Profile)                                                                  \
    template Profile DefaultPR26xProfile<Profile>(int);                                                      \
    template bool ReadPR26xDevice(const StoreHost&, const PR26xModel&, QIODevice&, const QString&,           \
                                  PR26xDocument<Profile>&);                                                  \
    template bool ReadPR26xFile(const StoreHost&, const PR26xModel&, const QString&,                         \
                                PR26xDocument<Profile>&);                                                    \
    template void WritePR26x(QXmlStreamWriter&, const PR26xModel&, uint16_t, const PR26xDocument<Profile>&); \
    template bool WritePR26xFile(const StoreHost&, const PR26xModel&, const QString&, WriteMode, uint16_t,   \
                                 const PR26xDocument<Profile>&);                                             \
    template bool ReplacePR26xFile(const StoreHost&, const PR26xModel&, const QString&,                      \
                                   const PR26xDocument<Profile>&);
PREFBOOK_PR26X_INSTANTIATE(PR260Profile)
PREFBOOK_PR26X_INSTANTIATE(PR261Profile)
PREFBOOK_PR26X_INSTANTIATE(PR941Profile)

// ---- Macro files ----

bool WritePR26xMacroFile(const StoreHost& host, const PR26xModel& model, const QString& path,
                         const std::string& macroPath, const std::string& currMacro,
                         const MouseMacroNameMap& macros) {
    const auto body = [&](QXmlStreamWriter& w) {
        w.writeStartElement(model.root);
        writeNumber(w, QLatin1String("flag"), kButtonMouseMacroFileFlag);
        WriteMouseMacros(w, macroPath, currMacro, macros, MouseMacroId::Written);
        w.writeEndElement();
    };
    return WriteGuardedXmlFile(host, path, WriteMode::Atomic,
                               "Write " + model.name + " Macros Failed: ", body);
}

namespace {

// The first start element must be the model's root with the macro-file flag; its first "macros"
// child is read, the rest of the file only checked for well-formedness.
ReadBody MacroFileBody(const StoreHost& host, const PR26xModel& model, std::string& macroPath,
                       std::string& currMacro, MouseMacroNameMap& macros, bool& refused) {
    return [&, model](QXmlStreamReader& r) {
        if (!r.readNextStartElement()) return;
        if (r.name() != model.root ||
            attrU16(r.attributes(), QLatin1String("flag")) != kButtonMouseMacroFileFlag) {
            host.Log(QStringLiteral("Import macro file format error."));
            refused = true;
            return;
        }
        bool read = false;
        ForEachChild(r, [&](QStringRef name) {
            if (read || name != QLatin1String("macros")) return false;
            ReadMouseMacros(r, macroPath, currMacro, macros, MouseMacroId::Written, host);
            read = true;
            return true;
        });
        while (NextToken(r)) {
        }
    };
}

}  // namespace

bool ReadPR26xMacroDevice(const StoreHost& host, const PR26xModel& model, QIODevice& device,
                          const QString& path, std::string& macroPath, std::string& currMacro,
                          MouseMacroNameMap& macros) {
    bool refused = false;
    const bool read = ReadXmlDevice(host, device, path, "Parse " + model.name + " macros Failed. ",
                                    MacroFileBody(host, model, macroPath, currMacro, macros, refused));
    return read && !refused;
}

bool ReadPR26xMacroFile(const StoreHost& host, const PR26xModel& model, const QString& path,
                        std::string& macroPath, std::string& currMacro, MouseMacroNameMap& macros) {
    bool refused = false;
    const bool read = ReadXmlFile(host, path, "Parse " + model.name + " macros Failed. ",
                                  MacroFileBody(host, model, macroPath, currMacro, macros, refused));
    return read && !refused;
}

void MergeImportedMacros(const MouseMacroNameMap& imported, MouseMacroNameMap& macros) {
    for (const auto& item : imported) {
        const std::string name = RecordName(item.second);
        std::string key = name;
        for (int n = 1; macros.count(key) != 0; ++n) key = name + " - (" + std::to_string(n) + ")";
        MouseMacroRecord record = item.second;
        if (key != name) SetRecordName(record, key);
        macros[key] = record;
    }
}

}  // namespace prefbook
