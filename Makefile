# Tarnwick: the two set-up commands are `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test test-asan bench fuzz soak install deb clean windows

all: build

deps:
	@./scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Installs what is missing, builds, and runs the screensaver full screen. With
# no X display it runs inside a virtual X server for a few seconds and saves a
# screenshot.
run: deps
	@$(MAKE) --no-print-directory build
	@./scripts/run-screensaver $(BUILD)

# Installs what is missing, builds, and runs every test (the display tests
# inside virtual X servers that the tests start themselves). The Windows
# program is built too: its tests run it under Wine. Tests run one at a
# time: the display tests time how promptly the program answers, and
# software rendering on a shared machine must not starve them.
test: deps
	@$(MAKE) --no-print-directory build
	@$(MAKE) --no-print-directory windows
	cd $(BUILD) && ctest --output-on-failure --timeout 600

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD)

# The Windows screensaver, $(WINDOWS_BUILD)/tarnwick.scr, cross-built with
# MinGW-w64: GLFW and libepoxy are built once from Debian's source packages
# (scripts/windows-deps), the assets come from the Linux build's own tools.
# Beside it, its installer package $(WINDOWS_BUILD)/tarnwick-<version>.msi,
# built by wixl from packaging/windows/tarnwick.wxs.
WINDOWS_BUILD ?= build-windows
windows: deps configure
	@JOBS=$(JOBS) ./scripts/windows-deps $(WINDOWS_BUILD)/deps
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DTARNWICK_WINDOWS_DEPS=$(CURDIR)/$(WINDOWS_BUILD)/deps/prefix \
	  -DTARNWICK_HOST_BUILD=$(CURDIR)/$(BUILD)
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# Builds the benchmarks and prints their table: start-up, frame cost, CPU per
# frame and memory, each against a floor measured in the same run
# (bench/README.md). Takes a few minutes on 2 cores.
bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target bench_all
	python3 bench/run_bench.py $(BUILD)

# Long fuzzing runs with libFuzzer (clang), each target FUZZ_SECONDS in turn,
# in a build of its own. The bounded runs are part of `make test`.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_FUZZ=ON -DTARNWICK_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build $(FUZZ_BUILD) --target fuzz_all -j $(JOBS)
	cmake --build $(FUZZ_BUILD) --target fuzz_run

# Builds and installs the program where xscreensaver looks for its display
# modes (PREFIX/libexec/xscreensaver), its manual page and its settings
# description. The daemon and its settings look under /usr only, hence the
# default; DESTDIR stages the files for packaging.
PREFIX ?= /usr
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, built with CPack from the installed files:
# $(BUILD)/tarnwick_<version>_<architecture>.deb.
deb: deps
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && cpack -G DEB

# The whole test suite again in a build checked by AddressSanitizer (leaks
# included) and UndefinedBehaviorSanitizer; the first finding fails the test.
# Leaks inside the GL, X11, font and sound libraries are suppressed by
# tests/sanitizer/lsan.supp, never leaks of our own code.
ASAN_BUILD ?= build-asan
SANITIZER_DIR := $(CURDIR)/tests/sanitizer
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DTARNWICK_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && \
	  ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=0:strict_string_checks=1 \
	  LSAN_OPTIONS=suppressions=$(SANITIZER_DIR)/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:suppressions=$(SANITIZER_DIR)/ubsan.supp \
	  ctest --output-on-failure --timeout 900

# One hour of frames on the no-op GL driver, paced at SOAK_FPS (default 60;
# 0: as the program paces itself): frames drawn, resident memory, heap and CPU time at the
# start, every ten minutes and at the end, and any error the program printed.
# Not part of CI.
SOAK_SECONDS ?= 3600
soak: build
	./scripts/with-xvfb ./tests/faults/soak.sh $(BUILD)/tarnwick \
	  $(BUILD)/tests/support/libtarnwick_frame_counter.so $(SOAK_SECONDS)
