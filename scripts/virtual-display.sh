# Sourced by the scripts that show the real window: start_virtual_display [WxH] starts
# Xvfb (1280x1000 unless told) on the first free display number, exports DISPLAY, waits
# until the server answers and leaves its process id in VIRTUAL_DISPLAY_PID (the caller
# stops it).
start_virtual_display() {
    local n size=${1:-1280x1000}
    for n in $(seq 91 180); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
            VIRTUAL_DISPLAY_PID=$!
            export DISPLAY=":$n"
            for _ in $(seq 100); do xprop -root >/dev/null 2>&1 && return 0; sleep 0.05; done
            echo "Xvfb on :$n did not answer" >&2
            return 1
        fi
    done
    echo "no free X display number" >&2
    return 1
}
