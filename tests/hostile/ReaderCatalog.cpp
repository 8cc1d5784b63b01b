#include "hostile/ReaderCatalog.h"

#include <QBuffer>
#include <QFile>
#include <QXmlStreamWriter>

#include "devices/audio/AU570Document.h"
#include "devices/audio/AudioProfileDocument.h"
#include "devices/audio/AudioStoreTraits.h"
#include "devices/keyboards/BXProfileStore.h"
#include "devices/keyboards/KR720Document.h"
#include "devices/keyboards/TLProfileStore.h"
#include "devices/keypad/KeydeckProfileCfgImpl.h"
#include "devices/mice/MouseXml.h"
#include "devices/mice/PR26xDocument.h"
#include "devices/mice/PR940ProfileCfgImpl.h"
#include "devices/mice/PR941Sections.h"
#include "devices/mousepads/FT280Document.h"
#include "devices/mousepads/FT280ProfileCfgImpl.h"
#include "devices/textlight/VL550Document.h"
#include "pr940/PR940TestSupport.h"
#include "profilecore/MacroModel.h"
#include "support/NullGlyphPress.h"

namespace prefbook::readers {

QByteArray WriteToBytes(const std::function<void(QXmlStreamWriter&)>& body) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteXmlDevice(buffer, body);
    return buffer.data();
}

