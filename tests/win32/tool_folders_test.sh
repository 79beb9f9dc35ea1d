#!/bin/sh
# quorvane-icons.exe given a folder: a tree with a subdirectory named outside the ANSI code page
# and a link back up (which Wine may show as a plain directory: it is still entered once). The
# icons land under the same relative names, equal to the icon file the executable was built from,
# and one job and two give the same output.
#   tool_folders_test.sh WINE_RUN TOOL.exe PROGRAM.exe ICON.ico
set -eu
wine_run=$1 tool=$2 program=$3 icon=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sub="sottocartella-Ω漢"
mkdir -p "$work/top/$sub"
cp "$program" "$work/top/a.exe"
cp "$program" "$work/top/$sub/b.dll"
cp "$program" "$work/top/$sub/c.txt"
ln -s .. "$work/top/$sub/up"
cd "$work"
export LC_ALL=C.UTF-8
"$wine_run" "$tool" list -r --jobs 1 top | tr -d '\r' >list1.txt
"$wine_run" "$tool" list -r --jobs 2 top | tr -d '\r' >list2.txt
printf '%s\n' 'top\a.exe: 1 icon' "top\\$sub\\b.dll: 1 icon" >expected.txt
grep -v '^  ' list1.txt >files.txt
cmp files.txt expected.txt || { cat list1.txt; echo "FAIL: list -r" >&2; exit 1; }
cmp list1.txt list2.txt || { echo "FAIL: list --jobs 1 and 2 differ" >&2; exit 1; }
"$wine_run" "$tool" extract -r --jobs 2 -o out top
cmp out/a-000-ID1.ico "$icon"
cmp "out/$sub/b-000-ID1.ico" "$icon"
[ "$(find out -type f | wc -l)" -eq 2 ] || { find out; echo "FAIL: extract -r" >&2; exit 1; }
echo "listed and extracted top and top/$sub"
