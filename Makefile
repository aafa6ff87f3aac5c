BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all deps configure build run test demo bench screenshot clean

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

bench: build
	$(BUILD)/bench/talvik_bench

screenshot: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest -R screenshot --output-on-failure

clean:
	rm -rf $(BUILD)
