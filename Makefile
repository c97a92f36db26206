# Thin driver over CMake. `make demo` and `make test` each do the whole set-up on a fresh Debian
# machine: install what is missing (as root), configure, build, run.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SANITIZE_DIR ?= build-sanitize
BENCH_DIR ?= build-bench
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

PACKAGES := cmake g++ make pkg-config libxml2-dev libgtest-dev libbenchmark-dev nlohmann-json3-dev locales
FUZZ_PACKAGES := clang libclang-rt-dev
EXAMPLE := examples/traverse.xml

.PHONY: all deps fuzz-deps configure build test demo sanitize bench fuzz install clean

all: build

deps:
	@PACKAGES="$(PACKAGES)" sh tools/install-deps.sh

fuzz-deps:
	@PACKAGES="$(FUZZ_PACKAGES)" sh tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

demo: build
	@echo '$$ traverse run $(EXAMPLE) -o $(BUILD_DIR)/traverse.txt'
	@$(BUILD_DIR)/cli/traverse run $(EXAMPLE) -o $(BUILD_DIR)/traverse.txt; \
	status=$$?; echo; echo '--- $(BUILD_DIR)/traverse.txt ---'; cat $(BUILD_DIR)/traverse.txt; exit $$status

# The whole test suite under AddressSanitizer (with leak detection) and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DTRAVERSE_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	$(BENCH_DIR)/bench/traverse_bench

fuzz: deps fuzz-deps
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	sh fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

install: build
	cmake --install $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(BENCH_DIR) $(FUZZ_DIR)
