#include "hostile/ReaderCatalog.h"

#include <QBuffer>
#include <QFile>
#include <QXmlStreamWriter>
#include <memory>

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
#include "devices/textlight/VL550Document.h"
#include "profilecore/MacroModel.h"
#include "profilecore/SafeFileName.h"
#include "support/NullGlyphPress.h"

namespace prefbook::readers {

QByteArray WriteToBytes(const std::function<void(QXmlStreamWriter&)>& body) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteXmlDevice(buffer, body);
    return buffer.data();
}

namespace {

// ---- One reader: its target type, how it is read and written, and the targets of its samples ----

template <class Data>
struct Format {
    Format(const char* readerName, QByteArray rootName, QByteArray rootFlag = {},
           RootCheck check = RootCheck::Skips)
        : name(readerName), root(std::move(rootName)), flag(std::move(rootFlag)), rootCheck(check) {}
    const char* name;
    QByteArray root;  // as it appears in a sample
    QByteArray flag;
    RootCheck rootCheck;
    std::function<void(QXmlStreamWriter&, const Data&)> write;
    std::function<bool(const StoreHost&, QIODevice&, const QString&, Data&)> readDevice;
    std::function<bool(const StoreHost&, const QString&, Data&)> readFile;
    std::function<bool(const Data&)> accept = [](const Data&) { return true; };
    Data fresh{};  // the target before a read
    Data defaults{};
    Data rich{};
    // Where set, the samples are the hand-written store documents tests/data/<golden>/default.xml and
    // distinct.xml (every persisted field distinct) instead of the writer's output of defaults and rich.
    QString golden;
    QString richGolden;  // a hand-written tests/data/<richGolden>.xml for the rich sample alone
    std::function<QByteArray(QByteArray)> editDistinct = [](QByteArray doc) { return doc; };
    std::function<bool(const StoreHost&)> loadAndSave;  // store documents only
    int storeType = 0;                                  // the store's profile folder
};

QByteArray Golden(const QString& name) {
    QFile file(QStringLiteral(PREFBOOK_TEST_DATA "/") + name + ".xml");
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(file.fileName()));
    return file.readAll();
}

template <class Data>
ReaderEntry MakeEntry(const Format<Data>& format) {
    const auto f = std::make_shared<const Format<Data>>(format);
    const auto bytes = [f](const Data& d) {
        return WriteToBytes([&](QXmlStreamWriter& w) { f->write(w, d); });
    };
    const auto result = [f, bytes](bool read, const Data& d) {
        return ReadResult{read, read && f->accept(d), bytes(d)};
    };
    ReaderEntry e;
    e.name = f->name;
    e.root = f->root;
    e.flag = f->flag;
    e.rootCheck = f->rootCheck;
    e.defaultSample = [f, bytes] {
        return f->golden.isEmpty() ? bytes(f->defaults) : Golden(f->golden + "/default");
    };
    e.richSample = [f, bytes] {
        if (!f->richGolden.isEmpty()) return Golden(f->richGolden);
        return f->golden.isEmpty() ? bytes(f->rich) : f->editDistinct(Golden(f->golden + "/distinct"));
    };
    e.initialState = [f, bytes] { return bytes(f->fresh); };
    e.readDevice = [f, result](const StoreHost& host, QIODevice& device, const QString& path) {
        Data d = f->fresh;
        return result(f->readDevice(host, device, path, d), d);
    };
    e.readFile = [f, result](const StoreHost& host, const QString& path) {
        Data d = f->fresh;
        return result(f->readFile(host, path, d), d);
    };
    e.loadAndSave = f->loadAndSave;
    if (f->loadAndSave) e.storeFolder = [f](const StoreHost& host) { return host.ProfileDir(f->storeType); };
    return e;
}

QByteArray Bytes(QLatin1String text) {
    return QByteArray(text.data(), text.size());
}

// Readers known only by their document body: the library's own device and file reading around it.
template <class Data>
void ReadsXml(Format<Data>& f, const QString& parseFailure,
              const std::function<void(const StoreHost&, QXmlStreamReader&, Data&)>& body) {
    f.readDevice = [parseFailure, body](const StoreHost& host, QIODevice& device, const QString& path,
                                        Data& d) {
        return ReadXmlDevice(host, device, path, parseFailure,
                             [&](QXmlStreamReader& r) { body(host, r, d); });
    };
    f.readFile = [parseFailure, body](const StoreHost& host, const QString& path, Data& d) {
        return ReadXmlFile(host, path, parseFailure, [&](QXmlStreamReader& r) { body(host, r, d); });
    };
}

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

// The macro sets of the keyboards and the keypad (whose table keeps insertion order).
template <class Macros>
using EntryOf = typename Macros::Map::value_type::second_type;
template <class Macros>
using SetOf = BasicMacroSet<EntryOf<Macros>, typename Macros::Map>;

