#pragma once

// Every profile store, one entry each, and the tests that run over all of them (CatalogueTest.cpp):
// golden default and distinct documents, load acceptance, import refusals and bad indexes.
//
// How a store joins: one file tests/catalogue/<Model>Entry.cpp (picked up by the build) that
// includes this header and the store's fill function (an inline function in a header of the store's
// own test folder, e.g. tests/pr940/PR940Fill.h), and registers one entry:
//
//     PREFBOOK_CATALOGUE_ENTRY(PR940) {
//         StoreEntry e = FolderStore<PR940ProfileCfgImpl>("PR940", "IPR940ProfileCfg", PR940);
//         e.profiles = 5;                      // profile elements the store document holds
//         e.load = LoadRule::Exact;            // how many of them a load accepts
//         e.fill = [](void* s) { FillPR940(As<PR940ProfileCfgImpl>(s)); };
//         e.kinds = {{"store document", "1282", 5},
//                    Kind<PR940ProfileCfgImpl>("profile export", "1824", 1,
//                    &PR940ProfileCfgImpl::ExportProfile,
//                                              &PR940ProfileCfgImpl::ImportProfile)};
//         e.badIndex = {{"GetProfileName(5)", [](void* s) { EXPECT_EQ(As<...>(s).GetProfileName(5), ""); }}};
//         MarkByNames<PR940ProfileCfgImpl>(e);  // the kill and race tests of tests/crash
//         return e;
//     }
//
// and two golden files written by hand from the format: tests/data/<model in lower case>/default.xml
// (what a store over an empty folder saves) and distinct.xml (what it saves after fill). fill must
// give every persisted field a value that differs from its default and from every other field, so
// that a swapped or skipped field changes the document.

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <utility>

#include "profilecore/DeviceType.h"
#include "support/TestHost.h"

namespace prefbook::test {

template <class S>
S& As(void* store) {
    return *static_cast<S*>(store);
}

// How many profile elements a load takes from the store document.
enum class LoadRule {
    Exact,       // exactly StoreEntry::profiles
    AtLeastOne,  // any number but none
    Any,         // the document has no profile list to count
};

// One kind of document the store writes: the store document itself or an export file.
struct DocumentKind {
    DocumentKind() = default;
    DocumentKind(QString kindName, QString rootFlag, int count)
        : name(std::move(kindName)), flag(std::move(rootFlag)), profiles(count) {}
    QString name;
    QString flag;      // the root's "flag" value, empty when the kind carries none
    int profiles = 0;  // profile elements the kind holds; 0 when it holds none
    std::function<bool(void*, const QString&)> write;   // unused for kinds[0]: StoreEntry::written gives it
    std::function<bool(void*, const QString&)> import;  // empty when nothing imports the kind
    bool keptOnRefusal = true;  // a refused import of this kind leaves the store as it was
    // The attribute whose number picks a slot of the store (a profile id, the current profile), and
    // how many slots there are: the import refuses a number past them.
    QByteArray slotAttribute;
    int slotCount = 0;
};

// Calls an index-taking operation with a bad index and asserts its fallback value.
struct IndexCheck {
    const char* operation;
    std::function<void(void*)> check;
};

struct StoreEntry {
    QString model;      // "KR720"; the golden files live in tests/data/<model in lower case>/
    QString interface;  // "IKR720ProfileCfg"
    int deviceType = 0;
    QString suffix = QStringLiteral("xml");
    int profiles = 0;
    LoadRule load = LoadRule::Any;
    bool rotates = true;  // dated documents in the device type's profile folder
    // Where the part of the store document that a refused import leaves as it was begins: imports may
    // take the file's paths before refusing it, which the root's attributes hold unless set here.
    QByteArray keptFrom;
    std::function<std::shared_ptr<void>(TestHost&)> make;  // builds the store, which loads
    std::function<QByteArray(void*, TestHost&)> written;   // the store document as a save writes it now
    std::function<void(TestHost&, const QByteArray&, int)>
        put;                          // a document for the next load; larger ages are older
    std::function<void(void*)> fill;  // empty where the interface cannot set every field: then the
                                      // distinct state is what loading distinct.xml gives
    QVector<DocumentKind> kinds;      // kinds[0] is the store document
    // Stores whose files the imports take too ("*": any readable document); every other store's
    // files are refused.
    QStringList sharesFilesWith;
    QVector<IndexCheck> badIndex;

