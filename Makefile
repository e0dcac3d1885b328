# The two commands of the README: `make run` and `make test`. Each installs what it needs first:
# `run` (and `install`) only what building and running take, `test` and `bench` the test desktop too.
BUILD ?= build
TEST_BUILD ?= build-test
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

.PHONY: deps deps-test build run install package test test-stress bench fuzz format

deps:
	@bash scripts/install-deps.sh run

deps-test:
	@bash scripts/install-deps.sh test

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTESSARINE_BUILD_TESTS=OFF -DTESSARINE_BUILD_BENCH=OFF
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A .deb under /usr from the same build, its contents checked.
package: build
	@bash scripts/install-deps.sh package
	cd $(BUILD) && cpack -G DEB
	bash scripts/check-package.sh "$$(ls -t $(BUILD)/tessarine_*.deb | head -n 1)"

test: deps-test
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTESSARINE_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j$(JOBS)
	bash scripts/test-env.sh ctest --test-dir $(TEST_BUILD) --output-on-failure -j$(JOBS)

# The suite STRESS_RUNS times with two busy loops beside it (not part of CI); STRESS_ARGS are
# passed to ctest, e.g. STRESS_ARGS="-L 'x11|ui|e2e|wayland'".
STRESS_RUNS ?= 5
test-stress: deps-test
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTESSARINE_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j$(JOBS)
	bash scripts/test-stress.sh $(TEST_BUILD) $(STRESS_RUNS) $(STRESS_ARGS)

bench:
	@bash scripts/install-deps.sh bench
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DTESSARINE_BUILD_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j$(JOBS)
	@bash scripts/run-benchmarks.sh $(BENCH_BUILD)

# Each fuzz target for FUZZ_SECONDS, built with clang and libFuzzer; new inputs stay in the build.
fuzz:
	@bash scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTESSARINE_FUZZ=ON -DTESSARINE_BUILD_TESTS=OFF -DTESSARINE_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) --target fuzz_targets -j$(JOBS)
	@bash scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
