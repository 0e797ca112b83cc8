# The two commands of the README are `make run` and `make test`; the others serve development.
BUILD       ?= build
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=

# Compiles are cached across checkouts of the tree when ccache is installed.
export CCACHE_BASEDIR   := $(CURDIR)
export CCACHE_SLOPPINESS := pch_defines,time_macros,include_file_mtime,include_file_ctime

configure = cmake -S . -B $(1) -G Ninja $(2) $(CMAKE_FLAGS) >/dev/null

.PHONY: deps build run test stress shots format bench tsan asan fuzz clean

deps:
	@scripts/install-deps.sh

build: deps
	@$(call configure,$(BUILD),-DCMAKE_BUILD_TYPE=Debug)
	@cmake --build $(BUILD) -j $(JOBS)

# The demo session and the AAX module, each run from an empty RUN_FILES (scripts/run-demo.sh says which
# folders it empties). The folder reaches the script through the environment, so that a name with spaces
# or quotes arrives as it was written.
RUN_FILES ?= $(BUILD)/run
run: export RUN_FILES_NAMED = $(RUN_FILES)
run: build
	@scripts/run-demo.sh "$(BUILD)" "$$RUN_FILES_NAMED"

test: build
	@scripts/check-format.sh
	@ctest --test-dir $(BUILD) --output-on-failure --no-tests=error -j $(JOBS)

# The validator-style checks of the AAX module, ten times larger than in `make test`.
stress: build
	@VQ_STRESS=10 ctest --test-dir $(BUILD) --output-on-failure --no-tests=error -R '^Validator\.'

# The widget kit and the whole window as PNG files, one per widget and state, at scale 1 and 2;
# SHOTS="led*" picks some.
shots: build
	@$(BUILD)/tools/shots/plemvo_shots $(BUILD)/shots "$(or $(SHOTS),*)"

format: deps
	@scripts/check-format.sh fix

bench: deps
	@$(call configure,build-release,-DCMAKE_BUILD_TYPE=Release -DVQ_BUILD_TESTS=OFF)
	@cmake --build build-release -j $(JOBS)
	@for b in build-release/bench/bench_*; do echo "== $$b"; $$b || exit 1; done

tsan: deps
	@$(call configure,build-tsan,-DCMAKE_BUILD_TYPE=Debug -DVQ_SANITIZE=thread -DVQ_BUILD_BENCH=OFF)
	@cmake --build build-tsan -j $(JOBS)
	@TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure --no-tests=error -j $(JOBS)

asan: deps
	@$(call configure,build-asan,-DCMAKE_BUILD_TYPE=Debug -DVQ_SANITIZE=address -DVQ_BUILD_BENCH=OFF)
	@cmake --build build-asan -j $(JOBS)
	@ctest --test-dir build-asan --output-on-failure --no-tests=error -j $(JOBS)

FUZZ_SECONDS ?= 60

fuzz:
	@scripts/install-deps.sh fuzz
	@CC=clang CXX=clang++ $(call configure,build-fuzz,-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVQ_BUILD_FUZZ=ON -DVQ_BUILD_TESTS=OFF -DVQ_BUILD_BENCH=OFF)
	@cmake --build build-fuzz -j $(JOBS)
	@for f in build-fuzz/fuzz/fuzz_*; do \
		name=$${f##*/fuzz_}; mkdir -p build-fuzz/corpus/$$name; \
		echo "== $$name ($(FUZZ_SECONDS) s)"; \
		$$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 build-fuzz/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

clean:
	rm -rf build build-release build-tsan build-asan build-fuzz
