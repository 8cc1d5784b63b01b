#if defined(_WIN32)

#include "settings/FileDialogWin32.h"

#include <windows.h>
// commdlg.h needs windows.h first.
#include <commdlg.h>

namespace prefbook {

static_assert(OFN_FILEMUSTEXIST == 0x1000 && (OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST) == 0x1002,
              "dialog flags as the suite expects them");
// The full record, not one of the shorter legacy sizes: 88 bytes on 32-bit Windows, where the suite
// was first built; a 64-bit build needs its own full size or the dialog refuses the record.
static_assert(sizeof(void*) != 4 || sizeof(OPENFILENAMEW) == 88, "full 32-bit OPENFILENAMEW");

std::wstring ShowWin32FileDialog(const Win32DialogArgs& args) {
    wchar_t file[MAX_PATH] = {};  // zeroed, so the dialog proposes no file name
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(OPENFILENAMEW);
    ofn.hwndOwner = args.owner;
    ofn.lpstrFilter = args.filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = args.initialDir;
    ofn.lpstrTitle = args.title;
    if (args.save) {
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST;
        ofn.lpstrDefExt = args.defaultExt;
    } else {
        ofn.Flags = OFN_FILEMUSTEXIST;
    }
    const BOOL chosen = args.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    return chosen ? std::wstring(file) : std::wstring();
}

}  // namespace prefbook

#endif
