#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "hostservices/IHabitat.h"
#include "hostservices/ITracebook.h"
#include "profilecore/MacroTypes.h"
#include "profilecore/StoreHost.h"

namespace prefbook::bench {

// Directories under one temporary base; profile folders are created on demand.
class BenchHabitat final : public IHabitat {
public:
    BenchHabitat();
    const QString& GetAppDir() override { return base_; }
    const QString& GetBaseDir() override { return base_; }
    const QString& GetLogDir() override { return base_; }
    const QString& GetUserDir() override { return base_; }
    const QString& GetTempDir() override { return base_; }
    void GetProfileDir(int type, QString* dir) override;

private:
    QTemporaryDir temp_;
    QString base_;
    std::set<int> created_;
};

class NullTracebook final : public ITracebook {
public:
    void WriteLog(const QString&) override {}
    void WriteLogDetail(const QString&) override {}
};

// The local time, one second further on at every reading: every save of a benchmark has a second of
// its own, as a user's saves do, and never takes the path of a second already taken. Reading it costs
// what reading the system clock costs.
class SteppingClock final : public Clock {
public:
    QDateTime Now() const override;

private:
    mutable qint64 step_ = 0;
};

// A fresh base folder with its services, one per benchmark.
struct BenchHost {
    BenchHabitat habitat;
    NullTracebook log;
    SteppingClock clock;
    StoreHost Host() { return {&habitat, &log, &clock}; }
};

// What a store is filled with before it is saved. Stores with macros put `macros` macros of `actions`
// actions into every profile; stores without macros read any non-zero content as "their largest
// realistic content" (many equaliser and surround presets, long colour lists, every byte set).
struct Content {
    int macros = 0;
    int actions = 0;
    bool Heavy() const { return macros > 0 || actions > 0; }
};

// What the benchmarks need of a store: build it over a folder (which loads), fill it with a document's
// worth of data, save it. Each store model adds one entry to the catalogue.
struct StoreCase {
    std::string name;
    // The profile folders whose documents the store's constructor reads (the FT280 store reads three).
    std::vector<int> deviceTypes;
    bool xml;           // false for a binary document, judged against reading and writing its bytes
    int macroProfiles;  // profiles carrying macros, for per-macro figures; 0: no macros, no growth runs
    // Builds the store over host (running its load), fills it with content and saves it; returns the
    // saved store or null on failure.
    std::function<std::shared_ptr<void>(const StoreHost& host, Content content)> build;
    // The store's own save operation(s) for every document it owns.
    std::function<bool(void* store)> save;
    // Constructing the store, which is its load.
    std::function<std::shared_ptr<void>(const StoreHost& host)> load;
    // The store writes artwork images beside its document (through the default converter).
    bool images = false;
    // The save reads its one named document and replaces it (no rotation).
    bool rewrites = false;
};

std::vector<StoreCase>& Catalogue();
const StoreCase* FindCase(const std::string& name);
struct Register {
    explicit Register(StoreCase c) { Catalogue().push_back(std::move(c)); }
};

// The newest document in the folder of a device type, after a save.
QString OnlyDocument(BenchHost& host, int deviceType);
// The newest document of each of the case's folders; empty when one is missing.
QStringList CaseDocuments(BenchHost& host, const StoreCase& c);
long long TotalSize(const QStringList& paths);

// The limits the store is judged against, on the same files in the same run: the cheapest correct Qt
// code for the same work.
enum class FileKind { Xml, Binary, Image };

// Load: a QXmlStreamReader token scan reading every attribute by const reference and converting it to
// an integer, every number of a comma-separated list on its own; a binary document: its bytes read; an
// artwork image: the BMP decoded into pixel words. Returns a checksum. (CaseLimits::Load first finds
// each document in its folder, as a store's load does.)
long long RawLoad(const QString& path, FileKind kind);

// Save: the content written again with the save's own file steps. A rotating document: the folder
// locked and listed, the local time formatted into the name, the temporary file created exclusively,
// written, flushed, fsynced, renamed without replacing, the folder fsynced, the older documents but one
// deleted. A rewritten document: read as a load reads it, then written to a temporary file renamed
// over it. An image: encoded from its words, written aside and renamed over its name. An XML document
// is replayed element by element and attribute by attribute from its own text, numbers kept as
// integers and formatted at write time (the stores format numbers, but need not copy strings).
class RawEmitter {
public:
    RawEmitter(const QString& path, FileKind kind, bool rewrites);
    // Writes into the host's folder of the device type (a rotating document) or a folder of its own
    // there; the first call prepares it.
    void EmitInto(BenchHost& host, int type, int slot);

private:
    struct Attribute {
        QString name;
        QString text;      // the value, when it is not a number
        qlonglong number;  // the value, when text is null
    };
    struct Element {
        QString name;  // null for an end element and for text
        std::vector<Attribute> attributes;
        QString text;  // the text of a text element, else null
    };
    QByteArray XmlText() const;
    bool WriteBody(int fd) const;
    void Rotate(BenchHost& host, int type);
    void Replace(const std::string& dir, const char* name);
    FileKind kind_;
    bool rewrites_;
    QByteArray bytes_;             // a binary document
    std::vector<uint32_t> words_;  // an image
    std::vector<Element> elements_;
    std::string folder_;
    bool prepared_ = false;
};

// Every file a store case owns after a save, with the limits for loading and saving all of them.
class CaseLimits {
public:
    CaseLimits(BenchHost& host, const StoreCase& c);
    bool Empty() const { return documents_.isEmpty(); }
    // The documents' size when the limits were made (a later save prunes them).
    long long DocumentBytes() const { return documentBytes_; }
    const QStringList& Images() const { return images_; }
    void Load() const;
    // Writes into the folders of a host of its own.
    void Save(BenchHost& scratch);

private:
    QStringList documents_, images_;
    long long documentBytes_;
    std::vector<int> types_;
    FileKind kind_;
    bool rewrites_;
    BenchHabitat* habitat_;  // the store's folders, which the load limit walks as the load does
    std::vector<RawEmitter> emitters_;
};

// A macro record of the given number of actions, the same in every benchmark.
MacroRecord BenchMacroRecord(int actions);

// Bytes of heap in use now (glibc), to measure what a loaded store keeps.
long long HeapInUse();

}  // namespace prefbook::bench
