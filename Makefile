# Thin wrapper over the CMake presets: `make run` and `make test` from a fresh clone.
JOBS ?= $(shell nproc)
ARGS ?=

.PHONY: setup setup-run build build-run build-sanitize build-windows run test test-windows bench \
        package fuzz format-check zones clean

setup-run:
	bash scripts/setup.sh run

setup:
	bash scripts/setup.sh test

# What `run` starts, and nothing else: the development server and the plugin it loads.
build-run: setup-run
	cmake --preset default -DMORROWSET_TESTS=OFF -DMORROWSET_BENCH=OFF
	cmake --build --preset default -j $(JOBS) --target morrowset-devserver MorrowsetVelde

build: setup
	cmake --preset default -DMORROWSET_TESTS=ON -DMORROWSET_BENCH=ON
	cmake --build --preset default -j $(JOBS)

build-sanitize: setup
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)

# Windows in the framework's C++ ABI: clang-cl and the MSVC STL (cmake/windows-msvc-abi.cmake).
build-windows: setup
	cmake --preset windows-msvc-abi
	cmake --build --preset windows-msvc-abi -j $(JOBS)

run: build-run
	build/bin/morrowset-devserver $(ARGS)

# Every C++ source of ours as .clang-format lays it out (bash scripts/format-check.sh --fix).
format-check: setup
	bash scripts/format-check.sh

test: format-check build build-sanitize build-windows
	ctest --preset default -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)
	JOBS=$(JOBS) bash scripts/test-windows.sh

# The Windows suite alone, under Wine.
test-windows: build-windows
	JOBS=$(JOBS) bash scripts/test-windows.sh

# Release archives, laid out as an admin unpacks them into a server folder, gathered in release/
# with their SHA256SUMS.
# The binaries carry no debug information: their symbols go in an archive beside each, the
# Windows PDBs by name, the Linux debug files by build ID.
VERSION = $$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $(CURDIR)/build/CMakeCache.txt)
package: build build-windows
	cd build && cpack -G TGZ
	bash scripts/linux-symbols.sh build $(CURDIR)/build/Morrowset-$(VERSION)-Linux-symbols.tar.gz
	cd build-windows && cpack -G ZIP
	bash scripts/windows-symbols.sh build-windows $(CURDIR)/build-windows/Morrowset-$(VERSION)-Windows-symbols.zip
	rm -rf release && mkdir release
	cp build/Morrowset-$(VERSION)-Linux*.tar.gz build-windows/Morrowset-$(VERSION)-Windows*.zip release/
	bash scripts/release-sums.sh release

# Each fuzz target under libFuzzer with ASan and UBSan for FUZZ_SECONDS, from its committed
# corpus (the PE reader's also from the Windows build's own images); what it finds goes to
# build-fuzz/corpus/NAME, a crash to build-fuzz/.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := config day-set pe-image rcon options
fuzz: build-windows
	bash scripts/setup.sh fuzz
	cmake --preset fuzz
	cmake --build build-fuzz -j $(JOBS) --target $(addsuffix -fuzz,$(FUZZ_TARGETS))
	for t in $(FUZZ_TARGETS); do mkdir -p build-fuzz/corpus/$$t; done
	cp build-windows/bin/*.dll build-windows/bin/morrowset-check.exe build-fuzz/corpus/pe-image/
	cd build-fuzz && for t in $(FUZZ_TARGETS); do \
	  bin/$$t-fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=400000 corpus/$$t ../tests/fuzz/corpus/$$t || exit 1; done

# The zone data compiled in (config/zones/ZoneData.cpp, config/zones/WindowsZones.cpp), regenerated from the
# pinned sources in third_party/tzdata and third_party/cldr; needs zic (Debian's libc-bin) and python3.
zones:
	python3 scripts/generate-zones.py

bench: build
	build/bin/morrowset-bench

clean:
	rm -rf build build-sanitize build-windows build-fuzz release
