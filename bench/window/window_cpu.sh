#!/bin/sh
# Processor time of the game in a window while the built-in player plays, on a virtual
# display of 1280 x 1024 (Xvfb, no graphics driver; the window is then 640 x 480) with a
# window manager (openbox), over SECONDS seconds after a start-up of 5 s. Further arguments
# replace --window (e.g. --fullscreen).
# Usage: window_cpu.sh QUENFORD DATA_DIR [SECONDS [OPTION...]]
set -eu
game=$(realpath "$1")
data=$2
seconds=${3:-30}
shift $(($# < 3 ? $# : 3))
[ $# -gt 0 ] || set -- --window
work=$(mktemp -d)
display=:$((90 + $$ % 100))
cleanup() {
    [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
x_pid=$!
sleep 1
DISPLAY=$display openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
sleep 1
# Its own folders: the player's names must not reach anybody's high-score table.
(cd "$data" && DISPLAY=$display HOME="$work" XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" TAMBERLY_HOME="$work/tamberly" \
    exec "$game" "$@" --autoplay --no-sound) >"$work/game.log" 2>&1 &
game_pid=$!
sleep 5

ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
echo "$((after - before)) ticks of 1/$hz s in $seconds s:" \
    "$(awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
        'BEGIN { printf "%.2f %% of one core", 100 * t / hz / s }')"
