#!/bin/sh
# Runs tagsift over the example photos in every output style and compares
# standard output, standard error and exit status with tests/expected/.
# Usage: expected_outputs.sh TAGSIFT EXAMPLES_DIR EXPECTED_DIR [--update]
tagsift=$1 examples=$2 expected=$3 update=$4
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
cp "$examples"/*.jpg "$work"/
cd "$work" || exit 1
set -- camera-with-thumbnail.jpg gps-photo.jpg motorola-order.jpg
failed=0
# style name, then the options
while read -r style options; do
    # shellcheck disable=SC2086
    "$tagsift" $options "$@" > out 2> err
    echo "status $?" > result
    cat out err result > "$style"
    if [ "$update" = --update ]; then
        cp "$style" "$expected/$style.txt"
    elif ! cmp -s "$style" "$expected/$style.txt"; then
        echo "FAIL: tagsift $options differs from $expected/$style.txt:"
        diff "$expected/$style.txt" "$style" | head -20
        failed=1
    fi
done <<STYLES
listing
raw -u
excel -x
raw-excel -u -x
list-header -o lh
list-tab -o l -c t
list-fields -o lh -f make,model,date-taken,gps-latitude,file-name,file-size
sql -o s
sql-fields -o s -f make,model,flash,gps-longitude,dir-name
json -o j
json-fields -o j -f make,model,date-taken,gps-latitude,file-name,file-size,exif-ver,x-res
sql-script-fields -o d -f file-name-full,file-name,file-size,make,exif-ver,f-number,width,height
sql-script -o d
json-all -o j -f all
thumbnails -t
STYLES
# The thumbnails written must be the ones stored in the photos.
if [ "$update" != --update ] && [ $failed -eq 0 ]; then
    cmp -s camera-with-thumbnail-th.jpg "$expected/camera-with-thumbnail-th.jpg" || {
        echo "FAIL: the thumbnail of camera-with-thumbnail.jpg differs"; failed=1; }
elif [ "$update" = --update ]; then
    cp camera-with-thumbnail-th.jpg "$expected/"
fi
[ $failed -eq 0 ] && echo "15 styles over 3 example photos: as expected"
exit $failed
