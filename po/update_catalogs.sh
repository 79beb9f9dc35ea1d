#!/usr/bin/env bash
# Remakes po/quorvane-icons.pot from the tool's sources and merges it into each po/LANG.po: run it
# after changing a message of quorvane-icons, then translate the new or fuzzy entries.
set -euo pipefail
cd "$(dirname "$0")/.."
xgettext --language=C++ --from-code=UTF-8 --keyword=_ --keyword=N_ --keyword=Q_PLURAL:1,2 \
    --add-comments=TRANSLATORS --package-name=quorvane-icons --package-version=1.0.0 \
    --msgid-bugs-address= --sort-by-file --no-location -o po/quorvane-icons.pot \
    tools/*.cpp tools/*/*.cpp
for po in po/*.po; do
    msgmerge --quiet --update --backup=none --no-location "$po" po/quorvane-icons.pot
done
