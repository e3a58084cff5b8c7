# The two entry points: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS  ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build run test bench clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/app/tarnwhistle

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --timeout 600

bench: build
	$(BUILD)/bench/bench_image

clean:
	rm -rf $(BUILD)
