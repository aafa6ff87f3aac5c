#!/usr/bin/env bash
# Debian's real Prometheus against talvikctl exporter, in the tests' network: the alert rules
# checked and unit-tested by promtool, then a server that scrapes an exporter surveying
# simulated boards (two answer, one is silent), its sum(talvik_board_up) read back through
# the query API. prometheus-check.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
rules=$here/../../packaging/prometheus/talvik-alerts.yml
for tool in prometheus promtool curl; do
    command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed (scripts/install-deps.sh installs it)"; exit 1; }
done
promtool check rules "$rules"
(cd "$here" && promtool test rules talvik-alerts.test.yml)

work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null; rm -rf "$work"' EXIT
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
free_udp_port() { python3 -c 'import socket; s=socket.socket(type=socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
exporter_port=$(free_port)
server_port=$(free_port)
board_ports="$(free_udp_port),$(free_udp_port)"

"$build/tools/talvik-board-sim" --ports "$board_ports" --boards 127.0.6.2-127.0.6.3,version=2.17 >"$work/sim.log" 2>&1 &
pids+=($!)
"$build/tools/talvikctl" exporter 127.0.6.2-4 --interval 1 --listen "127.0.0.1:$exporter_port" \
    --local-port "$(free_udp_port)" --ports "$board_ports" --timeout 300 2>"$work/exporter.log" &
pids+=($!)
cat >"$work/prometheus.yml" <<CONFIG
global:
  scrape_interval: 1s
  evaluation_interval: 1s
rule_files: ["$rules"]
scrape_configs:
  - job_name: talvik
    static_configs:
      - targets: ["127.0.0.1:$exporter_port"]
CONFIG
prometheus --config.file="$work/prometheus.yml" --storage.tsdb.path="$work/data" \
    --web.listen-address="127.0.0.1:$server_port" >"$work/prometheus.log" 2>&1 &
pids+=($!)

query() { curl -sf --get "http://127.0.0.1:$server_port/api/v1/query" --data-urlencode "query=$1"; }
answer=""
for _ in $(seq 150); do
    answer=$(query 'sum(talvik_board_up)' || true)
    echo "$answer" | grep -q '"value":\[[0-9.]*,"2"\]' && break
    sleep 0.2
done
if ! echo "$answer" | grep -q '"value":\[[0-9.]*,"2"\]'; then
    echo "FAILED: sum(talvik_board_up) through Prometheus' query API: ${answer:-no answer}"
    tail -5 "$work/prometheus.log" "$work/exporter.log"
    exit 1
fi
echo "ok: Prometheus scraped the exporter: sum(talvik_board_up) = 2 of 3 boards"
silent=$(query 'talvik_board_up{address="127.0.6.4"}')
echo "$silent" | grep -q '"value":\[[0-9.]*,"0"\]' || { echo "FAILED: the silent board: $silent"; exit 1; }
echo "ok: the silent board is talvik_board_up 0"
health=$(curl -sf "http://127.0.0.1:$server_port/api/v1/targets")
echo "$health" | grep -q '"health":"up"' || { echo "FAILED: the scrape's health: $health"; exit 1; }
echo "ok: the scrape is healthy (the page parses)"
