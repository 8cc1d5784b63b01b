#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

namespace prefbook::test {
namespace {

// The dynamic symbols the shared library defines, demangled, by version: the suite's interface
// (PREFBOOK_0) and the private version that prefbookctl links against.
struct Exports {
    QStringList suite, tool, other;
};

Exports ExportedSymbols() {
    QProcess nm;
    nm.start("nm", {"-D", "--defined-only", "-C", "--with-symbol-versions", PREFBOOK_SHARED_LIB});
    if (!nm.waitForFinished(60000) || nm.exitCode() != 0) return {};
    Exports exports;
    for (const QString& line :
         QString::fromUtf8(nm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        if (line.section(' ', 1, 1) == "A") continue;  // a version's own definition
        const QString symbol = line.section(' ', 2);   // "address type name@@version"
        const QString version = symbol.section("@@", 1);
        const QString name = symbol.section("@@", 0, 0);
        (version == "PREFBOOK_0"                           ? exports.suite
         : version == "PREFBOOK_PRIVATE_" PREFBOOK_RELEASE ? exports.tool
                                                           : exports.other)
            << name;
    }
    return exports;
}

TEST(ExportedSymbols, OnlyThePublicClassesAreExportedToTheSuite) {
    const Exports exports = ExportedSymbols();
    ASSERT_FALSE(exports.suite.isEmpty()) << "nm gave no symbols for " PREFBOOK_SHARED_LIB;
    // The public classes (their members, tables and type information) and the linker's own markers.
    const QRegularExpression allowed(
        "^((typeinfo( name)?|vtable) for )?(I[A-Z][A-Za-z0-9]*ProfileCfg|Prefbook)(::|$)|"
        "^(_init|_fini|_edata|_end|__bss_start)$");
    QStringList foreign;
    for (const QString& s : exports.suite) {
        if (!allowed.match(s).hasMatch()) foreign << s;
    }
    EXPECT_TRUE(foreign.isEmpty()) << foreign.join('\n').toStdString();
    // The rest is the tool's, under the release's private version; nothing is unversioned.
    EXPECT_TRUE(exports.other.isEmpty()) << exports.other.join('\n').toStdString();
    EXPECT_FALSE(exports.tool.isEmpty());
}

TEST(ExportedSymbols, EveryStoreAccessorIsExported) {
    const QStringList symbols = ExportedSymbols().suite;
    for (const char* accessor :
         {"IKR720ProfileCfg::Instance()", "ITL480ProfileCfg::Instance()", "ITL460ProfileCfg::Instance()",
          "IAU570ProfileCfg::Instance()", "IDS180ProfileCfg::Instance()", "IAU320ProfileCfg::Instance()",
          "IAU340ProfileCfg::Instance()", "IFT610ProfileCfg::Instance()", "IFT280ProfileCfg::Instance()",
          "IVL550ProfileCfg::Instance()", "IPR260ProfileCfg::Instance()", "IPR261ProfileCfg::Instance()",
          "IPR940ProfileCfg::Instance()", "IBX310V2ProfileCfg::Instance()", "IBX330V2ProfileCfg::Instance()",
          "IKeydeckProfileCfg::Instance()", "IPR941ProfileCfg::Instance()"}) {
        EXPECT_TRUE(symbols.contains(accessor)) << accessor;
    }
}

}  // namespace
}  // namespace prefbook::test
