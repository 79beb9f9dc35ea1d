#!/bin/sh
# Saves every icon of every file of a directory with quorvane-icons and compares each saved .ico,
# byte for byte, with wrestool's extraction of the same icon group (the groups in stored order,
# first language of each), then checks that icotool accepts ours.
#
#   tools/check_saved_icons.sh DIRECTORY [QUORVANE_ICONS]
#
# wrestool writes one systematic difference: after the images it appends as many bytes as the
# group resource is long (6 + 14 per image), bytes no directory entry points at (mostly zeros, at
# times leftovers of its own memory). A file that is ours followed by exactly that many bytes counts
# as a match ("trailer"); anything else is a mismatch and is listed.

set -u

dir=${1:?usage: check_saved_icons.sh DIRECTORY [QUORVANE_ICONS]}
tool=${2:-$(dirname "$0")/../build/tools/quorvane-icons}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

files=0 icons=0 images=0 identical=0 trailer=0 mismatches=0

# The groups of a file in stored order, each name once with the first language listed for it:
# "name language size".
groups_of() {
    wrestool -l -t14 "$1" 2>/dev/null |
        sed -n "s/^--type=14 --name='\{0,1\}\([^' ]*\)'\{0,1\} --language=\([0-9]*\) .* size=\([0-9]*\).*/\1 \2 \3/p" |
        awk '!seen[$1]++'
}

# Whether wrestool's file ($2) is ours ($1) followed by a trailer of $3 bytes.
with_trailer() {
    ours_size=$(stat -c %s "$1")
    [ "$(stat -c %s "$2")" -eq "$((ours_size + $3))" ] && head -c "$ours_size" "$2" | cmp -s - "$1"
}

mismatch() {
    mismatches=$((mismatches + 1))
    echo "MISMATCH $1"
}

for file in "$dir"/*; do
    [ -f "$file" ] || continue
    files=$((files + 1))
    count=$("$tool" list "$file" | sed -n '1s/.*: \([0-9]*\) icons\{0,1\}$/\1/p')
    groups_of "$file" >"$work/groups"
    if [ "${count:-0}" -ne "$(wc -l <"$work/groups")" ]; then
        mismatch "$file: $count icons, wrestool lists $(wc -l <"$work/groups") groups"
    fi
    index=0
    while read -r name language group_size; do
        [ "$index" -lt "${count:-0}" ] || break
        ours="$work/ours.ico"
        theirs="$work/theirs.ico"
        rm -f "$ours" "$theirs"
        icons=$((icons + 1))
        if ! "$tool" save "$file" "$index" "$ours" 2>"$work/error"; then
            mismatch "$file icon $index: $(cat "$work/error")"
        elif ! icotool -l "$ours" >"$work/listing" 2>&1; then
            mismatch "$file icon $index: icotool refuses it: $(head -n 1 "$work/listing")"
        else
            images=$((images + $(grep -c '^--icon' "$work/listing")))
            wrestool -x -t14 --name="$name" --language="$language" "$file" >"$theirs" 2>/dev/null
            if cmp -s "$ours" "$theirs"; then
                identical=$((identical + 1))
            elif with_trailer "$ours" "$theirs" "$group_size"; then
                trailer=$((trailer + 1))
            else
                mismatch "$file icon $index (group $name): $(cmp "$ours" "$theirs" 2>&1 | head -n 1)"
            fi
        fi
        index=$((index + 1))
    done <"$work/groups"
done

echo "files $files, icons $icons, images $images," \
    "identical $identical, identical but for wrestool's trailer $trailer," \
    "mismatches $mismatches"
[ "$mismatches" -eq 0 ]
