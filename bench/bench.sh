#!/usr/bin/env bash
# Speed of tagsift over a large tree of photos, against the bare cost of
# reading the files and against other EXIF tools (`make bench`).
#
# Writes BENCH_FILES photo-like JPEG files (default 5000) into a temporary
# folder, runs every command once to warm the cache, then BENCH_REPS rounds
# (default 5) in which each command runs once in turn, and prints the median
# time of each: files per second, time against the read floor, time of each
# other tool against tagsift, and the peak resident memory (/usr/bin/time -v).
# Output goes to /dev/null. Tools that are not installed are left out; a tool
# whose first run takes more than BENCH_SLOW_SECONDS (default 20) runs in at
# most BENCH_SLOW_REPS rounds (default 3).
#
# Usage: bench.sh TAGSIFT_BINARY HELPER_DIR
#   HELPER_DIR holds make_tree and read_floor (bench/CMakeLists.txt).
# Environment: BENCH_FILES, BENCH_REPS, BENCH_SLOW_SECONDS, BENCH_SLOW_REPS,
#   BENCH_DIR (parent of the temporary folder; default $TMPDIR or /tmp),
#   BENCH_KEEP=1 keeps the tree, BENCH_COLD=0 leaves out the second table:
#   the same rounds with the tree's files dropped from the page cache before
#   every run (posix_fadvise, no root needed; drop_cache), as a first scan of
#   an archive meets them.
set -u

tagsift=${1:?usage: bench.sh TAGSIFT_BINARY HELPER_DIR}
helpers=${2:?usage: bench.sh TAGSIFT_BINARY HELPER_DIR}
files=${BENCH_FILES:-5000}
reps=${BENCH_REPS:-5}
slow_seconds=${BENCH_SLOW_SECONDS:-20}
slow_reps=${BENCH_SLOW_REPS:-3}

absolute() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
tagsift=$(absolute "$tagsift")
helpers=$(absolute "$helpers")
for program in "$tagsift" "$helpers/make_tree" "$helpers/read_floor" "$helpers/drop_cache"; do
    if [ ! -x "$program" ]; then
        echo "bench: no program at $program" >&2
        exit 1
    fi
done
if [ ! -x /usr/bin/time ]; then
    echo "bench: /usr/bin/time is needed for the memory column (Debian package: time)" >&2
    exit 1
fi

tree=$(mktemp -d "${BENCH_DIR:-${TMPDIR:-/tmp}}/tagsift-bench-XXXXXX") || exit 1
if [ "${BENCH_KEEP:-0}" != 1 ]; then
    trap 'rm -rf "$tree" "$tree.time"' EXIT
    trap 'exit 130' INT TERM
fi

echo "Writing $files photos into $tree ..."
"$helpers/make_tree" "$tree" "$files" || exit 1
cd "$tree" || exit 1
# Relative names keep the argument list of the tools that take files, not
# folders, within the system's limit (about 80000 files).
mapfile -t photos < <(find . -name '*.jpg' | sort)

