#!/usr/bin/env bash
# Fails when an include in src/ names no library (a bare "x.h"), or points up: to a
# library, or in the window's library to a folder, above its own. Bottom up: wire; net
# over wire; board over wire; store over wire; journal over board and store; client over
# net and journal; fleet over client; gui over all of them.
# In gui: widgets, then app (the window class and what both windows share), then each
# folder of the configurator's handlers and the fleet window's folder, which include
# app/ and widgets/ and their own folder, never each other. The linker keeps wire on Qt
# Core alone; this keeps every include pointing down.
# The front ends (talvikctl, the fleet's table and the fleet window) ask the engine and word
# what it says: they build no frame and decide no write; the window never waits on git.
# The libraries below the fleet have no words for a window: they give errors as kinds.
set -euo pipefail
cd "$(dirname "$0")/../src"

below_gui="wire net board store journal client fleet"
may_include() { # the include prefixes a file in this folder may use
    case "$1" in
        wire/*) echo "wire" ;;
        net/*) echo "wire net" ;;
        board/*) echo "wire board" ;;
        store/*) echo "wire store" ;;
        journal/*) echo "wire board store journal" ;;
        client/*) echo "wire net board store journal client" ;;
        fleet/*) echo "wire net board store journal client fleet" ;;
        gui/widgets/*) echo "$below_gui gui/widgets" ;;
        gui/app/*) echo "$below_gui gui/widgets gui/app" ;;
        gui/*/*) echo "$below_gui gui/widgets gui/app $(dirname "$1")" ;; # a handler folder
        gui/main.cpp) echo "$below_gui gui" ;;
        *) echo "" ;;
    esac
}

status=0
while IFS= read -r file; do
    allowed=$(may_include "$file")
    while IFS= read -r header; do
        case $header in *.moc) continue ;; esac
        fine=no
        for prefix in $allowed; do
            [[ $header == "$prefix"/* ]] && fine=yes
        done
        if [[ $header != */* ]]; then
            echo "$file includes \"$header\": name its library (\"$(dirname "$file")/$header\")"
            status=1
        elif [ $fine = no ]; then
            echo "$file includes $header, which is above it or beside it"
            status=1
        fi
    done < <(sed -n 's/^#include "\(.*\)"/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

front_ends=(../tools/talvikctl fleet gui/fleet_window)
if grep -rnE 'build[A-Za-z]*Frame\(|rebootFrame\(|padDigits\(|\bdecide\(' "${front_ends[@]}"; then
    echo "a front end above builds a frame or decides a write: ask the engine (client/board_jobs.h)"
    status=1
fi
if grep -rnE '\btr\(|translate\(|QT_TR_NOOP|QT_TRANSLATE_NOOP' wire net board store journal client; then
    echo "a library below the fleet words something for a window: give a kind the front ends word"
    status=1
fi
if grep -rnE '\.(history|commitAll|create)\(' fleet gui | grep -i git; then
    echo "the window above waits for git: use GitHistory (journal/git_repository.h)"
    status=1
fi
exit $status
