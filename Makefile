BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all deps configure build run test demo screenshot clean

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

screenshot: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest -R screenshot --output-on-failure

clean:
	rm -rf $(BUILD)
