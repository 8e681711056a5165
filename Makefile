# The front door: every command a developer or CI needs.
SHELL := /bin/bash
JOBS ?= 2
BUILD := build
NATIVE := $(BUILD)/native
ASAN := $(BUILD)/asan
WIN := $(BUILD)/win
BENCH := $(BUILD)/bench

.PHONY: all bootstrap native asan exe run test unit e2e bench clean

all: native exe

bootstrap:
	@scripts/bootstrap

native: bootstrap
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)

asan: bootstrap
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DCHIMEDAY_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j$(JOBS)

exe: bootstrap
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN) -j$(JOBS)

run: exe
	@scripts/run $(WIN)/chimeday.exe

unit: native asan
	@echo "== unit tests"
	@ctest --test-dir $(NATIVE) --output-on-failure -j$(JOBS)
	@echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
	@ctest --test-dir $(ASAN) --output-on-failure -j$(JOBS)

e2e: exe
	@echo "== end-to-end tests under Wine"
	@ctest --test-dir $(WIN) -L e2e --output-on-failure

test: unit e2e

bench: bootstrap
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BENCH) -j$(JOBS) --target chimeday_bench
	@$(BENCH)/bench/chimeday_bench
	@scripts/count-instructions $(BENCH)/bench/chimeday_bench

clean:
	rm -rf $(BUILD)
