# Thin driver over CMake. `make demo` and `make test` each do the whole set-up on a fresh Debian
# machine: install what is missing (as root), configure, build, run.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SANITIZE_DIR ?= build-sanitize
TSAN_DIR ?= build-tsan
TSAN_TESTS ?= host_process_test
TSAN_RUNS ?= 20
BENCH_DIR ?= build-bench
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= import_fuzzer repair_fuzzer pipeline_fuzzer
BENCH_SIZES ?= 1 20 100
BENCH_PEER_SIZES ?= 20 100
BENCH_RECORDS := $(BENCH_DIR)/records
# ON turns every compiler warning into an error (.ci/run does).
WERROR ?= OFF
CMAKE_WERROR := -DTRAVERSE_WERROR=$(WERROR)

# PROJ for coordinate reference systems, GDAL for the GIS and CAD files; gdal-bin and GeographicLib
# read them back and check them in the tests.
PACKAGES := cmake g++ make pkg-config libxml2-dev libeigen3-dev libgtest-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev libpng-dev locales python3-dev pybind11-dev python3-numpy libproj-dev libgdal-dev gdal-bin libgeographiclib-dev
# The report's browser test and screenshot: headless Chromium and a face with Chinese characters.
BROWSER_PACKAGES := chromium fonts-wqy-microhei
FUZZ_PACKAGES := clang libclang-rt-dev
BENCH_PACKAGES := python3 bc libxml2-utils
# The interpreter that Debian's pybind11 and python3-dev are built for.
SYSTEM_PYTHON ?= /usr/bin/python3
# gama-local (the adjustment's oracle in make test-gama) needs expat; xmllint checks its schema.
GAMA_PACKAGES := libexpat1-dev libxml2-utils
EXAMPLE := examples/traverse.xml

.PHONY: all deps fuzz-deps bench-deps browser-deps configure build test demo sanitize tsan bench bench-adjust fuzz install clean

all: build

deps:
	@PACKAGES="$(PACKAGES)" sh tools/install-deps.sh

fuzz-deps:
	@PACKAGES="$(FUZZ_PACKAGES)" sh tools/install-deps.sh

bench-deps:
	@PACKAGES="$(BENCH_PACKAGES)" sh tools/install-deps.sh

browser-deps:
	@PACKAGES="$(BROWSER_PACKAGES)" sh tools/install-deps.sh

.PHONY: gama-deps test-gama
gama-deps:
	@PACKAGES="$(GAMA_PACKAGES)" sh tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_WERROR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Without the browser (not root), the report's browser test is skipped and says why.
test: build
	@$(MAKE) --no-print-directory browser-deps || echo "The report's browser test will be skipped."
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The adjustment cross-checked with GNU Gama's gama-local: built once into the build folder from
# ../shared/gama/ (about 7 minutes on two cores), then compared on the examples and on generated
# networks (tests/gama_oracle_test.cpp). Without that source it says so and the tests are skipped.
test-gama: configure gama-deps
	cmake --build $(BUILD_DIR) -j $(JOBS) --target gama_local traverse_cli gama_oracle_test
	cd $(BUILD_DIR) && ctest --output-on-failure -R '^GamaOracle\.'

# The whole job on an example that is right: field checks, adjustment with its files, report page,
# then a summary for people (tools/demo.py; its list of outputs is where a new file goes). Only the
# library and the program are built. DEMO_LANG=en for English.
DEMO_PACKAGES := python3
DEMO_LANG ?= zh
DEMO_DIR ?= $(BUILD_DIR)/demo
demo: configure
	@PACKAGES="$(DEMO_PACKAGES)" sh tools/install-deps.sh
	cmake --build $(BUILD_DIR) -j $(JOBS) --target traverse_cli
	@python3 tools/demo.py $(BUILD_DIR)/cli/traverse $(EXAMPLE) $(DEMO_DIR) --lang $(DEMO_LANG)

# The whole test suite under AddressSanitizer (with leak detection) and UndefinedBehaviorSanitizer.
# Left out: consumer_install, which builds an outside host against the installed package; a host
# without the sanitizer runtimes cannot load an instrumented library, and `make test` covers it.
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DTRAVERSE_SANITIZE=ON $(CMAKE_WERROR)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS) \
	  -E '^consumer_install$$'

