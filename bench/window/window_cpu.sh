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
. "$(dirname "$0")/../common/on_virtual_display.sh"
start_display
# Its own folders: the player's names must not reach anybody's high-score table.
(cd "$data" && DISPLAY=$display HOME="$work" XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" TAMBERLY_HOME="$work/tamberly" \
    exec "$game" "$@" --autoplay --no-sound) >"$work/game.log" 2>&1 &
measured_pid=$!
sleep 5
print_processor_time "$seconds"

