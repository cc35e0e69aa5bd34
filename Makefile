# Kelvane: `make run` opens the window, `make test` runs every test. Both install what is missing first.
# `make package` builds the Debian package, `make install` installs under PREFIX (and DESTDIR).
MAKEFLAGS += --no-print-directory
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: all deps configure build test run bench screenshot package install clean format format-check

all: build

# The tests, the packages and the benches also need the PostgreSQL server, for the database
# extension; `make run` does not, so a desktop user gets no database server.
DEPS ?=
test package bench: DEPS = server

deps:
	@scripts/install-deps $(DEPS)

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build format-check
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The C and C++ sources follow .clang-format: `make format` rewrites them, `make test` fails on any
# difference.
format: deps
	@git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 clang-format -i

format-check: deps
	@git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

run: build
	@$(BUILD)/bin/kelvane

bench: build
	@scripts/bench $(BUILD)

# The picture in the README and the AppStream data: the window under Xvfb with a list opened as
# numbers.
screenshot: build
	@scripts/screenshot $(BUILD) data/screenshots/kelvane.png

package: build
	@cmake --build $(BUILD) --target package

install: build
	@DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)

# Reliability: the fuzz targets (clang, libFuzzer) and the tests under the sanitizers:
# every test, the window's too, under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# batch command's tests, with its reading threads, under ThreadSanitizer.
FUZZ_SECONDS ?= 60
FUZZ_BUILD ?= build-fuzz
FUZZ_OUT ?= fuzz-out
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
SANITIZER_FLAGS = -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

.PHONY: fuzz test-asan test-tsan

fuzz: deps
	@cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS)
	@fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_OUT)

test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(SANITIZER_FLAGS) -DKELVANE_SANITIZE=address >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j$(JOBS)

test-tsan: deps
	@cmake -S . -B $(TSAN_BUILD) $(SANITIZER_FLAGS) -DKELVANE_SANITIZE=thread -DKELVANE_GUI=OFF >/dev/null
	@cmake --build $(TSAN_BUILD) -j$(JOBS) --target cli_tests
	@cd $(TSAN_BUILD) && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  ctest --output-on-failure -j$(JOBS) -L cli
