#!/bin/sh
# The window destroyed by another program (xdotool windowclose) ends the game as its close
# button does: exit code 0, no X error, the report and window.conf written.
#     check_window_destroyed.sh PROGRAM DATA_FOLDER
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TAMBERLY_HOME="$work" XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy
# Under the sanitizers: what SDL's D-Bus connection keeps on X is not the game's.
printf 'leak:libdbus-1.so\n' >"$work/leaks"
export LSAN_OPTIONS="suppressions=$work/leaks"
xvfb-run -a sh -c '
    timeout 60 "$1" --window --data "$2" --report "$3/report.json" 2>"$3/err" &
    game=$!
    xdotool search --sync --name "^TAMBERLY\$" sleep 1 windowclose
    code=0
    wait $game || code=$?
    echo $code >"$3/code"' sh "$1" "$2" "$work"
cat "$work/err"
test "$(cat "$work/code")" = 0
grep -q '"exitCode": 0' "$work/report.json"
test -s "$work/config/quenford/window.conf"
! grep -q "X Error" "$work/err"
