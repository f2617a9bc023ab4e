# The two commands that matter: `make demo` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc)
CTEST_ARGS ?=
# Under heavy parallel load a Wine process now and then dies while it starts or
# ends (no output at all, any test program); a failed case is run again, so a
# real failure still fails three times in a row.
CTEST_RETRY ?= --repeat until-pass:3

.PHONY: all deps configure build test bench demo clean

all: build

deps:
	tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release

configure: $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: deps
	$(MAKE) build
	tools/wine-env.sh $(BUILD) ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) $(CTEST_RETRY) $(CTEST_ARGS)

bench: deps
	$(MAKE) build
	tools/wine-env.sh $(BUILD) tools/run-bench.sh $(BUILD)

demo: deps
	$(MAKE) build
	tools/demo.sh $(BUILD)

clean:
	rm -rf $(BUILD)
