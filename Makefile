# Thin wrapper around CMake. `make` builds build/tagsift; `make test` runs every test.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build test test-asan demo examples clean fuzz fuzz-regress

all: build

build:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS)

test: build
	ctest --test-dir build --output-on-failure -j $(JOBS)

# Lists the example photos; builds the program alone, not the tests.
demo:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS) --target tagsift
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

# Fuzzing (clang, libFuzzer, ASan+UBSan, folder build-fuzz): `make fuzz` runs
# each target for FUZZ_SECONDS seconds (default 600); `make fuzz-regress` runs
# the regression corpus fuzz/regress/ once through the targets.
FUZZ_SECONDS ?= 600
fuzz:
	FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) sh fuzz/fuzz.sh run

fuzz-regress:
	JOBS=$(JOBS) sh fuzz/fuzz.sh regress

# Mutation testing (tools/mutate.py): plants MUTANTS small faults drawn with SEED, one at a
# time, and reports how many the tests catch. Example: `make mutate MUTANTS=20 SEED=12`;
# `make mutate AGAIN=LOG` plants once more the survivors an earlier run printed to LOG.
MUTANTS ?= 45
SEED ?= 11
.PHONY: mutate
mutate:
	python3 tools/mutate.py $(if $(AGAIN),--again $(AGAIN),--count $(MUTANTS) --seed $(SEED)) --jobs $(JOBS)

clean:
	rm -rf build build-asan build-mutate

# Installs build/tagsift, its man page and bash completion under $(DESTDIR)$(PREFIX); `make package`
# builds the Debian package build/tagsift_<version>_<arch>.deb.
PREFIX ?= /usr/local

.PHONY: install uninstall package

install: build
	DESTDIR="$(DESTDIR)" cmake --install build --prefix "$(PREFIX)"

# The paths of the install rules in CMakeLists.txt; folders are left in place.
uninstall:
	rm -f "$(DESTDIR)$(PREFIX)/bin/tagsift" \
	      "$(DESTDIR)$(PREFIX)/share/man/man1/tagsift.1" \
	      "$(DESTDIR)$(PREFIX)/share/bash-completion/completions/tagsift"

package: build
	cmake --build build --target package

# Speed benchmark: writes BENCH_FILES photo-like files (default 5000) into a temporary folder and
# times tagsift against reading the same bytes and against the other EXIF tools installed
# (bench/bench.sh says more). Example: `make bench BENCH_FILES=50000 BENCH_REPS=3`.
BENCH_FILES ?= 5000
BENCH_REPS ?= 5

.PHONY: bench

bench: build
	cmake -S bench -B build/bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build/bench -j $(JOBS)
	BENCH_FILES=$(BENCH_FILES) BENCH_REPS=$(BENCH_REPS) bash bench/bench.sh build/tagsift build/bench
