#!/usr/bin/env bash
# Checks the icon service against wrestool (icoutils) on real executables: for every .exe, .dll
# and .ocx under the given directories, the number and order of the icon groups must match
# wrestool's listing (stored order, first language of each name), and each group's images must
# equal, byte for byte and field by field, the ones in the .ico that wrestool rebuilds.
#
#   tests/icons/check_real_files.sh BUILD_DIR DIR...
# Not part of CTest: it needs real files and icoutils.
set -u
build=$1
shift
tool=$build/tests/icons/icon_check_tool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

files=0 groups=0 images=0 mismatches=0
check_file() {
    local file=$1
    # One line per (name, language); keep the first language of each name, in stored order (NE
    # files have no languages).
    wrestool -l -t14 "$file" 2>/dev/null | sed -n 's/^--type=14 \(--name=[^ ]*\)\( --language=[^ ]*\)\{0,1\} .*/\1\2/p' |
        awk '!seen[$1]++' >"$work/list"
    local expected ours
    expected=$(wc -l <"$work/list")
    ours=$("$tool" count "$file")
    files=$((files + 1))
    if [ "$expected" != "$ours" ]; then
        echo "MISMATCH $file: $ours icons, wrestool lists $expected"
        mismatches=$((mismatches + 1))
        return
    fi
    local index=0 name language
    while read -r name language; do
        eval "wrestool -x -t14 $name $language \"\$file\"" >"$work/group.ico" 2>/dev/null
        if out=$("$tool" compare "$file" "$index" "$work/group.ico"); then
            images=$((images + out))
        else
            echo "MISMATCH $file index $index ($name): $out"
            mismatches=$((mismatches + 1))
        fi
        groups=$((groups + 1))
        index=$((index + 1))
    done <"$work/list"
}

for dir in "$@"; do
    while IFS= read -r -d '' file; do
        check_file "$file"
    done < <(find "$dir" -maxdepth 1 -type f \( -iname '*.exe' -o -iname '*.dll' -o -iname '*.ocx' \) -print0 | sort -z)
done
echo "files checked: $files, groups: $groups, images: $images, mismatches: $mismatches"
[ "$mismatches" -eq 0 ]
