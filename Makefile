# Two commands for a new user: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
CTEST_ARGS ?=

.PHONY: setup configure build run test bench fuzz install uninstall clean

setup:
	@./scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR)/data && ../src/app/quenford $(ARGS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

bench: build
	$(BUILD_DIR)/bench/quenford_bench

clean:
	rm -rf $(BUILD_DIR)
