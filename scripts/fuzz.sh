#!/bin/sh
# Runs every fuzz target for the given number of seconds each (default 60), in a clang
# build of its own: scripts/fuzz.sh [SECONDS] [BUILD_DIR]
set -eu
seconds="${1:-60}"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build="${2:-$source_dir/build-fuzz}"

CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target archive_fuzz demo_fuzz highscores_fuzz fuzz_seeds

corpus="$build/fuzz-corpus"
"$build/fuzz/archive/fuzz_seeds" "$corpus/archive-seeds" "$corpus/demo-seeds"
mkdir -p "$corpus/archive" "$corpus/demo" "$corpus/highscores" "$corpus/highscores-seeds"
# High-score tables: none, one row (Ann, 500), all fifteen, one byte too many.
: >"$corpus/highscores-seeds/empty"
{ printf 'Ann'; head -c 33 /dev/zero; printf '\364\001\000\000'; } >"$corpus/highscores-seeds/one"
for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do cat "$corpus/highscores-seeds/one"; done \
    >"$corpus/highscores-seeds/full"
{ cat "$corpus/highscores-seeds/one"; printf 'x'; } >"$corpus/highscores-seeds/long"

run() {
    name="$1"
    echo "== $name for $seconds s"
    "$build/fuzz/$name/${name}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
        -rss_limit_mb=2048 -max_len=600000 "$corpus/$name" "$corpus/$name-seeds"
}
run archive
run demo
run highscores
