#!/bin/sh
# quorvane-icons.exe given a file named outside the ANSI code page (as a Windows shell hands it,
# in UTF-16): it lists the file's icon and extracts it under the same name, the .ico equal to the
# icon file the executable was built from.
#   tool_names_test.sh WINE_RUN TOOL.exe PROGRAM.exe ICON.ico
set -eu
wine_run=$1 tool=$2 program=$3 icon=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
name="ícona-Ω漢"
cp "$program" "$work/$name.exe"
cd "$work"
# Wine passes the arguments on in UTF-16 from the locale's encoding.
export LC_ALL=C.UTF-8
"$wine_run" "$tool" list "$name.exe" | tr -d '\r' >list.txt
grep -qx "$name.exe: 1 icon" list.txt || { cat list.txt; echo "FAIL: list" >&2; exit 1; }
"$wine_run" "$tool" extract -o out "$name.exe"
cmp "out/$name-000-ID1.ico" "$icon"
echo "listed and extracted $name.exe"
