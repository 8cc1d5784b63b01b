#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QXmlStreamWriter>
#include <functional>
#include <vector>

#include "profilecore/StoreHost.h"

// Every document reader of the library, each with samples (writer-made, or the hand-written store
// documents of tests/data) and the rules by which its result is judged. The hostile-input test, the fuzz
// harnesses and their seed generator all walk this one list, so a new reader is covered everywhere by adding
// one entry to ReaderCatalog.cpp.
namespace prefbook::readers {

struct ReadResult {
    bool read = false;      // the reader's own result
    bool accepted = false;  // a store would keep it at load (for imports: the import succeeded)
    QByteArray state;       // what the reader's target holds afterwards, in the writer's form
};

// How a reader treats a foreign root name or a wrong or missing "flag".
enum class RootCheck {
    Skips,    // store documents: a foreign root is skipped, the read succeeds with nothing in it
    Refuses,  // imports: the reader reports false and its target stays exactly as it was
    // The keypad: a foreign root is refused as above, a root without a flag ends the read with false
    // at the next element, a wrong flag reads but is not accepted.
    RefusesForeignRoot,
    Ignores,  // a token walk that reads its elements under any root (AU570)
};

struct ReaderEntry {
    const char* name;  // also the fuzz harness and seed folder name
    QByteArray root;   // the root element name as it appears in a sample
    QByteArray flag;   // the "flag" the format requires, empty when it has none
    RootCheck rootCheck = RootCheck::Skips;

    std::function<QByteArray()> defaultSample;  // the writer's output for default data
    std::function<QByteArray()> richSample;     // every part of the format filled in

    // Reads an open device into the entry's starting target (imports start from a filled-in
    // target, so refusals can be checked to change nothing).
    std::function<ReadResult(const StoreHost&, QIODevice&, const QString& path)> readDevice;
    // The same through the library's own file entry point.
    std::function<ReadResult(const StoreHost&, const QString& path)> readFile;
    // The state the target starts from.
    std::function<QByteArray()> initialState;

    // Store documents only: builds the store over host's profile folder (running its load) and
    // saves it, so the test can compare what it loaded against a sample. Empty for imports.
    std::function<bool(const StoreHost&)> loadAndSave;
    // The profile folder that store loads from.
    std::function<QString(const StoreHost&)> storeFolder;

    // Where set: what the target holds, in the writer's form, after reading the rich sample without
    // its number attributes: the starting values each record is read over.
    QByteArray withoutNumbers;
};

const std::vector<ReaderEntry>& Catalog();
const ReaderEntry* FindReader(const QString& name);

// Runs a writer body into memory with the library's common writer settings.
QByteArray WriteToBytes(const std::function<void(QXmlStreamWriter&)>& body);

}  // namespace prefbook::readers
