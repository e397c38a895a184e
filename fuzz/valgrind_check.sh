#!/bin/sh
# Valgrind memcheck of the built program over the example photos and the
# regression corpus of the per-file fuzz target (each file stripped of its two
# option bytes). Fails on any memcheck error or leak (memory still reachable
# at the status-8 stop, the open input stream, is not a leak).
#   sh fuzz/valgrind_check.sh build-dir/tagsift
# Files that read to completion go through in one run per output style; a file
# that ends in the status-8 stop ends its run, so those run one by one, in the
# readable listing and raw styles.
set -eu
bin=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
command -v valgrind >/dev/null || { echo "valgrind_check: no valgrind"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root"/examples/*.jpg "$work/"
for f in "$root"/fuzz/regress/per_file_fuzzer/*; do
    tail -c +3 "$f" > "$work/regress-$(basename "$f").jpg"
done
cd "$work"
complete=""
stopping=""
for f in ./*.jpg; do
    if "$bin" -q "$f" >/dev/null 2>&1; then complete="$complete $f"; else stopping="$stopping $f"; fi
done

runs=0
memcheck() {
    status=0
    valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect,possible \
        "$bin" "$@" >/dev/null 2>"$work/err" || status=$?
    if [ "$status" -ne 0 ] && [ "$status" -ne 8 ]; then
        echo "valgrind_check: tagsift $*: status $status"
        grep -v '^Warning: ' "$work/err" | head -n 60
        exit 1
    fi
    runs=$((runs + 1))
}

# shellcheck disable=SC2086  # the lists are names without blanks
for style in "-d" "-u" "-x" "-q" "-olh" "-os" "-t" "-ol -ct -x"; do
    memcheck $style $complete
done
for f in $stopping; do
    memcheck "$f"
    memcheck -u "$f"
done
echo "valgrind_check: $runs runs ($(echo $complete | wc -w) complete files in 8 styles," \
     "$(echo $stopping | wc -w) stopping files in 2), no memcheck error or leak"
