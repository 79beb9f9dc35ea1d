#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what the tool's words need there: the man
# pages gzipped (no name or time inside) and readable, the bash completion where bash-completion
# looks for it, and the installed quorvane-icons speaking Italian from its installed catalog.
#   installed_files_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1 build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$cmake" --install "$build" --prefix "$scratch/prefix" >/dev/null
prefix="$scratch/prefix"
for page in Quorvane.1 quorvane-icons.1; do
    gzip -t "$prefix/share/man/man1/$page.gz"
    # The gzip header's flags (no stored name) and time stamp are zero.
    [ "$(od -An -tx1 -j3 -N5 "$prefix/share/man/man1/$page.gz" | tr -d ' \n')" = 0000000000 ]
    [ -z "$(zcat "$prefix/share/man/man1/$page.gz" | groff -man -ww -z 2>&1)" ]
done
[ -s "$prefix/share/bash-completion/completions/quorvane-icons" ]
[ -s "$prefix/share/locale/it/LC_MESSAGES/quorvane-icons.mo" ]
LANG=it_IT.UTF-8 "$prefix/bin/quorvane-icons" list --help | grep '^uso: quorvane-icons list' >/dev/null
env -u LANG -u LANGUAGE -u LC_ALL -u LC_MESSAGES "$prefix/bin/quorvane-icons" list --help |
    grep '^usage: quorvane-icons list' >/dev/null
echo "installed files: ok"
