# The two commands a player or developer needs: `make run` and `make test`.
# Each installs what is missing on a Debian machine, configures, builds and makes the assets.

BUILD ?= build
ASAN_BUILD ?= $(BUILD)-asan
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := cmake make g++ pkg-config libsdl2-dev libsdl2-image-dev libx11-dev libcairo2-dev \
            fonts-dejavu-core fonts-dejavu-extra googletest libgtest-dev libbenchmark-dev sox \
            xvfb xdotool libqqwing-dev openbox clang libsystemd-dev dbus python3-dbusmock \
            python3-icalendar calcurse
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test test-fast bench bench-desktop fuzz fuzz-run kill-trials \
        soak format clean assets-review check-solver

# The sanitizer runs report leaks; only leaks inside system libraries are suppressed, by name.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
# The long forms: kill trials, simulated soak minutes, and seconds per fuzz target; the seconds
# per fuzz target in `make test`.
TRIALS ?= 1000
SOAK_MINUTES ?= 60
FUZZ_SECONDS ?= 180
FUZZ_TEST_SECONDS ?= 10
# The fuzz build: only the fuzz targets and the code they need, unoptimised (it builds fastest).
FUZZ_BUILD ?= $(BUILD)-fuzz
FUZZ_TARGETS := $(basename $(notdir $(wildcard fuzz/*.cpp)))

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		$(SUDO) apt-get update -qq && $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

configure: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the game, its assets and its launcher (made when the build is configured); `make test`
# builds the rest.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target gridhollow assets
	$(BUILD)/gridhollow-launch

# Every test: the normal build, then the same tests built with AddressSanitizer and UBSan, and
# beside them every fuzz target for FUZZ_TEST_SECONDS from its seeds.
test: build fuzz
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DGRIDHOLLOW_SANITIZE=ON >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target gridhollow_tests gridhollow_sdl_smoke \
		gridhollow_kill_trials gridhollow_soak
	@# The short fuzz runs take one core while the sanitizer runs, one program at a time, take the other.
	tools/fuzz-run $(FUZZ_BUILD) $(FUZZ_TEST_SECONDS) 1 >$(FUZZ_BUILD)/short-runs.log 2>&1 & fuzzing=$$!; \
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ./gridhollow_tests --gtest_brief=1 && \
		$(SANITIZER_ENV) ./gridhollow_sdl_smoke --gtest_brief=1 && \
		$(SANITIZER_ENV) ./gridhollow_kill_trials 100 0 files && \
		$(SANITIZER_ENV) ./gridhollow_soak 3; tested=$$?; \
	wait $$fuzzing; fuzzed=$$?; cat $(abspath $(FUZZ_BUILD))/short-runs.log; \
	[ $$tested = 0 ] && [ $$fuzzed = 0 ]

# The normal build's tests only, for a quick check while working.
test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Contact sheets of every image (the regions the game reads outlined) and screenshots of the
# real screens played through headless, into $(BUILD)/review.
assets-review: build
	cmake --build $(BUILD) --target assets-review

# The long forms of the kill trials and the soak (TRIALS=..., SOAK_MINUTES=...).
kill-trials: build
	cd $(BUILD) && ./gridhollow_kill_trials $(TRIALS)

soak: build
	cd $(BUILD) && ./gridhollow_soak $(SOAK_MINUTES)

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target gridhollow_bench
	cd $(BUILD) && ./gridhollow_bench

# The logical stepper against 2000 qqwing puzzles of each difficulty, and its table of techniques.
check-solver: configure
	cmake --build $(BUILD) -j $(JOBS) --target gridhollow_check_solver
	$(BUILD)/gridhollow_check_solver 2000

# The real game on a virtual X display, five runs: launch to window, windows made, resident memory,
# idle processor and wakeups shown, minimised and on the game screen, pointer move to picture,
# helper processes left behind (dbus-x11 brings the session bus launcher a desktop has).
# SDL_RENDER_DRIVER=... make bench-desktop measures another renderer.
bench-desktop: PACKAGES += xvfb xdotool x11-utils dbus-x11 python3 libx11-dev sgt-puzzles gnome-sudoku
bench-desktop: build
	bench/desktop-measure $(BUILD) 5

fuzz: deps
	@[ -f $(FUZZ_BUILD)/CMakeCache.txt ] || \
		CXX=clang++ CC=clang cmake -S . -B $(FUZZ_BUILD) -DGRIDHOLLOW_FUZZ=ON >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS)

# Runs every fuzz target for FUZZ_SECONDS at the lowest priority, one at a time, from its seeds in
# fuzz/corpus/; what it finds new is kept in $(FUZZ_BUILD)/corpus/.
fuzz-run: fuzz
	tools/fuzz-run $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)

# ---- Installing: `make install PREFIX=DIR` (DESTDIR is honoured) puts the game, its data, desktop
# entry, icons, metainfo and manual page under DIR; `make package` makes the Debian package
# $(BUILD)/gridhollow_VERSION-1_ARCH.deb. The validators run in the install test; `make
# package-check` runs lintian on the package and installs, starts and purges it in a clean Debian
# root (kept in $(BUILD)/package-root), with its log in $(BUILD)/package-check.log.
PREFIX ?= /usr/local
PACKAGES += desktop-file-utils appstream dpkg-dev man-db
.PHONY: install package package-check

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && rm -f gridhollow_*.deb && cpack -G DEB

package-check: PACKAGES += debootstrap lintian devscripts
package-check: package
	@(rm -f $(BUILD)/package-check.status; $(SUDO) tests/package_check.sh $(BUILD)/gridhollow_*.deb \
		$(BUILD)/package-root; echo $$? >$(BUILD)/package-check.status) 2>&1 | tee $(BUILD)/package-check.log
	@exit $$(cat $(BUILD)/package-check.status)

# ---- Windows: `make windows` cross-builds the game and its unit tests for 64-bit Windows into
# $(WIN_BUILD) with Debian's MinGW-w64 (tools/windows/mingw64.cmake). Its libraries are built once,
# at a low priority, from Debian's source packages of the versions this build uses
# (tools/windows/build-deps) into $(WIN_BUILD)/deps; for `apt-get source` it adds the source list
# /etc/apt/sources.list.d/gridhollow-src.sources when apt has none. The assets are the Linux
# build's. `make windows-package` makes the zip and the installer in $(WIN_BUILD); `make
# test-windows` runs the unit tests and the real game under Wine (tests/wine_test.sh). None of them
# is part of `make test`.
WIN_BUILD ?= build-win
WIN_SOURCES := /etc/apt/sources.list.d/gridhollow-src.sources
CCACHE := $(shell command -v ccache 2>/dev/null)
.PHONY: windows windows-deps windows-package test-windows

windows windows-deps windows-package: PACKAGES += g++-mingw-w64-x86-64-posix dpkg-dev nsis zip
test-windows: PACKAGES += g++-mingw-w64-x86-64-posix dpkg-dev nsis zip wine64 python3

windows-deps: deps
	@if ! apt-cache showsrc libsdl2 2>/dev/null | grep -q '^Package:'; then \
		echo "Adding the source list $(WIN_SOURCES), for apt-get source"; \
		. /etc/os-release; printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' \
			"Suites: $$VERSION_CODENAME $$VERSION_CODENAME-updates" 'Components: main' \
			'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $(SUDO) tee $(WIN_SOURCES) >/dev/null; \
		$(SUDO) apt-get update -qq; \
	fi
	tools/windows/build-deps $(WIN_BUILD)/deps 2

windows: windows-deps configure
	cmake --build $(BUILD) -j $(JOBS) --target assets
	@[ -f $(WIN_BUILD)/CMakeCache.txt ] || cmake -S . -B $(WIN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw64.cmake -DGRIDHOLLOW_WIN_DEPS=$(abspath $(WIN_BUILD))/deps \
		-DGRIDHOLLOW_HOST_BUILD=$(abspath $(BUILD)) \
		$(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
	nice -n 15 cmake --build $(WIN_BUILD) -j 2

windows-package: windows
	cmake --build $(WIN_BUILD) --target windows-package

test-windows: windows-package
	tests/wine_test.sh $(WIN_BUILD) $$(sed -n 's/^GRIDHOLLOW_VERSION:INTERNAL=//p' $(WIN_BUILD)/CMakeCache.txt)
