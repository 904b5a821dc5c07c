# make test   build for Windows, then run every test under Wine
# make run    build, then start the program on the shipped catalogue
BUILD ?= build
JOBS ?= $(shell nproc)

# Everything the build and the tests use, as Debian names it.
PACKAGES := cmake ninja-build mingw-w64 wine wine64 xvfb xdotool imagemagick fonts-noto-cjk googletest

.PHONY: all deps configure build test run clean

all: build

deps:
	@tools/install-packages $(PACKAGES)

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja --toolchain cmake/mingw-w64.cmake

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: build
	@echo "The program itself is not built yet; 'make run' will start it once it is."

clean:
	rm -rf $(BUILD)
