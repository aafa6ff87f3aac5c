#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need. Safe to run again.
set -euo pipefail

packages=(
    cmake make g++ clang-format
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libyaml-cpp-dev libcrypt-dev libssl-dev # the exporter's web configuration: YAML, and bcrypt through crypt_r
    qt6-l10n-tools # lrelease builds the translations into the program; lupdate checks their sources
    qt6-translations-l10n # Qt's own words (dialog buttons, the file dialog) in Ukrainian, built in too
    libqt6svg6 # draws the window's SVG icon
    fonts-dejavu-core # Cyrillic glyphs for the offscreen window
    clang libclang-rt-14-dev # libFuzzer for the fuzz targets
    xvfb x11-utils xdotool openbox imagemagick # the real window on a virtual display
    dbus at-spi2-core python3-pyatspi # the window as a screen reader gets it
    iproute2 util-linux # the tests' own network namespace
    strace # a test reads the system calls: no socket may broadcast
    dpkg-dev help2man lintian desktop-file-utils appstream man-db # the Debian package and its checks
    prometheus curl # the real server scrapes talvikctl exporter; promtool checks the alert rules
    openssl apache2-utils # certificates and bcrypt hashes (htpasswd) for the exporter's web tests
    time # the benchmarks' peak memory of a program they run
    git # talvikctl backup --git keeps its folder with it
    ansible-core openssh-server # the Ansible collection's test: ansible-playbook, one site PC over SSH
)

# make windows: the MinGW-w64 cross compiler, Ninja, Wine for the tests, NSIS and zip for the package.
[ "${1:-}" = windows ] && packages=(g++-mingw-w64-x86-64-posix ninja-build wine64 nsis zip curl
    qt6-base-dev-tools qt6-l10n-tools qt6-translations-l10n xvfb xdotool openbox imagemagick)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
