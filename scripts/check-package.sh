#!/usr/bin/env bash
# Installs the package `make package` built into this machine, looks at it as a desktop,
# an operator and a maintainer would, and removes it again. Needs root (CI runs it).
set -euo pipefail
cd "$(dirname "$0")/.."
app_id=org.example.talvikcom.TalvikCom
deb=$(ls -t build/talvikcom_*.deb | head -n 1)
version=$(dpkg-deb -f "$deb" Version)

echo "== lintian $deb"
lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges' || true
lintian --fail-on error "$deb" >/dev/null 2>&1

echo "== install"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
desktop-file-validate "/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml"
for page in talvikcom talvikctl talvik-board-sim; do man -w "$page" >/dev/null; done
# The Ansible collection where Ansible finds collections, without being told where.
if command -v ansible-doc >/dev/null; then
    ansible-doc talvik.boards.board_config | grep -q "talvikctl" || { echo "ansible-doc does not find talvik.boards"; exit 1; }
    echo "ansible-doc finds the installed collection talvik.boards"
fi
talvikctl --version | grep -qx "talvikctl ${version%-*}"
bash -c 'source /usr/share/bash-completion/completions/talvikctl && complete -p talvikctl' >/dev/null
talvik-board-sim --version | grep -qx "talvik-board-sim ${version%-*}"
dpkg-query -W -f='${Conffiles}' talvikcom | grep -q /etc/talvikcom/exporter.conf
dpkg-query -W -f='${Conffiles}' talvikcom | grep -q /etc/talvikcom/backup.conf
if command -v systemd-analyze >/dev/null; then
    for unit in talvik-exporter.service talvik-backup.service talvik-backup.timer; do
        systemd-analyze verify "/lib/systemd/system/$unit"
        echo "$unit: systemd-analyze verify finds nothing"
    done
fi

echo "== talvik-backup.service's command line, as a user of its own, beside simulated boards"
state=$(mktemp -d)
chown nobody "$state"
bash scripts/own-network.sh bash -c '
    set -euo pipefail
    talvik-board-sim --boards 127.0.9.1-127.0.9.5,version=2.17 >/dev/null 2>&1 & sim=$!
    trap "kill $sim" EXIT
    sleep 0.5
    command=$(sed -n "s/^ExecStart=//p" /lib/systemd/system/talvik-backup.service)
    command=${command//\$TALVIK_BACKUP_BOARDS/127.0.9.1-5}
    command=${command//\$\{STATE_DIRECTORY\}/$1}
    command=${command//\$TALVIK_BACKUP_OPTIONS/}
    for run in 1 2; do setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$1" $command; done' - "$state"
repo=(git -c safe.directory="$state" -C "$state") # the service's user owns it
[ "$("${repo[@]}" rev-list --count HEAD)" = 1 ] || { echo "the backup's repository has not one commit"; exit 1; }
echo "talvik-backup.service: $("${repo[@]}" log -1 --format=%s) (one commit of two runs), by $("${repo[@]}" log -1 --format=%an)"
rm -rf "$state"
promtool check rules /usr/share/doc/talvikcom/prometheus/talvik-alerts.yml >/dev/null
python3 -m json.tool /usr/share/doc/talvikcom/grafana/talvik-boards.json >/dev/null

echo "== the installed configurator, started from PATH"
home=$(mktemp -d)
HOME=$home XDG_CONFIG_HOME= bash scripts/own-network.sh bash -c '
    set -euo pipefail
    source scripts/virtual-display.sh
    start_virtual_display
    trap "kill $VIRTUAL_DISPLAY_PID 2>/dev/null" EXIT
    (cd / && exec talvikcom >/dev/null 2>&1) & app=$!
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^Конфігуратор плат" | head -n 1)
    [ -n "$wid" ] || { echo "the installed configurator opened no window"; exit 1; }
    echo "window: $(xprop -id "$wid" -notype _NET_WM_NAME WM_CLASS | tr "\n" " ")"
    kill $app; wait $app 2>/dev/null || true
    # The English translation is inside the installed executable; once asked for, it stays.
    for args in "--lang en" ""; do
        (cd / && exec talvikcom $args >/dev/null 2>&1) & app=$!
        wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^Board configurator" | head -n 1)
        [ -n "$wid" ] || { echo "talvikcom $args opened no English window"; exit 1; }
        echo "talvikcom $args: $(xprop -id "$wid" -notype _NET_WM_NAME)"
        kill $app; wait $app 2>/dev/null || true
    done'
test -f "$home/.config/TalvikCom/TalvikCom.ini" || { echo "no settings file in the user's folder"; exit 1; }
test ! -e /usr/bin/TalvikCom.ini || { echo "settings written into /usr/bin"; exit 1; }
echo "settings: $home/.config/TalvikCom/TalvikCom.ini"
rm -rf "$home"

echo "== remove (purge: the exporter's configuration too)"
files=$(dpkg -L talvikcom)
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq talvikcom >/dev/null
left=()
for f in $files; do [ -f "$f" ] && left+=("$f"); done
[ ${#left[@]} -eq 0 ] || { echo "left behind: ${left[*]}"; exit 1; }
echo "package $version: installed, checked and removed"
