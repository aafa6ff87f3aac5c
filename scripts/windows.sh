#!/usr/bin/env bash
# TalvikCom for the dispatch PCs that run Windows, cross-built on Debian.
#   windows.sh build     unpacks the static Qt for MinGW-w64 and builds TalvikCom.exe,
#                        talvikctl.exe and talvik-board-sim.exe into build-windows/
#   windows.sh test      runs them under Wine on a virtual display, in the tests' own
#                        network (own-network.sh): talvikctl.exe against the Linux
#                        simulator, frame for frame against the Linux talvikctl; the
#                        window reading a board, saving its file, drawing its texts; a
#                        second copy that finds the port taken
#   windows.sh package   the zip (and, with makensis, an installer) in build-windows/
# The Qt archive: QT_MINGW_ARCHIVE, or shared/qt6-mingw/qt6-mingw.tar.xz in a folder
# above this checkout.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-windows
linux=${LINUX_BUILD:-$root/build}
version=$(sed -n 's/^project(TalvikCom VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

find_archive() {
    [ -n "${QT_MINGW_ARCHIVE:-}" ] && { echo "$QT_MINGW_ARCHIVE"; return; }
    local dir=$root
    while [ "$dir" != / ]; do
        dir=$(dirname "$dir")
        [ -f "$dir/shared/qt6-mingw/qt6-mingw.tar.xz" ] && { echo "$dir/shared/qt6-mingw/qt6-mingw.tar.xz"; return; }
    done
    echo "no Qt for MinGW-w64: set QT_MINGW_ARCHIVE to qt6-mingw.tar.xz" >&2
    return 1
}

build() {
    local sdk=$out/sdk/qt6-mingw
    if [ ! -f "$sdk/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
        local archive
        archive=$(find_archive)
        rm -rf "$out/sdk" && mkdir -p "$out/sdk"
        echo "unpacking $archive"
        tar -xJf "$archive" -C "$out/sdk"
    fi
    cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$sdk/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DTALVIK_WERROR=ON -DTALVIK_BENCH=OFF -DBUILD_TESTING=ON >/dev/null
    # the three programs, and the one test that also runs under Wine
    cmake --build "$out" --target talvikcom talvikctl talvik-board-sim test_texts
    ls -l "$out"/*.exe
}

# --- test: everything below runs inside the tests' own network ---------------------------
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
# Wine's server makes the programs' sockets: one left from an earlier run would still live
# in that run's network. No menu entries in the user's home from anything installed here.
export WINEDEBUG=-all WINEPREFIX=$out/wine-prefix WINEDLLOVERRIDES=winemenubuilder.exe=d
failed=0
check() { # check WHAT CONDITION...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi
}

ctl_frames() { # the frames each talvikctl would send, as text (Windows writes CRLF)
    local ctl=("$@")
    "${ctl[@]}" read 127.0.3.2 --dry-run
    "${ctl[@]}" read 127.0.3.2 --permanent --dry-run
    "${ctl[@]}" write 127.0.3.2 --from "$work/127.0.3.2.conf" --ident 258 --console-dynamic --dry-run
    "${ctl[@]}" reboot 127.0.3.2-4 --dry-run
    "${ctl[@]}" survey 127.0.3.1-9 --dry-run --json
}

test_talvikctl() {
    printf 'address=127.0.3.2\nmemory=permanent\nip=127.0.3.2\nmask=255.255.255.0\nrouter=127.0.0.1\n%s\n' \
        'mac=00:1E:7F:00:03:02' >"$work/127.0.3.2.conf"
    printf 'dhcp=0\nconsole=static\ndispatcher=10.0.0.5\nident=0\nreserve1=0.0.0.0\nreserve2=0.0.0.0\n' \
        >>"$work/127.0.3.2.conf"
    "$linux/tools/talvik-board-sim" --verbose --reboot-ms 300 --board 127.0.3.2,ident=1234,version=2.17,console=1 \
        >"$work/sim.log" 2>&1 &
    pids+=($!)
    sleep 0.3
    # A write's dry run reads the board as its base: the simulator answers it.
    ctl_frames "$linux/tools/talvikctl" >"$work/frames.linux"
    ctl_frames "$wine" "$out/talvikctl.exe" | tr -d '\r' >"$work/frames.windows"
    check "talvikctl.exe sends the Linux build's frames, byte for byte ($(wc -l <"$work/frames.linux") lines)" \
        cmp -s "$work/frames.linux" "$work/frames.windows"
    "$linux/tools/talvikctl" read 127.0.3.2 --json >"$work/read.linux"
    "$wine" "$out/talvikctl.exe" read 127.0.3.2 --json | tr -d '\r' >"$work/read.windows"
    check "talvikctl.exe reads the Linux simulator as the Linux build does" cmp -s "$work/read.linux" "$work/read.windows"
    check "talvikctl.exe writes and verifies" "$wine" "$out/talvikctl.exe" write 127.0.3.2 --mask 255.255.0.0 --quiet
    check "talvikctl.exe reboots and sees the board back" "$wine" "$out/talvikctl.exe" reboot 127.0.3.2 --wait --quiet

    # This build has no web configuration (no YAML reader, no bcrypt): it says so, exit 2.
    printf 'basic_auth_users:\n  prometheus: $2y$10$X0h1gDsPszWURQaxFh.zoubFi6DXncSjhoQNJgRrnGs7EsimhC7zG\n' \
        >"$work/web.yml"
    local refused=0
    "$wine" "$out/talvikctl.exe" exporter 127.0.3.2 --web.config.file "$work/web.yml" >/dev/null 2>"$work/web.err" ||
        refused=$?
    check "talvikctl.exe refuses --web.config.file, saying it is not in this build (exit 2)" \
        sh -c "[ $refused = 2 ] && grep -q 'is not in this build of talvikctl' '$work/web.err'"

    # The exporter: its page through Wine's sockets, and port 6767 free between its surveys.
    "$wine" "$out/talvikctl.exe" exporter 127.0.3.2-3 --listen 127.0.0.1:9767 --interval 60 >/dev/null 2>&1 &
    local exporter=$!
    pids+=($exporter)
    local page=""
    for _ in $(seq 50); do
        page=$(curl -sf http://127.0.0.1:9767/metrics || true)
        echo "$page" | grep -q '^talvik_surveys_total 1' && break
        sleep 0.2
    done
    printf '%s\n' "$page" >"$work/metrics.txt" # the page as a file: its help texts hold quotes
    check "talvikctl.exe exporter serves the boards (127.0.3.2 up, 127.0.3.3 silent)" \
        sh -c "grep -q '^talvik_board_up{address=\"127.0.3.2\"} 1' '$work/metrics.txt' &&
               grep -q '^talvik_board_up{address=\"127.0.3.3\"} 0' '$work/metrics.txt'"
    check "talvikctl.exe read works beside it" "$wine" "$out/talvikctl.exe" read 127.0.3.2 --quiet
    kill "$exporter" 2>/dev/null || true
    wait "$exporter" 2>/dev/null || true # gone before the window's copies want port 6767

    # Ctrl-C in a console (Wine turns SIGINT into one): whole lines, and how far it came. No
    # board answers there, so the survey waits out its whole time-out.
    "$wine" "$out/talvikctl.exe" survey 127.0.4.1-254 --json --retries 0 --timeout 20000 \
        >"$work/survey.out" 2>"$work/survey.err" &
    local survey=$!
    sleep 2
    kill -INT "$survey" || echo "FAILED: the survey had ended before its Ctrl-C"
    local code=0
    wait "$survey" || code=$?
    check "Ctrl-C ends talvikctl.exe with 130, saying how far it came" \
        grep -q "interrupted; $(wc -l <"$work/survey.out") of 254 boards done" "$work/survey.err"
    check "(its exit code: $code)" test "$code" = 130
}

crlf_file() { # every line ends with CR LF, and there are the sections of a close
    grep -q '^\[1d\]' "$1" && [ "$(tr -cd '\n' <"$1" | wc -c)" = "$(grep -c $'\r$' "$1")" ]
}

ours_in_title_bar() { # the window's _NET_WM_ICON is the program's: its blue and its yellow arrows
    xprop -id "$1" -notype 32c _NET_WM_ICON | python3 -c '
import sys
text = sys.stdin.read()
pixels = [int(v) for v in text.split("=", 1)[1].replace(",", " ").split()] if "=" in text else []
blue = pixels.count(0xFF1D4F91); yellow = pixels.count(0xFFFFCC33)
print(f"_NET_WM_ICON: {len(pixels)} numbers, {blue} pixels of its blue, {yellow} of its yellow")
sys.exit(0 if blue > 100 and yellow > 5 else 1)'
}

window_id() { # the first window whose title starts so, within 60 s
    # Searched again and again rather than with --sync: a window that goes away during a search
    # (Wine's own, as a program starts) ends xdotool's search with an error and no answer.
    local id=""
    for _ in $(seq 120); do
        id=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && break
        sleep 0.5
    done
    echo "$id"
}

test_window() {
    # The board's address in the settings file beside the executable, as an operator left it.
    local app=$work/TalvikCom
    mkdir -p "$app" "$work/second"
    cp "$out/TalvikCom.exe" "$app/" && cp "$out/TalvikCom.exe" "$work/second/"
    printf '[0]\r\n1=127\r\n2=000\r\n3=000\r\n4=002\r\n' >"$app/TalvikCom.ini"
    "$linux/tools/talvik-board-sim" --verbose --board 127.0.0.2,ident=4321,version=3.01 >"$work/board.log" 2>&1 &
    pids+=($!)
    (cd "$app" && exec "$wine" TalvikCom.exe) >/dev/null 2>&1 &
    pids+=($!)
    local wid
    wid=$(window_id 'Конфігуратор плат')
    check "TalvikCom.exe opens its window" test -n "$wid"
    [ -n "$wid" ] || return
    sleep 1
    check "its title bar shows the program's icon" ours_in_title_bar "$wid"
    # The read button of the working configuration, by keyboard from the first octet.
    xdotool windowactivate --sync "$wid"
    xdotool key --delay 20 --repeat 32 Tab
    xdotool key space
    check "its read reaches the simulated board" timeout 10 sh -c \
        "until grep -q 'in  read C' '$work/board.log'; do sleep 0.2; done"
    sleep 0.5
    import -window root "$work/window.png"

    # A second copy: port 6767 is taken, and it says so in a message box.
    (cd "$work/second" && exec "$wine" TalvikCom.exe) >/dev/null 2>&1 &
    pids+=($!)
    check "a second copy shows its message (\"Port 6767 ERROR\")" test -n "$(window_id 'Конфігуратор V-8.5$')"

    # The first closed as an operator closes it: alt+F4, which the window manager turns into
    # a close request to the active window.
    xdotool windowactivate --sync "$wid"
    xdotool key alt+F4
    # The start writes section 6 only; the close writes them all, the last of them "1d".
    timeout 20 sh -c "until grep -q '^\[1d\]' '$app/TalvikCom.ini'; do sleep 0.2; done" || true
    check "the close saves TalvikCom.ini beside TalvikCom.exe, every line ended by CRLF" crlf_file "$app/TalvikCom.ini"
    check "with the operator's board address" grep -q $'^1=127\r$' "$app/TalvikCom.ini"

    # English, from the translation inside the executable; asked for once, it is remembered.
    (cd "$app" && exec "$wine" TalvikCom.exe --lang en) >/dev/null 2>&1 &
    pids+=($!)
    wid=$(window_id 'Board configurator')
    check "TalvikCom.exe --lang en opens its window in English" test -n "$wid"
    check "and remembers the language in TalvikCom.ini" grep -q $'^\[Language\]\r$' "$app/TalvikCom.ini"
    if [ -n "$wid" ]; then
        xdotool windowactivate --sync "$wid"
        xdotool key alt+F4
    fi
    # Every caption's letters are in the font the window draws it with: drawn, not boxes.
    check "the Cyrillic texts have their glyphs under Wine" \
        "$wine" "$out/tests/test_texts.exe" everyCaptionHasItsGlyphs -silent
}

test_all() {
    for tool in Xvfb xdotool openbox import "$wine"; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
    done
    [ -f "$out/TalvikCom.exe" ] || { echo "no build-windows/TalvikCom.exe: run make windows"; exit 1; }
    work=$(mktemp -d)
    pids=()
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w
    trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; "$wineserver" -k 2>/dev/null || true;
          rm -rf "$work"' EXIT
    source scripts/virtual-display.sh
    start_virtual_display
    pids+=("$VIRTUAL_DISPLAY_PID")
    openbox >/dev/null 2>&1 & # a desktop's window manager: it activates windows and closes them on alt+F4
    pids+=($!)
    "$wine" wineboot -i >/dev/null 2>&1 # the prefix, made once and kept in build-windows/
    "$wine" "$out/talvikctl.exe" --version >/dev/null # Wine's own services are up
    test_talvikctl
    test_window
    cp "$work/window.png" "$out/window-under-wine.png" 2>/dev/null || true
    [ $failed = 0 ] && echo "the Windows build passed under Wine" || exit 1
}

package() {
    [ -f "$out/TalvikCom.exe" ] || { echo "no build-windows/TalvikCom.exe: run make windows"; exit 1; }
    local name=TalvikCom-$version-windows-x64
    local stage=$out/$name
    rm -rf "$stage" && mkdir -p "$stage"
    for exe in TalvikCom talvikctl talvik-board-sim; do
        x86_64-w64-mingw32-strip -o "$stage/$exe.exe" "$out/$exe.exe"
    done
    sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
    sed 's/$/\r/' packaging/windows/README.txt >"$stage/README.txt"
    cp packaging/windows/TalvikCom.ini "$stage/TalvikCom.example.ini"
    rm -f "$out/$name.zip"
    (cd "$out" && zip -q -r "$name.zip" "$name")
    echo "wrote $out/$name.zip"
    if command -v makensis >/dev/null; then
        makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$root/resources/talvikcom.ico" \
            -DOUTFILE="$out/$name-setup.exe" \
            packaging/windows/installer.nsi
        echo "wrote $out/$name-setup.exe"
        try_installer "$out/$name-setup.exe"
    fi
}

# The installer, tried in a prefix of its own: a 64-bit program (PE32+); a silent install
# with the Start-menu entries; a silent uninstall that leaves only an operator's settings
# file beside the program, and its folder.
try_installer() {
    file -b "$1" | grep -q '^PE32+' || { echo "the installer is not a 64-bit program: $(file -b "$1")"; exit 1; }
    local prefix
    prefix=$(mktemp -d)
    local files="$prefix/drive_c/Program Files/TalvikCom" menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/TalvikCom"
    local run=(env WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d)
    "${run[@]}" "$wine" wineboot -i >/dev/null 2>&1
    "${run[@]}" "$wine" "$1" /S
    "${run[@]}" "$wineserver" -w
    local problems=()
    for f in TalvikCom.exe talvikctl.exe talvik-board-sim.exe uninstall.exe; do
        [ -f "$files/$f" ] || problems+=("no $f installed")
    done
    for f in "Конфігуратор V-8.5" "Мережа плат" "TalvikCom (English)" "Конфігуратор V-8.5 (українською)"; do
        [ -f "$menu/$f.lnk" ] || problems+=("no Start-menu entry $f")
    done
    printf '[0]\r\n1=127\r\n' >"$files/TalvikCom.ini" # as the program leaves it
    "${run[@]}" "$wine" "$files/uninstall.exe" /S
    "${run[@]}" "$wineserver" -w
    sleep 1 # the uninstaller copies itself away and finishes from there
    "${run[@]}" "$wineserver" -w
    [ "$(ls -A "$files")" = TalvikCom.ini ] || problems+=("left in Program Files: $(ls -A "$files" | tr '\n' ' ')")
    [ ! -e "$menu" ] || problems+=("the Start-menu folder is left")
    "${run[@]}" "$wineserver" -k 2>/dev/null || true
    rm -rf "$prefix"
    if [ ${#problems[@]} -gt 0 ]; then
        printf 'FAILED: the installer: %s\n' "${problems[@]}"
        exit 1
    fi
    echo "the installer (PE32+) installs into Program Files with its Start-menu entries, and uninstalls leaving only the operator's TalvikCom.ini (under Wine)"
}

case "${1:-}" in
find-archive) find_archive ;;
build) build ;;
test) test_all ;;
package) package ;;
*) echo "usage: windows.sh build|test|package" >&2; exit 2 ;;
esac
