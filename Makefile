# Thin wrapper over the CMake presets: `make run` and `make test` from a fresh clone.
JOBS ?= $(shell nproc)
ARGS ?=

.PHONY: setup build build-sanitize run test bench clean

setup:
	bash scripts/setup.sh

build: setup
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

build-sanitize: setup
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)

run: build
	build/bin/morrowset-devserver $(ARGS)

test: build build-sanitize
	ctest --preset default -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

bench: build
	build/bin/morrowset-bench

clean:
	rm -rf build build-sanitize
