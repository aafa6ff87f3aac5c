#!/usr/bin/env bash
# Fails when a file includes a header of a library (or, in the window's library, of a
# folder) above its own. Bottom up: wire; net over wire; client over net; fleet over
# client; store over wire; core over all of them. In core: widgets, then app (the window class), then the
# folders of the window's handlers. The linker keeps wire on Qt Core alone; this keeps
# every include pointing down.
set -euo pipefail
cd "$(dirname "$0")/../src"

may_include() { # the include prefixes a file in this folder may use
    case "$1" in
        wire/*) echo "wire" ;;
        net/*) echo "wire net" ;;
        client/*) echo "wire net client" ;;
        fleet/*) echo "wire net client fleet" ;;
        store/*) echo "wire store" ;;
        core/widgets/*) echo "wire net client fleet store core/widgets" ;;
        core/app/*) echo "wire net client fleet store core/widgets core/app" ;;
        core/*) echo "wire net client fleet store core" ;;
        *) echo "" ;;
    esac
}

status=0
while IFS= read -r file; do
    allowed=$(may_include "$file")
    while IFS= read -r header; do
        [[ $header == */* ]] || continue # a bare name is in the file's own folder
        fine=no
        for prefix in $allowed; do
            [[ $header == "$prefix"/* ]] && fine=yes
        done
        if [ $fine = no ]; then
            echo "$file includes $header, which is above it"
            status=1
        fi
    done < <(sed -n 's/^#include "\(.*\)"/\1/p' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)
exit $status
