#!/usr/bin/env bash
# A user checks a downloaded Orvendal.exe by building the tag's source wherever they
# unpacked it; that only works if the folder leaves no trace in the bytes. So the
# launcher is built again from a copy of the source in another folder, with another
# build folder, and must equal the one under test byte for byte.
# Usage: check_reproducible.sh SOURCE_DIR BUILT_EXE GENERATOR TOOLCHAIN_FILE BUILD_TYPE PORTAL_HOST
set -euo pipefail
src=$1 built=$2 generator=$3 toolchain=$4 build_type=$5 portal_host=$6

work=$(mktemp -d "${TMPDIR:-/tmp}/orvendal-again.XXXXXX")
trap 'rm -rf "$work"' EXIT
copy=$work/source-copy

# What a commit would hold plus what is not committed yet, without the build folders
# or the repository; a tree that is no git checkout is copied whole, less those.
mkdir -p "$copy"
if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$src" && git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' f; do if [ -e "$f" ]; then printf '%s\0' "$f"; fi; done |
        tar --null -T - -cf -) | tar -xf - -C "$copy"
else
    (cd "$src" && tar --exclude=./build --exclude=./.git -cf - .) | tar -xf - -C "$copy"
fi

toolchain_option=()
case $toolchain in
    "") ;;
    "$src"/*) toolchain_option=(-DCMAKE_TOOLCHAIN_FILE="$copy/${toolchain#"$src"/}") ;;
    *) toolchain_option=(-DCMAKE_TOOLCHAIN_FILE="$toolchain") ;;
esac

echo "building the launcher again in $work"
cmake -S "$copy" -B "$work/other-build" -G "$generator" "${toolchain_option[@]}" \
      -DCMAKE_BUILD_TYPE="$build_type" -DORVENDAL_PORTAL_HOST="$portal_host" >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; echo "FAIL: the copy of the source did not configure"; exit 1; }
cmake --build "$work/other-build" --target Orvendal >"$work/build.log" 2>&1 ||
    { cat "$work/build.log"; echo "FAIL: the copy of the source did not build"; exit 1; }
again=$work/other-build/Orvendal.exe

sha256sum "$built" "$again"
if ! cmp -s "$built" "$again"; then
    echo "FAIL: Orvendal.exe is not reproducible: a build of the same source in another folder differs"
    echo "$(cmp -l "$built" "$again" 2>/dev/null | wc -l) bytes differ; the first (offset from 1, octal values):"
    cmp -l "$built" "$again" 2>&1 | head -20
    echo "(if the source changed since $built was built, build it again first)"
    exit 1
fi
echo "same bytes: the build does not depend on its folder"
