#!/usr/bin/env bash
# Builds libarchive, the tar library of the backups, for 64-bit Windows from Debian's own
# source, as a static library for the MinGW-w64 builds (`make test-windows`, `make
# windows-package`). Debian ships no MinGW libarchive.
#
#   build/windows-libarchive/apt/     a private apt configuration (see steps.sh)
#   build/windows-libarchive/source/  the unpacked source, Debian's patches applied
#   build/windows-libarchive/build/   the build tree
#   build/windows-libarchive/prefix/  the installed library and headers
#   build/windows-libarchive/times    how long each step took
#
# Only the library is built, and only what plain tar needs: no compression, encryption, XML,
# ACL or character-set libraries, and none of the programs (bsdtar, bsdcpio…) or tests. A
# finished prefix is reused: delete it to build again.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
top=$root/build/windows-libarchive
prefix=$top/prefix
source_dir=$top/source
build_dir=$top/build
times=$top/times
jobs=${JOBS:-2}
if [ "$jobs" -gt 2 ]; then jobs=2; fi

if [ -f "$prefix/roomwright-libarchive-complete" ]; then
    exit 0
fi
mkdir -p "$top"
. "$root/packaging/windows/steps.sh"

fetch() {
    fetch_debian_source "$top/apt" libarchive "$source_dir"
}

configure() {
    local off=()
    local option
    for option in OPENSSL LIBB2 LZ4 LZO LZMA ZSTD ZLIB BZip2 LIBXML2 EXPAT PCREPOSIX PCRE2POSIX \
                  LibGCC CNG XATTR ACL ICONV TAR CPIO CAT UNZIP TEST WERROR; do
        off+=("-DENABLE_$option=OFF")
    done
    cmake -S "$source_dir" -B "$build_dir" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "${off[@]}"
}

build() {
    nice -n 19 cmake --build "$build_dir" --parallel "$jobs" --target archive_static
}

install() {
    rm -rf "$prefix"
    mkdir -p "$prefix/include" "$prefix/lib"
    cp "$source_dir/libarchive/archive.h" "$source_dir/libarchive/archive_entry.h" \
       "$prefix/include/"
    cp "$build_dir/libarchive/libarchive_static.a" "$prefix/lib/libarchive.a"
    touch "$prefix/roomwright-libarchive-complete"
}

if [ ! -f "$source_dir/CMakeLists.txt" ]; then
    : > "$times"
    step fetch fetch
fi
step configure configure
step build build
step install install
echo "libarchive for Windows is in $prefix:"
cat "$times"
