#include "hostile/ReaderCatalog.h"

#include <QBuffer>
#include <QFile>
#include <QXmlStreamWriter>

#include "devices/audio/AU570Document.h"
#include "devices/audio/AudioProfileDocument.h"
#include "devices/audio/AudioStoreTraits.h"
#include "devices/keyboards/KR720Document.h"
#include "devices/keyboards/TLProfileStore.h"
#include "devices/mice/MouseXml.h"
#include "devices/mice/PR26xDocument.h"
#include "devices/mice/PR941Sections.h"
#include "devices/mousepads/FT280Document.h"
#include "devices/mousepads/FT280ProfileCfgImpl.h"
#include "devices/textlight/VL550Document.h"
#include "profilecore/MacroModel.h"

namespace prefbook::readers {

QByteArray WriteToBytes(const std::function<void(QXmlStreamWriter&)>& body) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteXmlDevice(buffer, body);
    return buffer.data();
}

namespace {

// ---- Sample content shared by several formats ----

MacroRecord SampleRecord(const std::string& name, uint8_t mode, int steps) {
    MacroRecord record{};
    SetRecordName(record, name);
    record.mode = mode;
    record.actionCount = static_cast<uint8_t>(steps);
    for (int i = 0; i < steps; ++i) {
        record.actions[i] = MacroAction{static_cast<uint16_t>(4 + i), static_cast<uint8_t>(i % 2),
                                        static_cast<uint16_t>(65535 - i)};
    }
    return record;
}

// Names that test the byte order of the map and the UTF-8 round trip; one longer than a record holds.
const std::string kLongName = "a macro name longer than sixteen bytes";
const std::string kUtf8Name = "\xc3\xa9t\xc3\xa9 \xe2\x86\x92 <&\">";

QVector<CustomColor> SampleColors(int seed) {
    QVector<CustomColor> colors;
    for (int i = 0; i < kTLColorCount; ++i) {
        colors.push_back(CustomColor{static_cast<uint8_t>(i % 2), static_cast<uint8_t>(seed + i),
                                     static_cast<uint8_t>(255 - i), 0, 255});
    }
    return colors;
}

// ---- TL480 / TL460 store documents ----

TLDocument DefaultTL() {
    TLDocument doc;
    for (int id = 0; id < kTLProfileCount; ++id) doc.profiles.push_back(DefaultTLProfile(id));
    return doc;
}

TLDocument RichTL() {
    TLDocument doc;
    doc.exportPath = QStringLiteral("/home/user/exports");
    doc.openExePath = QString::fromUtf8("C:/Program Files/G\xc3\xa4me");
    for (int id = 0; id < kTLProfileCount; ++id) {
        TLProfile p = DefaultTLProfile(id);
        p.name = id == 1 ? kUtf8Name : "profile " + std::to_string(id);
        p.exe = "game" + std::to_string(id) + ".exe";
        p.multiLayer = -id;
        p.multiZone = 1000 * id;
        p.foreground = SampleColors(id);
        p.background = SampleColors(100 + id);
        p.macroPath = "C:/macros/" + std::to_string(id);
        p.currMacro = kLongName;
        p.macros[kLongName] = KeyMacroEntry{SampleRecord(kLongName, 3, 3), {17, 300, 65535}};
        p.macros[kUtf8Name] = KeyMacroEntry{SampleRecord(kUtf8Name, 255, kMacroActionCapacity), {}};
        p.macros["z"] = KeyMacroEntry{SampleRecord("z", 0, 0), {1}};
        doc.profiles.push_back(p);
    }
    return doc;
}

template <class Traits>
ReaderEntry TLEntry(const char* name) {
    const TLModel model = Traits::Model();
    const auto write = [model](const TLDocument& doc) {
        return WriteToBytes([&](QXmlStreamWriter& w) { WriteTLDocument(model, doc, w); });
    };
    const auto result = [write](bool read, const TLDocument& doc) {
        return ReadResult{read, read && doc.profiles.size() == kTLProfileCount, write(doc)};
    };
    ReaderEntry e;
    e.name = name;
    e.root = QByteArray(model.root.data(), model.root.size());
    e.defaultSample = [write] { return write(DefaultTL()); };
    e.richSample = [write] { return write(RichTL()); };
    e.initialState = [write] { return write(TLDocument{}); };
    e.readDevice = [model, result](const StoreHost& host, QIODevice& device, const QString& path) {
        TLDocument doc;
        const bool read = ReadTLDocument(host, model, device, path, doc);
        return result(read, doc);
    };
    e.readFile = [model, result](const StoreHost& host, const QString& path) {
        TLDocument doc;
        const bool read = ReadTLDocumentFile(host, model, path, doc);
        return result(read, doc);
    };
    e.loadAndSave = [](const StoreHost& host) { return TLProfileStore<Traits>(host).SaveProfile(); };
    e.storeFolder = [model](const StoreHost& host) { return host.ProfileDir(model.deviceType); };
    return e;
}

// ---- Keyboard macro file (slot:key assignments), imported into a filled-in macro set ----

MacroSet RichMacroSet() {
    MacroSet set;
    set.path = "C:/macros";
    set.currMacro = kUtf8Name;
    set.macros[kLongName] = MacroEntry{SampleRecord(kLongName, 3, 2), {{3, 17}, {2, 300}, {3, 17}}, {}};
    set.macros[kUtf8Name] = MacroEntry{SampleRecord(kUtf8Name, 7, kMacroActionCapacity), {}, {}};
    set.macros["b"] = MacroEntry{SampleRecord("b", 0, 0), {{255, 65535}}, {}};
    return set;
}

// The set the import starts from: one macro that no sample holds, so merges and refusals show.
MacroSet StartingMacroSet() {
    MacroSet set;
    set.path = "before";
    set.currMacro = "kept";
    set.macros["kept"] = MacroEntry{SampleRecord("kept", 9, 1), {{1, 1}}, {}};
    return set;
}

ReaderEntry MacroFileEntry(const char* name, QLatin1String root) {
    const auto write = [root](const MacroSet& set) {
        return WriteToBytes([&](QXmlStreamWriter& w) {
            w.writeStartElement(root);
            w.writeAttribute(QStringLiteral("flag"), QStringLiteral("8738"));
            ShortMacros::Write(w, {set.path, set.currMacro, set.macros});
            w.writeEndElement();
        });
    };
    ReaderEntry e;
    e.name = name;
    e.root = QByteArray(root.data(), root.size());
    e.flag = "8738";
    e.rootCheck = RootCheck::Refuses;
    e.defaultSample = [write] { return write(MacroSet{}); };
    e.richSample = [write] { return write(RichMacroSet()); };
    e.initialState = [write] { return write(StartingMacroSet()); };
    e.readDevice = [root, write](const StoreHost& host, QIODevice& device, const QString& path) {
        MacroSet set = StartingMacroSet();
        const bool read =
            ShortMacros::ImportDevice(host, device, path, root, {set.path, set.currMacro, set.macros});
        return ReadResult{read, read, write(set)};
    };
    e.readFile = [root, write](const StoreHost& host, const QString& path) {
        MacroSet set = StartingMacroSet();
        const bool read = ShortMacros::ImportFile(host, path, root, {set.path, set.currMacro, set.macros});
        return ReadResult{read, read, write(set)};
    };
    return e;
}

// ---- Readers known only by their document functions: one reader body, one writer body ----

template <class Data>
struct XmlFormat {
    const char* name;
    QLatin1String root;
    QString parseFailure;
    std::function<void(const StoreHost&, QXmlStreamReader&, Data&)> read;
    std::function<void(QXmlStreamWriter&, const Data&)> write;
    std::function<bool(const Data&)> accept;
    Data fresh;  // the target before a read
    Data defaults;
    Data rich;
};

template <class Data>
ReaderEntry XmlEntry(const XmlFormat<Data>& f) {
    const auto bytes = [f](const Data& d) {
        return WriteToBytes([&](QXmlStreamWriter& w) { f.write(w, d); });
    };
    const auto result = [f, bytes](bool read, const Data& d) {
        return ReadResult{read, read && f.accept(d), bytes(d)};
    };
    ReaderEntry e;
    e.name = f.name;
    e.root = QByteArray(f.root.data(), f.root.size());
    e.defaultSample = [f, bytes] { return bytes(f.defaults); };
    e.richSample = [f, bytes] { return bytes(f.rich); };
    e.initialState = [f, bytes] { return bytes(f.fresh); };
    e.readDevice = [f, result](const StoreHost& host, QIODevice& device, const QString& path) {
        Data d = f.fresh;
        const bool read = ReadXmlDevice(host, device, path, f.parseFailure,
                                        [&](QXmlStreamReader& r) { f.read(host, r, d); });
        return result(read, d);
    };
    e.readFile = [f, result](const StoreHost& host, const QString& path) {
        Data d = f.fresh;
        const bool read =
            ReadXmlFile(host, path, f.parseFailure, [&](QXmlStreamReader& r) { f.read(host, r, d); });
        return result(read, d);
    };
    return e;
}

KR720Document KR720Sample(bool rich) {
    KR720Document doc;
    doc.head.flag = kKR720StoreFlag;
    for (int i = 0; i < kKR720Records; ++i) {
        KR720Profile p;
        p.id = static_cast<uint8_t>(i);
        if (rich) {
            p.name = i == 1 ? kUtf8Name : "record " + std::to_string(i);
            p.exe = "game.exe";
            p.aimpad.path = "C:/aimpad";
            if (i < 2) p.macros = RichMacroSet();  // two are enough, and keep the fuzzer fast
        }
        doc.records.push_back(p);
    }
    if (rich) {
        doc.head.signature = 4000000000u;
        doc.head.exportPath = QStringLiteral("/home/user/exports");
        doc.head.openExePath = QString::fromUtf8("C:/G\xc3\xa4me");
    }
    return doc;
}

ReaderEntry KR720Entry() {
    XmlFormat<KR720Document> f;
    f.name = "kr720";
    f.root = QLatin1String("kr720");
    f.parseFailure = QStringLiteral("Parse KR720 XML Failed. ");
    f.read = [](const StoreHost& host, QXmlStreamReader& r, KR720Document& d) { ReadKR720(r, host, d); };
    f.write = [](QXmlStreamWriter& w, const KR720Document& d) { WriteKR720(w, d.head, d.records); };
    f.accept = [](const KR720Document& d) {
        return d.records.size() == kKR720Records && d.head.flag == kKR720StoreFlag;
    };
    f.defaults = KR720Sample(false);
    f.rich = KR720Sample(true);
    ReaderEntry e = XmlEntry(f);
    e.flag = QByteArray::number(kKR720StoreFlag);
    return e;
}

// The aimpad file refuses foreign roots and flags itself, so it is read through its own function.
ReaderEntry KR720AimpadEntry() {
    const auto bytes = [](const AimpadFile& f) {
        return WriteToBytes([&](QXmlStreamWriter& w) { WriteAimpadFile(w, f.currMode, f.modes); });
    };
    const auto sample = [bytes](bool rich) {
        AimpadFile f;
        f.currMode = rich ? 4 : 0;
        for (int i = 0; i < kKR720AimModes; ++i) {
            AimpadSettings s;
            if (rich) s.path = "C:/aimpad/" + std::to_string(i) + kUtf8Name;
            f.modes.push_back(s);
        }
        return bytes(f);
    };
    ReaderEntry e;
    e.name = "kr720_aimpad";
    e.root = "kr720";
    e.flag = QByteArray::number(kKR720RecordFlag);
    e.rootCheck = RootCheck::Refuses;
    e.defaultSample = [sample] { return sample(false); };
    e.richSample = [sample] { return sample(true); };
    e.initialState = [bytes] { return bytes(AimpadFile{}); };
    e.readDevice = [bytes](const StoreHost& host, QIODevice& device, const QString& path) {
        AimpadFile f;
        const bool read = ReadAimpadDevice(host, device, path, f);
        return ReadResult{read, read, bytes(f)};
    };
    e.readFile = [bytes](const StoreHost& host, const QString& path) {
        AimpadFile f;
        const bool read = ReadAimpadFile(host, path, f);
        return ReadResult{read, read, bytes(f)};
    };
    return e;
}

ReaderEntry FT280Entry() {
    XmlFormat<QVector<FT280Profile>> f;
    f.name = "ft280";
    f.root = QLatin1String("ft280");
    f.parseFailure = kFT280ParseFailure;
    f.read = [](const StoreHost&, QXmlStreamReader& r, QVector<FT280Profile>& d) { ReadFT280Document(r, d); };
    f.write = [](QXmlStreamWriter& w, const QVector<FT280Profile>& d) { WriteFT280Document(w, d); };
    f.accept = [](const QVector<FT280Profile>& d) { return !d.isEmpty(); };
    f.defaults = {FT280ProfileCfgImpl::DefaultProfile()};
    FT280Profile other = FT280ProfileCfgImpl::DefaultProfile();
    other.currMode = 200;
    other.foreground = SampleColors(9);
    f.rich = {FT280ProfileCfgImpl::DefaultProfile(), other};
    return XmlEntry(f);
}

ReaderEntry VL550Entry() {
    XmlFormat<VL550Profile> f;
    f.name = "vl550";
    f.root = QLatin1String("vl550");
    f.parseFailure = kVL550ParseFailure;
    f.read = [](const StoreHost& host, QXmlStreamReader& r, VL550Profile& d) {
        ReadVL550Document(host, r, d);
    };
    f.write = [](QXmlStreamWriter& w, const VL550Profile& d) { WriteVL550Document(w, d); };
    f.accept = [](const VL550Profile&) { return true; };
    VL550Profile rich;
    rich.currMode = 3;
    rich.customColors = SampleColors(50);
    rich.currText = 2;
    rich.textMode = 1;
    rich.textPeriod = 250;
    for (size_t i = 0; i < rich.customBlock.size(); ++i) rich.customBlock[i] = static_cast<uint8_t>(i * 7);
    f.rich = rich;
    return XmlEntry(f);
}

ReaderEntry AU570Entry() {
    XmlFormat<AU570ProfileData> f;
    f.name = "au570";
    f.root = QLatin1String("au570");
    f.parseFailure = QStringLiteral("Parse AU570 XML Failed. ");
    f.read = [](const StoreHost&, QXmlStreamReader& r, AU570ProfileData& d) { ReadAU570Document(r, d); };
    f.write = [](QXmlStreamWriter& w, const AU570ProfileData& d) { WriteAU570Document(w, d); };
    f.accept = [](const AU570ProfileData&) { return true; };
    f.defaults = AU570Presets();
    f.rich = AU570Presets();
    f.rich.bass = -6;
    f.rich.treble = 12;
    f.rich.currModeId = 2;
    return XmlEntry(f);
}

template <class Traits>
ReaderEntry AudioEntry(const char* name) {
    using Data = AudioStoreData<typename Traits::Profile>;
    XmlFormat<Data> f;
    f.name = name;
    f.root = QLatin1String(Traits::kRoot);
    f.parseFailure = QStringLiteral("Parse %1 XML Failed. ").arg(QLatin1String(Traits::kModel));
    f.read = [](const StoreHost&, QXmlStreamReader& r, Data& d) { ReadAudioDocument<Traits>(r, d); };
    f.write = [](QXmlStreamWriter& w, const Data& d) { WriteAudioDocument<Traits>(w, d); };
    f.accept = [](const Data& d) { return !d.profiles.isEmpty(); };
    f.defaults.profiles = {DefaultAudioProfile<Traits>()};
    f.rich.exportPath = QStringLiteral("/home/user/exports");
    f.rich.openExePath = QString::fromUtf8("C:/G\xc3\xa4me");
    f.rich.profiles = {DefaultAudioProfile<Traits>(), DefaultAudioProfile<Traits>()};
    return XmlEntry(f);
}

// ---- PR260 / PR261 / PR941 store documents and their macro files ----

MouseMacroRecord SampleMouseMacro(const std::string& name, uint8_t id, int steps) {
    MouseMacroRecord record{};
    SetRecordName(record, name);
    record.id = id;
    record.mode = 2;
    record.actionCount = static_cast<uint8_t>(steps);
    for (int i = 0; i < steps; ++i) record.actions[i] = MacroAction{static_cast<uint16_t>(4 + i), 1, 65535};
    return record;
}

MouseMacroNameMap SampleMouseMacros() {
    return {{kLongName, SampleMouseMacro(kLongName, 13, 3)},
            {kUtf8Name, SampleMouseMacro(kUtf8Name, 4, kMacroActionCapacity)}};
}

template <class Profile>
PR26xDocument<Profile> PR26xSample(bool rich) {
    PR26xDocument<Profile> doc;
    doc.flag = kButtonMouseStoreFlag;
    for (int i = 0; i < kButtonMouseProfileCount; ++i) {
        Profile p = DefaultPR26xProfile<Profile>(i);
        if (rich) {
            p.name = i == 1 ? kUtf8Name : "profile " + std::to_string(i);
            p.mapping[12] = 65535;
            p.buttonMacros[3] = SampleMouseMacro("bound", 3, 2);
            p.config.angleTunability = -70000;
            p.surfaces["pad"] = SurfaceValue{"pad", -1, 255};
            p.macros = SampleMouseMacros();
            p.currMacro = kLongName;
            if constexpr (std::is_same_v<Profile, PR261Profile>) {
                p.lighting.modes[7] = LightingModeEntry{7, 1, 1, 100, 255, 0, 9};
                p.lighting.currLed = -3;
                p.lighting.foreground = SampleColors(i);
            } else if constexpr (std::is_same_v<Profile, PR941Profile>) {
                p.lighting.modes[7] = StarsModeEntry{7, 1, 2, 1, 100, 255, 0, 9, 8, 7, 6};
                p.lighting.custom.colors[24] = {1, 2, 3};
                p.lighting.music = {5, {{9, 8, 7}}};
                p.lighting.foreground = SampleColors(i);
                p.wireless = {65535, 255, -70000};
            }
        }
        doc.profiles.push_back(p);
    }
    if (rich) {
        doc.currentProfileID = 4;
        doc.exportPath = QStringLiteral("/home/user/exports");
        doc.openExePath = QString::fromUtf8("C:/G\xc3\xa4me");
    }
    return doc;
}

template <class Profile>
ReaderEntry PR26xEntry(const char* name, const PR26xModel& model) {
    using Doc = PR26xDocument<Profile>;
    const auto write = [model](const Doc& doc) {
        return WriteToBytes([&](QXmlStreamWriter& w) { WritePR26x(w, model, doc.flag, doc); });
    };
    const auto result = [write](bool read, const Doc& doc) {
        const bool accepted =
            read && doc.profiles.size() == kButtonMouseProfileCount && doc.flag == kButtonMouseStoreFlag;
        return ReadResult{read, accepted, write(doc)};
    };
    ReaderEntry e;
    e.name = name;
    e.root = QByteArray(model.root.data(), model.root.size());
    e.flag = QByteArray::number(kButtonMouseStoreFlag);
    e.defaultSample = [write] { return write(PR26xSample<Profile>(false)); };
    e.richSample = [write] { return write(PR26xSample<Profile>(true)); };
    e.initialState = [write] { return write(Doc{}); };
    e.readDevice = [model, result](const StoreHost& host, QIODevice& device, const QString& path) {
        Doc doc;
        const bool read = ReadPR26xDevice(host, model, device, path, doc);
        return result(read, doc);
    };
    e.readFile = [model, result](const StoreHost& host, const QString& path) {
        Doc doc;
        const bool read = ReadPR26xFile(host, model, path, doc);
        return result(read, doc);
    };
    return e;
}

// Imported into a profile without macros, merged as the store merges: the profile takes the file's
// path and current macro, and a second read of what was written gives the same again.
ReaderEntry PR26xMacroFileEntry(const char* name, const PR26xModel& model) {
    struct Macros {
        std::string path;
        std::string currMacro;
        MouseMacroNameMap macros;
    };
    const auto write = [model](const Macros& m) {
        return WriteToBytes([&](QXmlStreamWriter& w) {
            w.writeStartElement(model.root);
            writeNumber(w, QLatin1String("flag"), kButtonMouseMacroFileFlag);
            WriteMouseMacros(w, m.path, m.currMacro, m.macros, MouseMacroId::Written);
            w.writeEndElement();
        });
    };
    const auto import = [write](const std::function<bool(Macros&)>& read) {
        Macros into;
        Macros file;
        const bool ok = read(file);
        if (ok) {
            into.path = file.path;
            into.currMacro = file.currMacro;
            MergeImportedMacros(file.macros, into.macros);
        }
        return ReadResult{ok, ok, write(into)};
    };
    ReaderEntry e;
    e.name = name;
    e.root = QByteArray(model.root.data(), model.root.size());
    e.flag = QByteArray::number(kButtonMouseMacroFileFlag);
    e.rootCheck = RootCheck::Refuses;
    e.defaultSample = [write] { return write(Macros{"", "", {}}); };
    e.richSample = [write] { return write(Macros{"C:/macros", kUtf8Name, SampleMouseMacros()}); };
    e.initialState = [write] { return write(Macros{}); };
    e.readDevice = [model, import](const StoreHost& host, QIODevice& device, const QString& path) {
        return import([&](Macros& m) {
            return ReadPR26xMacroDevice(host, model, device, path, m.path, m.currMacro, m.macros);
        });
    };
    e.readFile = [model, import](const StoreHost& host, const QString& path) {
        return import(
            [&](Macros& m) { return ReadPR26xMacroFile(host, model, path, m.path, m.currMacro, m.macros); });
    };
    return e;
}

std::vector<ReaderEntry> BuildCatalog() {
    return {
        TLEntry<TL480Traits>("tl480"),
        TLEntry<TL460Traits>("tl460"),
        MacroFileEntry("kr720_macros", QLatin1String("kr720")),
        KR720Entry(),
        KR720AimpadEntry(),
        FT280Entry(),
        VL550Entry(),
        AU570Entry(),
        AudioEntry<DS180Traits>("ds180"),
        AudioEntry<AU320Traits>("au320"),
        AudioEntry<AU340Traits>("au340"),
        PR26xEntry<PR260Profile>("pr260", PR260Model()),
        PR26xEntry<PR261Profile>("pr261", PR261Model()),
        PR26xMacroFileEntry("pr260_macros", PR260Model()),
        PR26xMacroFileEntry("pr261_macros", PR261Model()),
        PR26xEntry<PR941Profile>("pr941", PR941Model()),
        PR26xMacroFileEntry("pr941_macros", PR941Model()),
    };
}

}  // namespace

const std::vector<ReaderEntry>& Catalog() {
    static const std::vector<ReaderEntry> catalog = BuildCatalog();
    return catalog;
}

const ReaderEntry* FindReader(const QString& name) {
    for (const ReaderEntry& e : Catalog()) {
        if (name == QLatin1String(e.name)) return &e;
    }
    return nullptr;
}

}  // namespace prefbook::readers
