# The two everyday commands are `make test` and `make run`; see README.md.
BUILD      ?= build
BUILD_ASAN ?= build-asan
GENERATOR  := -G Ninja
JOBS       ?= $(shell nproc)

.PHONY: all deps configure build build-asan test run bench clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(BUILD_ASAN)/build.ninja: | deps
	cmake -S . -B $(BUILD_ASAN) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DVANTELO_SANITIZE=ON

configure: $(BUILD)/build.ninja

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(BUILD_ASAN)/build.ninja
	cmake --build $(BUILD_ASAN) -j $(JOBS)

# Runs the suite on the normal build, then under AddressSanitizer and
# UndefinedBehaviorSanitizer; the last line printed is ctest's summary.
test: build build-asan
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# Until the editor exists, the product's main program is the command-line tool.
run: build
	$(BUILD)/src/cli/vantelo --help

bench: deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target vantelo_benchmarks
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b --benchmark_min_time=0.5; done

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) build-fuzz
