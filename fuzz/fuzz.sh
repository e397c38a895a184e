#!/bin/sh
# Builds the fuzz targets (clang, libFuzzer, ASan+UBSan) and then either
#   fuzz.sh run      fuzzes each target for FUZZ_SECONDS (default 600) seconds,
#                    one worker at a time, from the generated seeds and the
#                    corpus kept in the build folder;
#   fuzz.sh regress  runs every file of fuzz/regress/<target>/ once through
#                    its target and fails on any sanitizer report or crash.
# FUZZ_BUILD names the build folder (default build-fuzz).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-600}
targets="per_file_fuzzer field_list_fuzzer packet_fuzzer"

cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++}" >/dev/null
cmake --build "$build" -j "${JOBS:-2}"
# The targets work in a scratch folder of their own: every path they get is absolute.
build=$(cd "$build" && pwd)

case "${1:-}" in
run)
    rm -rf "$build/seeds"
    "$build/make_seeds" "$build/seeds"
    # Real files of every container, where the shared samples are at hand,
    # read with -e (the second byte's top bit); never copied into the project.
    for folder in samples-modern samples-containers; do
        [ -d "$root/../shared/$folder" ] || continue
        for f in "$root/../shared/$folder"/*; do
            case "$f" in *.md) continue ;; esac
            { printf '\000\200'; cat "$f"; } >"$build/seeds/per_file_fuzzer/${folder}_$(basename "$f")"
        done
    done
    mkdir -p "$build/artifacts"
    for t in $targets; do
        mkdir -p "$build/corpus/$t"
        "$build/$t" "$build/corpus/$t" "$build/seeds/$t" \
            -dict="$root/fuzz/tagsift.dict" -max_len=12000 -timeout=10 -rss_limit_mb=2048 \
            -max_total_time="$seconds" -print_final_stats=1 -report_slow_units=1 \
            -artifact_prefix="$build/artifacts/$t-"
    done
    ;;
regress)
    count=0
    for t in $targets; do
        dir="$root/fuzz/regress/$t"
        [ -d "$dir" ] || continue
        files=$(find "$dir" -type f | sort)
        [ -n "$files" ] || continue
        # One process over the files in name order, as the fuzzer runs them:
        # state left by one input meets the next. Freed memory is scribbled
        # so that a stale stream or buffer fails at once.
        # shellcheck disable=SC2086  # one argument per file; names have no blanks
        ASAN_OPTIONS=max_free_fill_size=4096:free_fill_byte=165 "$build/$t" -timeout=10 -rss_limit_mb=2048 $files 2>"$build/regress-$t.log" ||
            { tail -n 60 "$build/regress-$t.log"; echo "fuzz-regress: $t failed"; exit 1; }
        n=$(echo "$files" | wc -l)
        echo "fuzz-regress: $t ran $n files"
        count=$((count + n))
    done
    [ "$count" -gt 0 ] || { echo "fuzz-regress: no regression files"; exit 1; }
    ;;
*)
    echo "usage: fuzz.sh run|regress" >&2
    exit 2
    ;;
esac
