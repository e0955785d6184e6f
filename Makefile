# Roomwright: `make run` builds and starts the program, `make test` builds and runs every
# test. Both install the Debian packages they need when some are missing.

PACKAGES := cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev fonts-dejavu-core
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

RUN_DIR := build/release
TEST_DIR := build/test
BENCH_DIR := build/bench

# The tests run on Qt's offscreen platform, under AddressSanitizer and
# UndefinedBehaviorSanitizer; leaks inside the system's font and GL libraries are not ours.
TEST_ENV := QT_QPA_PLATFORM=offscreen \
            ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
            LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: run test build package screenshots deps bench format clean

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

# The Debian package, build/release/roomwright_<version>_<arch>.deb.
package: build
	cd $(RUN_DIR) && cpack -G DEB

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
	@missing=""; \
	for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing the missing packages:$$missing"; \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

clean:
	rm -rf build
