#!/bin/sh
# Compiles the Windows code with the MinGW-w64 cross compiler against its Windows headers, syntax
# only: it runs only on Windows, but must not rot on the way there. The dialogs need no Qt; the
# library's Windows branches (the save's folder steps, regular-file opens, folder syncs) are checked
# against this machine's Qt headers, given as a ':'-separated list.
cxx=x86_64-w64-mingw32-g++
if ! command -v "$cxx" >/dev/null 2>&1; then
  echo "SKIPPED: $cxx not found (scripts/setup installs g++-mingw-w64-x86-64)"
  exit 77
fi
src=$1
"$cxx" -std=c++17 -fsyntax-only -Wall -Wextra -Werror -I"$src" "$src/settings/FileDialogWin32.cpp" || exit 1
qt=""
old_ifs=$IFS
IFS=:
for dir in $2; do qt="$qt -I$dir"; done
IFS=$old_ifs
for file in profilecore/ProfileFolder.cpp profilecore/RegularFile.cpp profilecore/FolderSync.cpp; do
  # -Wno-attributes: the Linux Qt headers' exports meet Windows' dllimport.
  "$cxx" -std=c++17 -fsyntax-only -Wall -Wextra -Werror -Wno-attributes $qt -I"$src" "$src/$file" || exit 1
done
