#!/usr/bin/env bash
# `make windows-package`: the whole program for 64-bit Windows on the Qt that
# packaging/windows/build-qt.sh cross-built (build/windows-qt/prefix), in build/windows-package:
#   1. the programs, the page module and every test (core and windows), built with MinGW-w64;
#   2. every test run under Wine, the windows' tests on Qt's offscreen platform;
#   3. roomwright.exe started under Wine on a virtual screen (Xvfb), and a screenshot of it:
#      roomwright-under-wine.png;
#   4. the installer, made with Debian's NSIS: roomwright-<version>-setup.exe, whose contents
#      7-Zip lists to check that it holds the whole program folder.
# Each step says how long it took; build/windows-package/summary has the times (with those of
# Qt's build), the tests run and passed, and the installer's size.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
qt=$root/build/windows-qt/prefix
out=$root/build/windows-package
jobs=${JOBS:-2}
if [ "$jobs" -gt 2 ]; then jobs=2; fi
if [ ! -f "$qt/roomwright-qt-complete" ]; then
    echo "Qt for Windows is not built: make windows-qt" >&2
    exit 1
fi

# Wine keeps its Windows installation in the build directory, quietly.
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

mkdir -p "$out"
times=$out/times
: > "$times"
. "$root/packaging/windows/steps.sh"

# Warnings are shown but do not stop the build: GCC 12 warns falsely of overlapping copies
# inside std::string at -O3 (-Wrestrict, GCC bug 105329); `make test-windows` holds the code
# to -Werror.
program() {
    cmake -S "$root" -B "$out" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DROOMWRIGHT_WERROR=OFF \
        -DROOMWRIGHT_GTEST_SOURCE=/usr/src/googletest
    nice -n 19 cmake --build "$out" --parallel "$jobs"
}

tests() {
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot --init
    # Wine's Windows has no fonts of its own in its fonts folder, where a real one has many:
    # the page module draws with the fonts it finds there.
    cp /usr/share/fonts/truetype/dejavu/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    local status=0
    (cd "$out" && ctest --verbose --timeout 1800) > "$out/tests.log" 2>&1 || status=$?
    # GoogleTest's own count of each test program, and ctest's closing line.
    grep -E '^[0-9]+: \[(==========|  PASSED  |  FAILED  )\]' "$out/tests.log" || true
    grep -E 'tests passed|tests failed' "$out/tests.log" || true
    if [ "$status" -ne 0 ]; then
        grep -E '^[0-9]+: \[  FAILED  \]' "$out/tests.log" >&2 || true
        echo "tests under Wine failed; see $out/tests.log" >&2
        return "$status"
    fi
    # The installed tool's PDF has the report's text in it.
    local motel=$out/pdf-motel
    rm -rf "$motel" "$out/housekeeping.pdf"
    "$wine" "$out/bin/roomwright-cli.exe" --data-dir "Z:$motel" init
    "$wine" "$out/bin/roomwright-cli.exe" --data-dir "Z:$motel" print housekeeping \
        --pdf "Z:$out/housekeeping.pdf"
    if ! pdftotext "$out/housekeeping.pdf" - | grep -q "Housekeeping Report"; then
        echo "roomwright-cli.exe wrote a PDF without the report's text: $out/housekeeping.pdf" >&2
        return 1
    fi
    echo "roomwright-cli.exe under Wine wrote $out/housekeeping.pdf with its text"
}

screenshot() {
    local motel=$out/screenshot-motel
    rm -rf "$motel"
    "$wine" "$out/bin/roomwright-cli.exe" --data-dir "Z:$motel" init
    "$wine" "$out/bin/roomwright-cli.exe" --data-dir "Z:$motel" set motel \
        --name "Blue Heron Motel" --phone "Phone: 530-555-0142"
    rm -f "$out/roomwright-under-wine.png"
    # Wine's desktop, started for the tool without a screen, must be gone first: the program
    # started on the virtual screen would start its windows there, where nothing shows them.
    "$wineserver" -w
    xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" bash -c '
        "$1" "$2" --data-dir "Z:$3" &
        program=$!
        # Wine starts the program and Qt opens its windows: the screen stops being black.
        for attempt in $(seq 60); do
            sleep 3
            import -window root "$4"
            if [ "$(identify -format "%[fx:mean>0.05]" "$4")" = 1 ]; then
                sleep 3
                import -window root "$4"
                break
            fi
        done
        kill $program 2>/dev/null || true
        "$5" -k || true
    ' screenshot "$wine" "$out/bin/roomwright.exe" "$motel" "$out/roomwright-under-wine.png" \
        "$wineserver"
    test -s "$out/roomwright-under-wine.png"
    echo "screenshot: $out/roomwright-under-wine.png"
}

installer() {
    local version
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")
    local stage=$out/stage/Roomwright
    rm -rf "$out/stage"
    cmake --install "$out" --prefix "$stage" --strip
    # The uninstaller removes exactly these files, then these folders when they are empty.
    (cd "$stage"
     find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|    Delete "$INSTDIR\\&"|'
     find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|    RMDir "$INSTDIR\\&"|'
    ) > "$out/stage/files.nsh"
    local setup=$out/roomwright-$version-setup.exe
    rm -f "$setup"
    makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DFILES="$out/stage/files.nsh" \
        -DICON="$root/packaging/windows/roomwright.ico" -DOUTFILE="$setup" \
        "$root/packaging/windows/roomwright.nsi"
    # The installer holds every file of the program folder.
    local listing missing
    listing=$(7z l "$setup")
    missing=$(cd "$stage" && find . -type f | sed 's|^\./||' | while read -r file; do
        grep -qF " $file" <<< "$listing" || echo "$file"
    done)
    if [ -n "$missing" ]; then
        echo "the installer lacks: $missing" >&2
        return 1
    fi
    echo "installer: $setup ($(du -k "$setup" | cut -f1) KiB), $(grep -c . "$out/stage/files.nsh") files and folders"
}

step program program
step tests tests
step screenshot screenshot
step installer installer

setup=$(ls "$out"/roomwright-*-setup.exe)
{
    echo "Qt for Windows (build/windows-qt/times):"
    cat "$root/build/windows-qt/times"
    echo "The program for Windows:"
    cat "$times"
    echo "Tests under Wine:"
    grep -E '^[0-9]+: \[(==========|  PASSED  |  FAILED  )\]' "$out/tests.log" || true
    grep -E 'tests passed|tests failed' "$out/tests.log" || true
    echo "Screenshot: $out/roomwright-under-wine.png"
    echo "Installer: $setup, $(stat -c %s "$setup") bytes"
} | tee "$out/summary"
