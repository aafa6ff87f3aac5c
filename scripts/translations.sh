#!/usr/bin/env bash
# The English translation's source, translations/talvikcom_en.ts, holds every text of the two
# texts headers and no other.
#   translations.sh update   lupdate over the headers: a new or changed text comes in
#                            unfinished (to translate, in Qt Linguist or by hand), a text gone
#                            leaves (make translations)
#   translations.sh check    fails when update would change the file (a test)
set -euo pipefail
cd "$(dirname "$0")/.."
ts=translations/talvikcom_en.ts
lupdate=$(command -v lupdate-qt6 || command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
headers=(src/gui/app/texts.h src/fleet/fleet_texts.h)
# Ukrainian is the language the texts are written in; no line numbers, so that a moved text
# changes nothing.
update() { "$lupdate" -silent -source-language uk -target-language en -locations none -no-obsolete "${headers[@]}" -ts "$1"; }

case "${1:-}" in
update) update "$ts" ;;
check)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$ts" "$work/"
    update "$work/talvikcom_en.ts"
    if ! cmp -s "$ts" "$work/talvikcom_en.ts"; then
        diff -u "$ts" "$work/talvikcom_en.ts" || true
        echo "$ts is not the texts headers' translation: run make translations and translate what it marks unfinished"
        exit 1
    fi
    echo "$ts: $(grep -c '<message' "$ts") texts, the headers' own" ;;
*) echo "usage: translations.sh update|check" >&2; exit 2 ;;
esac
