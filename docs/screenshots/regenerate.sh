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
# A high-score table of its own, so that the run neither reads nor writes the player's.
XDG_DATA_HOME="$work" "$build/src/app/quenford" --headless --data "$build/data" \
    --frames 800 --script "$here/tour.script" --dump "$work" --dump-at 90,200,250,560,790
cp "$work/frame-000090.png" "$here/intro.png"
cp "$work/frame-000200.png" "$here/title.png"
cp "$work/frame-000250.png" "$here/high-scores.png"
cp "$work/frame-000560.png" "$here/menu.png"
cp "$work/frame-000790.png" "$here/garden.png"
