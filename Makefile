# Kelvane: `make run` opens the window, `make test` runs every test. Both install what is missing first.
MAKEFLAGS += --no-print-directory
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

run: build
	@if [ -x $(BUILD)/bin/kelvane ]; then $(BUILD)/bin/kelvane; \
	else echo "The window is not built yet: only the core and its tests exist so far."; exit 1; fi

bench: build
	@scripts/bench $(BUILD)

clean:
	rm -rf $(BUILD)
