#!/bin/sh
# Heap use must not grow with the number of files read: tagsift works in fixed areas, so the only
# allocations that may come per file are the C library's own for opening the file (one FILE per
# fopen). Runs tagsift under valgrind over 10 and over 60 files (copies of the project's
# examples/*.jpg and of a small EXIF JPEG written here, taken in turn), compares the allocation
# counts of valgrind's heap summary, and requires every allocation to be freed; in the readable
# listing, in the typed styles (-o j, -o d, -o j -f all), and with -e, which also parses the XMP
# packet of the written JPEG.
#
# Usage: heap_check.sh TAGSIFT_BINARY [SANITIZED]
#   SANITIZED: 1/ON/TRUE when the binary is built with sanitizers (valgrind cannot run it): skip.
# Exit status: 0 pass, 1 fail, 77 skipped.

set -u

skip=77
binary=${1:?usage: heap_check.sh TAGSIFT_BINARY [SANITIZED]}
sanitized=${2:-0}

small=10
large=60
allowed_per_file=1    # the FILE that fopen allocates

case $sanitized in
    1|ON|on|TRUE|true|YES|yes)
        echo "skipped: sanitizer build, valgrind cannot run it"
        exit $skip ;;
esac
if ! command -v valgrind >/dev/null 2>&1; then
    echo "skipped: valgrind not found"
    exit $skip
