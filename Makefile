# Roomwright: `make run` builds and starts the program, `make test` builds and runs every
# test, `make test-long` runs a longer sweep of the power-cut test, `make test-windows`
# cross-builds the core and its tests for Windows and runs them under Wine, `make package`
# builds the Debian package and `make windows-package` the Windows installer. Each installs
# the Debian packages it needs when some are missing.

PACKAGES := cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev fonts-dejavu-core lintian poppler-utils librsvg2-bin \
            libarchive-dev
# libarchive for Windows is built from Debian's source (dpkg-dev unpacks it).
WINDOWS_PACKAGES := cmake ninja-build g++-mingw-w64-x86-64 wine64 googletest dpkg-dev xz-utils \
                    debian-archive-keyring
# Qt for Windows from Debian's source, the installer (7-Zip lists what it holds) and the
# picture of the program under Wine on a virtual screen.
WINDOWS_QT_PACKAGES := $(WINDOWS_PACKAGES) qt6-base-dev perl nsis xvfb xauth \
                       imagemagick fonts-dejavu-core p7zip-full poppler-utils librsvg2-bin
ICON_PACKAGES := librsvg2-bin icoutils
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

RUN_DIR := build/release
TEST_DIR := build/test
BENCH_DIR := build/bench
WINDOWS_DIR := build/windows
PACKAGE_DIR := build/package

# The tests run on Qt's offscreen platform, under AddressSanitizer and
# UndefinedBehaviorSanitizer; leaks inside the system's font and GL libraries are not ours.
TEST_ENV := QT_QPA_PLATFORM=offscreen \
            ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
            LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Wine keeps its Windows installation (the prefix) in the build directory: the first run
# creates it in a few seconds. Its debug channels and the offers to install .NET and the
# HTML engine stay off.
WINDOWS_ENV := WINEPREFIX=$(CURDIR)/$(WINDOWS_DIR)/wine WINEDEBUG=-all \
               WINEDLLOVERRIDES="mscoree,mshtml="

.PHONY: run test test-long test-windows build package windows-qt windows-package windows-icon \
        screenshots deps windows-deps windows-qt-deps icon-deps bench format clean

run: deps
	cmake -S . -B $(RUN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROOMWRIGHT_TESTS=OFF
	cmake --build $(RUN_DIR)
	$(RUN_DIR)/bin/roomwright

build: deps
	cmake -S . -B $(RUN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROOMWRIGHT_TESTS=OFF
	cmake --build $(RUN_DIR)

test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DROOMWRIGHT_SANITIZE=ON -DROOMWRIGHT_WERROR=ON
	cmake --build $(TEST_DIR)
	cd $(TEST_DIR) && $(TEST_ENV) ctest --output-on-failure --timeout 300

# The power-cut test with many more random mixes a step than `make test` runs (20), from a
# seed of the clock unless POWER_CUT_SEED is given; a failure names its case, and the same
# seed replays it. Not part of CI: it takes about half an hour.
POWER_CUT_MIXES ?= 400
POWER_CUT_SEED ?= $(shell date +%s)
test-long: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DROOMWRIGHT_SANITIZE=ON -DROOMWRIGHT_WERROR=ON
	cmake --build $(TEST_DIR) --target roomwright_core_tests
	$(TEST_ENV) ROOMWRIGHT_POWER_CUT_MIXES=$(POWER_CUT_MIXES) \
	    ROOMWRIGHT_POWER_CUT_SEED=$(POWER_CUT_SEED) \
	    $(TEST_DIR)/bin/roomwright_core_tests --gtest_filter='PowerCut.*'

# The core (store, operations, print documents), the command-line tool and their tests,
# built with MinGW-w64 without Qt or sanitizers and run under Wine.
test-windows: windows-deps
	packaging/windows/build-libarchive.sh
	cmake -S . -B $(WINDOWS_DIR) -G Ninja \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 \
	    -DROOMWRIGHT_GUI=OFF -DROOMWRIGHT_WERROR=ON -DROOMWRIGHT_GTEST_SOURCE=/usr/src/googletest
	cmake --build $(WINDOWS_DIR)
	mkdir -p $(WINDOWS_DIR)/wine
	$(WINDOWS_ENV) /usr/lib/wine/wine64 wineboot --init
	cd $(WINDOWS_DIR) && $(WINDOWS_ENV) ctest --output-on-failure --timeout 600

# The Debian package, build/package/roomwright_<version>_<arch>.deb, from a Release build
# (with Debian's hardening flags), checked by lintian: any error or warning fails.
package: deps
	cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DROOMWRIGHT_TESTS=OFF
	cmake --build $(PACKAGE_DIR)
	cd $(PACKAGE_DIR) && cpack -G DEB
	lintian --fail-on error,warning $(PACKAGE_DIR)/roomwright_*.deb

# Qt for Windows, cross-built from Debian's own qt6-base source into build/windows-qt/prefix
# (see packaging/windows/build-qt.sh; hours on two cores, reused once built).
windows-qt: windows-qt-deps
	packaging/windows/build-qt.sh

# The whole program for Windows on that Qt: the programs, the page module and every test,
# the tests run under Wine (the windows' tests on the offscreen platform), a screenshot of
# roomwright.exe under Wine on a virtual screen, and the installer made with NSIS,
# build/windows-package/roomwright-<version>-setup.exe (packaging/windows/package.sh).
windows-package: windows-qt
	packaging/windows/build-libarchive.sh
	packaging/windows/package.sh

# The Windows icon, packaging/windows/roomwright.ico, drawn again from packaging/roomwright.svg.
windows-icon: icon-deps
	packaging/windows/make-icon.sh

# The pictures of the README's clerk's guide, from the real windows drawn offscreen.
screenshots: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DROOMWRIGHT_SANITIZE=ON -DROOMWRIGHT_WERROR=ON
	cmake --build $(TEST_DIR) --target roomwright_screenshots
	mkdir -p docs/screenshots
	$(TEST_ENV) ROOMWRIGHT_SCREENSHOTS=$(CURDIR)/docs/screenshots $(TEST_DIR)/bin/roomwright_screenshots

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DROOMWRIGHT_TESTS=OFF -DROOMWRIGHT_BENCHMARKS=ON
	cmake --build $(BENCH_DIR)
	$(BENCH_DIR)/bin/roomwright_bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

deps:
	@$(call install-missing,$(PACKAGES))

windows-deps:
	@$(call install-missing,$(WINDOWS_PACKAGES))

windows-qt-deps:
	@$(call install-missing,$(WINDOWS_QT_PACKAGES))

icon-deps:
	@$(call install-missing,$(ICON_PACKAGES))

# Installs those of the Debian packages in $(1) that are missing.
install-missing = missing=""; \
	for p in $(1); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing the missing packages:$$missing"; \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

clean:
	rm -rf build
