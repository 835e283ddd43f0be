# Tarnwick: the two set-up commands are `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test test-asan bench fuzz soak install clean

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
# inside virtual X servers that the tests start themselves).
test: deps
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

clean:
	rm -rf $(BUILD)
