#pragma once

// The Windows common dialogs, kept free of Qt so that the file compiles against the bare Windows
// headers (the cross-compiler check in the tests has no Windows build of Qt).
#include <string>

struct HWND__;

namespace prefbook {

struct Win32DialogArgs {
    bool save = false;
    HWND__* owner = nullptr;
    const wchar_t* title = nullptr;       // alive until the dialog has returned
    const wchar_t* initialDir = nullptr;  // likewise
    const wchar_t* filter = nullptr;
    const wchar_t* defaultExt = nullptr;  // save only, may be null
};

// The chosen path, or an empty string when the dialog was cancelled or failed.
std::wstring ShowWin32FileDialog(const Win32DialogArgs& args);

}  // namespace prefbook
