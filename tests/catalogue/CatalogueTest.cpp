#include <QFile>
#include <algorithm>
#include <map>

#include "catalogue/StoreCatalogue.h"

namespace prefbook::test {
namespace {

// Depth-one elements sit on lines indented by four spaces in every written document.
const QByteArray kTopLevel = "\n    <";

QByteArray WithFlag(QByteArray doc, const QString& from, const QString& to) {
    const QByteArray was = " flag=\"" + from.toLatin1() + "\"";
    const int at = doc.indexOf(was);
    EXPECT_GE(at, 0) << "no " << was.constData();
    return doc.replace(at, was.size(), " flag=\"" + to.toLatin1() + "\"");
}

// The document with its last top-level element dropped (delta -1) or written twice (delta +1).
QByteArray WithProfiles(QByteArray doc, int delta) {
    int last = doc.lastIndexOf(kTopLevel);
    while (last > 0 && doc.at(last + kTopLevel.size()) == '/') last = doc.lastIndexOf(kTopLevel, last - 1);
    const int end = doc.indexOf("\n</", last);
    EXPECT_TRUE(last >= 0 && end > last);
    const QByteArray element = doc.mid(last, end - last);
    return delta < 0 ? doc.remove(last, element.size()) : doc.insert(end, element);
}

// The document with the first number of an attribute replaced.
QByteArray WithAttribute(QByteArray doc, const QByteArray& name, int value) {
    const QByteArray was = " " + name + "=\"";
    const int at = doc.indexOf(was) + was.size();
    EXPECT_GE(at, was.size()) << "no " << was.constData();
    return doc.replace(at, doc.indexOf('"', at) - at, QByteArray::number(value));
}

// Everything after the root's start tag, or from `from` on where given.
QByteArray Body(const QByteArray& doc, const QByteArray& from) {
    if (!from.isEmpty()) return doc.mid(doc.indexOf(from));
    return doc.mid(doc.indexOf('>', doc.indexOf('<', doc.indexOf("?>") + 2)));
}

// Names the first line that differs: the documents run to thousands of lines.
::testing::AssertionResult SameDocument(const QByteArray& actual, const QByteArray& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    const QList<QByteArray> a = actual.split('\n'), b = expected.split('\n');
    int line = 0;
    while (line < a.size() && line < b.size() && a[line] == b[line]) ++line;
    return ::testing::AssertionFailure()
           << "line " << line + 1 << "\n  written: " << a.value(line).constData()
           << "\n  golden:  " << b.value(line).constData();
}

QByteArray Golden(const StoreEntry& e, const QString& name) {
    const QString path = QString(PREFBOOK_TEST_DATA "/%1/%2.%3").arg(e.model.toLower(), name, e.suffix);
    EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    return ReadAll(path);
}

// A store over host holding the distinct values.
std::shared_ptr<void> Filled(const StoreEntry& e, TestHost& host) {
    if (!e.fill) e.put(host, Golden(e, "distinct"), 1);
    auto s = e.make(host);
    if (e.fill) e.fill(s.get());
    return s;
}

// Every kind of file the store writes, from its distinct state, in kinds order.
QStringList WriteKinds(const StoreEntry& e, TestHost& host, const QString& dir) {
    auto source = Filled(e, host);
    QStringList files;
    for (int i = 0; i < e.kinds.size(); ++i) {
        files << dir + QString("/%1-kind%2.%3").arg(e.model).arg(i).arg(e.suffix);
        if (i == 0) {
            WriteFile(files[0], e.written(source.get(), host));
        } else {
            EXPECT_TRUE(e.kinds[i].write(source.get(), files[i])) << e.kinds[i].name.toStdString();
        }
    }
    return files;
}

class StoreCatalogue : public ::testing::TestWithParam<StoreEntry> {
protected:
    const StoreEntry& e = GetParam();
    TestHost t;

