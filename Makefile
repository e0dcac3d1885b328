# The two commands of the README: `make run` and `make test`. Each installs what it needs first.
BUILD ?= build
TEST_BUILD ?= build-test
BENCH_BUILD ?= build-bench
JOBS ?= $(shell nproc)

.PHONY: deps build run test bench format

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTESSARINE_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j$(JOBS)
	bash scripts/test-env.sh ctest --test-dir $(TEST_BUILD) --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DTESSARINE_BUILD_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j$(JOBS)
	@bash scripts/run-benchmarks.sh $(BENCH_BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
