#include <gtest/gtest.h>

#include <QDir>

#include "hostile/ReaderCatalog.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

// Inputs the fuzzers once crashed a reader with, kept as tests/data/fuzz/<reader>/<file>. Each must
// now read to an answer (either answer) without a crash or a sanitizer report, and what it read must
// write back to a document that reads to the same thing.
TEST(FuzzFindings, EveryKeptInputReadsCleanly) {
    const QDir root(QStringLiteral(PREFBOOK_TEST_DATA "/fuzz"));
    int inputs = 0;
    for (const QString& reader : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const readers::ReaderEntry* entry = readers::FindReader(reader);
        ASSERT_NE(entry, nullptr) << "tests/data/fuzz/" << reader.toStdString() << " names no reader";
        const QDir folder(root.filePath(reader));
        for (const QString& file : folder.entryList(QDir::Files)) {
            SCOPED_TRACE((reader + "/" + file).toStdString());
            TestHost t;
            const readers::ReadResult first = entry->readFile(t.Host(), folder.filePath(file));
            if (first.read) {
                const QString again = t.habitat.GetBaseDir() + "/again.xml";
                WriteFile(again, first.state);
                const readers::ReadResult second = entry->readFile(t.Host(), again);
                EXPECT_TRUE(second.read);
                EXPECT_EQ(second.state, first.state);
            }
            ++inputs;
        }
    }
    RecordProperty("inputs", inputs);
}

}  // namespace
}  // namespace prefbook::test
