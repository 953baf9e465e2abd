# The README's commands. `make run` and `make test` do all the set-up on a
# fresh Debian 12 machine.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDEXTREL_SITE_ADDRESS= -DDEXTREL_PING_ADDRESS=

.PHONY: deps configure build run test test-sanitize format-check bench fuzz clean

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/src/desktop/dextrel

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DDEXTREL_SANITIZE=ON -DDEXTREL_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

# The layout of every C++ file is the one .clang-format gives.
format-check: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run --Werror

# Every fuzzer for a minute (FUZZ_SECONDS to change it).
FUZZ_SECONDS ?= 60
fuzz: deps
	./scripts/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) fuzz-build
