#!/bin/sh
# Regenerates the screenshots in this folder from the game itself: the headless host plays
# tour.script on freshly built data and the chosen frames are kept.
# Usage: docs/screenshots/regenerate.sh [build folder]    (default: build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
cmake --build "$build" --target quenford game_data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
# Apart from every file of the player's (the high-score table wherever TAMBERLY_HOME or
# XDG_DATA_HOME puts it, the window settings, the pictures folder): a home of its own.
env -u TAMBERLY_HOME -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_PICTURES_DIR HOME="$work/home" \
    "$build/src/app/quenford" --headless --data "$build/data" --frames 800 \
    --script "$here/tour.script" --dump "$work" --dump-at 90,200,250,560,790
cp "$work/frame-000090.png" "$here/intro.png"
cp "$work/frame-000200.png" "$here/title.png"
cp "$work/frame-000250.png" "$here/high-scores.png"
cp "$work/frame-000560.png" "$here/menu.png"
cp "$work/frame-000790.png" "$here/garden.png"
