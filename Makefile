# The two set-up commands of the README:
#   make run   installs what is missing, builds, and starts the program
#   make test  installs what is missing, builds, and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test bench fuzz clean

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-program $(BUILD)/ostrelda

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE bench

bench: build
	cd $(BUILD) && ctest --output-on-failure -L bench

fuzz: deps
	cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DOSTRELDA_FUZZ=ON
	cmake --build $(BUILD)-fuzz --target fuzz_open_dump

clean:
	rm -rf $(BUILD)
