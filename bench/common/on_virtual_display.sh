# Sourced by the window and RetroArch measurements: a virtual display of 1280 x 1024 (Xvfb, no
# graphics driver) with a window manager (openbox), a work folder removed at the end, and the
# processor time of a process over a number of seconds. The caller sets `measured_pid` to
# the process it starts, so that the clean-up ends it too.
work=$(mktemp -d)
display=:$((90 + $$ % 100))
# Each process is waited for, so that none still writes into the work folder as it goes.
cleanup() {
    for pid in ${measured_pid:-} ${wm_pid:-} ${x_pid:-}; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

start_display() {
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    x_pid=$!
    sleep 1
    DISPLAY=$display openbox >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    sleep 1
}

# Prints the processor time (user and system) of measured_pid over SECONDS seconds.
print_processor_time() {
    hz=$(getconf CLK_TCK)
    before=$(awk '{print $14 + $15}' "/proc/$measured_pid/stat")
    sleep "$1"
    after=$(awk '{print $14 + $15}' "/proc/$measured_pid/stat")
    echo "$((after - before)) ticks of 1/$hz s in $1 s:" \
        "$(awk -v t=$((after - before)) -v hz="$hz" -v s="$1" \
            'BEGIN { printf "%.2f %% of one core", 100 * t / hz / s }')"
}
