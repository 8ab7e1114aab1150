# Two commands for a new user: `make run` and `make test`. Both install what is missing
# (Debian packages, with apt-get), configure, build the game and its data.
BUILD_DIR ?= build
SANITIZE_BUILD_DIR ?= build-sanitize
FUZZ_BUILD_DIR ?= build-fuzz
BUILD_TYPE ?= RelWithDebInfo
PREFIX ?= /usr/local
# Where the program goes under PREFIX: bin, or games for the Debian package.
BINDIR ?= bin
JOBS ?= $(shell nproc)
CTEST_ARGS ?=
BENCH_ARGS ?=
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 1
ARGS ?=

.PHONY: setup configure build run test test-sanitize soak bench fuzz install uninstall deb clean \
	setup-web web serve-web test-web

setup:
	@./scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX) \
		-DCMAKE_INSTALL_BINDIR=$(BINDIR) -DQUENFORD_DATA_DIR=$(PREFIX)/share/quenford >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The game reads DATA10.RES from the folder it starts in first.
run: build
	cd $(BUILD_DIR)/data && ../src/app/quenford $(ARGS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer (the data
# builder too); any report, leaks included, fails the test that caused it. -O1 with line
# tables only builds in half the time of -O2 with full debug information. SDL draws with its
# own renderer here: Mesa's OpenGL keeps allocations that LeakSanitizer cannot name once the
# driver is unloaded.
SANITIZERS = ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	SDL_RENDER_DRIVER=software
CONFIGURE_SANITIZE = cmake -S . -B $(SANITIZE_BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug \
	-DQUENFORD_SANITIZE=ON "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" "-DCMAKE_C_FLAGS_DEBUG=-O1 -g1" >/dev/null
test-sanitize: setup
	@$(CONFIGURE_SANITIZE)
	@$(SANITIZERS) cmake --build $(SANITIZE_BUILD_DIR) -j $(JOBS)
	cd $(SANITIZE_BUILD_DIR) && $(SANITIZERS) ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# A thousand games by the built-in player, built with AddressSanitizer and
# UndefinedBehaviorSanitizer, the bed checked at every frame and the heap after every game.
# The data come from the ordinary build; the sanitized build is the one of test-sanitize.
SOAK_GAMES ?= 1000
soak: build
	@$(CONFIGURE_SANITIZE)
	@cmake --build $(SANITIZE_BUILD_DIR) -j $(JOBS) --target soak_tests
	$(SANITIZERS) QUENFORD_SOAK_GAMES=$(SOAK_GAMES) QUENFORD_DATA=$(CURDIR)/$(BUILD_DIR)/data \
		$(SANITIZE_BUILD_DIR)/tests/soak/soak_tests

bench: build
	@for b in $(BUILD_DIR)/bench/*/*_bench; do \
		echo "== $$b"; b=$$(realpath $$b); (cd $(BUILD_DIR)/data && $$b $(BENCH_ARGS)) || exit 1; \
	done

# FUZZ_JOBS=2: two processes for each target.
fuzz: setup
	FUZZ_JOBS=$(FUZZ_JOBS) ./scripts/fuzz.sh $(FUZZ_SECONDS) $(FUZZ_BUILD_DIR)

# PREFIX (default /usr/local) is where the game looks for its data; DESTDIR stages for packagers.
# Each destination keeps a record of what went there (build/installed/), for uninstall.
install: build
	@DESTDIR="$(DESTDIR)" ./scripts/install.sh $(BUILD_DIR)

# Removes what make install put into DESTDIR (the same DESTDIR: none for the system), and
# nothing else: files changed since are left and named.
uninstall:
	@DESTDIR="$(DESTDIR)" ./scripts/uninstall.sh $(BUILD_DIR)

# A Debian package of what make install puts in place, for /usr (the program in /usr/games,
# as Debian keeps games), checked with lintian.
deb:
	$(MAKE) build PREFIX=/usr BINDIR=games
	cd $(BUILD_DIR) && cpack -G DEB
	./scripts/check-deb.sh $(BUILD_DIR)/quenford_*.deb

# Every build folder the targets above make.
clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_BUILD_DIR) $(FUZZ_BUILD_DIR) $(WEB_BUILD_DIR)

# The browser build in $(WEB_BUILD_DIR): the page, quenford.js and .wasm, the data the native
# build makes, and quenford-node.js (the same core, headless, for Node). Emscripten 3.1.6
# finds its acorn only through NODE_PATH on this Node.
WEB_BUILD_DIR ?= build-web
WEB_PORT ?= 8000
EMSCRIPTEN_ENV = NODE_PATH=/usr/share/nodejs
setup-web:
	@./scripts/setup-web.sh

web: configure setup-web
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target game_data shipped_demo game_icons game_signs
	@$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release \
		-DQUENFORD_WEB_DATA=$(CURDIR)/$(BUILD_DIR)/data >/dev/null
	@$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD_DIR) -j $(JOBS)

serve-web: web
	@echo "Quenford at http://localhost:$(WEB_PORT)/ (Ctrl+C stops)"
	@./scripts/serve-web.py $(WEB_BUILD_DIR) $(WEB_PORT)

# Headless Chromium on the page, and the Node build beside the native one.
test-web: web
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quenford
	QUENFORD_BUILD_DIR=$(CURDIR)/$(BUILD_DIR) QUENFORD_WEB_DIR=$(CURDIR)/$(WEB_BUILD_DIR) \
		node --test --test-concurrency=1 tests/web/