namespace {

// ---- Sample content shared by several formats ----

template <class Record = MacroRecord>
Record SampleRecord(const std::string& name, uint8_t mode, int steps) {
    Record record{};
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

template <class Entry = MacroEntry>
BasicMacroSet<Entry> RichMacroSet() {
    using Record = decltype(Entry::record);
    BasicMacroSet<Entry> set;
    set.path = "C:/macros";
    set.currMacro = kUtf8Name;
    set.macros[kLongName] = Entry{SampleRecord<Record>(kLongName, 3, 2), {{3, 17}, {2, 300}, {3, 17}}, {}};
    set.macros[kUtf8Name] = Entry{SampleRecord<Record>(kUtf8Name, 7, kMacroActionCapacity), {}, {}};
    set.macros["b"] = Entry{SampleRecord<Record>("b", 0, 0), {{255, 65535}}, {}};
    return set;
}

// The set the import starts from: one macro that no sample holds, so merges and refusals show.
template <class Entry = MacroEntry>
BasicMacroSet<Entry> StartingMacroSet() {
    BasicMacroSet<Entry> set;
    set.path = "before";
    set.currMacro = "kept";
    set.macros["kept"] = Entry{SampleRecord<decltype(Entry::record)>("kept", 9, 1), {{1, 1}}, {}};
    return set;
}

template <class Macros = ShortMacros>
ReaderEntry MacroFileEntry(const char* name, QLatin1String root) {
    using Entry = typename Macros::Map::mapped_type;
    using MacroSet = BasicMacroSet<Entry>;
    const auto write = [root](const MacroSet& set) {
        return WriteToBytes([&](QXmlStreamWriter& w) {
            w.writeStartElement(root);
            w.writeAttribute(QStringLiteral("flag"), QStringLiteral("8738"));
            Macros::Write(w, {set.path, set.currMacro, set.macros});
            w.writeEndElement();
        });
    };
    ReaderEntry e;
    e.name = name;
    e.root = QByteArray(root.data(), root.size());
    e.flag = "8738";
    e.rootCheck = RootCheck::Refuses;
    e.defaultSample = [write] { return write(MacroSet{}); };
    e.richSample = [write] { return write(RichMacroSet<Entry>()); };
    e.initialState = [write] { return write(StartingMacroSet<Entry>()); };
    e.readDevice = [root, write](const StoreHost& host, QIODevice& device, const QString& path) {
        MacroSet set = StartingMacroSet<Entry>();
        const bool read =
            Macros::ImportDevice(host, device, path, root, {set.path, set.currMacro, set.macros});
        return ReadResult{read, read, write(set)};
    };
    e.readFile = [root, write](const StoreHost& host, const QString& path) {
        MacroSet set = StartingMacroSet<Entry>();
        const bool read = Macros::ImportFile(host, path, root, {set.path, set.currMacro, set.macros});
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
    RootCheck rootCheck = RootCheck::Skips;
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
    e.rootCheck = f.rootCheck;
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

template <class Traits>
ReaderEntry BXEntry(const char* name) {
    const BXModel model = Traits::Model();
    const auto sample = [](bool rich) {
        BXDocument doc;
        doc.head.flag = kBXStoreFlag;
        for (int i = 0; i < kBXRecords; ++i) {
            BXProfile p = DefaultBXProfile(i);
            if (rich) {
                p.name = i == 1 ? kUtf8Name : "record " + std::to_string(i);
                p.exe = "game.exe";
                p.filters[3][0] = 200;
                if (i < 2) p.macros = RichMacroSet<MacroEntryLong>();
            }
            doc.records.push_back(p);
        }
        if (rich) {
            doc.head.currentProfileID = 4;
            doc.head.exportPath = QStringLiteral("/home/user/exports");
            doc.head.openExePath = QString::fromUtf8("C:/G\xc3\xa4me");
        }
        return doc;
    };
    XmlFormat<BXDocument> f;
    f.name = name;
    f.root = model.root;
    f.parseFailure = "Parse " + QString(model.name) + " XML Failed. ";
    f.read = [model](const StoreHost& host, QXmlStreamReader& r, BXDocument& d) {
        ReadBX(r, host, model, d);
    };
    f.write = [model](QXmlStreamWriter& w, const BXDocument& d) { WriteBX(w, model, d.head, d.records); };
    f.accept = [](const BXDocument& d) {
        return d.records.size() == kBXRecords && d.head.flag == kBXStoreFlag;
    };
    f.defaults = sample(false);
    f.rich = sample(true);
    ReaderEntry e = XmlEntry(f);
    e.flag = QByteArray::number(kBXStoreFlag);
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
    f.rootCheck = RootCheck::Ignores;
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

// ---- PR940 store document; artwork images stay in memory, so hostile paths touch no file ----

IGlyphPress& MemoryPress() {
    return test::NullGlyphPress::Shared();
}

ReaderEntry PR940Entry() {
    const auto write = [](const PR940Document& doc) {
        return WriteToBytes([&](QXmlStreamWriter& w) { WritePR940Document(MemoryPress(), doc, w); });
    };
    const auto result = [write](bool read, const PR940Document& doc) {
        return ReadResult{read, read && doc.profiles.size() == kPR940ProfileCount, write(doc)};
    };
    ReaderEntry e;
    e.name = "pr940";
    e.root = "pr940";
    e.defaultSample = [write] {
        PR940Document doc;
        for (int id = 0; id < kPR940ProfileCount; ++id) doc.profiles.push_back(DefaultPR940Profile(id));
        return write(doc);
    };
    e.richSample = [write] { return write(test::DistinctPR940Document()); };
    e.initialState = [write] { return write(PR940Document{}); };
    e.readDevice = [result](const StoreHost& host, QIODevice& device, const QString& path) {
        PR940Document doc;
        const bool read = ReadPR940Document(host, MemoryPress(), device, path, doc);
        return result(read, doc);
    };
    e.readFile = [result](const StoreHost& host, const QString& path) {
        PR940Document doc;
        const bool read = ReadPR940DocumentFile(host, MemoryPress(), path, doc);
        return result(read, doc);
    };
    e.loadAndSave = [](const StoreHost& host) {
        return PR940ProfileCfgImpl(host, MemoryPress()).SaveProfile();
    };
    e.storeFolder = [](const StoreHost& host) { return host.ProfileDir(7); };
    return e;
}

// ---- Keypad documents (both variants) and the keypad's macro file ----

KeydeckMacroRecord SampleKeydeckRecord(const std::string& name, uint8_t mode, int steps) {
    KeydeckMacroRecord record{};
    SetRecordName(record, name);
    record.mode = mode;
    record.actionCount = static_cast<uint8_t>(steps);
    for (int i = 0; i < steps; ++i) {
        record.actions[i] = MacroAction{static_cast<uint16_t>(4 + i), static_cast<uint8_t>(i % 2),
                                        static_cast<uint16_t>(65535 - i)};
    }
    return record;
}

KeydeckMacroSet RichKeydeckMacros() {
    KeydeckMacroSet set;
    set.path = "C:/macros";
    set.currMacro = kUtf8Name;
    set.macros["z"] = KeydeckMacroEntry{SampleKeydeckRecord("z", 3, 2), {{3, 17}, {27, 0}}, {}};
    set.macros[kUtf8Name] =
        KeydeckMacroEntry{SampleKeydeckRecord(kUtf8Name, 7, kKeydeckMacroActionCapacity), {}, {}};
    set.macros[kLongName] = KeydeckMacroEntry{SampleKeydeckRecord(kLongName, 0, 0), {{255, 23}}, {}};
    return set;
}

// The sample's current profile is 0: a variant that falls back to its defaults keeps the current
// profile of the last document it tried, so only then do the fallback and the defaults agree.
KeydeckDocument KeydeckSample(bool rich) {
    KeydeckDocument doc;
    doc.flag = kKeydeckStoreFlag;
    doc.appPaths = QStringList{QString(), QString(), QString()};
    for (int n = 0; n < kKeydeckProfileCount; ++n) doc.profiles.push_back(DefaultKeydeckProfile(n));
    if (!rich) return doc;
    doc.exportPath = QStringLiteral("/home/user/exports");
    doc.openExePath = QString::fromUtf8("C:/G\xc3\xa4me");
    doc.appPaths = QStringList{QStringLiteral("C:/a.exe"), QString(), QString::fromUtf8("C:/\xc3\xa4.exe")};
    for (int n = 0; n < 2; ++n) {  // two full profiles keep the fuzzer fast
        KeydeckProfile& p = doc.profiles[n];
        p.name = n == 1 ? kUtf8Name : "profile";
        p.exe = "game.exe";
        for (int i = 0; i < kKeydeckIndicatorBytes; ++i) p.indicator[i] = static_cast<uint8_t>(i * 20);
        p.lighting.currMode = 4;
        p.lighting.customColors[71] = 9;
        p.lighting.foreground = SampleColors(n);
        p.mapping = {1, -2, 65535, 3, {{1, 300, 400, 500, 600, 7, 8}}, {}, {}, {}, {}};
        SimpleKeyAssign simple;
        simple.type = 2;
        simple.func = -1;
        simple.macro = SampleKeydeckRecord("", 1, 3);
        simple.macro.slot = 5;
        p.mapping.simpleKeys[4] = simple;
        p.mapping.advancedKeys[6] = {7, QStringLiteral("Ctrl+K"), kUtf8Name.c_str()};
        p.mapping.shortcutKeys[8] = {9, 10};
        p.mapping.specialKeys[11] = {12, 1300};
        p.macros = RichKeydeckMacros();
    }
    return doc;
}

ReaderEntry KeydeckEntry(const char* name, int type) {
    const QLatin1String root = KeydeckRootName(type);
    const auto write = [root](const KeydeckDocument& doc) {
        return WriteToBytes([&](QXmlStreamWriter& w) { WriteKeydeckDocument(w, root, doc); });
    };
    const auto fresh = [] {
        KeydeckDocument doc;
        doc.flag = kKeydeckStoreFlag;
        doc.appPaths = QStringList{QString(), QString(), QString()};
        return doc;
    };
    // The state carries the store's flag: a store writes its own whatever it read, and acceptance
    // already judges the flag that was read.
    const auto result = [write](bool read, KeydeckDocument doc) {
        const bool accepted =
            read && doc.flag == kKeydeckStoreFlag && doc.profiles.size() == kKeydeckProfileCount;
        doc.flag = kKeydeckStoreFlag;
        return ReadResult{read, accepted, write(doc)};
    };
    ReaderEntry e;
    e.name = name;
    e.root = QByteArray(root.data(), root.size());
    e.flag = QByteArray::number(kKeydeckStoreFlag);
    e.rootCheck = RootCheck::RefusesForeignRoot;
    e.defaultSample = [write] { return write(KeydeckSample(false)); };
    e.richSample = [write] { return write(KeydeckSample(true)); };
    e.initialState = [write, fresh] { return write(fresh()); };
    e.readDevice = [result, fresh](const StoreHost& host, QIODevice& device, const QString& path) {
        KeydeckDocument doc = fresh();
        const bool read = ReadKeydeckDocument(host, device, path, doc);
        return result(read, doc);
    };
    e.readFile = [result, fresh](const StoreHost& host, const QString& path) {
        KeydeckDocument doc = fresh();
        const bool read = ReadKeydeckFile(host, path, doc);
        return result(read, doc);
    };
    e.loadAndSave = [type](const StoreHost& host) { return KeydeckProfileCfgImpl(host).SaveProfile(type); };
    e.storeFolder = [type](const StoreHost& host) { return host.ProfileDir(type); };
    return e;
}

// The keypad's macro file, imported into a set that already holds one macro.
ReaderEntry KeydeckMacroFileEntry() {
    const QLatin1String root = KeydeckRootName(19);
    const auto write = [root](const KeydeckMacroSet& set) {
        return WriteToBytes([&](QXmlStreamWriter& w) {
            w.writeStartElement(root);
            w.writeAttribute(QStringLiteral("flag"), QStringLiteral("8738"));
            KeydeckMacros::Write(w, {set.path, set.currMacro, set.macros});
            w.writeEndElement();
        });
    };
    const auto starting = [] {
        KeydeckMacroSet set;
        set.path = "before";
        set.currMacro = "kept";
        set.macros["kept"] = KeydeckMacroEntry{SampleKeydeckRecord("kept", 9, 1), {{1, 1}}, {}};
        return set;
    };
    ReaderEntry e;
    e.name = "keydeck_macros";
    e.root = QByteArray(root.data(), root.size());
    e.flag = "8738";
    e.rootCheck = RootCheck::Refuses;
    e.defaultSample = [write] { return write(KeydeckMacroSet{}); };
    e.richSample = [write] { return write(RichKeydeckMacros()); };
    e.initialState = [write, starting] { return write(starting()); };
    e.readDevice = [root, write, starting](const StoreHost& host, QIODevice& device, const QString& path) {
        KeydeckMacroSet set = starting();
        const bool read =
            KeydeckMacros::ImportDevice(host, device, path, root, {set.path, set.currMacro, set.macros});
        return ReadResult{read, read, write(set)};
    };
    e.readFile = [root, write, starting](const StoreHost& host, const QString& path) {
        KeydeckMacroSet set = starting();
        const bool read = KeydeckMacros::ImportFile(host, path, root, {set.path, set.currMacro, set.macros});
        return ReadResult{read, read, write(set)};
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
        BXEntry<BX310V2Traits>("bx310v2"),
        BXEntry<BX330V2Traits>("bx330v2"),
        MacroFileEntry<LongMacros>("bx310v2_macros", QLatin1String("bx310V2")),
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
        PR940Entry(),
        KeydeckEntry("keydeck_g", 19),
        KeydeckEntry("keydeck_c", 20),
        KeydeckMacroFileEntry(),
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
