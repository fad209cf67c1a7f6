# Tagschmied: `make run` builds and starts the editor, `make test` runs every test.
# Each target installs what is missing from Debian's packages first.

BUILD_DIR ?= build
BENCH_DIR ?= build-bench
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench test-sanitize fuzz install package clean

all: build

deps:
	@scripts/install-deps

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run-editor $(BUILD_DIR)/tagschmied

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAGSCHMIED_TESTS=OFF -DTAGSCHMIED_BENCHMARKS=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	scripts/run-benchmarks $(BENCH_DIR)

# Leak checks stay off: Qt and fontconfig keep their caches to the end of the process. The
# browser engine's own allocator trips the sized-delete check, which is not our code.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAGSCHMIED_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0 ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

install: build
	cmake --install $(BUILD_DIR) $(if $(PREFIX),--prefix $(PREFIX))

# A Debian package of a release build, in build-package/.
package: deps
	cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAGSCHMIED_TESTS=OFF
	cmake --build build-package -j $(JOBS)
	cd build-package && cpack

# Fuzzes each parser of outside input for FUZZ_SECONDS; new finds land in build-fuzz/corpus.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAGSCHMIED_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) build-package
