#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs the installed quorvane.thumbnailer's Exec line
# the way a file manager does (%s the size, %i the input, %o the output, the program found on PATH
# as TryExec names it): a thumbnail of a file with icons, none of a file without, and none of a
# 2 GiB sparse file, each with the right exit status; a link at the output is replaced, not
# followed.
#   thumbnailer_test.sh CMAKE BUILD_DIR ICON_FILE
set -euo pipefail
cmake=$1 build=$2 icons=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$cmake" --install "$build" --prefix "$scratch/prefix" >/dev/null
entry="$scratch/prefix/share/thumbnailers/quorvane.thumbnailer"
grep -qx '\[Thumbnailer Entry\]' "$entry"
try_exec=$(sed -n 's/^TryExec=//p' "$entry")
exec_line=$(sed -n 's/^Exec=//p' "$entry")
export PATH="$scratch/prefix/bin:$PATH"
command -v "$try_exec" >/dev/null

thumbnail() {  # thumbnail SIZE INPUT OUTPUT -> the Exec line's exit status
    local line=${exec_line//%s/$1}
    line=${line//%i/\'$2\'}
    line=${line//%o/\'$3\'}
    eval "$line"
}

thumbnail 128 "$icons" "$scratch/icon.png"
[ "$(head -c 8 "$scratch/icon.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ]

printf 'not an executable' >"$scratch/plain.dll"
truncate -s 2G "$scratch/sparse.exe"
for input in plain.dll sparse.exe; do
    if thumbnail 128 "$scratch/$input" "$scratch/$input.png" 2>/dev/null; then
        echo "a thumbnail of $input" >&2
        exit 1
    fi
    [ ! -e "$scratch/$input.png" ]
done
printf 'keep' >"$scratch/victim"
ln -s "$scratch/victim" "$scratch/link.png"
thumbnail 64 "$icons" "$scratch/link.png"
[ ! -L "$scratch/link.png" ] && [ "$(cat "$scratch/victim")" = keep ]
echo "thumbnailer: ok"
