#include <gtest/gtest.h>
#include <unistd.h>

#include <QBuffer>
#include <climits>
#include <functional>
#include <stdexcept>

#include "devices/keyboards/TLProfileStore.h"
#include "profilecore/XmlSupport.h"
#include "support/TestHost.h"

namespace prefbook::test {
namespace {

QXmlStreamAttributes Attrs(const char* xml) {
    QXmlStreamReader r(QByteArray("<e ") + xml + "/>");
    r.readNextStartElement();
    return r.attributes();
}

TEST(XmlSupport, AttributesNarrowAsDocumented) {
    const QXmlStreamAttributes a =
        Attrs(R"(big="300" neg="-1" huge="70000" bad="12x" max="65535" u="4294967295")");
    EXPECT_EQ(attrU8(a, QLatin1String("big")), 44);
    EXPECT_EQ(attrU8(a, QLatin1String("neg")), 255);
    EXPECT_EQ(attrU16(a, QLatin1String("huge")), 0);
    EXPECT_EQ(attrU16(a, QLatin1String("neg")), 0);
    EXPECT_EQ(attrU16(a, QLatin1String("max")), 65535);
    EXPECT_EQ(attrInt(a, QLatin1String("bad")), 0);
    EXPECT_EQ(attrInt(a, QLatin1String("absent")), 0);
    EXPECT_EQ(attrU32(a, QLatin1String("u")), 4294967295u);
    EXPECT_EQ(attrUtf8(a, QLatin1String("absent")), "");
}

TEST(XmlSupport, DecimalTextMatchesQtAtTheExtremes) {
    for (qlonglong v : {0LL, -1LL, 65535LL, qlonglong(INT_MIN), qlonglong(INT_MAX), LLONG_MIN, LLONG_MAX}) {
        EXPECT_EQ(DecimalText(v), QString::number(v));
    }
}

TEST(XmlSupport, ForeignChildrenAreSkippedAndAStreamErrorIsRaised) {
    QXmlStreamReader r(QByteArray("<p><x><deep><deeper/></deep></x><keep n='1'/><keep n='2'/></p>"));
    r.readNextStartElement();
    QStringList seen;
    ForEachChild(r, [&](QStringRef name) {
        if (name == QLatin1String("keep")) seen << r.attributes().value("n").toString();
        return false;
    });
    EXPECT_EQ(seen, QStringList({"1", "2"}));
    EXPECT_TRUE(r.isEndElement());

    QXmlStreamReader broken(QByteArray("<p><keep></p>"));
    broken.readNextStartElement();
    EXPECT_THROW(ForEachChild(broken, [](QStringRef) { return false; }), ProfileReadError);
}

// An atomic write replaces the file whole or not at all. A writer that throws must not commit an
// export; a save sees false and retries, as with any failed writer.
TEST(XmlSupport, AtomicWriteReplacesTheFileWholeOrNotAtAll) {
    TestHost t;
    const QString path = t.habitat.GetBaseDir() + "/export.xml";
    const QString failure = "Write AU570 XML Failed: ";
    WriteFile(path, "old");
    const auto throwing = [](QXmlStreamWriter& w) {
        w.writeStartElement("au570");
        throw std::runtime_error("interrupted");
    };
    EXPECT_FALSE(WriteGuardedXmlFile(t.Host(), path, WriteMode::Atomic, failure, throwing));
    EXPECT_EQ(ReadAll(path), QByteArray("old"));
    EXPECT_EQ(t.log.Lines(), QStringList{failure + path});

    EXPECT_TRUE(WriteXmlFile(t.Host(), path, WriteMode::Atomic,
                             [](QXmlStreamWriter& w) { w.writeEmptyElement("a"); }));
    EXPECT_EQ(ReadAll(path).trimmed(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a/>");
}

// The targets a person meets, reported with the file's own error text rather than the atomic
// writer's texts about its temporary file; nothing is left behind.
TEST(XmlSupport, AtomicWriteReportsWhatADirectOpenReports) {
    struct Target {
        const char* what;
        std::function<QString(const QString& base)> make;  // gives the path to write
        const char* error;
        bool asRootToo;  // permissions do not stop root
    };
    const Target targets[] = {
        {"a folder",
         [](const QString& b) {
             QDir().mkpath(b + "/folder");
             return b + "/folder";
         },
         "Is a directory", true},
        {"a missing parent folder", [](const QString& b) { return b + "/no/such/x.xml"; },
         "No such file or directory", true},
        {"a read-only file",
         [](const QString& b) {
             WriteFile(b + "/ro.xml", "old");
             QFile::setPermissions(b + "/ro.xml", QFile::ReadOwner);
             return b + "/ro.xml";
         },
         "Permission denied", false},
        {"a read-only folder",
         [](const QString& b) {
             QDir().mkpath(b + "/ro");
             QFile::setPermissions(b + "/ro", QFile::ReadOwner | QFile::ExeOwner);
             return b + "/ro/x.xml";
         },
         "Permission denied", false},
    };
    for (const Target& target : targets) {
        SCOPED_TRACE(target.what);
        if (!target.asRootToo && geteuid() == 0) continue;  // noted in the record: root passes permissions
        TestHost t;
        const QString path = target.make(t.habitat.GetBaseDir());
        const QStringList before = QDir(QFileInfo(path).absolutePath()).entryList(QDir::AllEntries);
        EXPECT_FALSE(WriteXmlFile(t.Host(), path, WriteMode::Atomic, [](QXmlStreamWriter&) {}));
        EXPECT_EQ(t.log.Lines(), QStringList{"Open " + path + " Failed : " + target.error});
        EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::AllEntries), before);
    }
}

// Characters XML 1.0 cannot carry make the stream writer refuse the whole document, so one of them in
// a name would make every later save fail. They are left out, with one log line; the rest is kept.
TEST(XmlSupport, CharactersXmlCannotCarryAreLeftOutAndTheStoreKeepsSaving) {
    const QString kept = "a\tb\nc\rd" + QString::fromUcs4(U"\U0001F600") + QChar(0xFFFD) + QChar(0xE000);
    TestHost t;
    TL480ProfileCfgImpl store(t.Host());
    const QChar illegal[] = {QChar(0x01),   QChar(0x1F),   QChar(0xFFFE),
                             QChar(0xFFFF), QChar(0xD800), QChar(0xDC00)};
    for (const QChar c : illegal) {
        SCOPED_TRACE(c.unicode());
        t.log.Clear();
        const QString text = QString(c) + kept + c;
        store.SetExportPath(text);  // a path as Qt hands it over, unpaired surrogates included
        if (!c.isSurrogate()) store.SetProfileName(0, text.toStdString());
        ASSERT_TRUE(store.SaveProfile());
        TL480ProfileCfgImpl reloaded(t.Host());
        EXPECT_EQ(t.log.Lines(),
                  QStringList{"Characters XML cannot carry were left out of " + reloaded.LoadedFrom()});
        EXPECT_EQ(reloaded.GetExportPath(), kept);
        if (!c.isSurrogate()) {
            EXPECT_EQ(QString::fromStdString(reloaded.GetProfileName(0)), kept);
        }
        t.clock.Advance(1);
    }
}

}  // namespace
}  // namespace prefbook::test
