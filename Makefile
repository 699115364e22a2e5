# Velmora Sudoku: the two commands a player or developer needs are `make play` and `make test`.
BUILD ?= build
JOBS ?= 2
BUILD_TYPE ?= Release

.PHONY: all deps configure build test bench play install deb clean fuzz

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

bench: build
	@$(BUILD)/bench/velmora-bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@$(BUILD)/bench/velmora-bench-window --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@$(BUILD)/bench/velmora-bench-dialogs --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@./bench/startup_bench.sh $(BUILD)/velmora-sudoku $(BUILD)/runtime 15

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

clean:
	@rm -rf $(BUILD)