// The keypad's assignments are slot-to-id pairs of bytes, so it passes its own.
template <class Macros, class Entry = EntryOf<Macros>>
SetOf<Macros> RichMacroSet(const decltype(Entry::assignments)& first = {{3, 17}, {2, 300}, {3, 17}},
                           const decltype(Entry::assignments)& last = {{255, 65535}}) {
    using Record = decltype(Entry::record);
    SetOf<Macros> set;
    set.path = "C:/macros";
    set.currMacro = kUtf8Name;
    set.macros[kLongName] = Entry{SampleRecord<Record>(kLongName, 3, 2), first, {}};
    set.macros[kUtf8Name] = Entry{SampleRecord<Record>(kUtf8Name, 7, Macros::kCapacity), {}, {}};
    set.macros["b"] = Entry{SampleRecord<Record>("b", 0, 0), last, {}};
    return set;
}

// ---- TL480 / TL460 store documents ----

template <class Traits>
ReaderEntry TLEntry(const char* name) {
    const TLModel model = Traits::Model();
    Format<TLDocument> f(name, Bytes(model.root));
    f.write = [model](QXmlStreamWriter& w, const TLDocument& d) { WriteTLDocument(model, d, w); };
    f.readDevice = [model](const StoreHost& h, auto&... a) { return ReadTLDocument(h, model, a...); };
    f.readFile = [model](const StoreHost& h, auto&... a) { return ReadTLDocumentFile(h, model, a...); };
    f.accept = [](const TLDocument& d) { return d.profiles.size() == kTLProfileCount; };
    f.golden = QLatin1String(name);
    f.loadAndSave = [](const StoreHost& host) { return TLProfileStore<Traits>(host).SaveProfile(); };
    f.storeType = model.deviceType;
    return MakeEntry(f);
}

// ---- Keyboard and keypad macro files (slot assignments), imported into a filled-in macro set ----

template <class Macros = ShortMacros>
ReaderEntry MacroFileEntry(const char* name, QLatin1String root,
                           const SetOf<Macros>& rich = RichMacroSet<Macros>()) {
    using MacroSet = SetOf<Macros>;
    Format<MacroSet> f(name, Bytes(root), "8738", RootCheck::Refuses);
    f.write = [root](QXmlStreamWriter& w, const MacroSet& set) {
        w.writeStartElement(root);
        w.writeAttribute(QStringLiteral("flag"), QStringLiteral("8738"));
        Macros::Write(w, {set.path, set.currMacro, set.macros});
        w.writeEndElement();
    };
    f.readDevice = [root](const StoreHost& host, QIODevice& device, const QString& path, MacroSet& set) {
        return Macros::ImportDevice(host, device, path, root, {set.path, set.currMacro, set.macros});
    };
    f.readFile = [root](const StoreHost& host, const QString& path, MacroSet& set) {
        return Macros::ImportFile(host, path, root, {set.path, set.currMacro, set.macros});
    };
    // One macro that no sample holds, so merges and refusals show.
    f.fresh.path = "before";
    f.fresh.currMacro = "kept";
    f.fresh.macros["kept"] = {SampleRecord<decltype(EntryOf<Macros>::record)>("kept", 9, 1), {{1, 1}}, {}};
    f.rich = rich;
    return MakeEntry(f);
}

// ---- Store documents read by their document body ----

ReaderEntry KR720Entry() {
    Format<KR720Document> f("kr720", "kr720", QByteArray::number(kKR720StoreFlag));
    ReadsXml<KR720Document>(
        f, QStringLiteral("Parse KR720 XML Failed. "),
        [](const StoreHost& host, QXmlStreamReader& r, KR720Document& d) { ReadKR720(r, host, d); });
    f.write = [](QXmlStreamWriter& w, const KR720Document& d) { WriteKR720(w, d.head, d.records); };
    f.accept = [](const KR720Document& d) {
        return d.records.size() == kKR720Records && d.head.flag == kKR720StoreFlag;
    };
    f.golden = QStringLiteral("kr720");
    return MakeEntry(f);
}

// The aimpad file refuses foreign roots and flags itself, so it is read through its own functions.
ReaderEntry KR720AimpadEntry() {
    Format<AimpadFile> f("kr720_aimpad", "kr720", QByteArray::number(kKR720RecordFlag), RootCheck::Refuses);
    f.write = [](QXmlStreamWriter& w, const AimpadFile& d) { WriteAimpadFile(w, d.currMode, d.modes); };
    f.readDevice = ReadAimpadDevice;
    f.readFile = ReadAimpadFile;
    f.defaults.modes = QVector<AimpadSettings>(kKR720AimModes, AimpadSettings{});
    f.richGolden = QStringLiteral("kr720/aimpad-file");  // the store's aimpad export
    return MakeEntry(f);
}

