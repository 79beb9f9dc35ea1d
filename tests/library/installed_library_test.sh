#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds examples/list_icons.cpp against the
# installed library as another project would: with g++ and pkg-config, and with CMake's
# find_package(Quorvane). Both programs must print the count and group lines quorvane-icons list
# prints for the same fixture.
#   installed_library_test.sh CMAKE BUILD_DIR SOURCE_DIR WRITE_LIBRARY_FIXTURES QUORVANE_ICONS
set -euo pipefail
cmake=$1 build=$2 source=$3 writer=$4 tool=$5
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"

for component in runtime development; do
    "$cmake" --install "$build" --prefix "$prefix" --component "$component" >/dev/null
done
# The library's directory: lib/, or the multiarch lib/<triplet>/ Debian keeps libraries in.
library=
for candidate in "$prefix"/lib*/libquorvane.so.1 "$prefix"/lib/*/libquorvane.so.1; do
    [ -e "$candidate" ] && library=$candidate && break
done
[ -n "$library" ] || { echo "no libquorvane.so.1 installed"; exit 1; }
libdir=$(dirname "$library")
if grep -rq 'platform/' "$prefix/include/quorvane"; then
    echo "an installed header names the project's internal headers"
    exit 1
fi

mkdir "$scratch/fixtures"
"$writer" "$scratch/fixtures"
fixture="$scratch/fixtures/app.exe"
LC_ALL=C LANGUAGE= "$tool" list "$fixture" >"$scratch/tool.txt"

PKG_CONFIG_PATH="$libdir/pkgconfig" g++ -std=c++20 "$source/examples/list_icons.cpp" \
    $(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs quorvane) \
    -o "$scratch/list_icons_pkgconfig"
LD_LIBRARY_PATH="$libdir" "$scratch/list_icons_pkgconfig" "$fixture" >"$scratch/pkgconfig.txt"

"$cmake" -S "$source/examples" -B "$scratch/examples" -G Ninja \
    -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
"$cmake" --build "$scratch/examples" >/dev/null
LD_LIBRARY_PATH="$libdir" "$scratch/examples/list_icons" "$fixture" >"$scratch/cmake.txt"

status=0
for way in pkgconfig cmake; do
    if ! diff -u "$scratch/tool.txt" "$scratch/$way.txt"; then
        echo "list_icons built through $way differs from quorvane-icons list"
        status=1
    fi
done
[ "$(wc -l <"$scratch/tool.txt")" -ge 3 ] || { echo "the fixture lists too few groups"; exit 1; }
[ $status -eq 0 ] && echo "installed library: ok ($(head -1 "$scratch/tool.txt"))"
exit $status
