# The front door: every command a developer or CI needs.
SHELL := /bin/bash
# CMake's own make runs below this one; its "Entering directory" lines say nothing here.
MAKEFLAGS += --no-print-directory
JOBS ?= 2
BUILD := build
NATIVE := $(BUILD)/native
ASAN := $(BUILD)/asan
# The product, with the probe and the CD driver that run its end-to-end tests under 32-bit Wine.
WIN := $(BUILD)/win
# The same program for 64-bit Wine, which runs on every machine: make run, the end-to-end tests
# (also where no 32-bit code runs), bench.
WIN64 := $(BUILD)/win64
BENCH := $(BUILD)/bench

FUZZ := $(BUILD)/fuzz
FUZZ_SECONDS ?= 60

.PHONY: all bootstrap native asan exe exe64 run test unit e2e bench fuzz clean

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
	@cmake --no-warn-unused-cli -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release -DCHIMEDAY_E2E=ON >/dev/null
	@cmake --build $(WIN) -j$(JOBS)

exe64: bootstrap
	@cmake --no-warn-unused-cli -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release -DCHIMEDAY_E2E=ON >/dev/null
	@cmake --build $(WIN64) -j$(JOBS)

run: exe64
	@scripts/run $(WIN64)/chimeday.exe

unit: native asan
	@echo "== unit tests"
	@ctest --test-dir $(NATIVE) --output-on-failure -j$(JOBS)
	@echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
	@ctest --test-dir $(ASAN) --output-on-failure -j$(JOBS)

# The shipped 32-bit build wherever this machine runs 32-bit code, and the 64-bit build, side by
# side, each line marked with its build. Every case has its own Wine prefix, wineserver and
# display, and mostly waits (for a window, a file, the next minute), so many run at once on few
# cores: E2E_JOBS per build. Both runs go on when one fails. The tests fail under CI where a Wine
# they need is missing, and an empty test list fails, so under CI a machine that runs 32-bit
# code cannot pass without the 32-bit run.
E2E_JOBS ?= 8
e2e: exe exe64 dist
	@set -o pipefail; \
	suite() { ctest --test-dir $$1 -L e2e -j$(E2E_JOBS) --output-on-failure --no-tests=error 2>&1 \
	  | sed -u "s/^/[$$2] /"; }; \
	status=0; shipped=; \
	if reason=$$(scripts/can-run-32bit); then \
	  echo "== end-to-end tests under 32-bit Wine (the shipped build) and 64-bit Wine"; \
	  suite $(WIN) win32 & shipped=$$!; \
	elif [ -n "$$reason" ]; then \
	  echo "e2e: this machine cannot run 32-bit code ($$reason); the end-to-end tests run on the 64-bit build alone"; \
	  echo "== end-to-end tests under 64-bit Wine"; \
	else \
	  status=1; \
	  echo "== end-to-end tests under 64-bit Wine"; \
	fi; \
	suite $(WIN64) win64 || status=1; \
	if [ -n "$$shipped" ]; then wait $$shipped || status=1; fi; \
	exit $$status

test: unit e2e

bench: exe exe64
	@scripts/bootstrap bench
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BENCH) -j$(JOBS) --target chimeday_bench
	@$(BENCH)/bench/chimeday_bench
	@stat -c 'chimeday.exe, the 32-bit product: %s bytes' $(WIN)/chimeday.exe
	@scripts/count-instructions $(BENCH)/bench/chimeday_bench
	@scripts/bench-resident $(WIN64)

# Optimised, as libFuzzer advises: at -O0 every string accessor is a call with comparison hooks
# of its own, and a run costs three times as much. The seeds and dictionaries in tests/fuzz are
# read only; what the fuzzers find goes to the corpus under build/.
fuzz: bootstrap
	@command -v clang++ >/dev/null || scripts/bootstrap clang
	@CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHIMEDAY_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) -j$(JOBS)
	@for target in profile_fuzz message_fuzz; do \
	  mkdir -p $(FUZZ)/corpus/$$target; \
	  echo "== $$target for $(FUZZ_SECONDS) s"; \
	  $(FUZZ)/tests/fuzz/$$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -max_len=4096 -dict=tests/fuzz/$$target.dict -artifact_prefix=$(FUZZ)/ \
	    $(FUZZ)/corpus/$$target tests/fuzz/corpus/$$target 2>&1 \
	    | grep -E '^(stat::(number_of_executed_units|average_exec_per_sec|slowest_unit_time_sec)|#[0-9]+[[:space:]]+DONE)|ERROR|SUMMARY' ; \
	  test $${PIPESTATUS[0]} -eq 0 || exit 1; \
	done

# What a Windows user downloads: the 32-bit product, its readme and licence in one zip.
.PHONY: dist
dist: exe
	@scripts/dist $(WIN)/chimeday.exe dist

# The README's pictures (docs/images/), from the end-to-end cases that photograph the windows.
.PHONY: screenshots
screenshots: exe64
	@scripts/screenshots $(WIN64)

clean:
	rm -rf $(BUILD)