# The tests that run imports on several threads beside a host's own libxml2 use, then the program's
# `-j 2 adjust` and `-j 2 report` over 40 files, TSAN_RUNS times, under ThreadSanitizer (libxml2
# itself is not instrumented: what is checked is the library's side).
tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRAVERSE_TSAN=ON $(CMAKE_WERROR)
	cmake --build $(TSAN_DIR) -j $(JOBS) --target $(TSAN_TESTS) traverse_cli
	for test in $(TSAN_TESTS); do \
	  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $(TSAN_DIR)/tests/$$test || exit 1; done
	sh tools/tsan_jobs.sh $(TSAN_DIR)/cli/traverse $(TSAN_DIR)/jobs $(TSAN_RUNS)

# Import, check and export of generated record files of about 1, 20 and 100 MB, each with many
# and with few distinct names, and the import against xmllint --noout on the same files
# (bench/README.md). The files are written once, into the build tree.
comma := ,
empty :=
space := $(empty) $(empty)
bench: deps bench-deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_BENCH=ON $(CMAKE_WERROR)
	cmake --build $(BENCH_DIR) -j $(JOBS)
	$(MAKE) --no-print-directory $(foreach size,$(BENCH_SIZES),$(BENCH_RECORDS)/records-$(size)MB.xml \
	  $(BENCH_RECORDS)/records-$(size)MB-few-names.xml)
	$(BENCH_DIR)/bench/traverse_bench --records=$(BENCH_RECORDS) \
	  --sizes=$(subst $(space),$(comma),$(strip $(BENCH_SIZES))) \
	  --peer-sizes=$(subst $(space),$(comma),$(strip $(BENCH_PEER_SIZES)))

# The field checks of `check --all` against the import, on a generated 20 MB file.
.PHONY: bench-field-checks
bench-field-checks: deps bench-deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_BENCH=ON $(CMAKE_WERROR)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target traverse_field_checks_bench
	$(MAKE) --no-print-directory $(BENCH_RECORDS)/records-20MB.xml
	$(BENCH_DIR)/bench/traverse_field_checks_bench --records=$(BENCH_RECORDS) --megabytes=20

$(BENCH_RECORDS)/records-%MB.xml: tools/generate_records.py
	@mkdir -p $(BENCH_RECORDS)
	python3 tools/generate_records.py --megabytes $* --seed 1 -o $@

# The same records with a few hundred distinct names.
$(BENCH_RECORDS)/records-%MB-few-names.xml: tools/generate_records.py
	@mkdir -p $(BENCH_RECORDS)
	python3 tools/generate_records.py --megabytes $* --seed 1 --name-pool 100 -o $@

# The HTML report of a generated 1 000-station file: under 2 seconds, a page under 5 MB.
.PHONY: bench-report
bench-report: deps bench-deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_BENCH=ON $(CMAKE_WERROR)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target report_bench
	$(MAKE) --no-print-directory $(BENCH_RECORDS)/records-1000-stations.xml
	$(BENCH_DIR)/bench/report_bench --records=$(BENCH_RECORDS)

# The page of a generated 5 000-station file as the user gets it: `traverse report`, then headless
# Chromium's screenshot, each a whole process; at most 8 MB and 10 s (bench/README.md).
# OLD=path/to/traverse measures another build's page too.
.PHONY: bench-report-page
bench-report-page: deps bench-deps browser-deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS) --target traverse_cli
	python3 bench/report_page_bench.py $(BENCH_DIR)/cli/traverse $(BENCH_RECORDS) $(if $(OLD),--old $(OLD))

# The adjustment of 1 000 stations from the Python package against the same call from C++.
.PHONY: bench-python
bench-python: deps bench-deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_BENCH=ON $(CMAKE_WERROR)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target adjust_file_cpu traverse_python
	$(MAKE) --no-print-directory $(BENCH_RECORDS)/records-1000-stations.xml
	$(SYSTEM_PYTHON) bench/python_adjust_bench.py $(BENCH_DIR)/bench/adjust_file_cpu $(BENCH_DIR)/python \
	  $(BENCH_RECORDS)/records-1000-stations.xml

$(BENCH_RECORDS)/records-%-stations.xml: tools/generate_records.py
	@mkdir -p $(BENCH_RECORDS)
	python3 tools/generate_records.py --stations $* --seed 1 -o $@

