# The two commands that matter: `make demo` and `make test`.
#
# Two flavours from the same sources: FLAVOUR=32, the deliverables (i686), and
# FLAVOUR=64 (x86-64), which tests where no 32-bit program runs. Left unset,
# `make test`, `make demo` and `make bench` take 32 where this machine runs a
# 32-bit program under Wine and 64 where it cannot (tools/flavour.sh says
# which, in one line); the 64-bit path builds the 32-bit flavour as well, for
# its layout and export checks. `make build` and `make configure` build 32
# unless told otherwise.
FLAVOUR ?=
BUILD32 ?= build
BUILD64 ?= build64
BUILD   ?= $(if $(filter 64,$(FLAVOUR)),$(BUILD64),$(BUILD32))
JOBS    ?= $(shell nproc)
CTEST_ARGS ?=

TOOLCHAIN = cmake/mingw-$(if $(filter 64,$(FLAVOUR)),x86_64,i686).cmake

.PHONY: all deps configure build test bench demo clean \
        test-32 test-64 bench-32 bench-64 demo-32 demo-64 build-checks-32

all: build

deps:
	tools/install-deps.sh $(FLAVOUR)

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN) -DCMAKE_BUILD_TYPE=Release

configure: $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Decide the flavour (the probe runs in the 32-bit build folder's Wine
# session), then run the command in it.
test bench demo:
	tools/install-deps.sh
	$(MAKE) --no-print-directory FLAVOUR=32 configure
	@fl=$$(tools/flavour.sh $(BUILD32) $(FLAVOUR)) && \
	  $(MAKE) --no-print-directory FLAVOUR=$$fl $@-$$fl

# The 64-bit path also builds the 32-bit deliverables: their layouts are
# checked as they compile and their export tables as they link.
build-checks-32:
	$(MAKE) --no-print-directory FLAVOUR=32 build

test-32 bench-32 demo-32: FLAVOUR = 32
test-64 bench-64 demo-64: FLAVOUR = 64
test-64 bench-64 demo-64: build-checks-32

# Each test program shard runs once; tools/run-gtest.sh runs again only a
# shard whose Wine process died silently, and the list at the end names every
# such shard (and the failed cases) of this run.
test-32 test-64:
	tools/install-deps.sh $(FLAVOUR)
	$(MAKE) --no-print-directory FLAVOUR=$(FLAVOUR) build
	rm -rf $(BUILD)/test-records
	status=0; \
	  tools/wine-env.sh $(BUILD) ctest --test-dir $(BUILD) --output-on-failure --no-tests=error \
	    -j $(JOBS) $(CTEST_ARGS) || status=$$?; \
	  tools/test-records.sh $(BUILD)/test-records; \
	  exit $$status

bench-32 bench-64:
	tools/install-deps.sh $(FLAVOUR)
	$(MAKE) --no-print-directory FLAVOUR=$(FLAVOUR) build
	tools/wine-env.sh $(BUILD) tools/run-bench.sh $(BUILD)

demo-32 demo-64:
	tools/install-deps.sh $(FLAVOUR)
	$(MAKE) --no-print-directory FLAVOUR=$(FLAVOUR) build
	tools/demo.sh $(BUILD)

clean:
	rm -rf $(BUILD32) $(BUILD64)
