#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "settings/Prefbook.h"

// The part of the two file dialogs that is the same on every platform: what was asked for, the
// filter list, and the current-directory rule. The platform code only shows the dialog.
namespace prefbook {

struct FileFilter {
    QString description;
    QStringList patterns;  // "*.xml;*.bak" split at the semicolons
    bool operator==(const FileFilter& o) const {
        return description == o.description && patterns == o.patterns;
    }
};

// Reads a double-zero-terminated list of description/pattern pairs. Reading stops at the empty
// string that ends the list; a description without its pattern is dropped. Null gives no filters.
QVector<FileFilter> ParseFilterPairs(const wchar_t* pairs);

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    PrefbookWindow owner{};
    QString title;
    QString initialDir;
    const wchar_t* filter = nullptr;      // as the caller gave it: the Windows dialog takes it unchanged
    QVector<FileFilter> filters;          // the same list, parsed
    const wchar_t* defaultExt = nullptr;  // save only; null when none was given
    QString defaultSuffix;                // defaultExt as a string, empty when none
};

FileDialogRequest BuildFileDialogRequest(FileDialogKind kind, PrefbookWindow owner, const QString& title,
                                         const QString& initialDir, const wchar_t* filter,
                                         const wchar_t* defaultExt);

using ShowDialog = QString (*)(const FileDialogRequest&);

// Shows the dialog through show and returns its path. After a successful dialog the current
// directory is set back to what it was, since the Windows dialogs move it to the chosen folder;
// after a cancel or a failure it is left alone.
QString RunFileDialog(const FileDialogRequest& request, ShowDialog show);

// The platform's dialog: the Windows common dialogs, or the desktop portal elsewhere.
QString ShowNativeFileDialog(const FileDialogRequest& request);

}  // namespace prefbook