# The adjustment of generated traverse networks of 100, 1 000 and 10 000 stations (bench/README.md).
# Several files at once: --jobs 2 against --jobs 1 over 200 generated files of 100 kB.
.PHONY: bench-jobs
bench-jobs: deps bench-deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_BENCH=ON $(CMAKE_WERROR)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target traverse_cli
	sh bench/jobs_bench.sh $(BENCH_DIR)/cli/traverse $(BENCH_RECORDS)/jobs

# The repair as the user runs it: a whole process per file, 300 bad names in 1.3 MB and about 230
# per MB from 1 to 100 MB (bench/README.md). OLD=path/to/traverse times another build beside it.
.PHONY: bench-repair
bench-repair: deps bench-deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS) --target traverse_cli
	python3 bench/repair_bench.py $(BENCH_DIR)/cli/traverse $(BENCH_RECORDS) $(if $(OLD),--old $(OLD))

# The adjustment as the user runs it, `traverse adjust FILE`, a whole process, on 100, 1 000 and
# 10 000 generated stations (bench/README.md). OLD=path/to/traverse times another build beside it.
.PHONY: bench-adjust-process
bench-adjust-process: deps bench-deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_BENCH=ON $(CMAKE_WERROR)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target traverse_cli
	$(MAKE) --no-print-directory $(BENCH_RECORDS)/records-100-stations.xml \
	  $(BENCH_RECORDS)/records-1000-stations.xml $(BENCH_RECORDS)/records-10000-stations.xml
	python3 bench/adjust_process_bench.py $(BENCH_DIR)/cli/traverse $(BENCH_RECORDS)/records-100-stations.xml \
	  $(BENCH_RECORDS)/records-1000-stations.xml $(BENCH_RECORDS)/records-10000-stations.xml \
	  --stations 100 1000 10000 $(if $(OLD),--old $(OLD))

# The import as the user runs it, `traverse import FILE`, a whole process, against xmllint --noout
# and a bare libxml2 SAX2 pass on the 20 MB files (bench/README.md). OLD=path/to/traverse beside it.
.PHONY: bench-import
bench-import: deps bench-deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_BENCH=ON $(CMAKE_WERROR)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target traverse_cli sax2_count
	$(MAKE) --no-print-directory $(BENCH_RECORDS)/records-20MB.xml $(BENCH_RECORDS)/records-20MB-few-names.xml
	python3 bench/import_process_bench.py $(BENCH_DIR)/cli/traverse $(BENCH_DIR)/bench/sax2_count \
	  $(BENCH_RECORDS)/records-20MB.xml $(BENCH_RECORDS)/records-20MB-few-names.xml $(if $(OLD),--old $(OLD))

bench-adjust: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_BENCH=ON $(CMAKE_WERROR)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target adjust_bench
	$(BENCH_DIR)/bench/adjust_bench

# Each fuzz target for FUZZ_SECONDS under ASan and UBSan (fuzz/run.sh); findings in fuzz/artifacts/.
# CI runs them for a minute each.
fuzz: deps fuzz-deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTRAVERSE_BUILD_TESTS=OFF -DTRAVERSE_BUILD_FUZZ=ON $(CMAKE_WERROR)
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	sh fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The README's picture: the example's real report page in Chinese, written by the program and shot by
# headless Chromium.
REPORT_EXAMPLE := examples/connecting-traverse.xml
.PHONY: report-screenshot
report-screenshot: configure browser-deps
	cmake --build $(BUILD_DIR) -j $(JOBS) --target traverse_cli
	$(BUILD_DIR)/cli/traverse --lang zh report $(REPORT_EXAMPLE) -o $(BUILD_DIR)/report-example.html
	@mkdir -p docs
	@profile=$$(mktemp -d) && chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
	  --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars \
	  --user-data-dir=$$profile --window-size=1000,1330 --screenshot=$(CURDIR)/docs/report-example.png \
	  file://$(CURDIR)/$(BUILD_DIR)/report-example.html 2>/dev/null; status=$$?; rm -rf $$profile; exit $$status
	@echo "docs/report-example.png written"

install: build
	cmake --install $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR) $(BENCH_DIR) $(FUZZ_DIR)
