# The two entry points: `make run` and `make test`. Each installs what is missing first: `make run`
# what building and running need, `make test` the test tools as well.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 25
RUNS ?= 21

# A workflow (CMakePresets.json) configures, builds and tests one preset; JOBS reaches the build and
# ctest through their environment, as a workflow takes no -j.
WORKFLOW = CMAKE_BUILD_PARALLEL_LEVEL=$(JOBS) CTEST_PARALLEL_LEVEL=$(JOBS) cmake --workflow --preset

.PHONY: deps test-deps build build-all run test test-default test-asan test-lto test-fuzz \
  bench bench-startup deb format clean

deps:
	@tools/install-deps.sh

test-deps:
	@tools/install-deps.sh --test

# The programs and the manual, without tests and benchmarks.
build: deps
	cmake --preset run
	cmake --build --preset run -j $(JOBS)

run: build
	@tools/run.sh build/bin

test: test-deps test-default test-asan test-lto test-fuzz

test-default:
	$(WORKFLOW) default

test-asan:
	$(WORKFLOW) asan

# -O3 with link-time optimisation: the x87 assembly inlined into its callers across files.
test-lto:
	$(WORKFLOW) lto

test-fuzz:
	$(WORKFLOW) fuzz
	tools/run-fuzzers.sh build-fuzz/bin $(FUZZ_SECONDS)

# Everything of the default preset, the benchmarks included.
build-all: test-deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

bench: build-all
	build/bin/balance4-bench

# Start-up to the first paint against a bare Qt dialog, RUNS alternating runs each (at least 15).
bench-startup: build-all
	bench/startup/run.sh build/bin $(RUNS)

deb: build
	cd build && cpack -G DEB

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-asan build-lto build-fuzz
