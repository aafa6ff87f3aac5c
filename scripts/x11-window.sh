#!/usr/bin/env bash
# The configurator's real window on a virtual X display of its own, as an operator sees it.
#   x11-window.sh check BUILD            what the window manager gets: the exact title, an icon
#   x11-window.sh fits BUILD             on a 1024x768 screen, the whole window (its frame too)
#                                        lies on the screen as it opens
#   x11-window.sh screenshot BUILD FILE [WxH]
#                                        the window as it opens, with its title bar, drawn by a
#                                        window manager, on a screen of that size (1280x1000)
#   x11-window.sh fleet BUILD FILE       talvikcom --fleet beside 250 simulated boards on
#                                        127.0.1.1-250: the range typed, Enter, the fleet
#                                        window with its table filled
# TALVIK_LANG=en: the windows in English (talvikcom --lang en).
# Exits 77 (a skip for CTest) when the X tools are not installed.
set -euo pipefail
mode=$1
build=$(cd "$2" && pwd)
out=${3:-}

size=1280x1000
[ "$mode" = fits ] && size=1024x768
[ "$mode" = screenshot ] && size=${4:-1280x1000}
need=(Xvfb xprop xdotool)
[ "$mode" != check ] && need+=(openbox xwininfo)
[ "$mode" = screenshot ] || [ "$mode" = fleet ] && need+=(import)
for tool in "${need[@]}"; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A copy of the program in a folder of its own: its settings file is written there.
cp "$build/src/talvikcom" "$work/"

source "$(dirname "$0")/virtual-display.sh"
start_virtual_display "$size"
pids+=("$VIRTUAL_DISPLAY_PID")
unset QT_QPA_PLATFORM # the real window, through the X server

if [ "$mode" != check ]; then
    openbox >"$work/openbox.log" 2>&1 &
    pids+=($!)
    sleep 0.5
fi

args=()
title='^Конфігуратор плат' fleet_title='^Мережа плат$'
if [ "${TALVIK_LANG:-uk}" = en ]; then
    args+=(--lang en)
    title='^Board configurator' fleet_title='^Board network$'
fi
if [ "$mode" = fleet ]; then
    "$build/tools/talvik-board-sim" --boards 127.0.1.1-127.0.1.250,ident=100,version=2.17 >"$work/sim.log" 2>&1 &
    pids+=($!)
    args+=(--fleet)
fi
"$work/talvikcom" "${args[@]}" >"$work/talvikcom.log" 2>&1 &
pids+=($!)
wid=$(timeout 20 xdotool search --sync --onlyvisible --name "$title" | head -n 1)
[ -n "$wid" ] || { echo "the window did not appear"; cat "$work/talvikcom.log"; exit 1; }

# The window's frame: where the window manager put it, title bar and borders included.
frame() {
    read -r X Y WIDTH HEIGHT < <(xwininfo -id "$wid" |
        awk '/Absolute upper-left X/{x=$NF}/Absolute upper-left Y/{y=$NF}/Width/{w=$NF}/Height/{h=$NF}
             END{print x, y, w, h}')
    read -r left right top bottom < <(xprop -id "$wid" -notype _NET_FRAME_EXTENTS | tr -dc '0-9 \n' | tr -s ' ')
}

case "$mode" in
fits)
    sleep 1 # the window manager frames it, and the window places itself once more
    frame
    echo "frame: $((X - left)),$((Y - top)) to $((X + WIDTH + right)),$((Y + HEIGHT + bottom)) on $size"
    if [ $((X - left)) -lt 0 ] || [ $((Y - top)) -lt 0 ] || [ $((X + WIDTH + right)) -gt 1024 ] ||
        [ $((Y + HEIGHT + bottom)) -gt 768 ]; then
        echo "the window does not lie on the 1024x768 screen"
        exit 1
    fi
    ;;
check)
    title=$(xprop -id "$wid" -notype _NET_WM_NAME)
    want='_NET_WM_NAME = "Конфігуратор плат \"ТАЛВІКОР\" 2025-V_8.5"'
    if [ "$title" != "$want" ]; then
        echo "title as the window manager gets it: $title"
        echo "expected:                             $want"
        exit 1
    fi
    xprop -id "$wid" -notype _NET_WM_ICON >"$work/icon.txt"
    if ! grep -q 'Icon (16 x 16)' "$work/icon.txt"; then
        echo "the window has no 16 px icon: $(head -n 1 "$work/icon.txt")"
        exit 1
    fi
    sizes=$(grep -o 'Icon ([0-9]* x [0-9]*)' "$work/icon.txt" | sort -u | tr '\n' ' ')
    echo "title: $title"
    echo "icon sizes: $sizes"
    ;;
fleet)
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name "$fleet_title" | head -n 1)
    sleep 1
    xdotool windowactivate --sync "$wid"
    xdotool key ctrl+a type 127.0.1.1 # the first address has the focus
    xdotool key Tab ctrl+a type 127.0.1.250
    xdotool key Return
    sleep 2
    frame
    mkdir -p "$(dirname "$out")"
    import -window root -crop "$((WIDTH + left + right))x$((HEIGHT + top + bottom))+$((X - left))+$((Y - top))" \
        +repage "$out"
    echo "wrote $out"
    ;;
screenshot)
    sleep 1 # let the window manager decorate it and the window paint
    mkdir -p "$(dirname "$out")"
    frame
    if [ "$size" = 1280x1000 ]; then # the window with its frame
        import -window root -crop "$((WIDTH + left + right))x$((HEIGHT + top + bottom))+$((X - left))+$((Y - top))" \
            +repage "$out"
    else # the whole screen: where the window opened on it
        import -window root "$out"
    fi
    echo "wrote $out"
    ;;
esac