fi
case $binary in
    /*) ;;
    *) binary=$(pwd)/$binary ;;   # the runs below change directory
esac
if [ ! -x "$binary" ]; then
    echo "FAIL: no program at $binary"
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tagsift-heap-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT INT TERM

# A JPEG whose APP1 segment holds a little-endian TIFF header and IFD0 with one entry:
# Make (0x010F), ASCII, 6 bytes at TIFF offset 26: "Probe\0".
printf '\377\330' > "$work/one.jpg"                                # SOI
printf '\377\341\000\050Exif\000\000' >> "$work/one.jpg"           # APP1, length 40
printf 'II\052\000\010\000\000\000' >> "$work/one.jpg"             # TIFF header, IFD0 at 8
printf '\001\000' >> "$work/one.jpg"                               # one entry
printf '\017\001\002\000\006\000\000\000\032\000\000\000' >> "$work/one.jpg"
printf '\000\000\000\000' >> "$work/one.jpg"                       # no next IFD
printf 'Probe\000' >> "$work/one.jpg"
# APP1 with an XMP packet (read with -e): signature, NUL, a title in a language alternative.
xmp='<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#"><rdf:Description xmlns:dc="http://purl.org/dc/elements/1.1/"><dc:title><rdf:Alt><rdf:li xml:lang="x-default">Probe</rdf:li></rdf:Alt></dc:title></rdf:Description></rdf:RDF></x:xmpmeta>'
xmp_length=$((2 + 29 + ${#xmp}))
printf '\377\341' >> "$work/one.jpg"
printf "\\$(printf %o $((xmp_length / 256)))\\$(printf %o $((xmp_length % 256)))" >> "$work/one.jpg"
printf 'http://ns.adobe.com/xap/1.0/\000%s' "$xmp" >> "$work/one.jpg"
printf '\377\331' >> "$work/one.jpg"                               # EOI

# The fixtures: the written file first, then the project's examples if there are any.
examples_dir=$(cd "$(dirname "$0")/.." && pwd)/examples
set -- "$work/one.jpg"
for example in "$examples_dir"/*.jpg; do
    [ -f "$example" ] && set -- "$@" "$example"
done
fixture_count=$#
echo "fixtures: $fixture_count ($((fixture_count - 1)) from examples/)"

# f1.jpg .. f60.jpg cycle through the fixtures, so the 10- and the 60-file runs read the same mix.
mkdir "$work/files" || exit 1
i=1
while [ $i -le $large ]; do
    n=$(( (i - 1) % fixture_count + 1 ))
    eval "fixture=\${$n}"
    cp "$fixture" "$work/files/f$i.jpg" || exit 1
    i=$((i + 1))
done

# Runs tagsift under valgrind, with the options in $style, over f1.jpg .. fN.jpg; sets allocs and
# frees from the heap summary.
measure() {
    count=$1
    set -- $style
    i=1
    while [ $i -le "$count" ]; do
        set -- "$@" "f$i.jpg"
        i=$((i + 1))
    done
    log="$work/valgrind-$count.log"
    out="$work/out-$count.txt"
    err="$work/err-$count.txt"
    (cd "$work/files" && valgrind --error-exitcode=99 --log-file="$log" "$binary" "$@" >"$out" 2>"$err")
    status=$?
    if [ $status -ne 0 ]; then
        echo "FAIL: tagsift over $count files ended with status $status (99: valgrind found memory errors)"
        cat "$log" "$err"
        exit 1
    fi
    # Every file must have been read (a listing or record, or the reader's error for a file
    # without EXIF data), or the counts measure less than the whole run.
    case $style in
        "" | -e) listed=$(grep -c '^FILE: f[0-9]*\.jpg$' "$out") ;;
        *"-o d"*) listed=$(grep -c "^    VALUES ('f[0-9]*\.jpg'" "$out") ;;
        *) listed=$(grep -c '^{"file_name_full":"f[0-9]*\.jpg"' "$out") ;;
    esac
    refused=0  # the typed styles write a record for a refused file too
    [ -z "$style" ] && refused=$(grep -c '^Error: Error while extracting EXIF fields' "$err")
    [ "$style" = -e ] && refused=$(grep -c '^\(Error\|Warning\): f[0-9]*\.jpg: .*EXIF' "$err")
    if [ $((listed + refused)) -ne "$count" ]; then
        echo "FAIL: over $count files, $listed were listed and $refused refused"
        tail -5 "$err"
        exit 1
    fi
    # Every copy of the written fixture (f1, f(1 + fixtures), ...) shows its Make.
    if [ "$(grep -c 'Make *: Probe$\|"Probe"\|'"'Probe'" "$out")" -ne $(( (count - 1) / fixture_count + 1 )) ]; then
        echo "FAIL: the written fixture's Make field was not printed for each of its copies"
        exit 1
    fi
    summary=$(grep 'total heap usage:' "$log")
    if [ -z "$summary" ]; then
        echo "FAIL: no heap summary in valgrind's log"
        cat "$log"
        exit 1
    fi
    # "==PID==   total heap usage: 1,234 allocs, 1,234 frees, 5,678 bytes allocated"
    allocs=$(echo "$summary" | sed 's/.*usage: *\([0-9,]*\) allocs.*/\1/' | tr -d ,)
    frees=$(echo "$summary" | sed 's/.*allocs, *\([0-9,]*\) frees.*/\1/' | tr -d ,)
    echo "$count files: $allocs allocs, $frees frees"
}

failed=0
# The readable listing, the typed styles (the records of files that fail included), and extended
# reading (-e), which also parses the XMP packet (expat in a fixed area).
for style in "" "-o j" "-o d" "-o j -f all" "-e"; do
    echo "${style:-listing}:"
    measure $small
    allocs_small=$allocs
    frees_small=$frees
    measure $large
    allocs_large=$allocs
    frees_large=$frees

    extra_files=$((large - small))
    extra_allocs=$((allocs_large - allocs_small))
    echo "extra allocations for $extra_files extra files: $extra_allocs (allowed: $((allowed_per_file * extra_files)))"
    # Compared exactly, not as a rounded-down quotient.
    if [ $extra_allocs -gt $((allowed_per_file * extra_files)) ]; then
        echo "FAIL: more than $allowed_per_file allocation(s) per file"
        failed=1
    fi
    if [ "$allocs_small" -ne "$frees_small" ] || [ "$allocs_large" -ne "$frees_large" ]; then
        echo "FAIL: allocations left unfreed"
        failed=1
    fi
done
[ $failed -eq 0 ] && echo "PASS"
exit $failed
