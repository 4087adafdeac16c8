# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README: `make run` and `make test`.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
PACKAGE_BUILD ?= build-package
JOBS ?= $(shell nproc)
CMAKE_BUILD_TYPE ?= RelWithDebInfo

.PHONY: all deps build run test test-sanitize clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(CMAKE_BUILD_TYPE) -DKORV_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)

# The program keeps KORVANI.INI and KORVANI.LOG beside itself, in build/.
run: build
	cd $(BUILD) && ./korvani

# Every test, then every test again under AddressSanitizer and UndefinedBehaviorSanitizer. A run
# that finds no test fails, and so does a test that misses a tool (KORV_ALLOW_SKIP=1 skips it).
test: build
	ctest --test-dir $(BUILD) --output-on-failure --no-tests=error --timeout 600
	$(MAKE) --no-print-directory test-sanitize
	tests/fuzz/run-fuzz.sh 30
	$(MAKE) --no-print-directory test-package
	$(MAKE) --no-print-directory test-windows

# Built with clang, so that the project and its tests build with both compilers Debian ships.
# Unsymbolized, a report matches no suppression that names a function: no run without the symbolizer.
SYMBOLIZER ?= /usr/bin/llvm-symbolizer
test-sanitize: deps
	@test -x $(SYMBOLIZER) || { echo "test-sanitize: needs $(SYMBOLIZER) (package llvm, scripts/install-deps.sh)" >&2; exit 1; }
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKORV_SANITIZE=ON -DKORV_BENCH=OFF -DKORV_WERROR=ON \
		-DCMAKE_CXX_COMPILER=clang++
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:external_symbolizer_path=$(SYMBOLIZER) \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir $(SANITIZE_BUILD) --output-on-failure --no-tests=error --timeout 900

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(PACKAGE_BUILD)

# Benchmarks, not tests: a report with PASS/FAIL against the budgets that never fails the build.
# The start-up of the Windows build is measured under Wine beside the Linux one, without a budget
# (about 2 minutes more; WINDOWS_BENCH=0 leaves it out).
WINDOWS_BENCH ?= 1
.PHONY: bench bench-windows
bench: build $(if $(filter 1,$(WINDOWS_BENCH)),bench-windows)
	$(BUILD)/bench/korv_bench_core
	$(BUILD)/bench/korv_bench_click
	$(BUILD)/bench/korv_bench_alltab
	$(BUILD)/bench/korv_bench_transcribe
	python3 bench/startup.py --build $(BUILD) \
		$(if $(filter 1,$(WINDOWS_BENCH)),--windows-build $(WINDOWS_BUILD)/x86_64)
	/usr/bin/python3 bench/autopaste.py --build $(BUILD)

# The Debian package, $(PACKAGE_BUILD)/korvani_<version>-1_<arch>.deb: a Release build for /usr.
.PHONY: package
package: deps
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DKORV_TESTS=OFF -DKORV_BENCH=OFF -DKORV_WERROR=ON
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack

# The package's contents and lintian (a Release build of the programs alone, then about 15 s).
.PHONY: test-package
test-package: package
	cd tests/install && KORV_BUILD_DIR=$(CURDIR)/$(PACKAGE_BUILD) \
		KORV_DEB=$$(ls $(CURDIR)/$(PACKAGE_BUILD)/korvani_*.deb) /usr/bin/python3 -m unittest -v test_install

# The Windows programs, cross-built with mingw-w64 for both architectures (statically linked).
WINDOWS_BUILD ?= build-windows
WINDOWS_ARCHS ?= x86_64 i686
.PHONY: windows windows-deps test-windows
windows-deps:
	@scripts/install-windows-deps.sh

windows: windows-deps
	set -e; for arch in $(WINDOWS_ARCHS); do \
		cmake -S . -B $(WINDOWS_BUILD)/$$arch -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$$arch.cmake \
			-DCMAKE_BUILD_TYPE=Release -DKORV_WERROR=ON -DKORV_BENCH=ON; \
		cmake --build $(WINDOWS_BUILD)/$$arch -j $(JOBS); \
	done

# What `make bench` starts under Wine: the x86_64 program and the minimal Win32 window alone, and
# the Wine prefix template of the tests (made once, about 15 s).
bench-windows: windows-deps
	cmake -S . -B $(WINDOWS_BUILD)/x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
		-DCMAKE_BUILD_TYPE=Release -DKORV_WERROR=ON -DKORV_BENCH=ON
	cmake --build $(WINDOWS_BUILD)/x86_64 -j $(JOBS) --target korvani korv_minimalwindow
	tests/win32/makeprefix.sh $(abspath $(WINDOWS_BUILD)/x86_64/wine-template)

# Per architecture, $(WINDOWS_BUILD)/<arch>/dist/: a portable zip and an NSIS installer.
.PHONY: windows-package
windows-package: windows
	set -e; for arch in $(WINDOWS_ARCHS); do \
		cmake --build $(WINDOWS_BUILD)/$$arch --target korv_package; \
	done

# The Windows part of `make test`: both architectures' imports; the unit tests, the programs end
# to end and the installer under Wine for x86_64 (this machine's Wine runs 64-bit programs only
# unless wine32:i386 is installed, see the README).
test-windows: windows-package
	ctest --test-dir $(WINDOWS_BUILD)/x86_64 --output-on-failure --no-tests=error --timeout 600
	ctest --test-dir $(WINDOWS_BUILD)/i686 --output-on-failure --no-tests=error -R win32_imports
