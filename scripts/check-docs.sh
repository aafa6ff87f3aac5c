#!/usr/bin/env bash
# Fails when the docs name a path of the tree that does not exist: every `path` in
# backquotes that looks like one of the tree's (a folder/ or a file with a known
# ending, from the top or, as includes write them, from src/) must be there. Build
# outputs (build/...) and the user's folders are not the tree's.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
for doc in README.md CONTRIBUTING.md docs/architecture.md; do
    while IFS= read -r path; do
        path=${path%%:*}
        case $path in build*/* | \~* | /* | ../* | http* | *%* | *\$* | TalvikCom/*) continue ;; esac
        [[ $path =~ \.(h|cpp|sh|py|md|txt|nsi|svg|ico|png|rc|in|1|desktop|xml|yml|json|service|conf)$ || $path == */ ]] || continue
        path=${path%/}
        compgen -G "$path" >/dev/null || compgen -G "src/$path" >/dev/null || {
            echo "$doc names $path, which is not in the tree"
            status=1
        }
    done < <(grep -o '`[^` ]*/[^` ]*`' "$doc" | tr -d '`' | sort -u)
done
exit $status
