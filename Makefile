# Gyrovant build entry points. Each target installs what is missing first.
#   make run    build and start the program
#   make test   build with sanitizers and run every test suite
#   make bench  build Release and run the benchmarks
#   make fuzz   build the libFuzzer targets with clang and run each for FUZZ_SECONDS
#   make soak   the controller soak test with SOAK_EVENTS random events, sanitized

FUZZ_SECONDS ?= 60
SOAK_EVENTS ?= 100000
JOBS ?= $(shell nproc)
GEN := -G Ninja

.PHONY: deps run build test bench fuzz soak format clean

deps:
	@bash scripts/install-deps

build: deps
	cmake -S . -B build/release $(GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGYR_TESTS=OFF -DGYR_BENCH=OFF
	cmake --build build/release -j $(JOBS) --target gyrovant

run: build
	./build/release/gyrovant $(ARGS)

test: deps
	cmake -S . -B build/test $(GEN) -DCMAKE_BUILD_TYPE=Debug -DGYR_SANITIZE=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build/bench $(GEN) -DCMAKE_BUILD_TYPE=Release -DGYR_TESTS=OFF
	cmake --build build/bench -j $(JOBS)
	@for b in build/bench/bench/bench_*; do \
	  [ -x "$$b" ] || continue; echo "== $$b"; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

fuzz: deps
	CXX=clang++ cmake -S . -B build/fuzz $(GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGYR_FUZZ=ON -DGYR_SANITIZE=ON
	cmake --build build/fuzz -j $(JOBS)
	@for f in build/fuzz/tests/fuzz/fuzz_*; do \
	  [ -x "$$f" ] || continue; name=$$(basename $$f); mkdir -p fuzz-out/$$name; \
	  dict=tests/fuzz/$$name.dict; [ -f $$dict ] && dict=-dict=$$dict || dict=; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  leaks=1; [ $$name = fuzz_render ] && leaks=0; \
	  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=$$leaks \
	  $$f -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=64 \
	    -print_final_stats=1 $$dict fuzz-out/$$name tests/fuzz/corpus/$$name || exit 1; done

soak: deps
	cmake -S . -B build/test $(GEN) -DCMAKE_BUILD_TYPE=Debug -DGYR_SANITIZE=ON
	cmake --build build/test -j $(JOBS) --target gyr_control_tests
	GYR_SOAK_EVENTS=$(SOAK_EVENTS) ./build/test/tests/gyr_control_tests --gtest_filter='SoakTest.*'

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build fuzz-out