    QByteArray Golden(const QString& name) const { return test::Golden(e, name); }
    std::shared_ptr<void> Filled(TestHost& host) { return test::Filled(e, host); }
    // Loads a store from `newer` with the distinct document beside it as the older one: whether the
    // load accepted `newer` shows in what the store writes. Variants of the default document are
    // tried, so that building the defaults after a wrongly accepted document shows too.
    bool Accepts(const QByteArray& newer) {
        TestHost h;
        e.put(h, Golden("distinct"), 2);
        e.put(h, newer, 1);
        auto s = e.make(h);
        return e.written(s.get(), h) != Golden("distinct");
    }
    // An import of path into a default store, which must fail and, where the kind says so, leave the
    // store document as it was. Gives the log of the import.
    QStringList Refuses(const DocumentKind& k, const QString& path) {
        TestHost h;
        auto target = e.make(h);
        EXPECT_FALSE(k.import(target.get(), path));
        const QStringList log = h.log.Lines();
        if (k.keptOnRefusal)
            EXPECT_TRUE(SameDocument(Body(e.written(target.get(), h), e.keptFrom),
                                     Body(Golden("default"), e.keptFrom)));
        return log;
    }
};

TEST_P(StoreCatalogue, DefaultStoreWritesTheGoldenDocument) {
    EXPECT_TRUE(SameDocument(e.written(e.make(t).get(), t), Golden("default")));
}

TEST_P(StoreCatalogue, DistinctValuesAreWrittenAndReadInTheGoldenDocument) {
    const QByteArray distinct = Golden("distinct");
    ASSERT_NE(distinct, Golden("default"));
    EXPECT_TRUE(SameDocument(e.written(Filled(t).get(), t), distinct)) << "writer";

    TestHost h;
    e.put(h, distinct, 1);
    EXPECT_TRUE(SameDocument(e.written(e.make(h).get(), h), distinct)) << "reader";
}

// The rotation every store shares: a load writes nothing, saves keep the two newest documents, the
// newest loads, and a broken newest document gives way to the older one.
TEST_P(StoreCatalogue, SavesRotateAndTheNewestReadableDocumentLoads) {
    if (!e.rotates) GTEST_SKIP() << "one named document";
    const QString dir = t.habitat.ProfileDir(e.deviceType);
    auto s = e.make(t);
    EXPECT_TRUE(ListFolder(dir).isEmpty()) << "a load must not write";
    e.written(s.get(), t);
    e.written(s.get(), t);
    if (e.fill) e.fill(s.get());
    e.written(s.get(), t);
    EXPECT_EQ(ListFolder(dir).size(), 2);
    EXPECT_TRUE(SameDocument(e.written(e.make(t).get(), t), Golden(e.fill ? "distinct" : "default")));

    if (e.suffix != "xml") return;  // a binary record has no structure to break
    TestHost h;
    e.put(h, Golden("distinct"), 2);
    e.put(h, Golden("distinct").left(Golden("distinct").size() / 2), 1);
    EXPECT_TRUE(SameDocument(e.written(e.make(h).get(), h), Golden("distinct")));
    EXPECT_TRUE(
        h.log.Lines().join('\n').contains("Failed to parse file " + h.habitat.ProfileDir(e.deviceType)));
}

TEST_P(StoreCatalogue, LoadTakesTheStoreDocumentOnly) {
    const QByteArray defaults = Golden("default");
    ASSERT_TRUE(Accepts(defaults));
    if (e.load != LoadRule::Any) {
        EXPECT_EQ(Accepts(WithProfiles(defaults, -1)), e.load == LoadRule::AtLeastOne && e.profiles > 1)
            << "one profile fewer";
        EXPECT_EQ(Accepts(WithProfiles(defaults, +1)), e.load == LoadRule::AtLeastOne) << "one profile more";
    }
    const QString own = e.kinds.value(0).flag;
    for (const DocumentKind& k : e.kinds) {
        if (k.flag.isEmpty() || k.flag == own) continue;
        EXPECT_FALSE(Accepts(WithFlag(defaults, own, k.flag))) << "flag of the " << k.name.toStdString();
    }
}

TEST_P(StoreCatalogue, EachImportTakesItsOwnKindOnly) {
    const QStringList files = WriteKinds(e, t, t.habitat.GetBaseDir());
    const QByteArray defaults = Golden("default");
    for (int i = 0; i < e.kinds.size(); ++i) {
        const DocumentKind& k = e.kinds[i];
        if (!k.import) continue;
        SCOPED_TRACE("import of the " + k.name.toStdString());
        const auto refuses = [&](const QByteArray& file, const std::string& what) {
            SCOPED_TRACE(what);
            const QString path = t.habitat.GetBaseDir() + "/import." + e.suffix;
            WriteFile(path, file);
            return Refuses(k, path);
        };
        {
            TestHost h;
            auto target = e.make(h);
            ASSERT_TRUE(k.import(target.get(), files[i]));
            EXPECT_NE(e.written(target.get(), h), defaults) << "its own kind changes nothing";
        }
        // A path that names no file fails before anything is read: nothing changes, not even a filled store.
        for (const QString& path : {QString(), t.habitat.GetBaseDir() + "/missing." + e.suffix}) {
            TestHost h;
            auto target = Filled(h);
            EXPECT_FALSE(k.import(target.get(), path)) << "path \"" << path.toStdString() << '"';
            EXPECT_TRUE(SameDocument(e.written(target.get(), h), Golden("distinct"))) << path.toStdString();
        }
        for (int j = 0; j < e.kinds.size(); ++j) {
            if (j != i) refuses(ReadAll(files[j]), "the " + e.kinds[j].name.toStdString());
        }
        const QByteArray own = ReadAll(files[i]);
        for (const DocumentKind& other : e.kinds) {
            if (!k.flag.isEmpty() && !other.flag.isEmpty() && other.flag != k.flag)
                refuses(WithFlag(own, k.flag, other.flag), "flag " + other.flag.toStdString());
        }
        if (k.profiles > 0) {
            refuses(WithProfiles(own, -1), "one profile fewer");
            refuses(WithProfiles(own, +1), "one profile more");
        }
        if (!k.slotAttribute.isEmpty()) {
            const QStringList log =
                refuses(WithAttribute(own, k.slotAttribute, k.slotCount), "a slot past the last");
            EXPECT_EQ(log.filter(QString::number(k.slotCount) + ", outside").size(), 1)
                << log.join('\n').toStdString();
        }
    }
}

// A merge after a save works on the document that save wrote: merging into the one the load picked
// would make that one current again, and the next start would lose what was saved.
TEST_P(StoreCatalogue, AMergeAfterASaveKeepsWhatTheSaveWrote) {
    if (!e.merge) GTEST_SKIP() << "no in-place rewrite";
    e.put(t, Golden("default"), 1);
    auto s = e.make(t);
    e.fill(s.get());
    ASSERT_TRUE(e.save(s.get()));
    ASSERT_TRUE(e.merge(s.get()));
    EXPECT_TRUE(SameDocument(e.written(e.make(t).get(), t), Golden("distinct")));
}

// Every export kind byte for byte, from the distinct state: tests/data/<model>/<kind name>.xml with
// dashes for blanks. PREFBOOK_UPDATE_GOLDEN=1 writes what is missing, to be read over before it is kept.
TEST_P(StoreCatalogue, ExportsWriteTheirGoldenFiles) {
    const QStringList files = WriteKinds(e, t, t.habitat.GetBaseDir());
    for (int i = 1; i < e.kinds.size(); ++i) {
        const QString name = QString(e.kinds[i].name).replace(' ', '-');
        const QString golden = QString(PREFBOOK_TEST_DATA "/%1/%2.%3").arg(e.model.toLower(), name, e.suffix);
        if (qEnvironmentVariableIsSet("PREFBOOK_UPDATE_GOLDEN") && !QFile::exists(golden))
            WriteFile(golden, ReadAll(files[i]));
        EXPECT_TRUE(SameDocument(ReadAll(files[i]), Golden(name))) << name.toStdString();
    }
}

// Sibling models write files of the same shape; only the root or the flag tells them apart.
TEST_P(StoreCatalogue, ImportsRefuseEveryOtherStoresFiles) {
    if (e.sharesFilesWith.contains("*")) GTEST_SKIP() << "imports any readable document";
    if (std::none_of(e.kinds.begin(), e.kinds.end(), [](const DocumentKind& k) { return bool(k.import); }))
        GTEST_SKIP() << "imports nothing";
    static TestHost writer;  // every store's files, written once for all the entries
    static std::map<QString, QStringList> others;
    for (const StoreEntry& o : Catalogue()) {
        if (o.model == e.model || e.sharesFilesWith.contains(o.model)) continue;
        if (!others.count(o.model)) others[o.model] = WriteKinds(o, writer, writer.habitat.GetBaseDir());
        for (const QString& file : others[o.model]) {
            for (const DocumentKind& k : e.kinds) {
                SCOPED_TRACE(k.name.toStdString() + " import of " + file.toStdString());
                if (k.import) Refuses(k, file);
            }
        }
    }
}

TEST_P(StoreCatalogue, BadIndexesGiveTheirFallbacksAndChangeNothing) {
    if (e.badIndex.isEmpty()) GTEST_SKIP() << "no index-taking operations";
    auto s = Filled(t);
    for (const IndexCheck& c : e.badIndex) {
        SCOPED_TRACE(c.operation);
        c.check(s.get());
    }
    EXPECT_TRUE(SameDocument(e.written(s.get(), t), Golden("distinct")));
}

INSTANTIATE_TEST_SUITE_P(EveryStore, StoreCatalogue, ::testing::ValuesIn(Catalogue()),
                         [](const auto& info) { return info.param.model.toStdString(); });

}  // namespace
}  // namespace prefbook::test
