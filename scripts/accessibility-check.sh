#!/usr/bin/env bash
# The real window on a virtual X display, read through AT-SPI as a screen reader reads it
# (scripts/accessibility_check.py), before and after a read of a simulated board, and the
# fleet window beside it, before and after it finds that board, and its three dialogs; in
# Ukrainian, then in English.
#   accessibility-check.sh BUILD
# Runs in the tests' own network (it binds 6767 and the board's ports on 127.0.0.2).
# Exits 77 (a skip for CTest) when the X or AT-SPI tools are not installed.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${ACCESSIBILITY_BUS:-}" ]; then
    for tool in Xvfb xprop dbus-run-session /usr/libexec/at-spi-bus-launcher; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
    done
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is not installed"; exit 77; }
    # a session bus of its own, and the accessibility bus on it
    exec env ACCESSIBILITY_BUS=1 dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
source "$here/virtual-display.sh"
start_virtual_display
pids+=("$VIRTUAL_DISPLAY_PID")

"$build/tools/talvik-board-sim" --board 127.0.0.2,ident=1234,version=2.17,console=1 >"$work/sim.log" 2>&1 &
pids+=($!)
# A copy of the program in a folder of its own, its settings file set to board 127.0.0.2.
cp "$build/src/talvikcom" "$work/"
printf '[0]\r\n1=127\r\n2=000\r\n3=000\r\n4=002\r\n' >"$work/TalvikCom.ini"
unset QT_QPA_PLATFORM
# Ukrainian as it starts with no option, then English as asked for.
for language in uk en; do
    options=(--fleet)
    [ "$language" = en ] && options+=(--lang en)
    echo "== $language"
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/talvikcom" "${options[@]}" >"$work/talvikcom.log" 2>&1 &
    app=$!
    /usr/bin/python3 "$here/accessibility_check.py" "$language" || { cat "$work/talvikcom.log"; exit 1; }
    kill "$app"
    wait "$app" 2>/dev/null || true
done
