#!/usr/bin/env bash
# Runs a benchmark program with the window on the screen: a virtual X display of its
# own when Xvfb is installed, else offscreen (said in the benchmark's first line).
set -euo pipefail
if command -v Xvfb >/dev/null; then
    source "$(dirname "$0")/virtual-display.sh"
    start_virtual_display
    trap 'kill $VIRTUAL_DISPLAY_PID 2>/dev/null' EXIT
    export QT_QPA_PLATFORM=xcb
else
    export QT_QPA_PLATFORM=offscreen
fi
"$@"
