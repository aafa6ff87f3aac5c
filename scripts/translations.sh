#!/usr/bin/env bash
# The translations' sources, as lupdate makes them from the tr() calls of src/:
#   translations/talvikcom_en.ts   every text of the windows, in English
#   translations/talvikcom_uk.ts   the Ukrainian plural forms of the counted texts (%n); the
#                                  texts themselves are written in Ukrainian
#   translations.sh update   lupdate over the sources: a new or changed text comes in unfinished
#                            (to translate, in Qt Linguist or by hand); a text no longer in the
#                            sources stays, marked vanished, for the translators (make translations)
#   translations.sh check    fails when update would change a file (a text or where it sits),
#                            or a text lacks its translation (a test)
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate-qt6 || command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
languages=(en uk)

update() { # language, file
    local only=()
    [ "$1" = uk ] && only=(-pluralonly)
    "$lupdate" -silent -source-language uk -target-language "$1" "${only[@]}" -locations relative \
        -extensions cpp,h src -ts "$2" 2> >(grep -v "Ignoring definition of undeclared qualified class" >&2)
}

case "${1:-}" in
update)
    for l in "${languages[@]}"; do update "$l" "translations/talvikcom_$l.ts"; done ;;
check)
    # The copy sits beside the file: the locations in it are relative to its folder.
    work=$(mktemp --suffix=.ts translations/.check.XXXXXX)
    trap 'rm -f "$work"' EXIT
    status=0
    for l in "${languages[@]}"; do
        ts=translations/talvikcom_$l.ts
        cp "$ts" "$work"
        update "$l" "$work"
        # Where each text sits too: translators are shown the place, so it is kept current.
        if ! cmp -s "$ts" "$work"; then
            diff -u "$ts" "$work" || true
            echo "$ts is not the sources' texts: run make translations and translate what it marks unfinished"
            status=1
        fi
        if grep -q 'type="unfinished"' "$ts"; then
            echo "$ts: $(grep -c 'type="unfinished"' "$ts") texts without their translation"
            status=1
        fi
        echo "$ts: $(grep -c '<message' "$ts") texts"
    done
    exit $status ;;
*) echo "usage: translations.sh update|check" >&2; exit 2 ;;
esac
