# Front door: `make run` builds and starts the simulator, `make test` runs every test,
# `make package` builds the Debian package.
SHELL := /bin/bash
BUILD := build
ASAN_BUILD := build-asan
JOBS := $(shell nproc 2>/dev/null || echo 2)
# What `make run` needs: the program and its companion tools, no tests or benchmarks.
RUN_TARGETS := agvsim agvsim-export agvsim-sweep agv_plot_tool

.PHONY: run test build package windows test-windows web test-web

run: build
	@./$(BUILD)/agvsim

# Quiet when nothing changed: only the compiler's own lines get through.
build:
	@bash tools/install-deps.sh run
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@set -o pipefail; cmake --build $(BUILD) -j $(JOBS) --target $(RUN_TARGETS) -- --no-print-directory \
		| { grep -v -E '^\[ *[0-9]+%\] Built target |^Consolidate compiler generated' || true; }

test:
	bash tools/install-deps.sh test
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DAGV_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

package: web
	bash tools/install-deps.sh package
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && cpack -G DEB

# Windows: dist/agvsim-<version>-win64.zip, and the test suite under Wine (build-windows/).
windows:
	bash tools/windows.sh zip

test-windows:
	bash tools/windows.sh test

# The browser page: dist/agvsim.html, one self-contained file (build-web/).
web:
	bash tools/install-deps.sh web
	bash tools/web.sh build

# The page in headless Chromium against the Linux build.
test-web:
	bash tools/install-deps.sh test-web
	bash tools/web.sh test
