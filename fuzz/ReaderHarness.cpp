#include "ReaderHarness.h"

#include <QBuffer>
#include <cstdio>
#include <cstdlib>

#include "hostile/ReaderCatalog.h"
#include "hostservices/ITracebook.h"

namespace prefbook::fuzz {
namespace {

// Log lines of millions of malformed inputs would only slow the fuzzer down.
class QuietTracebook final : public ITracebook {
public:
    void WriteLog(const QString&) override {}
    void WriteLogDetail(const QString&) override {}
};

readers::ReadResult Read(const readers::ReaderEntry& entry, const QByteArray& bytes) {
    static QuietTracebook quiet;
    const StoreHost host{nullptr, &quiet, &SystemClock::Instance()};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    return entry.readDevice(host, buffer, QStringLiteral("fuzz-input"));
}

[[noreturn]] void Fail(const char* reader, const char* what, const QByteArray& written) {
    std::fprintf(stderr, "%s: %s\n--- written document ---\n%.*s\n", reader, what, written.size(),
                 written.constData());
    std::abort();
}

}  // namespace

int FuzzReader(const char* reader, const uint8_t* data, size_t size) {
    static const readers::ReaderEntry* entry = readers::FindReader(QString::fromLatin1(reader));
    if (!entry) Fail(reader, "no such reader in the catalogue", QByteArray());
    const readers::ReadResult first =
        Read(*entry, QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    if (!first.read) return 0;
    // Some writers normalise (fixed-length lists are padded), so the first write may differ from the
    // input's meaning; from then on, reading and writing again must change nothing.
    const readers::ReadResult second = Read(*entry, first.state);
    if (!second.read) Fail(reader, "the writer's output of a read document does not read", first.state);
    const readers::ReadResult third = Read(*entry, second.state);
    if (!third.read) Fail(reader, "the writer's output of a read document does not read", second.state);
    if (third.state != second.state) Fail(reader, "a written document reads to something else", second.state);
    return 0;
}

}  // namespace prefbook::fuzz
