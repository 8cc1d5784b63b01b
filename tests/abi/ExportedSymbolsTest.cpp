#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

namespace prefbook::test {
namespace {

// The dynamic symbols the shared library defines, demangled.
QStringList ExportedSymbols() {
    QProcess nm;
    nm.start("nm", {"-D", "--defined-only", "-C", PREFBOOK_SHARED_LIB});
    if (!nm.waitForFinished(60000) || nm.exitCode() != 0) return {};
    QStringList symbols;
    for (const QString& line :
         QString::fromUtf8(nm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        symbols << line.section(' ', 2);  // "address type name"
    }
    return symbols;
}

TEST(ExportedSymbols, OnlyThePublicClassesAreExported) {
    const QStringList symbols = ExportedSymbols();
    ASSERT_FALSE(symbols.isEmpty()) << "nm gave no symbols for " PREFBOOK_SHARED_LIB;
    // The public classes (their members, tables and type information) and the linker's own markers.
    const QRegularExpression allowed(
        "^((typeinfo( name)?|vtable) for )?(I[A-Z][A-Za-z0-9]*ProfileCfg|Prefbook)(::|$)|"
        "^(_init|_fini|_edata|_end|__bss_start)$");
    QStringList foreign;
    for (const QString& s : symbols) {
        if (!allowed.match(s).hasMatch()) foreign << s;
    }
    EXPECT_TRUE(foreign.isEmpty()) << foreign.join('\n').toStdString();
}

TEST(ExportedSymbols, EveryStoreAccessorIsExported) {
    const QStringList symbols = ExportedSymbols();
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
