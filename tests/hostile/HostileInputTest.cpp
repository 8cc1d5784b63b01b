#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QRegularExpression>
#include <random>

#include "hostile/ReaderCatalog.h"
#include "profilecore/ProfileFolder.h"
#include "support/TestHost.h"
#include "support/WithoutWaiting.h"

namespace prefbook::test {
namespace {

using readers::ReaderEntry;
using readers::ReadResult;
using readers::RootCheck;

enum class Variant {
    Empty,
    Garbage,
    Cut,
    WrongRoot,
    WrongFlag,
    MissingFlag,
    MissingAttributes,
    DuplicatedAttribute,
    TooLarge,
    Negative,
    NonUtf8,
    DeepNesting,
    HugeAttribute,
    Directory,
    Fifo,
};

// Test names, in the order of Variant.
const char* VariantName(Variant v) {
    static const QList<QByteArray> names =
        QByteArray(
            "Empty Garbage CutAtTenPoints WrongRoot WrongFlag MissingFlag MissingAttributes "
            "DuplicatedAttribute NumbersTooLarge NegativeNumbers NonUtf8Bytes TenThousandNestedElements "
            "TenMegabyteAttribute DirectoryInstead FifoInstead")
            .split(' ');
    return names.at(static_cast<int>(v)).constData();
}

// What the reader must report for a variant.
enum class Expect {
    Unreadable,   // false
    Refused,      // false, and the target exactly as before
    Skipped,      // true, with nothing read: the target as it started
    NotAccepted,  // true, but not a document a store would keep
    Readable,     // true, and accepted exactly when the valid sample is
};

Expect Expected(const ReaderEntry& e, Variant v) {
    const bool refuses = e.rootCheck == RootCheck::Refuses;
    switch (v) {
        case Variant::Empty:
        case Variant::Garbage:
        case Variant::Directory:
        case Variant::Fifo:
            // Nothing can have been read before the failure.
            return refuses ? Expect::Refused : Expect::Unreadable;
        case Variant::Cut:
        case Variant::DuplicatedAttribute:
        case Variant::NonUtf8:
            return Expect::Unreadable;
        case Variant::WrongRoot:
            if (e.rootCheck == RootCheck::Ignores) return Expect::Readable;
            return refuses || e.rootCheck == RootCheck::RefusesForeignRoot ? Expect::Refused
                                                                           : Expect::Skipped;
        case Variant::WrongFlag:
        case Variant::MissingFlag:
            if (e.rootCheck == RootCheck::RefusesForeignRoot && v == Variant::MissingFlag)
                return Expect::Unreadable;
            return refuses ? Expect::Refused : Expect::NotAccepted;
        case Variant::MissingAttributes:
        case Variant::TooLarge:
        case Variant::Negative:
        case Variant::DeepNesting:
        case Variant::HugeAttribute:
            return Expect::Readable;
    }
    return Expect::Unreadable;
}

// ---- Turning a valid document into a hostile one ----

QByteArray Regex(const QByteArray& doc, const QString& pattern, const QString& replacement) {
    return QString::fromUtf8(doc).replace(QRegularExpression(pattern), replacement).toUtf8();
}

QByteArray SetAttribute(const QByteArray& doc, const QByteArray& attr, const QString& value) {
    return Regex(doc, "(\\s)" + QString::fromLatin1(attr) + "=\"[^\"]*\"",
                 "\\1" + QString::fromLatin1(attr) + "=\"" + value + "\"");
}

QByteArray RemoveAttribute(const QByteArray& doc, const QByteArray& attr) {
    return Regex(doc, "\\s" + QString::fromLatin1(attr) + "=\"[^\"]*\"", QString());
}

// Index just past the opening quote of the first value of attr, or -1.
int ValueStart(const QByteArray& doc, const QByteArray& attr) {
    const int at = doc.indexOf(" " + attr + "=\"");
    return at < 0 ? -1 : at + attr.size() + 3;
}

QByteArray DuplicateFirstAttribute(QByteArray doc, const QByteArray& attr) {
    const int start = doc.indexOf(" " + attr + "=\"");
    const int end = doc.indexOf('"', ValueStart(doc, attr)) + 1;
    return doc.insert(end, doc.mid(start, end - start));
}

QByteArray InsertIntoFirstValue(QByteArray doc, const QByteArray& attr, const QByteArray& bytes) {
    return doc.insert(ValueStart(doc, attr), bytes);
}

QByteArray ReplaceFirstValue(QByteArray doc, const QByteArray& attr, const QByteArray& value) {
    const int start = ValueStart(doc, attr);
    return doc.replace(start, doc.indexOf('"', start) - start, value);
}

QByteArray Nest(int depth) {
    return QByteArray("<x>").repeated(depth) + QByteArray("</x>").repeated(depth);
}

// Unknown elements 10,000 deep right inside the root and before the first end tag (deep inside).
QByteArray DeeplyNested(QByteArray doc, const QByteArray& root) {
    doc.insert(doc.indexOf("</"), Nest(10000));
    doc.insert(doc.indexOf('>', doc.indexOf("<" + root)) + 1, Nest(10000));
    return doc;
}

// Ten cuts spread over the document, all before the root's end tag so none of them is complete.
QList<QByteArray> CutAtTenPoints(const QByteArray& doc) {
    const int limit = doc.lastIndexOf("</");
    QList<QByteArray> cuts;
    for (int i = 1; i <= 10; ++i) cuts << doc.left(limit * i / 11);
    return cuts;
}

QByteArray Garbage() {
    std::mt19937 random(7);
    QByteArray bytes(4096, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

// The attributes of a sample below its root: those holding numbers, and one holding text (the first
// with a value that is not a number; the first number when the format has no text at all).
struct SampleAttributes {
    QList<QByteArray> numbers;
    QByteArray text;
};

SampleAttributes AttributesOf(const ReaderEntry& e, const QByteArray& sample) {
    SampleAttributes found;
    QByteArray firstText;
    const QString body = QString::fromUtf8(sample.mid(sample.indexOf("<" + e.root)));
    static const QRegularExpression attribute(QStringLiteral("\\s([A-Za-z_][\\w.-]*)=\"([^\"]*)\""));
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+$"));
    for (auto it = attribute.globalMatch(body); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QByteArray name = m.captured(1).toUtf8();
        if (name == "flag") continue;  // has variants of its own
        if (number.match(m.captured(2)).hasMatch()) {
            if (!found.numbers.contains(name)) found.numbers << name;
        } else if (firstText.isEmpty()) {
            firstText = name;
        }
    }
    found.text = firstText.isEmpty() ? found.numbers.value(0) : firstText;
    return found;
}

QList<QByteArray> Inputs(const ReaderEntry& e, Variant v) {
    const QByteArray rich = e.richSample();
    const SampleAttributes attrs = AttributesOf(e, rich);
    QByteArray doc = rich;
    switch (v) {
        case Variant::Empty:
        case Variant::Directory:
        case Variant::Fifo:
            return {QByteArray()};
        case Variant::Garbage:
            return {Garbage()};
        case Variant::Cut:
            return CutAtTenPoints(rich);
        case Variant::WrongRoot:
            doc = Regex(rich, "<" + QString::fromLatin1(e.root) + "([\\s>/])", "<foreign\\1");
            return {Regex(doc, "</" + QString::fromLatin1(e.root) + ">", "</foreign>")};
        case Variant::WrongFlag:
            return {SetAttribute(rich, "flag", QString::number(e.flag.toInt() - 1))};
        case Variant::MissingFlag:
            return {RemoveAttribute(rich, "flag")};
        case Variant::MissingAttributes:
            for (const QByteArray& attr : attrs.numbers) doc = RemoveAttribute(doc, attr);
            return {RemoveAttribute(doc, attrs.text)};
        case Variant::DuplicatedAttribute:
            return {DuplicateFirstAttribute(rich, attrs.numbers.first())};
        case Variant::TooLarge:
        case Variant::Negative:
            for (const QByteArray& attr : attrs.numbers) {
                doc = SetAttribute(doc, attr, v == Variant::TooLarge ? "4294967296" : "-1");
            }
            return {doc};
        case Variant::NonUtf8:
            return {InsertIntoFirstValue(rich, attrs.text, "\xff\xfe\xc0\x80")};
        case Variant::DeepNesting:
            return {DeeplyNested(rich, e.root)};
        case Variant::HugeAttribute:
            return {ReplaceFirstValue(rich, attrs.text, QByteArray(10 << 20, 'a'))};
    }
    return {};
}

// ---- The test ----

struct Case {
    const ReaderEntry* entry;
    Variant variant;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.entry->name << " " << VariantName(c.variant);
}

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (const ReaderEntry& e : readers::Catalog()) {
        for (int v = 0; v <= static_cast<int>(Variant::Fifo); ++v) {
            const auto variant = static_cast<Variant>(v);
            const bool flagVariant = variant == Variant::WrongFlag || variant == Variant::MissingFlag;
            if (flagVariant && e.flag.isEmpty()) continue;
            cases.push_back({&e, variant});
        }
    }
    return cases;
}

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class HostileInput : public ::testing::TestWithParam<Case> {
protected:
    const ReaderEntry& entry() const { return *GetParam().entry; }
    Variant variant() const { return GetParam().variant; }

    // A folder or a FIFO instead of a file: nothing to read, and nothing to time.
    bool NoFile() const { return variant() == Variant::Directory || variant() == Variant::Fifo; }

    // Places the hostile input (or a directory, or a FIFO with no writer) at path.
    void Place(const QString& path, const QByteArray& bytes) {
        if (variant() == Variant::Directory) {
            ASSERT_TRUE(QDir().mkpath(path));
        } else if (variant() == Variant::Fifo) {
            ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            WriteFile(path, bytes);
        }
    }

    void CheckReader(const QByteArray& input, int index) {
        SCOPED_TRACE("input " + std::to_string(index) + " of " + std::to_string(input.size()) + " bytes");
        const QString path = t.habitat.GetBaseDir() + "/input-" + QString::number(index) + ".xml";
        Place(path, input);
        const ReadResult result = entry().readFile(t.Host(), path);
        const Expect expect = Expected(entry(), variant());
        EXPECT_EQ(result.read, expect != Expect::Unreadable && expect != Expect::Refused);
        if (expect == Expect::Refused || expect == Expect::Skipped) {
            EXPECT_EQ(result.state, entry().initialState()) << "the input changed the target";
        } else if (expect == Expect::NotAccepted) {
            EXPECT_FALSE(result.accepted);
        } else if (expect == Expect::Readable) {
            EXPECT_EQ(result.accepted, SampleAccepted());
        }
        if (variant() == Variant::MissingAttributes && !entry().withoutNumbers.isEmpty()) {
            EXPECT_TRUE(result.state.contains(entry().withoutNumbers)) << result.state.constData();
        }
        if (!NoFile()) {
            // The device form the harnesses fuzz gives the same answer as the file form.
            QBuffer buffer;
            buffer.setData(input);
            buffer.open(QIODevice::ReadOnly | QIODevice::Text);
            const ReadResult fromDevice = entry().readDevice(t.Host(), buffer, path);
            EXPECT_EQ(fromDevice.read, result.read);
            EXPECT_EQ(fromDevice.state, result.state);
        }
        if (entry().loadAndSave) CheckStore(input, result);
    }

    bool SampleAccepted() {
        QBuffer buffer;
        buffer.setData(entry().richSample());
        buffer.open(QIODevice::ReadOnly);
        return entry().readDevice(t.Host(), buffer, "sample").accepted;
    }

    // The document a store over the folder saves right after its load.
    QByteArray LoadAndSave(const QString& dir) {
        EXPECT_TRUE(entry().loadAndSave(t.Host()));
        const QFileInfoList files = ListProfileFolder(dir);
        return files.isEmpty() ? QByteArray() : ReadAll(files.first().absoluteFilePath());
    }

    // A store whose newest document is the hostile input: with an older good document it keeps the
    // input only when it reads and is accepted, else falls back; alone, it keeps whatever read without
    // error and builds its defaults otherwise.
    void CheckStore(const QByteArray& input, const ReadResult& result) {
        const QString dir = entry().storeFolder(t.Host());
        for (const bool withOlder : {true, false}) {
            SCOPED_TRACE(withOlder ? "with an older good document" : "as the only document");
            QDir(dir).removeRecursively();
            QDir().mkpath(dir);
            const QDateTime past(QDate(2020, 1, 1), QTime(0, 0));
            if (withOlder) {
                WriteFile(dir + "2020-01-01 00-00-00.xml", entry().richSample());
                SetModified(dir + "2020-01-01 00-00-00.xml", past);
            }
            const QString hostile = dir + "2020-01-01 00-00-01.xml";
            Place(hostile, input);
            if (!NoFile()) SetModified(hostile, past.addSecs(60));
            QByteArray expected;
            if (result.read && (result.accepted || !withOlder)) {
                expected = result.state;
            } else {
                expected = withOlder ? entry().richSample() : entry().defaultSample();
            }
            EXPECT_EQ(LoadAndSave(dir), expected);
        }
    }

    TestHost t;
};

TEST_P(HostileInput, EndsWithTheDocumentedResult) {
    ASSERT_FALSE(AttributesOf(entry(), entry().richSample()).numbers.isEmpty())
        << "the rich sample holds no number";
    const QList<QByteArray> inputs = Inputs(entry(), variant());
    ASSERT_FALSE(inputs.isEmpty());
    if (variant() == Variant::Fifo) {
        // A read that waits for a writer would hang: in a child that an alarm ends, it fails instead.
        ExpectNoWait([&] { CheckReader(inputs[0], 0); });
        return;
    }
    for (int i = 0; i < inputs.size(); ++i) CheckReader(inputs[i], i);
}

// A read must not copy a huge value once per attribute it looks at: reading a 10 MB name (and
// writing what was read back into memory) stays within a small multiple of the value's size.
class HugeValue : public ::testing::TestWithParam<Case> {};

TEST_P(HugeValue, KeepsPeakMemoryBounded) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "sanitizers hold freed memory in quarantine; peak memory means nothing there";
#endif
    const ReaderEntry& e = *GetParam().entry;
    TestHost t;
    const QString path = t.habitat.GetBaseDir() + "/huge.xml";
    WriteFile(path, Inputs(e, Variant::HugeAttribute).first());
    const long before = PeakRssKb();
    const ReadResult result = e.readFile(t.Host(), path);
    const long grownMb = (PeakRssKb() - before) / 1024;
    EXPECT_TRUE(result.read);
    RecordProperty("peak_growth_mb", static_cast<int>(grownMb));
    EXPECT_LT(grownMb, 200) << "reading a 10 MB attribute grew the peak by " << grownMb << " MB";
}

std::vector<Case> EveryReaderOnce(Variant v) {
    std::vector<Case> all;
    for (const ReaderEntry& e : readers::Catalog()) all.push_back({&e, v});
    return all;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name = std::string(info.param.entry->name) + "_" + VariantName(info.param.variant);
    for (char& c : name) {
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

// A device that fails mid-document (a bad block, a dropped share) ends the read with false and the
// parse or read message, having asked the device a bounded number of times.
class FailingRead : public ::testing::TestWithParam<Case> {};

TEST_P(FailingRead, EndsTheReadWithFalse) {
    const ReaderEntry& e = *GetParam().entry;
    const QByteArray sample = e.richSample();
    for (const qint64 failAt : {qint64(0), qint64(sample.size() / 2)}) {
        SCOPED_TRACE("failing from byte " + std::to_string(failAt));
        TestHost t;
        FailingDevice device(sample, failAt);
        ASSERT_TRUE(device.open(QIODevice::ReadOnly | QIODevice::Text | QIODevice::Unbuffered));
        EXPECT_FALSE(e.readDevice(t.Host(), device, "failing.xml").read);
        EXPECT_FALSE(device.GaveUp()) << "the reader kept reading a failed device";
        const QStringList lines = t.log.Lines();
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines.last().startsWith("Failed to parse file failing.xml : ") ||
                    lines.last().startsWith("Cannot read file failing.xml : "))
            << lines.last().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryReader, HostileInput, ::testing::ValuesIn(AllCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(EveryReader, FailingRead, ::testing::ValuesIn(EveryReaderOnce(Variant::Empty)),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.entry->name);
                         });
INSTANTIATE_TEST_SUITE_P(EveryReader, HugeValue, ::testing::ValuesIn(EveryReaderOnce(Variant::HugeAttribute)),
                         CaseName);

}  // namespace
}  // namespace prefbook::test
