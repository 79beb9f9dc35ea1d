#!/usr/bin/env bash
# The man pages format cleanly: groff with every warning on reports nothing for any of them.
#   man_pages_test.sh PAGE...
set -euo pipefail
status=0
for page in "$@"; do
    warnings=$(groff -man -ww -z "$page" 2>&1)
    if [ -n "$warnings" ]; then
        printf '%s:\n%s\n' "$page" "$warnings" >&2
        status=1
    fi
done
[ "$status" = 0 ] && echo "man pages: $# clean"
exit "$status"
