#!/usr/bin/env bash
# Runs a command in a private network namespace: its loopback is the only interface,
# so port 6767 is never shared with a program running on this machine and no datagram
# can leave it. The addresses the configurator talks to are added to that loopback:
# 192.168.1.0/24 (boards and the range reboot's fixed peers) and 10.0.0.2.
# As root: unshare -n; otherwise unshare -rn where user namespaces are allowed;
# otherwise the command runs as it is, on this machine's network, saying so.
set -euo pipefail

if [ "${1:-}" = --inside ]; then
    shift
    ip link set lo up
    ip addr add 192.168.1.1/24 brd 192.168.1.255 dev lo
    ip addr add 10.0.0.2/32 dev lo
    export TALVIK_OWN_NETWORK=1
    exec "$@"
fi

if [ "${TALVIK_OWN_NETWORK:-}" = 1 ]; then
    exec "$@" # already inside one
fi
if [ "$(id -u)" -eq 0 ] && unshare -n true 2>/dev/null; then
    exec unshare -n "$0" --inside "$@"
fi
if unshare -rn true 2>/dev/null; then
    exec unshare -rn "$0" --inside "$@"
fi
echo "note: no private network namespace here (unshare is not allowed); running on this machine's network, loopback only" >&2
exec "$@"
