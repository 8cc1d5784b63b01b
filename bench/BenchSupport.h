#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <functional>
#include <memory>
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
};

class NullTracebook final : public ITracebook {
public:
    void WriteLog(const QString&) override {}
    void WriteLogDetail(const QString&) override {}
};

// A fresh base folder with its services, one per benchmark.
struct BenchHost {
    BenchHabitat habitat;
    NullTracebook log;
    StoreHost Host() { return {&habitat, &log, &SystemClock::Instance()}; }
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
    bool xml;           // false for a binary document: there is no raw XML limit to compare with
    int macroProfiles;  // profiles carrying macros, for per-macro figures; 0: no macros, no growth runs
    // Builds the store over host (running its load), fills it with content and saves it; returns the
    // saved store or null on failure.
    std::function<std::shared_ptr<void>(const StoreHost& host, Content content)> build;
    // The store's own save operation(s) for every document it owns.
    std::function<bool(void* store)> save;
    // Constructing the store, which is its load.
    std::function<std::shared_ptr<void>(const StoreHost& host)> load;
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

// The limits the store is judged against, on the same file in the same run.
// A QXmlStreamReader token scan that converts every attribute value to an integer; returns a checksum.
long long RawScanAndConvert(const QString& path);
// The document's token stream, replayed by QXmlStreamWriter into a temporary file in dir, then flushed,
// fsynced, renamed without replacing and the folder fsynced: the save's own file steps, without the store.
class RawEmitter {
public:
    explicit RawEmitter(const QString& documentPath);
    void EmitInto(const QString& dir);

private:
    struct Token {
        QXmlStreamReader::TokenType type;
        QString name;
        QXmlStreamAttributes attributes;
    };
    std::vector<Token> tokens_;
    int counter_ = 0;
};

// A macro record of the given number of actions, the same in every benchmark.
MacroRecord BenchMacroRecord(int actions);

// Bytes of heap in use now (glibc), to measure what a loaded store keeps.
long long HeapInUse();

}  // namespace prefbook::bench
