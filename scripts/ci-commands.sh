#!/bin/sh
# Runs every command the README documents, briefly, so that none can break unseen:
# make run, make soak (3 games), make bench (a moment each), make install and uninstall
# into a stage, make deb (lintian-clean), the screenshots, make fuzz (30 s a target),
# make clean (on stand-in build folders).
# make test and make test-sanitize run before it in .ci/run.
set -eu
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
step() { echo "== ci-commands: $*"; }

# The game and the soak must not read or write a player's files on this machine.
mkdir -p "$work/home"
export HOME="$work/home"
unset TAMBERLY_HOME XDG_DATA_HOME XDG_CONFIG_HOME XDG_PICTURES_DIR

step make run
make run ARGS="--headless --frames 200 --report $work/run.json"
grep -q '"exitCode": 0' "$work/run.json"

step make soak
make soak SOAK_GAMES=3

step make bench
make bench BENCH_ARGS=--benchmark_min_time=0.01

step make install and make uninstall, staged
stage="$work/stage"
make install PREFIX=/usr DESTDIR="$stage"
[ -x "$stage/usr/bin/quenford" ]
make uninstall DESTDIR="$stage"
[ -z "$(find "$stage" -mindepth 1)" ] || { find "$stage"; exit 1; }

step make deb
make deb

step "docs/screenshots/regenerate.sh, with a player's one-row table about"
mkdir -p "$work/player"
{ printf 'Ann'; head -c 33 /dev/zero; printf '\364\001\000\000'; } >"$work/player/HIGH10"
TAMBERLY_HOME="$work/player" docs/screenshots/regenerate.sh build
git diff --exit-code --stat docs/screenshots

step make fuzz
make fuzz FUZZ_SECONDS=30
step make clean, on stand-in build folders
for dir in build sanitize fuzz web; do mkdir -p "$work/clean-$dir/sub"; done
make clean BUILD_DIR="$work/clean-build" SANITIZE_BUILD_DIR="$work/clean-sanitize" \
    FUZZ_BUILD_DIR="$work/clean-fuzz" WEB_BUILD_DIR="$work/clean-web"
[ -z "$(find "$work" -maxdepth 1 -name 'clean-*')" ] || { ls -d "$work"/clean-*; exit 1; }

echo "ci-commands: every documented command ran"
