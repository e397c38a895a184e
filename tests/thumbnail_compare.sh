#!/bin/sh
# Holds the thumbnails that `tagsift -t` writes against those that exiftool extracts from IFD1
# (`exiftool -b -IFD1:ThumbnailImage`), on copies of the shared camera samples. Every sample must
# come out the same from both (an identical, non-empty thumbnail, or none from either) unless it
# is on the list of known differences, with the kind of difference the list gives. A listed sample
# that no longer differs in that way fails too, so the list stays true.
#
# Usage: thumbnail_compare.sh TAGSIFT_BINARY SAMPLES_DIR KNOWN_DIFFERENCES
# Exit status: 0 pass, 1 fail, 77 skipped (no samples folder or no exiftool).
#
# Kinds of difference:
#   only-tagsift   tagsift writes a thumbnail, exiftool extracts none
#   only-exiftool  exiftool extracts a thumbnail, tagsift writes none
#   differs        both extract one, with different bytes

set -u

skip=77
binary=${1:?usage: thumbnail_compare.sh TAGSIFT_BINARY SAMPLES_DIR KNOWN_DIFFERENCES}
samples=${2:?}
known=${3:?}

if [ ! -d "$samples" ]; then
    echo "skipped: no samples folder at $samples"
    exit $skip
fi
if ! command -v exiftool >/dev/null 2>&1; then
    echo "skipped: exiftool not found"
    exit $skip
fi
case $binary in
    /*) ;;
    *) binary=$(pwd)/$binary ;;   # each run below changes directory
esac
case $known in
    /*) ;;
    *) known=$(pwd)/$known ;;
esac

work=$(mktemp -d "${TMPDIR:-/tmp}/tagsift-thumbs-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT INT TERM

# The copies are written into, never the samples: their folders may lack write permission.
mkdir "$work/files"
cp -R "$samples/." "$work/files/" || exit 1
chmod -R u+w "$work/files"
cd "$work/files" || exit 1
find . -type f \( -iname '*.jpg' -o -iname '*.jpeg' \) | sed 's|^\./||' | sort >"$work/samples.txt"

# exiftool's thumbnails as NAME.ref beside each copy; it writes none when it extracts nothing.
exiftool -q -q -b -IFD1:ThumbnailImage -w '%d%f.%e.ref' -r . >/dev/null 2>&1

failed=0
same=0
neither=0
explained=0
total=0
: >"$work/outcomes.txt"
while IFS= read -r sample; do
    total=$((total + 1))
    case $sample in
        */*) dir=${sample%/*} base=${sample##*/} ;;
        *) dir=. base=$sample ;;
    esac
    (cd "$dir" && timeout 10 "$binary" -t -q "$base" >/dev/null 2>&1)
    status=$?
    if [ $status -ne 0 ] && [ $status -ne 8 ]; then
        echo "FAIL: $sample: tagsift -t ended with status $status"
        failed=$((failed + 1))
    fi
    thumbnail="$dir/${base%.*}-th.${base##*.}"
    reference="$sample.ref"
    if [ -s "$reference" ] && [ -f "$thumbnail" ]; then
        if cmp -s "$reference" "$thumbnail"; then kind=same; else kind=differs; fi
    elif [ -s "$reference" ]; then
        kind=only-exiftool
    elif [ -f "$thumbnail" ]; then
        kind=only-tagsift
    else
        kind=neither
    fi
    echo "$sample $kind" >>"$work/outcomes.txt"
done <"$work/samples.txt"

# Known differences: "PATH KIND REASON..." per line, paths relative to the samples folder. Each
# outcome gets the listed kind, or "-", as a third word.
awk 'NR == FNR { if ($0 !~ /^#/ && NF > 0 && !($1 in kind)) kind[$1] = $2; next }
     { print $1, $2, ($1 in kind) ? kind[$1] : "-" }' "$known" "$work/outcomes.txt" >"$work/judged.txt" || exit 1

while read -r sample kind listed; do
    case $kind in
        same) same=$((same + 1)) ;;
        neither) neither=$((neither + 1)) ;;
    esac
    if [ "$listed" != - ]; then
        if [ "$listed" = "$kind" ]; then
            explained=$((explained + 1))
        else
            echo "FAIL: $sample is listed as $listed but comes out $kind"
            failed=$((failed + 1))
        fi
    elif [ "$kind" != same ] && [ "$kind" != neither ]; then
        echo "FAIL: $sample: $kind (not a known difference)"
        failed=$((failed + 1))
    fi
done <"$work/judged.txt"

# A listed sample that is no longer among the samples.
for sample in $(awk '$0 !~ /^#/ && NF > 0 { print $1 }' "$known"); do
    if ! grep -qxF "$sample" "$work/samples.txt"; then
        echo "FAIL: $sample is listed but not among the samples"
        failed=$((failed + 1))
    fi
done

echo "$total samples: $same identical thumbnails, $neither without a thumbnail from either tool," \
     "$explained known differences, $failed failures"
[ $failed -eq 0 ]
