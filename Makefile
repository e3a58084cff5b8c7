# Shortcuts for a machine where make is already installed; setup.sh needs only bash and apt.
BUILD ?= build

.PHONY: run test bench clean

run:
	BUILD=$(BUILD) bash setup.sh run

test:
	BUILD=$(BUILD) bash setup.sh test

bench:
	bash scripts/install-deps.sh test
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DTW_BUILD_TESTS=ON > /dev/null
	cmake --build $(BUILD) --target bench_image bench_file_list
	$(BUILD)/bench/bench_image
	$(BUILD)/bench/bench_file_list

clean:
	rm -rf $(BUILD)
