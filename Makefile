# The two entry points: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30
RUNS ?= 21

.PHONY: deps build run test test-default test-asan test-lto test-fuzz bench bench-startup deb format clean

deps:
	@tools/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

run: build
	@tools/run.sh build/bin

test: deps test-default test-asan test-lto test-fuzz

test-default:
	cmake --preset default
	cmake --build --preset default -j $(JOBS)
	ctest --preset default -j $(JOBS)

test-asan:
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# -O3 with link-time optimisation: the x87 assembly inlined into its callers across files.
test-lto:
	cmake --preset lto
	cmake --build --preset lto -j $(JOBS)
	ctest --preset lto -j $(JOBS)

test-fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	tools/run-fuzzers.sh build-fuzz/bin $(FUZZ_SECONDS)

bench: build
	build/bin/balance4-bench

# Start-up to the first paint against a bare Qt dialog, RUNS alternating runs each (at least 15).
bench-startup: build
	bench/startup/run.sh build/bin $(RUNS)

deb: build
	cd build && cpack -G DEB

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-asan build-lto build-fuzz
