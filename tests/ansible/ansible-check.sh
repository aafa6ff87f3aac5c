#!/usr/bin/env bash
# The collection talvik.boards with Debian's real Ansible, against simulated boards: two site
# PCs, one reached over a real SSH connection (Debian's sshd on a loopback address, with a key
# made here), the other with the local connection, each with boards of its own.
#   ansible-check.sh BUILD
# Runs in the tests' network namespace. Exits 77 (a skip for CTest) when ansible-core or
# openssh-server is not installed, saying which.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
for tool in ansible-playbook ansible ansible-doc ansible-galaxy /usr/sbin/sshd ssh-keygen; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed (make deps installs ansible-core and openssh-server)"; exit 77; }
done
tarball=$(ls "$build"/talvik-boards-*.tar.gz 2>/dev/null | head -n 1)
[ -n "$tarball" ] || { echo "no collection built in $build (ansible-galaxy collection build)"; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

export HOME=$work/home XDG_DATA_HOME=$work/data ANSIBLE_COLLECTIONS_PATH=$work/collections
export ANSIBLE_LOCAL_TEMP=$work/tmp ANSIBLE_REMOTE_TEMP=$work/remote-tmp ANSIBLE_NOCOLOR=1
export ANSIBLE_HOST_KEY_CHECKING=False ANSIBLE_RETRY_FILES_ENABLED=False ANSIBLE_FORCE_COLOR=0
mkdir -p "$HOME" "$XDG_DATA_HOME"
ansible-galaxy collection install "$tarball" -p "$ANSIBLE_COLLECTIONS_PATH" >/dev/null

# Every module's documentation renders.
for module in board_info board_config board_backup board_reboot; do
    ansible-doc "talvik.boards.$module" >"$work/doc.txt" 2>&1 || { cat "$work/doc.txt"; fail "ansible-doc $module"; }
    grep -q "EXAMPLES" "$work/doc.txt" && grep -q "RETURN VALUES" "$work/doc.txt" || fail "ansible-doc $module: no examples or return values"
done
echo "ansible-doc renders the four modules"

# ansible-test sanity, the tests of it that run offline: the others (ansible-doc, import, pep8,
# pylint, runtime-metadata, validate-modules, yamllint) first install pinned tools from PyPI.
if command -v ansible-test >/dev/null; then
    mkdir -p "$work/sanity/ansible_collections/talvik"
    cp -r "$source/packaging/ansible" "$work/sanity/ansible_collections/talvik/boards"
    skips=()
    for test in ansible-doc import pep8 pylint runtime-metadata validate-modules yamllint; do skips+=(--skip-test "$test"); done
    (cd "$work/sanity/ansible_collections/talvik/boards" &&
        ansible-test sanity --local --python-interpreter /usr/bin/python3 "${skips[@]}" >"$work/sanity.txt" 2>&1) ||
        { cat "$work/sanity.txt"; fail "ansible-test sanity"; }
    echo "ansible-test sanity: $(grep -c '^Running sanity test' "$work/sanity.txt") tests passed offline"
fi

# The boards of each site, each simulator logging every datagram it takes in.
sim() { # NAME DEFINITION...: started, its ports in $work/NAME.ports
    local name=$1
    shift
    # The log exists before the simulator does: read at once, a missing file would end the
    # script (pipefail) before the simulator had opened it.
    : >"$work/$name.log"
    "$build/tools/talvik-board-sim" "$@" --ports 0,0 --reboot-ms 300 --verbose >"$work/$name.log" 2>&1 &
    pids+=($!)
    eval "${name}_pid=$!"
    for _ in $(seq 100); do
        ports=$(sed -n 's/.*listening on ports \([0-9]*\), \([0-9]*\).*/\1,\2/p' "$work/$name.log")
        ports=${ports%%$'\n'*}
        [ -n "$ports" ] && { echo "$ports" >"$work/$name.ports"; return; }
        sleep 0.05
    done
    fail "the simulator $name did not start"
}
sim north --boards 127.0.20.1-127.0.20.4,version=2.17,console=1
sim south --boards 127.0.21.1-127.0.21.4,version=2.17,console=1
writes() { grep -c " in  write (" "$work/$1.log" || true; }

# The south office's PC, reached over SSH: Debian's sshd on a loopback address of the namespace.
ssh-keygen -q -t ed25519 -N '' -f "$work/host_key"
ssh-keygen -q -t ed25519 -N '' -f "$work/id"
cp "$work/id.pub" "$work/authorized_keys"
mkdir -p /run/sshd 2>/dev/null || true
cat >"$work/sshd_config" <<CONF
ListenAddress 127.0.0.22:2222
HostKey $work/host_key
AuthorizedKeysFile $work/authorized_keys
PidFile $work/sshd.pid
PasswordAuthentication no
KbdInteractiveAuthentication no
PermitRootLogin prohibit-password
StrictModes no
UsePAM no
SetEnv XDG_DATA_HOME=$work/south-data HOME=$work/home
CONF
/usr/sbin/sshd -D -e -f "$work/sshd_config" 2>"$work/sshd.log" &
pids+=($!)
for _ in $(seq 100); do
    ssh -q -o BatchMode=yes -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null -i "$work/id" \
        -p 2222 "$(id -un)@127.0.0.22" true 2>/dev/null && break
    sleep 0.1
done
ssh -q -o BatchMode=yes -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null -i "$work/id" -p 2222 \
    "$(id -un)@127.0.0.22" true || { cat "$work/sshd.log"; fail "sshd on 127.0.0.22:2222 does not let the key in"; }

cat >"$work/inventory.yml" <<INV
all:
  children:
    dispatch_offices:
      hosts:
        north:
          ansible_connection: local
          talvik_boards: [127.0.20.1-4]
          talvik_ports: [$(sed 's/,/, /' "$work/north.ports")]
          talvik_backups: $work/north-backups
        south:
          ansible_host: 127.0.0.22
          ansible_port: 2222
          ansible_user: $(id -un)
          ansible_ssh_private_key_file: $work/id
          ansible_ssh_common_args: -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null
          talvik_boards: [127.0.21.1-4]
          talvik_ports: [$(sed 's/,/, /' "$work/south.ports")]
          talvik_backups: $work/south-backups
      vars:
        ansible_python_interpreter: /usr/bin/python3
        talvikctl: $build/tools/talvikctl
        talvik_local_port: 0
        talvik_timeout: 300
INV
playbook=$source/packaging/ansible/examples/city.yml
run() { ansible-playbook -i "$work/inventory.yml" "$playbook" "$@" >"$work/run.txt" 2>&1; }
recap() { sed -n "s/^$1 *: //p" "$work/run.txt"; }
dispatcher() { # HOST: the dispatcher of each of its boards' permanent memory
    local first=127.0.20.1-4 ports=$(cat "$work/north.ports")
    [ "$1" = south ] && { first=127.0.21.1-4; ports=$(cat "$work/south.ports"); }
    "$build/tools/talvikctl" survey "$first" --permanent --json --ports "$ports" --local-port 0 --timeout 300 2>/dev/null |
        sed -n 's/.*"dispatcher":"\([0-9.]*\)".*/\1/p' | sort -u | tr '\n' ' '
}

# Check mode first: each board read, what would change shown per board, no write sent.
run --check --diff -e dispatcher=10.2.2.2 || { cat "$work/run.txt"; fail "the check run failed"; }
[ "$(writes north)$(writes south)" = 00 ] || fail "check mode sent write frames: $(writes north), $(writes south)"
grep -q "^-127.0.20.1 dispatcher: 0.0.0.0" "$work/run.txt" && grep -q "^+127.0.21.4 dispatcher: 10.2.2.2" "$work/run.txt" ||
    { cat "$work/run.txt"; fail "the diff does not show each board before and after"; }
echo "check mode: a diff per board, no write frame sent"

# The real run writes and verifies every board of both offices; a second one changes nothing.
run -e dispatcher=10.2.2.2 || { cat "$work/run.txt"; fail "the run failed"; }
[ "$(dispatcher north)$(dispatcher south)" = "10.2.2.2 10.2.2.2 " ] || fail "not every board holds 10.2.2.2: $(dispatcher north)/$(dispatcher south)"
recap north | grep -q "changed=2" && recap south | grep -q "changed=2" || { cat "$work/run.txt"; fail "the run did not report the backup and the change"; }
run -e dispatcher=10.2.2.2 || { cat "$work/run.txt"; fail "the second run failed"; }
recap north | grep -q "changed=0" && recap south | grep -q "changed=0" || { tail -5 "$work/run.txt"; fail "the second run changed something"; }
echo "the run wrote and verified every board; run again, it changed nothing"

# The north office's third board ignores writes: the office fails, and the south is not touched.
kill "$north_pid"
sim north --boards 127.0.20.1-127.0.20.2,version=2.17,console=1,dispatcher=10.2.2.2 \
    --board 127.0.20.3,version=2.17,console=1,dispatcher=10.2.2.2,writes=0 \
    --boards 127.0.20.4-127.0.20.4,version=2.17,console=1,dispatcher=10.2.2.2
python3 - "$work/inventory.yml" "$(cat "$work/north.ports")" <<'PY'
import sys
path, ports = sys.argv[1], sys.argv[2].split(",")
lines = open(path).read().split("\n")
north = lines.index("        north:")
for i in range(north, north + 6):
    if "talvik_ports" in lines[i]:
        lines[i] = "          talvik_ports: [%s, %s]" % tuple(ports)
open(path, "w").write("\n".join(lines))
PY
if run -e dispatcher=10.3.3.3; then cat "$work/run.txt"; fail "a run with a board that ignores writes succeeded"; fi
grep -q "127.0.20.3: written, the board holds something else" "$work/run.txt" || { cat "$work/run.txt"; fail "the failed board is not named"; }
recap north | grep -q "failed=1" || { cat "$work/run.txt"; fail "north did not fail"; }
[ -z "$(recap south)" ] && [ "$(dispatcher south)" = "10.2.2.2 " ] || { cat "$work/run.txt"; fail "south was touched after north failed"; }
echo "a board that ignores writes fails its office, and the next office is not touched"

# Bad input fails the task before anything is sent, with talvikctl's own reason.
adhoc() { ansible north -i "$work/inventory.yml" -m "talvik.boards.$1" -a "$2" >"$work/adhoc.txt" 2>&1; }
before=$(writes north)
adhoc board_config "{\"boards\": [\"127.0.20.1\"], \"talvikctl\": \"$build/tools/talvikctl\", \"local_port\": 0, \"fields\": {\"mask\": \"255.255.0\"}}" &&
    fail "a bad mask was taken"
grep -q "FAILED" "$work/adhoc.txt" && grep -q "'255.255.0' is not an IPv4 address" "$work/adhoc.txt" ||
    { cat "$work/adhoc.txt"; fail "a bad mask: not talvikctl's reason"; }
adhoc board_config "{\"boards\": [\"127.0.20.1\"], \"talvikctl\": \"$build/tools/talvikctl\", \"local_port\": 0, \"fields\": {\"colour\": \"red\"}}" &&
    fail "an unknown field was taken"
grep -qi "unknown option 'colour'" "$work/adhoc.txt" || { cat "$work/adhoc.txt"; fail "an unknown field: not talvikctl's reason"; }
[ "$(writes north)" = "$before" ] || fail "bad input sent a write"
PATH=/usr/bin:/bin adhoc board_info '{"boards": ["127.0.20.1"]}' && fail "a site PC without talvikctl succeeded"
grep -q "talvikctl is not installed on this site PC" "$work/adhoc.txt" || { cat "$work/adhoc.txt"; fail "no talvikctl: not said"; }
echo "a bad value, an unknown field and a missing talvikctl fail with their reasons, nothing sent"

# The boards returned, and a reboot over SSH: changed, each board acknowledged.
adhoc board_info "{\"boards\": [\"127.0.20.1-2\"], \"talvikctl\": \"$build/tools/talvikctl\", \"local_port\": 0, \"ports\": [$(cat "$work/north.ports")]}" ||
    { cat "$work/adhoc.txt"; fail "board_info"; }
# The failed job wrote .2 before it stopped at .3: its permanent memory waits for a reboot.
grep -q '"address": "127.0.20.2"' "$work/adhoc.txt" && grep -A 2 '"pending": \[' "$work/adhoc.txt" | grep -q '"dispatcher"' ||
    { cat "$work/adhoc.txt"; fail "board_info's boards"; }
# An _info module returns its data and sets no fact (the inventory's talvik_boards stays the inventory's).
grep -q 'ansible_facts' "$work/adhoc.txt" && { cat "$work/adhoc.txt"; fail "board_info set facts"; }
ansible south -i "$work/inventory.yml" -m talvik.boards.board_reboot \
    -a "{\"boards\": [\"127.0.21.1-2\"], \"talvikctl\": \"$build/tools/talvikctl\", \"local_port\": 0, \"ports\": [$(cat "$work/south.ports")]}" \
    >"$work/adhoc.txt" 2>&1 || { cat "$work/adhoc.txt"; fail "board_reboot over SSH"; }
grep -q "CHANGED" "$work/adhoc.txt" && grep -q '"127.0.21.2"' "$work/adhoc.txt" || { cat "$work/adhoc.txt"; fail "board_reboot's result"; }
echo "board_info's boards, no fact set; board_reboot over SSH, each board acknowledged"
echo "talvik.boards: every check passed"
