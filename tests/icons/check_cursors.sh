#!/usr/bin/env bash
# Checks quorvane-icons extract --cursors against wrestool (icoutils) on real executables: for
# every cursor group (RT_GROUP_CURSOR, stored order) of each file given, the .cur the tool writes
# must hold the same images, byte for byte, with the same hotspots, in the same order as the .cur
# wrestool -x -t12 writes. wrestool halves the height in its entries (the entries' sizes are not
# compared) and copies each image as long as the group's bytesInRes, which counts the hotspot: its
# images run 4 bytes past the RT_CURSOR resource, so only their first bytes, as many as the
# resource holds after its hotspot, are compared.
#
#   tests/icons/check_cursors.sh BUILD_DIR FILE...
# Not part of CTest: it needs real files (Wine's i386 user32.dll from libwine) and icoutils.
set -u
tool=$1/tools/quorvane-icons
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# "x,y SIZE SHA" per image of a .cur file, in directory order, each image less its last TRIM bytes.
describe_cur() {
    python3 - "$1" "${2:-0}" <<'PY'
import hashlib, struct, sys
data = open(sys.argv[1], 'rb').read()
trim = int(sys.argv[2])
_, kind, count = struct.unpack_from('<HHH', data, 0)
assert kind == 2, 'not a .cur file'
for i in range(count):
    x, y, size, offset = struct.unpack_from('<HHII', data, 6 + 16 * i + 4)
    size -= trim
    print(f'{x},{y} {size} {hashlib.sha256(data[offset:offset + size]).hexdigest()}')
PY
}

groups=0 images=0 mismatches=0
for file in "$@"; do
    rm -rf "$work/ours" && mkdir -p "$work/ours"
    "$tool" extract --cursors -o "$work/ours" "$file" >/dev/null || mismatches=$((mismatches + 1))
    index=0
    while read -r name; do
        wrestool -x -t12 "$name" "$file" >"$work/theirs.cur" 2>/dev/null
        ours=$(ls "$work/ours"/*-"$(printf %03d $index)"-*.cur 2>/dev/null | head -1)
        if [ -z "$ours" ] || ! diff <(describe_cur "$ours") <(describe_cur "$work/theirs.cur" 4) >/dev/null; then
            echo "MISMATCH $file cursor $index ($name)"
            mismatches=$((mismatches + 1))
        else
            images=$((images + $(describe_cur "$ours" | wc -l)))
        fi
        groups=$((groups + 1))
        index=$((index + 1))
    done < <(wrestool -l -t12 "$file" | sed -n 's/^--type=12 \(--name=[^ ]*\) .*/\1/p' | awk '!seen[$1]++')
done
echo "cursor groups checked: $groups, images: $images, mismatches: $mismatches"
[ "$mismatches" -eq 0 ]
