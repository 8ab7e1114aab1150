# Two commands for a new user: `make run` and `make test`. Both install what is missing
# (Debian packages, with apt-get), configure, build the game and its data.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
CTEST_ARGS ?=
FUZZ_SECONDS ?= 60
ARGS ?=

.PHONY: setup configure build run test bench fuzz install uninstall clean

setup:
	@./scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The game reads DATA10.RES from the folder it starts in first.
run: build
	cd $(BUILD_DIR)/data && ../src/app/quenford $(ARGS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

bench: build
	@for b in $(BUILD_DIR)/bench/*/*_bench; do \
		echo "== $$b"; b=$$(realpath $$b); (cd $(BUILD_DIR)/data && $$b) || exit 1; \
	done

fuzz: setup
	./scripts/fuzz.sh $(FUZZ_SECONDS)

install: build
	cmake --install $(BUILD_DIR)

uninstall:
	@test -f $(BUILD_DIR)/install_manifest.txt || { echo "nothing installed from $(BUILD_DIR)"; exit 1; }
	xargs -d '\n' rm -f < $(BUILD_DIR)/install_manifest.txt

clean:
	rm -rf $(BUILD_DIR)