template <class Traits>
ReaderEntry BXEntry(const char* name) {
    const BXModel model = Traits::Model();
    Format<BXDocument> f(name, Bytes(model.root), QByteArray::number(kBXStoreFlag));
    ReadsXml<BXDocument>(
        f, "Parse " + QString(model.name) + " XML Failed. ",
        [model](const StoreHost& host, QXmlStreamReader& r, BXDocument& d) { ReadBX(r, host, model, d); });
    f.write = [model](QXmlStreamWriter& w, const BXDocument& d) { WriteBX(w, model, d.head, d.records); };
    f.accept = [](const BXDocument& d) {
        return d.records.size() == kBXRecords && d.head.flag == kBXStoreFlag;
    };
    f.golden = QLatin1String(name);
    return MakeEntry(f);
}

ReaderEntry FT280Entry() {
    using Data = QVector<FT280Profile>;
    Format<Data> f("ft280", "ft280");
    ReadsXml<Data>(f, kFT280ParseFailure,
                   [](const StoreHost&, QXmlStreamReader& r, Data& d) { ReadFT280Document(r, d); });
    f.write = [](QXmlStreamWriter& w, const Data& d) { WriteFT280Document(w, d); };
    f.accept = [](const Data& d) { return !d.isEmpty(); };
    f.golden = QStringLiteral("ft280m");
    return MakeEntry(f);
}

ReaderEntry VL550Entry() {
    Format<VL550Profile> f("vl550", "vl550");
    ReadsXml<VL550Profile>(f, kVL550ParseFailure, ReadVL550Document);
    f.write = WriteVL550Document;
    f.golden = QStringLiteral("vl550");
    return MakeEntry(f);
}

ReaderEntry AU570Entry() {
    Format<AU570ProfileData> f("au570", "au570", {}, RootCheck::Ignores);
    ReadsXml<AU570ProfileData>(f, QString(), [](const StoreHost&, QXmlStreamReader& r, AU570ProfileData& d) {
        ReadAU570Document(r, d);
    });
    f.write = WriteAU570Document;
    f.golden = QStringLiteral("au570");
    return MakeEntry(f);
}

template <class Traits>
ReaderEntry AudioEntry(const char* name) {
    using Data = AudioStoreData<typename Traits::Profile>;
    Format<Data> f(name, Traits::kRoot);
    ReadsXml<Data>(f, QStringLiteral("Parse %1 XML Failed. ").arg(QLatin1String(Traits::kModel)),
                   [](const StoreHost&, QXmlStreamReader& r, Data& d) { ReadAudioDocument<Traits>(r, d); });
    f.write = WriteAudioDocument<Traits>;
    f.accept = [](const Data& d) { return !d.profiles.isEmpty(); };
    f.golden = QLatin1String(name);
    return MakeEntry(f);
}

// ---- PR260 / PR261 / PR941 store documents and their macro files ----

template <class Profile>
ReaderEntry PR26xEntry(const char* name, const PR26xModel& model) {
    using Doc = PR26xDocument<Profile>;
    Format<Doc> f(name, Bytes(model.root), QByteArray::number(kButtonMouseStoreFlag));
    f.write = [model](QXmlStreamWriter& w, const Doc& doc) { WritePR26x(w, model, doc.flag, doc); };
    f.readDevice = [model](const StoreHost& h, auto&... a) { return ReadPR26xDevice(h, model, a...); };
    f.readFile = [model](const StoreHost& h, auto&... a) { return ReadPR26xFile(h, model, a...); };
    f.accept = [](const Doc& doc) {
        return doc.profiles.size() == kButtonMouseProfileCount && doc.flag == kButtonMouseStoreFlag;
    };
    f.golden = QLatin1String(name);
    return MakeEntry(f);
}

// Imported into a profile without macros, merged as the store merges: the profile takes the file's
// path and current macro, and a second read of what was written gives the same again.
struct MouseMacros {
    std::string path;
    std::string currMacro;
    MouseMacroNameMap macros;
};

bool Merged(bool read, const MouseMacros& file, MouseMacros& into) {
    if (read) {
        into.path = file.path;
        into.currMacro = file.currMacro;
        MergeImportedMacros(file.macros, into.macros);
    }
    return read;
}

