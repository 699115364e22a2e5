# Velmora Sudoku: the two commands a player or developer needs are `make play` and `make test`.
BUILD ?= build
JOBS ?= 2
# Tests at once: the end-to-end tests mostly wait on the program under Xvfb, so
# twice the cores keeps both cores busy.
TEST_JOBS ?= $(shell echo $$(( $(JOBS) * 2 )))
BUILD_TYPE ?= Release
# WERROR=ON builds with warnings as errors (what .ci/run uses; the `ci` preset),
# WERROR=OFF without; unset, the build folder keeps what it had (OFF at first).
WERROR ?=

.PHONY: all deps configure build test check bench play install deb clean fuzz sanitize

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(if $(WERROR),-DVELMORA_WERROR=$(WERROR)) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(TEST_JOBS)

# The quick loop: the unit and widget tests only (no Xvfb, no package).
check: build
	@cd $(BUILD) && ctest --output-on-failure -j$(TEST_JOBS) -L 'unit|widget'

bench: build
	@$(BUILD)/bench/velmora-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@$(BUILD)/bench/velmora-bench-window --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@$(BUILD)/bench/velmora-bench-dialogs --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@./bench/startup_bench.sh $(BUILD)/velmora-sudoku $(BUILD)/runtime 15
	@./bench/scaled_startup_bench.sh $(BUILD)/velmora-sudoku $(BUILD)/runtime 7

# The game runs in the player's working folder (VELMORA_HOME, by default
# ~/.local/share/velmora-sudoku), refreshed from build/runtime at every start.
play: build
	@./scripts/play.sh $(BUILD)

# Installs the game with a menu entry: PREFIX=/usr/local by default.
PREFIX ?= /usr/local
install: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)
	@cmake --install $(BUILD)

# The Debian package, from the same install rules, prefix /usr:
# $(BUILD)/velmora-sudoku_<version>_<arch>.deb.
deb: build
	@cd $(BUILD) && cpack -G DEB

# Not part of `make test`: builds the fuzz targets with clang and runs each for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz:
	@./scripts/install-deps.sh --fuzz
	@./fuzz/run.sh $(FUZZ_SECONDS)

# Not part of `make test`: every test again on a build with AddressSanitizer and
# UndefinedBehaviorSanitizer. Leaks are not checked: Qt and fontconfig keep
# their caches until the process ends.
SANITIZE_BUILD ?= build-sanitize
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_SANITIZE=ON >/dev/null
	@ASAN_OPTIONS=detect_leaks=0 cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	@cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j$(TEST_JOBS)

clean:
	@rm -rf $(BUILD)