    // For the process tests (tests/crash): the store built over any host and saved, and a number
    // (1-200) put into it that survives a save and a reload; no mark keeps a store out of them.
    std::function<std::shared_ptr<void>(const StoreHost&)> build;
    std::function<bool(void*)> save;
    std::function<void(void*, int)> mark;
    std::function<int(void*)> markOf;  // -1 when the store holds no whole mark
    std::function<bool(void*)> merge;  // the stores that rewrite their current document in place
};

// A mark carried by the names of the first five profiles: a mix of two generations is none.
inline void MarkByNames(StoreEntry& e, std::function<void(void*, int, const std::string&)> setName,
                        std::function<std::string(void*, int)> nameOf) {
    e.mark = [setName](void* s, int n) {
        for (int i = 0; i < 5; ++i) setName(s, i, "mark " + std::to_string(n));
    };
    e.markOf = [nameOf](void* s) {
        const auto number = [&](int i) {
            const std::string text = nameOf(s, i);
            return text.rfind("mark ", 0) == 0 ? std::stoi(text.substr(5)) : -1;
        };
        const int n = number(0);
        for (int i = 1; i < 5; ++i)
            if (number(i) != n) return -1;
        return n;
    };
}

// The same for a store whose profile names are read and written by index.
template <class S>
void MarkByNames(StoreEntry& e) {
    MarkByNames(
        e, [](void* s, int i, const std::string& name) { As<S>(s).SetProfileName(i, name); },
        [](void* s, int i) { return std::string(As<S>(s).GetProfileName(i)); });
}

inline void PrintTo(const StoreEntry& e, std::ostream* os) {
    *os << e.model.toStdString();
}

std::vector<StoreEntry>& Catalogue();
bool Register(StoreEntry (*entry)());

// The newest document in a folder after a save one minute later than the last.
QByteArray SaveAndRead(TestHost& t, int deviceType, const QString& suffix, const std::function<bool()>& save);
void PutDated(const QString& dir, const QString& suffix, const QByteArray& bytes, int age);

// An entry for a store built over a host that rotates documents in its device type's folder.
template <class S>
StoreEntry FolderStore(const char* model, const char* interface, int deviceType, const char* suffix,
                       std::function<bool(S&)> save) {
    StoreEntry e;
    e.model = model;
    e.interface = interface;
    e.deviceType = deviceType;
    e.suffix = suffix;
    e.build = [](const StoreHost& h) { return std::shared_ptr<void>(std::make_shared<S>(h)); };
    e.make = [](TestHost& t) { return std::shared_ptr<void>(std::make_shared<S>(t.Host())); };
    e.save = [save](void* s) { return save(As<S>(s)); };
    e.written = [deviceType, suffix, save](void* s, TestHost& t) {
        return SaveAndRead(t, deviceType, suffix, [s, save] { return save(As<S>(s)); });
    };
    e.put = [deviceType, suffix](TestHost& t, const QByteArray& bytes, int age) {
        PutDated(t.habitat.ProfileDir(deviceType), suffix, bytes, age);
    };
    return e;
}

template <class S>
StoreEntry FolderStore(const char* model, const char* interface, int deviceType, const char* suffix = "xml") {
    return FolderStore<S>(model, interface, deviceType, suffix, [](S& s) { return s.SaveProfile(); });
}

// An export kind written and imported by two member functions of the store.
template <class S>
DocumentKind Kind(const char* name, const char* flag, int profiles, bool (S::*exportTo)(const QString&),
                  bool (S::*importFrom)(const QString&)) {
    DocumentKind k(name, flag, profiles);
    k.write = [exportTo](void* s, const QString& path) { return (As<S>(s).*exportTo)(path); };
    if (importFrom)
        k.import = [importFrom](void* s, const QString& path) { return (As<S>(s).*importFrom)(path); };
    return k;
}

// The same for a store serving several device types, whose operations take the type first.
template <class S>
DocumentKind Kind(const char* name, const char* flag, int profiles, int type,
                  bool (S::*exportTo)(int, const QString&), bool (S::*importFrom)(int, const QString&)) {
    DocumentKind k(name, flag, profiles);
    k.write = [type, exportTo](void* s, const QString& path) { return (As<S>(s).*exportTo)(type, path); };
    k.import = [type, importFrom](void* s, const QString& path) {
        return (As<S>(s).*importFrom)(type, path);
    };
    return k;
}

// The same kind, whose file names a slot of the store in an attribute.
inline DocumentKind WithSlot(DocumentKind k, const char* attribute, int count) {
    k.slotAttribute = attribute;
    k.slotCount = count;
    return k;
}

// An export kind of the current profile, where the current profile id is persisted: its import
// selects profile 1 for the call only, so that a refusal shows in the document alone.
template <class S>
DocumentKind CurrentProfileKind(const char* name, const char* flag, int profiles,
                                bool (S::*exportTo)(const QString&), bool (S::*importFrom)(const QString&)) {
    DocumentKind k = Kind<S>(name, flag, profiles, exportTo, nullptr);
    k.import = [importFrom](void* p, const QString& path) {
        S& s = As<S>(p);
        const auto was = s.GetCurrentProfileID();
        s.SetCurrentProfileID(1);
        const bool read = (s.*importFrom)(path);
        s.SetCurrentProfileID(was);
        return read;
    };
    return k;
}

}  // namespace prefbook::test

#define PREFBOOK_CATALOGUE_ENTRY(Model)                                                               \
    static ::prefbook::test::StoreEntry Model##Entry();                                               \
    [[maybe_unused]] static const bool registered##Model = ::prefbook::test::Register(&Model##Entry); \
    static ::prefbook::test::StoreEntry Model##Entry()
