# make run | make test | make test SANITIZE=1 | make package | make bench | make fuzz
WORKDIR ?= work
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

ifeq ($(SANITIZE),1)
BUILD ?= build-asan
CMAKE_FLAGS += -DKARDOLIST_SANITIZE=ON
else
BUILD ?= build
endif

# The CI build treats every warning as an error.
ifeq ($(CI),true)
CMAKE_FLAGS += -DKARDOLIST_WERROR=ON
endif

ROOT := $(abspath .)

.PHONY: setup configure build run test package bench fuzz clean

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@mkdir -p "$(WORKDIR)"
	cd "$(WORKDIR)" && "$(ROOT)/$(BUILD)/app/kardolist"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

package: build
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@ls -1 $(ROOT)/$(BUILD)/kardolist_*.deb

bench: setup
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKARDOLIST_BENCH=ON >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

fuzz:
	@bash scripts/setup.sh --fuzz
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARDOLIST_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzzers
	@for f in build-fuzz/fuzz/fuzz_*; do \
	  [ -f "$$f" ] && [ -x "$$f" ] || continue; n=$$(basename $$f); mkdir -p fuzz-corpus/$$n; \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=halt_on_error=1 \
	  "$$f" -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 fuzz-corpus/$$n $(ROOT)/fuzz/seeds/$$n || exit 1; \
	done

clean:
	rm -rf build build-asan build-bench build-fuzz
