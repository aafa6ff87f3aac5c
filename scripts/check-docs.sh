#!/usr/bin/env bash
# Fails when the docs name a path of the tree that does not exist: every `path` in
# backquotes that looks like one of the tree's (a folder/ or a file with a known
# ending, from the top or, as includes write them, from src/) must be there. Build
# outputs (build/...) and the user's folders are not the tree's. Every page of docs/ must
# be reachable from the README by its links, and every link between pages must lead to one.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
docs=(README.md CONTRIBUTING.md docs/*.md)
for doc in "${docs[@]}"; do
    while IFS= read -r path; do
        path=${path%%:*}
        case $path in build*/* | \~* | /* | ../* | http* | *%* | *\$* | TalvikCom/* | …*) continue ;; esac
        [[ $path =~ \.(h|cpp|sh|py|md|txt|nsi|svg|ico|png|rc|in|1|desktop|xml|yml|json|service|conf)$ || $path == */ ]] || continue
        path=${path%/}
        compgen -G "$path" >/dev/null || compgen -G "src/$path" >/dev/null || {
            echo "$doc names $path, which is not in the tree"
            status=1
        }
    done < <(grep -o '`[^` ]*/[^` ]*`' "$doc" | tr -d '`' | sort -u)
done

# The links of a page to files of the tree, as paths from the top ("docs/x.md#part": docs/x.md).
links() {
    local dir
    dir=$(dirname "$1")
    grep -o '](\([^)#]*\)[^)]*)' "$1" | sed 's/^](\([^)#]*\).*/\1/' | grep -v '^http' | grep -v '^$' |
        while IFS= read -r link; do realpath -m --relative-to=. "$dir/$link"; done
}
declare -A reached=([README.md]=1)
queue=(README.md)
while [ ${#queue[@]} -gt 0 ]; do
    page=${queue[0]}
    queue=("${queue[@]:1}")
    while IFS= read -r target; do
        [ -e "$target" ] || { echo "$page links to $target, which is not in the tree"; status=1; continue; }
        if [[ $target == *.md && -z ${reached[$target]:-} ]]; then
            reached[$target]=1
            queue+=("$target")
        fi
    done < <(links "$page")
done
for page in docs/*.md; do
    [ -n "${reached[$page]:-}" ] || { echo "$page cannot be reached from README.md by its links"; status=1; }
done
[ "$(wc -l <README.md)" -lt 200 ] || { echo "README.md has $(wc -l <README.md) lines: keep it under 200"; status=1; }
exit $status
