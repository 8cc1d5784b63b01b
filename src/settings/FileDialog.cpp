#include "settings/FileDialog.h"

#include <QDir>
#include <cwchar>

namespace prefbook {

QVector<FileFilter> ParseFilterPairs(const wchar_t* pairs) {
    QVector<FileFilter> filters;
    if (!pairs) return filters;
    for (const wchar_t* p = pairs; *p;) {
        const size_t descriptionLength = std::wcslen(p);
        const wchar_t* pattern = p + descriptionLength + 1;
        if (!*pattern) break;  // a description without a pattern ends the list
        const size_t patternLength = std::wcslen(pattern);
        FileFilter filter{QString::fromWCharArray(p, int(descriptionLength)), {}};
        for (const QString& part : QString::fromWCharArray(pattern, int(patternLength)).split(';')) {
            if (!part.trimmed().isEmpty()) filter.patterns << part.trimmed();
        }
        filters << filter;
        p = pattern + patternLength + 1;
    }
    return filters;
}

FileDialogRequest BuildFileDialogRequest(FileDialogKind kind, PrefbookWindow owner, const QString& title,
                                         const QString& initialDir, const wchar_t* filter,
                                         const wchar_t* defaultExt) {
    FileDialogRequest request;
    request.kind = kind;
    request.owner = owner;
    request.title = title;
    request.initialDir = initialDir;
    request.filter = filter;
    request.filters = ParseFilterPairs(filter);
    if (kind == FileDialogKind::Save && defaultExt) {
        request.defaultExt = defaultExt;
        request.defaultSuffix = QString::fromWCharArray(defaultExt);
    }
    return request;
}

QString RunFileDialog(const FileDialogRequest& request, ShowDialog show) {
    const QString before = QDir::currentPath();
    const QString path = show(request);
    if (!path.isEmpty()) QDir::setCurrent(before);
    return path;
}

}  // namespace prefbook

QString Prefbook::getOpenFileName(PrefbookWindow owner, const QString& title, const QString& initialDir,
                                  const wchar_t* filter) {
    using namespace prefbook;
    return RunFileDialog(
        BuildFileDialogRequest(FileDialogKind::Open, owner, title, initialDir, filter, nullptr),
        ShowNativeFileDialog);
}

QString Prefbook::getSaveFileName(PrefbookWindow owner, const QString& title, const QString& initialDir,
                                  const wchar_t* filter, const wchar_t* defaultExt) {
    using namespace prefbook;
    return RunFileDialog(
        BuildFileDialogRequest(FileDialogKind::Save, owner, title, initialDir, filter, defaultExt),
        ShowNativeFileDialog);
}

#if defined(_WIN32)
#include "settings/FileDialogWin32.h"

QString prefbook::ShowNativeFileDialog(const FileDialogRequest& request) {
    // Both strings live until the dialog has returned.
    const std::wstring title = request.title.toStdWString();
    const std::wstring initialDir = request.initialDir.toStdWString();
    Win32DialogArgs args;
    args.save = request.kind == FileDialogKind::Save;
    args.owner = request.owner;
    args.title = title.c_str();
    args.initialDir = initialDir.c_str();
    args.filter = request.filter;
    args.defaultExt = request.defaultExt;
    return QString::fromStdWString(ShowWin32FileDialog(args));
}
#endif
