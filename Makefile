# The commands of the README. Builds live in build/, generated output in out/.
JOBS ?= $(shell nproc)
CMAKE_GEN = -G Ninja

.PHONY: all build test tsan demo bench fuzz fuzz-run clean format

all: build

build:
	scripts/bootstrap
	cmake -S . -B build/release $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DMARLIT_TESTS=OFF
	cmake --build build/release -j $(JOBS)

test:
	scripts/bootstrap
	cmake -S . -B build/test $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARLIT_SANITIZE=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS) --timeout 900
	# The movie's reader thread, under ThreadSanitizer as well.
	cmake -S . -B build/tsan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARLIT_TSAN=ON > /dev/null
	JOBS=$(JOBS) scripts/tsan build/tsan marlit_player_movie_tests

# The suites that run threads, built with ThreadSanitizer: tests/tsan_suites.txt.
tsan:
	scripts/bootstrap
	cmake -S . -B build/tsan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARLIT_TSAN=ON
	JOBS=$(JOBS) scripts/tsan build/tsan

demo: build
	scripts/demo

bench:
	scripts/bootstrap
	cmake -S . -B build/bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DMARLIT_TESTS=OFF -DMARLIT_BENCH=ON
	cmake --build build/bench -j $(JOBS)
	@echo "benchmarks are in build/bench/bin/bench_*"

fuzz:
	scripts/bootstrap
	CC=clang CXX=clang++ cmake -S . -B build/fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMARLIT_TESTS=OFF -DMARLIT_FUZZ=ON
	cmake --build build/fuzz -j $(JOBS)
	@echo "fuzzers are in build/fuzz/bin/fuzz_*; run one with scripts/fuzz NAME SECONDS"

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build out
