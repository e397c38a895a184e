#!/bin/sh
# Runs every example of the README's section "JSON Lines and SQL scripts" as written: each command
# line of its indented block, in order, in a folder that holds Pictures/ (the example photos, one
# of them in a subfolder, a JPEG file without EXIF data and a file that is no photo). Each must end with status 0 and print no
# message; the queries must print something.
# Usage: readme_examples.sh TAGSIFT README EXAMPLES_DIR. Exit 0 pass, 1 fail, 77 without sqlite3 or jq.
tagsift=$1 readme=$2 examples=$3
for tool in sqlite3 jq; do
    command -v $tool >/dev/null 2>&1 || { echo "skipped: $tool not found"; exit 77; }
done
case $tagsift in /*) ;; *) tagsift=$(pwd)/$tagsift ;; esac
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/Pictures/2001"
ln -s "$tagsift" "$work/bin/tagsift"
cp "$examples"/*.jpg "$work/Pictures/"
mv "$work/Pictures/motorola-order.jpg" "$work/Pictures/2001/"
echo "not a photo" > "$work/Pictures/notes.txt"
printf '\377\330\377\340\000\020JFIF\000\001\001\000\000\001\000\001\000\000\377\331' >"$work/Pictures/2001/blank.jpg"  # a JPEG file without EXIF data
sed -n '/^## JSON Lines and SQL scripts/,/^## /p' "$readme" | sed -n 's/^    \(tagsift .*\|sqlite3 .*\)$/\1/p' > "$work/examples"
count=$(wc -l < "$work/examples")
[ "$count" -ge 5 ] || { echo "FAIL: only $count examples found"; exit 1; }
failed=0
while IFS= read -r example; do
    (cd "$work" && PATH="$work/bin:$PATH" sh -c "$example" > "$work/out" 2> "$work/err")
    status=$?
    case $example in *"|"*sqlite3*) quiet=1 ;; *) quiet=0 ;; esac
    if [ $status -ne 0 ] || [ -s "$work/err" ] || { [ $quiet -eq 0 ] && [ ! -s "$work/out" ]; }; then
        echo "FAIL (status $status): $example"
        cat "$work/err"
        failed=1
    fi
done < "$work/examples"
[ $failed -eq 0 ] && echo "$count README examples ran"
exit $failed
