# make test    build for Windows, then run every test under Wine; also build
#              the pure code for the host under sanitizers and run its tests
#              and a short fuzzing run
# make run     build, then start the program on the sample catalogue (with
#              no display: on Xvfb, screenshot to build/velmora.png, then Esc)
# make dist    build/velmora-1.3.2-x64.zip: the programs, icon, catalogue
# make fuzz FUZZ_SECONDS=600   fuzz the XML parser, then the registry script
#              reader, each for that long
# make bench   velmora against the bare system calls under Wine (start-up,
#              loading, applying, saving, parsing: ratios and goals), and the
#              parser's throughput on the host
# make soak SOAK_SECONDS=600   drive the window with random input that long
BUILD ?= build
HOST_BUILD ?= build-host
BENCH_BUILD ?= build-bench
FUZZ_SECONDS ?= 600
SOAK_SECONDS ?= 600
JOBS ?= $(shell nproc)
HOST_CXX := clang++-14

# Everything the build and the tests use, as Debian names it.
PACKAGES := cmake ninja-build mingw-w64 wine wine64 fonts-wine xvfb xdotool imagemagick fonts-noto-cjk googletest \
            clang-14 libclang-rt-14-dev zip python3

.PHONY: all deps configure build host test run dist fuzz bench clean

all: build

deps:
	@tools/install-packages $(PACKAGES)

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja --toolchain cmake/mingw-w64.cmake

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

$(HOST_BUILD)/build.ninja: | deps
	cmake -S . -B $(HOST_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=$(HOST_CXX)

host: deps $(HOST_BUILD)/build.ninja
	cmake --build $(HOST_BUILD) -j $(JOBS)

# The Wine run comes last, so the run ends with the summary of most tests.
test: build host
	ctest --test-dir $(HOST_BUILD) --output-on-failure -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

fuzz: host
	tools/fuzz-parser $(HOST_BUILD) $(FUZZ_SECONDS)
	tools/fuzz-regscript $(HOST_BUILD) $(FUZZ_SECONDS)

# The random-input test of make test, for as long as asked; the seed is
# printed, and VELMORA_E2E_SEED=<seed> replays a run.
.PHONY: soak
soak: build
	@# A Wine server left running would keep drawing on the display it was
	@# started with, which xdisplay start replaces.
	$(BUILD)/winetool stop; $(BUILD)/xdisplay start && $(BUILD)/winetool start && \
	SOAK_SECONDS=$(SOAK_SECONDS) sh $(BUILD)/tests/e2e/e2e random_input; \
	status=$$?; $(BUILD)/winetool stop; $(BUILD)/xdisplay stop; exit $$status

$(BENCH_BUILD)/build.ninja: | deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=$(HOST_CXX) \
	    -DCMAKE_BUILD_TYPE=Release -DVELMORA_SANITIZE=OFF

bench: build $(BENCH_BUILD)/build.ninja
	cmake --build $(BENCH_BUILD) --target parser_bench -j $(JOBS)
	@echo "== parser on the host ($(HOST_CXX), -O3)"
	@$(BENCH_BUILD)/bench/parser_bench
	@echo "== velmora under Wine (mingw-w64 g++, -O2)"
	@tools/run-bench $(BUILD)

run: build
	@tools/run-velmora $(BUILD)

DIST := $(BUILD)/velmora-1.3.2-x64.zip

dist: build
	@tools/make-dist $(BUILD) $(DIST)

clean:
	rm -rf $(BUILD) $(HOST_BUILD) $(BENCH_BUILD)
