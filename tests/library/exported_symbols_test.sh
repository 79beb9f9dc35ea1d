#!/usr/bin/env bash
# Checks that libquorvane.so.1 exports its API and nothing else: every defined dynamic symbol is
# in namespace quorvane (the icon and picture services linked into it stay hidden), and the
# soname is versioned.
#   exported_symbols_test.sh LIBRARY
set -euo pipefail
library=$1
readelf -d "$library" | grep -q 'Library soname: \[libquorvane.so.1\]'
symbols=$(nm -D --defined-only -C "$library" | awk '$2 != "A" { $1 = ""; $2 = ""; print }')
others=$(grep -v '^ *quorvane::' <<<"$symbols" || true)
if [ -n "$others" ]; then
    echo "exported beside the API:"
    echo "$others"
    exit 1
fi
for api in 'quorvane::File::Open(' 'quorvane::File::IcoBytes(' 'quorvane::File::DrawRgba(' \
    'quorvane::File::Png(' 'quorvane::Version()'; do
    grep -qF "$api" <<<"$symbols" || { echo "not exported: $api"; exit 1; }
done
echo "exported symbols: $(wc -l <<<"$symbols"), all of the API"
