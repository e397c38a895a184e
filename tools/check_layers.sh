#!/bin/sh
# Fails when a source file includes a header of a layer above its own.
# Layers, lowest first: support, exif (the reader), exif/format (the formatters), frontend.
# Usage: check_layers.sh SOURCE_DIR [STAMP_FILE]
root=${1:-.}
layer_of() {
    case "$1" in
    support/*) echo 0 ;;
    exif/format/*) echo 2 ;;
    exif/*) echo 1 ;;
    frontend/*) echo 3 ;;
    *) echo 9 ;;
    esac
}
status=0
cd "$root" || exit 1
for file in support/* exif/*.* exif/format/* frontend/*; do
    [ -f "$file" ] || continue
    own=$(layer_of "$file")
    for header in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file"); do
        [ "$(layer_of "$header")" -le "$own" ] && continue
        echo "$file includes $header, a layer above its own (support <- exif <- exif/format <- frontend)" >&2
        status=1
    done
done
[ $status -eq 0 ] && [ -n "$2" ] && : > "$2"
exit $status
