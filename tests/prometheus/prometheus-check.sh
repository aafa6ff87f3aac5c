#!/usr/bin/env bash
# Debian's real Prometheus against talvikctl exporter, in the tests' network: the alert rules
# checked and unit-tested by promtool, then a server that scrapes an exporter surveying
# simulated boards (two answer, one is silent), its sum(talvik_board_up) read back through
# the query API; and exporters behind a web configuration, scraped over TLS with basic auth
# and with a client certificate, the targets up, and down without the password, with a wrong
# one and with another CA's certificate, the exporter saying why. prometheus-check.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
rules=$here/../../packaging/prometheus/talvik-alerts.yml
for tool in prometheus promtool curl openssl htpasswd; do
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

# A CA, the exporter's certificate, Prometheus' client certificate, and one of another CA.
cd "$work"
for ca in ca other; do
    openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout $ca.key -out $ca.crt \
        -days 2 -subj "/CN=$ca" 2>/dev/null
done
certificate() { # NAME CA SAN
    openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout $1.key -out $1.csr -subj "/CN=$1" 2>/dev/null
    echo "subjectAltName=$3" >$1.ext
    openssl x509 -req -in $1.csr -CA $2.crt -CAkey $2.key -CAcreateserial -out $1.crt -days 2 -extfile $1.ext 2>/dev/null
}
certificate exporter ca IP:127.0.0.1
certificate prometheus ca DNS:prometheus
certificate stranger other DNS:prometheus
cd - >/dev/null
hash=$(htpasswd -nbBC 10 "" secret | tr -d ':\n')
cat >"$work/web-auth.yml" <<WEB
tls_server_config:
  cert_file: exporter.crt
  key_file: exporter.key
basic_auth_users:
  prometheus: $hash
WEB
cat >"$work/web-mtls.yml" <<WEB
tls_server_config:
  cert_file: exporter.crt
  key_file: exporter.key
  client_auth_type: RequireAndVerifyClientCert
  client_ca_file: ca.crt
WEB
auth_port=$(free_port)
mtls_port=$(free_port)
for kind in auth mtls; do
    port_var=${kind}_port
    "$build/tools/talvikctl" exporter 127.0.6.2-3 --interval 1 --web.listen-address "127.0.0.1:${!port_var}" \
        --web.config.file "$work/web-$kind.yml" --local-port "$(free_udp_port)" --ports "$board_ports" \
        --timeout 300 2>"$work/exporter-$kind.log" &
    pids+=($!)
done
cat >"$work/prometheus.yml" <<CONFIG
global:
  scrape_interval: 1s
  evaluation_interval: 1s
rule_files: ["$rules"]
scrape_configs:
  - job_name: talvik
    static_configs:
      - targets: ["127.0.0.1:$exporter_port"]
  - job_name: tls-password
    scheme: https
    tls_config: {ca_file: $work/ca.crt}
    basic_auth: {username: prometheus, password: secret}
    static_configs: [{targets: ["127.0.0.1:$auth_port"]}]
  - job_name: tls-wrong-password
    scheme: https
    tls_config: {ca_file: $work/ca.crt}
    basic_auth: {username: prometheus, password: wrong}
    static_configs: [{targets: ["127.0.0.1:$auth_port"]}]
  - job_name: tls-no-password
    scheme: https
    tls_config: {ca_file: $work/ca.crt}
    static_configs: [{targets: ["127.0.0.1:$auth_port"]}]
  - job_name: client-certificate
    scheme: https
    tls_config: {ca_file: $work/ca.crt, cert_file: $work/prometheus.crt, key_file: $work/prometheus.key}
    static_configs: [{targets: ["127.0.0.1:$mtls_port"]}]
  - job_name: another-ca
    scheme: https
    tls_config: {ca_file: $work/ca.crt, cert_file: $work/stranger.crt, key_file: $work/stranger.key}
    static_configs: [{targets: ["127.0.0.1:$mtls_port"]}]
CONFIG
prometheus --config.file="$work/prometheus.yml" --storage.tsdb.path="$work/data" \
    --web.listen-address="127.0.0.1:$server_port" >"$work/prometheus.log" 2>&1 &
pids+=($!)

query() { curl -sf --get "http://127.0.0.1:$server_port/api/v1/query" --data-urlencode "query=$1"; }
answer=""
for _ in $(seq 150); do
    answer=$(query 'sum(talvik_board_up{job="talvik"})' || true)
    echo "$answer" | grep -q '"value":\[[0-9.]*,"2"\]' && break
    sleep 0.2
done
if ! echo "$answer" | grep -q '"value":\[[0-9.]*,"2"\]'; then
    echo "FAILED: sum(talvik_board_up) through Prometheus' query API: ${answer:-no answer}"
    tail -5 "$work/prometheus.log" "$work/exporter.log"
    exit 1
fi
echo "ok: Prometheus scraped the exporter: sum(talvik_board_up) = 2 of 3 boards"
silent=$(query 'talvik_board_up{job="talvik",address="127.0.6.4"}')
echo "$silent" | grep -q '"value":\[[0-9.]*,"0"\]' || { echo "FAILED: the silent board: $silent"; exit 1; }
echo "ok: the silent board is talvik_board_up 0"
health=$(curl -sf "http://127.0.0.1:$server_port/api/v1/targets")
echo "$health" | grep -q '"health":"up"' || { echo "FAILED: the scrape's health: $health"; exit 1; }
echo "ok: the scrape is healthy (the page parses)"

# Behind the web configurations: up with the password and with the CA's certificate; down
# without the password, with a wrong one and with another CA's certificate.
up_of() { query "up{job=\"$1\"}" | sed -n 's/.*"value":\[[0-9.]*,"\([01]\)"\].*/\1/p'; }
for _ in $(seq 100); do
    states="$(up_of tls-password)$(up_of tls-wrong-password)$(up_of tls-no-password)$(up_of client-certificate)$(up_of another-ca)"
    [ "$states" = 10010 ] && break
    sleep 0.2
done
if [ "$states" != 10010 ]; then
    echo "FAILED: up of tls-password, tls-wrong-password, tls-no-password, client-certificate, another-ca: $states (want 10010)"
    curl -sf "http://127.0.0.1:$server_port/api/v1/targets" | tr ',' '\n' | grep -E '"(job|health|lastError)"'
    exit 1
fi
echo "ok: over TLS with the password and with the CA's client certificate, up; without, with a wrong one, with another CA's, down"
for said in "a wrong password for prometheus" "no password"; do
    for _ in $(seq 50); do grep -q "refused: $said" "$work/exporter-auth.log" && break; sleep 0.1; done
    grep -q "refused: $said" "$work/exporter-auth.log" || { echo "FAILED: the exporter does not say: $said"; cat "$work/exporter-auth.log"; exit 1; }
done
grep -q "refused: TLS" "$work/exporter-mtls.log" || { echo "FAILED: the exporter does not say why another CA's certificate is refused"; cat "$work/exporter-mtls.log"; exit 1; }
echo "ok: the exporters say why: $(grep -m1 -o 'refused: TLS.*' "$work/exporter-mtls.log")"
