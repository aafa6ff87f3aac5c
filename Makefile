BUILD ?= build
JOBS  ?= $(shell nproc)
# Extra CMake options, e.g. CMAKE_FLAGS=-DTALVIK_WERROR=ON (as CI builds).
CMAKE_FLAGS ?=
# Every test and benchmark runs in a network namespace of its own (scripts/own-network.sh).
OWN_NETWORK = bash scripts/own-network.sh

.PHONY: all deps configure build run test test-sanitized demo demo-boards bench soak soak-ident fuzz screenshot format translations \
        format-check package build-all-types windows test-windows package-windows clean

all: build

# The Debian packages for building, testing, screenshots and packaging. The first
# configure runs it; run it again after pulling a change that needs new packages.
deps:
	bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	bash scripts/install-deps.sh
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: $(BUILD)/CMakeCache.txt
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/talvikcom

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen bash ../scripts/own-network.sh \
	    ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

# Simulated boards on loopback: two to try the configurator with, and a network of 250.
DEMO_BOARDS = --board 127.0.0.2,ident=1234,version=2.17,dhcp=0 \
              --board 127.0.0.3,ident=77,version=3.01,dhcp=1,console=1,dispatcher=127.0.0.1 \
              --boards 127.0.1.1-127.0.1.250,ident=100,version=2.17
# The boards, the configurator and the fleet window in front of it: in the configurator
# type 127.0.0.2 or 127.0.0.3; in the fleet window search 127.0.1.1 - 127.0.1.250.
demo: build
	@$(BUILD)/tools/talvik-board-sim $(DEMO_BOARDS) & \
	sim=$$!; trap "kill $$sim" EXIT; $(BUILD)/src/talvikcom --fleet
# The same boards alone, for talvikctl (which needs port 6767, as the window does).
demo-boards: build
	$(BUILD)/tools/talvik-board-sim $(DEMO_BOARDS)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitized: $(BUILD)/CMakeCache.txt
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTALVIK_SANITIZE=ON -DTALVIK_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 bash ../scripts/own-network.sh \
	    ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

# TalvikCom.exe, talvikctl.exe and talvik-board-sim.exe, static, cross-built with MinGW-w64
# against the Qt in ../shared/qt6-mingw into build-windows/; tested under Wine; packaged.
windows:
	bash scripts/install-deps.sh windows
	bash scripts/windows.sh build
# Of the Linux build it needs only talvikctl (frames to compare) and the simulator.
test-windows: windows configure
	cmake --build $(BUILD) -j $(JOBS) --target talvikctl talvik-board-sim
	$(OWN_NETWORK) bash scripts/windows.sh test
package-windows: windows
	bash scripts/windows.sh package

# Every target in every build type (Debug, RelWithDebInfo, Release), warnings as errors.
build-all-types: $(BUILD)/CMakeCache.txt
	bash scripts/build-all-types.sh

# libFuzzer over the datagram readers and the receive handler: make fuzz FUZZ_SECONDS=300
FUZZ_SECONDS ?= 60
fuzz: $(BUILD)/CMakeCache.txt
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

# The window shown on a virtual X display, in a network namespace of its own.
# BENCH="roundtrip startup" measures only those sections.
bench: build
	rm -f $(BUILD)/bench/survey-scale.svg
	status=0; $(OWN_NETWORK) bash scripts/bench.sh $(BUILD)/bench/talvik_bench $(BENCH) || status=$$?; \
	if [ -f $(BUILD)/bench/survey-scale.svg ]; then cp $(BUILD)/bench/survey-scale.svg docs/; fi; \
	exit $$status

# Random histories of jobs (writes, undos, retries, Ctrl-C, kill -9, boards that go silent or
# late, two programs at once), each checked step by step: 100,000 of them, or as many as fit
# in SOAK_SECONDS, from a seed of the clock (or SOAK_SEED). A failing one is printed with its
# seed and steps: build/tests/test_histories --seed S --histories 1 --verbose runs it again.
SOAK_HISTORIES ?= 100000
SOAK_SEED ?= 0
soak: build
	$(OWN_NETWORK) $(BUILD)/tests/test_histories --seed $(SOAK_SEED) \
	    $(if $(SOAK_SECONDS),--seconds $(SOAK_SECONDS),--histories $(SOAK_HISTORIES))

# Identifier mode under a steady stream, memory printed over time.
IDENT_SOAK_SECONDS ?= 60
IDENT_SOAK_RATE ?= 20000
soak-ident: build
	$(OWN_NETWORK) bash scripts/bench.sh $(BUILD)/bench/talvik_soak $(IDENT_SOAK_SECONDS) $(IDENT_SOAK_RATE)

# The real window as it opens on a virtual X display with a window manager: title bar,
# icon and all; and the whole of a 1024x768 screen, where it opens moved to fit; in English too.
screenshot: build
	$(OWN_NETWORK) bash scripts/x11-window.sh screenshot $(BUILD) $(BUILD)/screenshots/main-window.png
	$(OWN_NETWORK) bash scripts/x11-window.sh screenshot $(BUILD) $(BUILD)/screenshots/main-window-1024x768.png 1024x768
	$(OWN_NETWORK) bash scripts/x11-window.sh fleet $(BUILD) $(BUILD)/screenshots/fleet-window.png
	TALVIK_LANG=en $(OWN_NETWORK) bash scripts/x11-window.sh screenshot $(BUILD) \
	    $(BUILD)/screenshots/main-window-1024x768-en.png 1024x768
	TALVIK_LANG=en $(OWN_NETWORK) bash scripts/x11-window.sh fleet $(BUILD) $(BUILD)/screenshots/fleet-window-en.png
	TALVIK_SCREENSHOTS=$(abspath $(BUILD))/screenshots QT_QPA_PLATFORM=offscreen $(OWN_NETWORK) \
	    $(BUILD)/tests/test_fleet_window changeFieldsOnSelectedBoards

# The Debian package, built apart for /usr with Debian's hardening flags and copied into
# $(BUILD): apt-get install ./$(BUILD)/talvikcom_*.deb
PACKAGE_FLAGS = $(shell DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS) \
                $(shell DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS)
PACKAGE_LDFLAGS = $(shell DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)
package: $(BUILD)/CMakeCache.txt
	cmake -S . -B build-package -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
	    -DBUILD_TESTING=OFF -DTALVIK_BENCH=OFF -DCMAKE_CXX_FLAGS="$(PACKAGE_FLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$(PACKAGE_LDFLAGS)" $(CMAKE_FLAGS)
	cmake --build build-package -j $(JOBS)
	cd build-package && cpack
	cp build-package/talvikcom_*.deb $(BUILD)/

FORMATTED = $(shell git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
format:
	clang-format -i $(FORMATTED)

format-check:
	clang-format --dry-run --Werror $(FORMATTED)

# After a text of the windows changes: brings it into the English translation's source, unfinished.
translations:
	bash scripts/translations.sh update

clean:
	rm -rf $(BUILD) build-asan build-fuzz build-package build-Debug build-RelWithDebInfo build-Release build-windows
