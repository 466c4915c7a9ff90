# Two entry points: `make run` and `make test`. Each installs what is missing first.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: setup configure build run test bench clean

setup:
	@bash scripts/setup-deps.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)
	@cmake --build $(BUILD) --target fixtures

run: build
	@bash scripts/run-demo.sh $(BUILD)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS) --timeout 300

bench: build
	@cmake --build $(BUILD) --target bench -j$(JOBS)
	@bash bench/run.sh $(BUILD)

clean:
	@rm -rf $(BUILD)
