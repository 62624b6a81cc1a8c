# Front door: `make run` builds and starts the simulator, `make test` runs every test.
BUILD := build
ASAN_BUILD := build-asan
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build windows test-windows

run: build
	./$(BUILD)/agvsim

build:
	bash tools/install-deps.sh run
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

test:
	bash tools/install-deps.sh test
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DAGV_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# Windows: dist/agvsim-<version>-win64.zip, and the test suite under Wine (build-windows/).
windows:
	bash tools/windows.sh zip

test-windows:
	bash tools/windows.sh test
