#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own source of qt6-base, the same version as the
# Qt installed here, which serves as the host Qt (moc, rcc, uic). `make windows-qt` runs it.
#
#   build/windows-qt/apt/     a private apt configuration: its own sources list (deb-src of
#                             the Debian release), lists and cache; the system's are untouched
#   build/windows-qt/source/  the unpacked source, Debian's patches applied (dpkg-source):
#                             they are security fixes and build-system fixes that the host
#                             Qt carries as well, and none of them touches Windows code
#   build/windows-qt/build/   the build tree
#   build/windows-qt/prefix/  the installed Qt, which `make windows-package` builds against
#   build/windows-qt/times    how long each step took
#
# Only what the program uses is built: Core, Gui, Widgets, PrintSupport and Test, with the
# windows and offscreen platform plugins and the Windows print support plugin; no OpenGL,
# Vulkan, SQL, D-Bus, network, XML, Concurrent, ODF or Markdown. It is optimized with -O2, as
# Debian builds its own Qt (Qt itself still builds Core and Gui with -O3). A finished prefix
# is reused: delete it to build again; a build that was stopped goes on where it stopped. The
# build runs niced, with at most two jobs (JOBS=1 for one); build/windows-qt/times gets a line
# for each step of each run.
#
# What differs from Qt's own source, and why:
#  - tablet events are off: Debian's source leaves out src/3rdparty/wintab (Files-Excluded in
#    its debian/copyright), whose header the Windows plugin's tablet support needs (Qt 6's
#    Windows accessibility is UI Automation and does not need the excluded iaccessible2);
#  - Direct2D is off (not used, and a second Windows platform plugin to build);
#  - pkg-config is off, so that nothing of the host's libraries leaks into the Windows build:
#    zlib, libpng, PCRE2, HarfBuzz, FreeType and double-conversion are Qt's bundled copies.
#  - qt-windows-without-direct2d.patch, beside this script, makes the Windows print engine and
#    platform plugin build without Direct2D (see the patch: Qt 6.4 does not link them otherwise).
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
qt=$root/build/windows-qt
apt_dir=$qt/apt
source_dir=$qt/source
build_dir=$qt/build
prefix=$qt/prefix
times=$qt/times
jobs=${JOBS:-2}
if [ "$jobs" -gt 2 ]; then jobs=2; fi

if [ -f "$prefix/roomwright-qt-complete" ]; then
    echo "Qt for Windows is in $prefix (built before; delete it to build again)."
    exit 0
fi
mkdir -p "$qt"

. "$root/packaging/windows/steps.sh"

# The version of the host Qt: the Windows Qt is built from the very same source.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)

fetch() {
    fetch_debian_source "$apt_dir" "qt6-base=$version" "$source_dir"
}

# Qt's own patches (Debian's are applied by apt-get source), once.
patch_source() {
    local patch
    for patch in "$root"/packaging/windows/qt-*.patch; do
        if ! patch -d "$source_dir" -p1 -R --dry-run --silent < "$patch" > /dev/null; then
            patch -d "$source_dir" -p1 --forward < "$patch"
        fi
    done
}

configure() {
    nice -n 19 cmake -S "$source_dir" -B "$build_dir" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64-qt.cmake" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=ON \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_pkg_config=OFF \
        -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF \
        -DFEATURE_androiddeployqt=OFF \
        -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF \
        -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF \
        -DFEATURE_textmarkdownwriter=OFF \
        -DINPUT_freetype=qt -DINPUT_harfbuzz=qt -DINPUT_libpng=qt -DINPUT_pcre=qt \
        -DINPUT_doubleconversion=qt
}

build() {
    nice -n 19 cmake --build "$build_dir" --parallel "$jobs"
}

install() {
    rm -rf "$prefix"
    cmake --install "$build_dir"
    touch "$prefix/roomwright-qt-complete"
}

if [ ! -f "$source_dir/CMakeLists.txt" ]; then
    : > "$times"
    step fetch fetch
fi
patch_source
step configure configure
step build build
step install install
echo "Qt for Windows is in $prefix:"
cat "$times"
