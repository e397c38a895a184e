#!/bin/sh
# The installed tool: builds the Debian package with CPack from a build folder, unpacks it
# into a temporary root with dpkg -x and runs the installed binary there; checks that the
# package holds the man page and the bash completion, and that the completion offers the
# options and the installed program's field names. Then installs the build with DESTDIR and
# a prefix, as `make install` does, and checks that `make uninstall` removes every file.
#
# Usage: package_test.sh BUILD_DIR SOURCE_DIR VERSION
# Exit status: 0 pass, 1 fail, 77 skipped (no cpack, dpkg-deb or bash).

set -u

skip=77
build_dir=${1:?usage: package_test.sh BUILD_DIR SOURCE_DIR VERSION}
source_dir=${2:?usage: package_test.sh BUILD_DIR SOURCE_DIR VERSION}
version=${3:?usage: package_test.sh BUILD_DIR SOURCE_DIR VERSION}

for tool in cpack dpkg dpkg-deb bash make; do
    if ! command -v $tool >/dev/null 2>&1; then
        echo "skipped: $tool not found"
        exit $skip
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tagsift-package-XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT INT TERM

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

# --- The package -----------------------------------------------------------------------------
if ! cpack --config "$build_dir/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack did not build the package"
    exit 1
fi
arch=$(dpkg --print-architecture)
deb="$work/out/tagsift_${version}_${arch}.deb"
if [ ! -f "$deb" ]; then
    ls "$work/out"
    echo "FAIL: no package named tagsift_${version}_${arch}.deb"
    exit 1
fi

[ "$(dpkg-deb -f "$deb" Package)" = tagsift ] || fail "package name is not tagsift"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
dpkg-deb -f "$deb" Depends | grep -q 'libc6' || fail "package does not depend on the C library"

root="$work/root"
dpkg -x "$deb" "$root" || exit 1
echo "package contents:"
(cd "$root" && find . -type f | sort) | tee "$work/files.txt"
printf '%s\n' ./usr/bin/tagsift ./usr/share/bash-completion/completions/tagsift \
    ./usr/share/man/man1/tagsift.1 >"$work/expected-files.txt"
cmp -s "$work/files.txt" "$work/expected-files.txt" || fail "the package holds other files than the three expected"

tagsift="$root/usr/bin/tagsift"
[ -x "$tagsift" ] || fail "the installed program is not executable"
banner=$("$tagsift" -v | sed -n 2p)
[ "$banner" = "tagsift V$version - 06-October-2001" ] || fail "installed tagsift -v prints '$banner'"
# The installed program reads a photo: the example with GPS data names its camera.
"$tagsift" "$source_dir/examples/gps-photo.jpg" >"$work/listing.txt" 2>&1 ||
    fail "installed tagsift ended with status $? on an example photo"
grep -q '^  Model  *: Canon PowerShot G1$' "$work/listing.txt" || fail "installed tagsift did not list the camera model"
cmp -s "$root/usr/share/man/man1/tagsift.1" "$source_dir/doc/tagsift.1" || fail "packaged man page differs from doc/tagsift.1"

# --- The bash completion of the package, with the installed program -------------------------
# Prints the completions of the words given, the last being the word under the cursor.
complete_words() {
    bash -c '
        . "$1" || exit 1
        program=$2
        shift 2
        COMP_WORDS=(tagsift "$@")
        COMP_CWORD=$#
        _tagsift "$program" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"
    ' complete_words "$root/usr/share/bash-completion/completions/tagsift" "$tagsift" "$@"
}
expect_completion() {
    expected=$1
    shift
    got=$(complete_words "$@" | sort | tr '\n' ' ')
    [ "$got" = "$expected " ] || fail "completion of 'tagsift $*': got '$got', expected '$expected'"
}
expect_completion "-a -c -d -e -f -h -l -o -q -r -t -u -v -x" -
expect_completion "d j l lh s" -o ""
expect_completion "c t" -qc ""
expect_completion "width" -f wid
expect_completion "file-name,make file-name,maker-note" -f file-name,mak
expect_completion "gps-lat-ref gps-latitude" -rf gps-la
expect_completion "lens-make lens-model" -ef lens-m
# Every catalogue name is offered after -f, the pseudo-fields included, and nothing else.
"$tagsift" -l | sed -n 's/^  \([a-z][a-z0-9-]*\)  *\(N\/A\|[0-9a-f]\{4\}\)  .*/\1/p' | sort >"$work/catalogue.txt"
complete_words -f "" | sort >"$work/offered.txt"
[ "$(wc -l <"$work/catalogue.txt")" -gt 200 ] || fail "the catalogue of the installed program looks empty"
grep -qx file-size "$work/offered.txt" || fail "the pseudo-field file-size is not offered"
cmp -s "$work/catalogue.txt" "$work/offered.txt" || fail "the names offered after -f are not the catalogue's"
# An attached argument (-ol) is complete: the next word is a file.
mkdir "$work/photos" && : >"$work/photos/one.jpg"
expect_completion "$work/photos/one.jpg" -ol "$work/photos/o"
expect_completion "@$work/photos/one.jpg" -f "@$work/photos/o"

# --- make install and make uninstall, with DESTDIR and PREFIX ----------------------------------
stage="$work/stage"
prefix=/opt/tagsift-test
if ! DESTDIR="$stage" cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    fail "cmake --install failed"
fi
for f in bin/tagsift share/man/man1/tagsift.1 share/bash-completion/completions/tagsift; do
    [ -f "$stage$prefix/$f" ] || fail "install put no $prefix/$f under DESTDIR"
done
make -s -C "$source_dir" uninstall PREFIX="$prefix" DESTDIR="$stage" >"$work/uninstall.log" 2>&1 ||
    fail "make uninstall failed: $(cat "$work/uninstall.log")"
left=$(find "$stage" -type f)
[ -z "$left" ] || fail "make uninstall left files behind: $left"

[ $failed -eq 0 ] && echo "PASS"
exit $failed
