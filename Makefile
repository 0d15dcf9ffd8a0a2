# The two commands a player or developer needs: `make run` and `make test`.
# Each installs what is missing on a Debian machine, configures, builds and makes the assets.

BUILD ?= build
ASAN_BUILD ?= $(BUILD)-asan
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := cmake make g++ pkg-config libsdl2-dev libsdl2-image-dev libx11-dev libcairo2-dev \
            fonts-dejavu-core fonts-dejavu-extra googletest libgtest-dev libbenchmark-dev sox \
            xvfb xdotool
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test test-fast bench bench-desktop fuzz format clean assets-review

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

run: build
	$(BUILD)/gridhollow-launch

# Every test: the normal build, then the same tests built with AddressSanitizer and UBSan.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@[ -f $(ASAN_BUILD)/CMakeCache.txt ] || cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DGRIDHOLLOW_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target gridhollow_tests
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=0 ./gridhollow_tests --gtest_brief=1

# The normal build's tests only, for a quick check while working.
test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Contact sheets of every image (the regions the game reads outlined) and screenshots of the
# real screens played through headless, into $(BUILD)/review.
assets-review: build
	cmake --build $(BUILD) --target assets-review

bench: build
	cd $(BUILD) && ./gridhollow_bench

# The real game on a virtual X display, five runs: launch to window, windows made, resident memory,
# idle processor shown and minimised, helper processes left behind (dbus-x11 brings the session
# bus launcher a desktop has). SDL_RENDER_DRIVER=... make bench-desktop measures another renderer.
bench-desktop: PACKAGES += xvfb xdotool x11-utils dbus-x11
bench-desktop: build
	bench/desktop-measure $(BUILD) 5

fuzz: PACKAGES += clang
fuzz: deps
	@[ -f $(BUILD)-fuzz/CMakeCache.txt ] || CXX=clang++ CC=clang cmake -S . -B $(BUILD)-fuzz -DGRIDHOLLOW_FUZZ=ON
	cmake --build $(BUILD)-fuzz -j $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BUILD)-fuzz

# ---- Installing: `make install PREFIX=DIR` (DESTDIR is honoured) puts the game, its data, desktop
# entry, icons, metainfo and manual page under DIR; `make package` makes the Debian package
# $(BUILD)/gridhollow_VERSION_ARCH.deb. The validators run in the install test.
PREFIX ?= /usr/local
PACKAGES += desktop-file-utils appstream dpkg-dev man-db
.PHONY: install package

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && cpack -G DEB
