#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "settings/FileDialog.h"

namespace prefbook::test {
namespace {

struct FilterCase {
    const char* name;
    const wchar_t* pairs;  // literals carry one more zero than they show
    QVector<FileFilter> expected;
};

class FilterPairs : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterPairs, ParseIntoDescriptionsAndPatterns) {
    EXPECT_EQ(ParseFilterPairs(GetParam().pairs), GetParam().expected);
}

const FilterCase kFilterCases[] = {
    {"twoPairs", L"Profiles\0*.xml\0All files\0*.*\0", {{"Profiles", {"*.xml"}}, {"All files", {"*.*"}}}},
    {"patternList", L"Profiles\0*.xml; *.bak;\0", {{"Profiles", {"*.xml", "*.bak"}}}},
    {"nonAscii",
     L"Profil\u00e9s \u6f22\0*.xml\0",
     {{QString::fromUtf8("Profil\xc3\xa9s \xe6\xbc\xa2"), {"*.xml"}}}},
    {"descriptionWithoutPattern", L"Profiles\0*.xml\0Dangling\0", {{"Profiles", {"*.xml"}}}},
    {"emptyList", L"", {}},
    {"null", nullptr, {}},
};
INSTANTIATE_TEST_SUITE_P(, FilterPairs, ::testing::ValuesIn(kFilterCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The Windows dialog gets the caller's filter and extension pointers untouched; open takes no extension.
TEST(FileDialogRequest, KeepsTheCallersPointersAndTheSaveExtensionOnly) {
    const wchar_t* filter = L"Profiles\0*.xml\0";
    const wchar_t* xml = L"xml";
    for (auto [kind, ext, expectedExt] : {std::tuple{FileDialogKind::Save, xml, xml},
                                          {FileDialogKind::Save, nullptr, nullptr},
                                          {FileDialogKind::Open, xml, nullptr}}) {
        const FileDialogRequest r = BuildFileDialogRequest(kind, PrefbookWindow{}, "T", "/tmp", filter, ext);
        EXPECT_EQ(r.filter, filter);
        EXPECT_EQ(r.defaultExt, expectedExt);
        EXPECT_EQ(r.defaultSuffix, expectedExt ? "xml" : "");
        EXPECT_EQ(r.filters.size(), 1);
    }
}

// A dialog that browses to another folder, as the Windows dialogs do, and then answers.
QString g_browseTo, g_answer;
QString BrowsingDialog(const FileDialogRequest&) {
    QDir::setCurrent(g_browseTo);
    return g_answer;
}

TEST(FileDialogRequest, CurrentDirectoryIsRestoredAfterASuccessOnly) {
    QTemporaryDir start, elsewhere;
    const QString before = QDir::currentPath();
    g_browseTo = elsewhere.path();
    for (const QString& answer : {QString("/picked/file.xml"), QString()}) {
        QDir::setCurrent(start.path());
        g_answer = answer;
        EXPECT_EQ(RunFileDialog(FileDialogRequest{}, BrowsingDialog), answer);
        EXPECT_EQ(QDir::currentPath(),
                  QDir(answer.isEmpty() ? elsewhere.path() : start.path()).canonicalPath());
    }
    QDir::setCurrent(before);
}

}  // namespace
}  // namespace prefbook::test