ReaderEntry PR26xMacroFileEntry(const char* name, const PR26xModel& model) {
    Format<MouseMacros> f(name, Bytes(model.root), QByteArray::number(kButtonMouseMacroFileFlag),
                          RootCheck::Refuses);
    f.write = [model](QXmlStreamWriter& w, const MouseMacros& m) {
        w.writeStartElement(model.root);
        writeNumber(w, QLatin1String("flag"), kButtonMouseMacroFileFlag);
        WriteMouseMacros(w, m.path, m.currMacro, m.macros, MouseMacroId::Written);
        w.writeEndElement();
    };
    f.readDevice = [model](const StoreHost& host, QIODevice& device, const QString& path, MouseMacros& into) {
        MouseMacros file;
        return Merged(ReadPR26xMacroDevice(host, model, device, path, file.path, file.currMacro, file.macros),
                      file, into);
    };
    f.readFile = [model](const StoreHost& host, const QString& path, MouseMacros& into) {
        MouseMacros file;
        return Merged(ReadPR26xMacroFile(host, model, path, file.path, file.currMacro, file.macros), file,
                      into);
    };
    f.rich = MouseMacros{"C:/macros", kUtf8Name, {}};
    f.rich.macros[kLongName] = SampleRecord<MouseMacroRecord>(kLongName, 2, 3);
    f.rich.macros[kLongName].id = 13;
    f.rich.macros[kUtf8Name] = SampleRecord<MouseMacroRecord>(kUtf8Name, 2, kMacroActionCapacity);
    f.rich.macros[kUtf8Name].id = 4;
    return MakeEntry(f);
}

// ---- PR940 store document; artwork images stay in memory, so hostile paths touch no file ----

ReaderEntry PR940Entry() {
    Format<PR940Document> f("pr940", "pr940");
    f.write = [](QXmlStreamWriter& w, const PR940Document& doc) {
        WritePR940Document(test::NullGlyphPress::Shared(), doc, w);
    };
    f.readDevice = [](const StoreHost& h, auto&... a) {
        return ReadPR940Document(h, test::NullGlyphPress::Shared(), a...);
    };
    f.readFile = [](const StoreHost& h, auto&... a) {
        return ReadPR940DocumentFile(h, test::NullGlyphPress::Shared(), a...);
    };
    f.accept = [](const PR940Document& doc) { return doc.profiles.size() == kPR940ProfileCount; };
    f.golden = QStringLiteral("pr940");
    // Names that would climb out of the artworks folder, so the seeds and the hostile cases carry them;
    // the image path is the one the writer forms, so the sample reads back to itself.
    f.editDistinct = [](QByteArray doc) {
        const QByteArray op = "../../../up", art = "../../../../../outside/evil";
        return doc.replace("        <oled currProfileName=\"op1\"/>\n",
                           "        <oled currProfileName=\"op1\">\n"
                           "            <op name=\"" +
                               op + "\" currArtworkName=\"" + art +
                               "\" order=\"\" duration=\"3\">\n"
                               "                <artwork name=\"" +
                               art + "\" bmp=\"art/11/" + op + "/" +
                               SafeFileName(art.toStdString()).toUtf8() +
                               ".bmp\" pen=\"1\" background=\"0\"/>\n"
                               "            </op>\n"
                               "        </oled>\n");
    };
    f.loadAndSave = [](const StoreHost& host) {
        return PR940ProfileCfgImpl(host, test::NullGlyphPress::Shared()).SaveProfile();
    };
    f.storeType = 7;
    return MakeEntry(f);
}

// ---- Keypad documents (both variants) and the keypad's macro file ----

ReaderEntry KeydeckEntry(const char* name, int type) {
    const QLatin1String root = KeydeckRootName(type);
    Format<KeydeckDocument> f(name, Bytes(root), QByteArray::number(kKeydeckStoreFlag),
                              RootCheck::RefusesForeignRoot);
    // The state carries the store's flag: a store writes its own whatever it read, and acceptance
    // already judges the flag that was read.
    f.write = [root](QXmlStreamWriter& w, KeydeckDocument doc) {
        doc.flag = kKeydeckStoreFlag;
        WriteKeydeckDocument(w, root, doc);
    };
    f.readDevice = ReadKeydeckDocument;
    f.readFile = ReadKeydeckFile;
    f.accept = [](const KeydeckDocument& doc) {
        return doc.flag == kKeydeckStoreFlag && doc.profiles.size() == kKeydeckProfileCount;
    };
    f.fresh.flag = kKeydeckStoreFlag;
    f.fresh.appPaths = QStringList{QString(), QString(), QString()};
    f.golden = QLatin1String(name);
    // A variant that falls back to its defaults keeps the current profile of the last document it
    // tried, so only with the defaults' current profile do the fallback and the defaults agree.
    f.editDistinct = [](QByteArray doc) {
        return doc.replace(" currentProfileID=\"5\"", " currentProfileID=\"0\"");
    };
    f.loadAndSave = [type](const StoreHost& host) { return KeydeckProfileCfgImpl(host).SaveProfile(type); };
    f.storeType = type;
    return MakeEntry(f);
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
        MacroFileEntry<KeydeckMacros>("keydeck_macros", KeydeckRootName(19),
                                      RichMacroSet<KeydeckMacros>({{3, 17}, {27, 0}}, {{255, 23}})),
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
