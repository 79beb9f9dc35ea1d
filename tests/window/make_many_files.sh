#!/bin/sh
# Makes DIRECTORY afresh with COUNT files f00000.dll, f00001.dll... holding "MZ" only.
#   make_many_files.sh DIRECTORY COUNT
set -eu
rm -rf "$1"
mkdir -p "$1"
cd "$1"
awk -v count="$2" 'BEGIN {
    for (i = 0; i < count; i++) {
        name = sprintf("f%05d.dll", i)
        printf "MZ" > name
        close(name)
    }
}'
