BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all deps configure build run test test-sanitized demo bench fuzz screenshot clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/talvikcom

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Two simulated boards on loopback and the configurator: type 127.0.0.2 or 127.0.0.3.
demo: build
	@$(BUILD)/tools/talvik-board-sim --verbose \
	    --board 127.0.0.2,ident=1234,version=2.17,dhcp=0 \
	    --board 127.0.0.3,ident=77,version=3.01,dhcp=1,console=1,dispatcher=127.0.0.1 & \
	sim=$$!; trap "kill $$sim" EXIT; $(BUILD)/src/talvikcom

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitized: deps
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTALVIK_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# libFuzzer over the datagram readers and the receive handler: make fuzz FUZZ_SECONDS=300
FUZZ_SECONDS ?= 60
fuzz: deps
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

bench: build
	$(BUILD)/bench/talvik_bench

# The real window on a virtual X display with a window manager: title bar, icon and all.
screenshot: build
	bash scripts/own-network.sh bash scripts/x11-window.sh screenshot $(BUILD) $(BUILD)/screenshots/main-window.png

clean:
	rm -rf $(BUILD) build-asan build-fuzz
