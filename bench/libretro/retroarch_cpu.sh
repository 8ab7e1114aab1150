#!/bin/sh
# Processor time of RetroArch playing the libretro core on a virtual display of 1280 x 1024
# (Xvfb, no graphics driver: OpenGL on the processor) with a window manager (openbox), over
# SECONDS seconds after a start-up of 5 s; then the pace of its frames: the time RetroArch
# takes for 900 frames less the time for 300 (the start-up and the end cancel), over 600.
# RetroArch runs with a configuration of its own: its window at 640 x 480, no menu, no sound
# device, and "Sync to Exact Content Framerate" on (vrr_runloop_enable), which holds the
# frames to the rate the core reports. Nothing presses a key: the introduction, the title,
# then the garden.
# Usage: retroarch_cpu.sh CORE DATA_DIR [SECONDS]
set -eu
core=$(realpath "$1")
data=$(realpath "$2")
seconds=${3:-30}
. "$(dirname "$0")/../common/on_virtual_display.sh"

mkdir -p "$work/system/quenford" "$work/saves"
ln -s "$data/DATA10.RES" "$data/morva.res" "$work/system/quenford/"
cat >"$work/retroarch.cfg" <<CONFIG
video_driver = "gl"
video_vsync = "false"
video_windowed_fullscreen = "false"
video_fullscreen = "false"
video_window_auto_width_max = "640"
video_window_auto_height_max = "480"
video_scale = "1"
vrr_runloop_enable = "true"
audio_driver = "null"
menu_driver = "null"
pause_nonactive = "false"
config_save_on_exit = "false"
system_directory = "$work/system"
savefile_directory = "$work/saves"
CONFIG

start_display
DISPLAY=$display HOME="$work" XDG_CONFIG_HOME="$work/config" \
    retroarch --config "$work/retroarch.cfg" -L "$core" --verbose >"$work/retroarch.log" 2>&1 &
measured_pid=$!
sleep 5
print_processor_time "$seconds"
kill "$measured_pid"
wait "$measured_pid" 2>/dev/null || true
measured_pid=

# Seconds RetroArch takes from its start to the end of frame N.
run_to() {
    start=$(date +%s.%N)
    DISPLAY=$display HOME="$work" XDG_CONFIG_HOME="$work/config" retroarch \
        --config "$work/retroarch.cfg" -L "$core" --max-frames "$1" >>"$work/retroarch.log" 2>&1
    awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }'
}
short=$(run_to 300)
long=$(run_to 900)
echo "a frame every $(awk -v s="$short" -v l="$long" 'BEGIN { printf "%.2f", (l - s) * 1000 / 600 }')" \
    "ms (the game's period: 35 ms)"