# Commands: label, then the command line.
labels=()
commands=()
add() {
    labels+=("$1")
    commands+=("$2")
}
add "read floor (128 KiB per file)" "$helpers/read_floor ."
add "tagsift -r (readable)" "$tagsift -r ."
add "tagsift -r -o l (list)" "$tagsift -r -o l ."
add "tagsift -r -o s (SQL)" "$tagsift -r -o s ."
add "tagsift -r -o j (JSON Lines)" "$tagsift -r -o j ."
add "tagsift -r -o d (SQL script)" "$tagsift -r -o d ."
add "tagsift -e -r (extended)" "$tagsift -e -r ."
add "tagsift -e -r -o l" "$tagsift -e -r -o l ."
add "tagsift -o l, file arguments" "$tagsift -o l \"\${photos[@]}\""
add "sequential 16 KiB per file" "$helpers/read_floor -b 16384 ."
first_other=${#commands[@]}
if command -v jhead >/dev/null; then add "jhead" "jhead \"\${photos[@]}\""; fi
if command -v exif >/dev/null; then add "exif (libexif)" "exif \"\${photos[@]}\""; fi
if command -v exiv2 >/dev/null; then add "exiv2 -pa" "exiv2 -pa \"\${photos[@]}\""; fi
if command -v exiftool >/dev/null; then
    add "exiftool -fast2 -r" "exiftool -fast2 -r ."
    add "exiftool -r" "exiftool -r ."
fi
count=${#commands[@]}

# Runs command i once with its output discarded; prints the seconds it took.
# In a cold round the tree's files are first dropped from the page cache.
run_timed() {
    local start end
    [ "$cold" = 1 ] && "$helpers/drop_cache" .
    start=$EPOCHREALTIME
    eval "${commands[$1]}" >/dev/null 2>&1
    end=$EPOCHREALTIME
    echo "$start $end" | awk '{ printf "%.6f\n", $2 - $1 }'
}

# Peak resident memory in KiB from /usr/bin/time -v's report in a file.
peak_of() { awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }' "$1" | tail -1; }

# The warm-up runs each command once under /usr/bin/time -v: its peak memory,
# and whether it is slow enough to run in fewer rounds.
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "Warm-up: each command once ..."
declare -a samples slow peaks
report=$tree.time
for ((i = 0; i < count; i++)); do
    start=$EPOCHREALTIME
    eval "/usr/bin/time -v ${commands[$i]}" >/dev/null 2>"$report"
    end=$EPOCHREALTIME
    peaks[i]=$(peak_of "$report")
    slow[i]=$(awk -v s="$start" -v e="$end" -v limit="$slow_seconds" 'BEGIN { print (e - s > limit) ? 1 : 0 }')
    samples[i]=""
done
if ! "$tagsift" -r . >/dev/null 2>&1; then
    echo "bench: tagsift -r ended with an error" >&2
    exit 1
fi

# One table: the median of the rounds of each command, cached or cold.
time_and_report() {
    local mode=$1
    echo "Timing ($mode): $reps rounds ..."
    for ((i = 0; i < count; i++)); do samples[i]=""; done
    for ((round = 1; round <= reps; round++)); do
        for ((i = 0; i < count; i++)); do
            if [ "${slow[i]}" = 1 ] && [ "$round" -gt "$slow_reps" ]; then
                continue
            fi
            samples[i]="${samples[i]} $(run_timed "$i")"
        done
    done
    for ((i = 0; i < count; i++)); do
        medians[i]=$(echo "${samples[i]}" | median)
    done
    load_after=$(cut -d' ' -f1-3 /proc/loadavg)
    echo
    echo "tagsift speed: $files files ($(du -sh --apparent-size . | cut -f1) apparent, $(du -sh . | cut -f1) on disk), $mode,"
    echo "median of $reps interleaved rounds (slow tools: $slow_reps); $(nproc) cores; load average $load_before before, $load_after after"
    echo
    printf "%-30s %10s %10s %12s %12s %11s %9s\n" "command" "seconds" "files/s" "x floor" "x tagsift" "x -o l" "peak RSS"
    for ((i = 0; i < count; i++)); do
        awk -v label="${labels[i]}" -v t="${medians[i]}" -v floor="${medians[0]}" -v readable="${medians[1]}" \
            -v list="${medians[2]}" -v files="$files" -v kib="${peaks[i]}" -v i="$i" -v other="$first_other" 'BEGIN {
            against_tagsift = (i >= other) ? sprintf("%.2f", t / readable) : "-"
            against_list = (i >= other) ? sprintf("%.2f", t / list) : "-"
            printf "%-30s %10.4f %10.0f %12.2f %12s %11s %6.1f MiB\n", label, t, files / t, t / floor, against_tagsift, against_list, kib / 1024
        }'
    done
}

median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

declare -a medians
# tagsift over the first folder alone (500 files): its memory must not grow with the tree.
/usr/bin/time -v "$tagsift" -r d000 >/dev/null 2>"$report"
subset_peak=$(peak_of "$report")
subset_files=$(find d000 -name '*.jpg' | wc -l)
rm -f "$report"

cold=0
time_and_report "warm cache"
if [ "${BENCH_COLD:-1}" = 1 ]; then
    echo
    cold=1
    time_and_report "cold: the tree dropped from the page cache before every run"
fi
awk -v kib="$subset_peak" -v n="$subset_files" 'BEGIN { printf "%-30s %10s %10s %12s %12s %11s %6.1f MiB\n", "tagsift -r, " n " files", "", "", "", "", "", kib / 1024 }'
echo
echo "x floor: time against the read floor (below 1: faster than reading 128 KiB of every file)."
echo "x tagsift, x -o l: the tool's time against tagsift -r and tagsift -r -o l (above 1: tagsift is faster)."
