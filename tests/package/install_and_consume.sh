#!/usr/bin/env bash
# Usage: install_and_consume.sh BUILD_DIR WORK_DIR
# Installs a build into a scratch prefix and uses it as a consumer would: builds a program through
# pkg-config and one through find_package(Prefbook), runs both and the installed prefbookctl without
# LD_LIBRARY_PATH, then moves the prefix and does it all again.
set -euo pipefail
build=$1 work=$2
source_dir=$(cd "$(dirname "$0")/consumer" && pwd)
unset LD_LIBRARY_PATH
rm -rf "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$work/prefix" >/dev/null

fail() { echo "install_and_consume: $*" >&2; exit 1; }

# Builds and runs both consumers against PREFIX, each naming a TL480 profile that the installed tool
# must then read back.
consume() {  # prefix, tag
  local prefix=$1 tag=$2 pcdir flags base
  pcdir=$(dirname "$(find "$prefix" -name prefbook.pc)")
  flags=$(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs prefbook)
  [ "$(realpath -m "$(PKG_CONFIG_PATH=$pcdir pkg-config --define-prefix --variable=includedir prefbook)")" = \
    "$prefix/include/prefbook" ] || fail "pkg-config --define-prefix gives a wrong include folder"
  # Linked as needed, as some distributions do by default: the program then needs only libprefbook,
  # which has to find libprefbook-host itself. -fPIC: Qt's headers refuse code built otherwise.
  # shellcheck disable=SC2086  # the flags are words
  c++ -std=c++17 -fPIC "$source_dir/main.cpp" -Wl,--as-needed $flags -o "$work/$tag-pc"
  cmake -S "$source_dir" -B "$work/$tag-cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
  cmake --build "$work/$tag-cmake" >/dev/null
  for consumer in "$work/$tag-pc" "$work/$tag-cmake/consumer"; do
    base=$(mktemp -d "$work/base.XXXXXX")
    PREFBOOK_BASE_DIR=$base "$consumer" "$tag" || fail "$consumer failed with status $?"
    "$prefix/bin/prefbookctl" --base "$base" show tl480 | grep -q "$tag" ||
      fail "the installed prefbookctl does not show what $consumer saved"
  done
}

consume "$work/prefix" first
mv "$work/prefix" "$work/moved"
if grep -rl -- "$work/prefix" "$work/moved"; then fail "the files above name the prefix before the move"; fi
consume "$work/moved" moved
