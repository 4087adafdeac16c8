# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_BUILD_TYPE ?= RelWithDebInfo

.PHONY: all deps build run test clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(CMAKE_BUILD_TYPE)
	cmake --build $(BUILD) -j $(JOBS)

# The program keeps KORVANI.INI and KORVANI.LOG beside itself, in build/.
run: build
	cd $(BUILD) && ./korvani

test: build
	ctest --test-dir $(BUILD) --output-on-failure --timeout 600

clean:
	rm -rf $(BUILD) build-*
