# Thin wrapper around CMake. `make` builds build/tagsift; `make test` runs every test.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build test test-asan demo examples clean

all: build

build:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS)

test: build
	ctest --test-dir build --output-on-failure -j $(JOBS)

# Lists the example photos.
demo: build
	./build/tagsift examples/*.jpg

# Regenerates the example photos with the test fixture builder.
examples: build
	./build/tests/make_examples examples

# The same tests under AddressSanitizer + UndefinedBehaviorSanitizer.
test-asan:
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTAGSIFT_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir build-asan --output-on-failure -j $(JOBS)

clean:
	rm -rf build build-asan
