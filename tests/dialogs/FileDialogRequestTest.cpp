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

TEST(FileDialogRequest, KeepsTheCallersPointersAndTheSaveExtensionOnly) {
    const wchar_t* filter = L"Profiles\0*.xml\0";
    const wchar_t* ext = L"xml";
    const FileDialogRequest save =
        BuildFileDialogRequest(FileDialogKind::Save, PrefbookWindow{}, "Export", "/tmp", filter, ext);
    EXPECT_EQ(save.filter, filter);  // the Windows dialog gets the caller's list untouched
    EXPECT_EQ(save.defaultExt, ext);
    EXPECT_EQ(save.defaultSuffix, "xml");
    EXPECT_EQ(save.filters.size(), 1);
    const FileDialogRequest noExt =
        BuildFileDialogRequest(FileDialogKind::Save, PrefbookWindow{}, "Export", "/tmp", filter, nullptr);
    EXPECT_EQ(noExt.defaultExt, nullptr);
    const FileDialogRequest open =
        BuildFileDialogRequest(FileDialogKind::Open, PrefbookWindow{}, "Import", "/tmp", filter, ext);
    EXPECT_EQ(open.defaultExt, nullptr);
    EXPECT_TRUE(open.defaultSuffix.isEmpty());
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
