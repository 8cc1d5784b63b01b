#!/bin/sh
# Compiles the Windows dialog code with the MinGW-w64 cross compiler against its Windows headers,
# syntax only: the code runs only on Windows, but must not rot on the way there.
cxx=x86_64-w64-mingw32-g++
if ! command -v "$cxx" >/dev/null 2>&1; then
  echo "SKIPPED: $cxx not found (scripts/setup installs g++-mingw-w64-x86-64)"
  exit 77
fi
exec "$cxx" -std=c++17 -fsyntax-only -Wall -Wextra -Werror -I"$1" "$1/settings/FileDialogWin32.cpp"
