#!/bin/sh
# Builds the fuzz targets in a clang build of their own (every library instrumented) and runs
# each from its seeds for the given number of seconds (default 60):
#     scripts/fuzz.sh [SECONDS] [BUILD_DIR]
# FUZZ_JOBS=N runs N processes per target at once (libFuzzer's -jobs and -workers).
# FUZZ_TARGETS="archive demo" picks targets. A finding, or a target that does not build,
# fails the script; the input that failed is left in the target's log folder.
# What the game prints is dropped (-close_fd_mask); libFuzzer's and the sanitizers' reports stay.
set -eu
seconds="${1:-60}"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build="${2:-$source_dir/build-fuzz}"
# The targets run in their log folders: the build folder is taken from where it was named.
mkdir -p "$build"
build="$(cd "$build" && pwd)"
jobs="${FUZZ_JOBS:-1}"
targets="${FUZZ_TARGETS:-archive demo highscores}"

CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUENFORD_FUZZ=ON >/dev/null
build_targets="fuzz_seeds"
for name in $targets; do build_targets="$build_targets ${name}_fuzz"; done
# shellcheck disable=SC2086
cmake --build "$build" -j "$(nproc)" --target $build_targets

corpus="$build/fuzz-corpus"
"$build/fuzz/archive/fuzz_seeds" "$corpus/archive-seeds" "$corpus/demo-seeds"
mkdir -p "$corpus/highscores-seeds"
# High-score tables: none, one row (Ann, 500), all fifteen, one byte too many.
: >"$corpus/highscores-seeds/empty"
{ printf 'Ann'; head -c 33 /dev/zero; printf '\364\001\000\000'; } >"$corpus/highscores-seeds/one"
for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do cat "$corpus/highscores-seeds/one"; done \
    >"$corpus/highscores-seeds/full"
{ cat "$corpus/highscores-seeds/one"; printf 'x'; } >"$corpus/highscores-seeds/long"

failed=""
for name in $targets; do
    mkdir -p "$corpus/$name"
    logs="$build/fuzz-logs/$name"
    rm -rf "$logs"
    mkdir -p "$logs"
    # Inputs that once failed are kept beside the target and always run first.
    kept=""
    [ -d "$source_dir/fuzz/$name/regressions" ] && kept="$source_dir/fuzz/$name/regressions"
    # Longest input: an archive's tables and pictures (the target fills a game archive up to
    # its screenful); a few minutes of demo; a high-score file (15 rows of 40 bytes) and some.
    case "$name" in
        archive) max_len=65536 ;;
        demo) max_len=65536 ;;
        *) max_len=4096 ;;
    esac
    echo "== $name: $seconds s, $jobs job(s)"
    # shellcheck disable=SC2086
    if (cd "$logs" && "$build/fuzz/$name/${name}_fuzz" -max_total_time="$seconds" \
        -print_final_stats=1 -close_fd_mask=3 -rss_limit_mb=2048 -max_len="$max_len" -jobs="$jobs" \
        -workers="$jobs" "$corpus/$name" "$corpus/$name-seeds" $kept >"$logs/main.log" 2>&1) &&
        ! ls "$logs" | grep -q -e '^crash-' -e '^leak-' -e '^timeout-' -e '^oom-'; then
        status=ok
    else
        status=FAILED
        failed="$failed $name"
        tail -n 60 "$logs"/*.log
    fi
    # With jobs, each job logs to fuzz-N.log (which the main log repeats).
    job_logs=$(ls "$logs"/fuzz-*.log 2>/dev/null || echo "$logs/main.log")
    # shellcheck disable=SC2086
    runs=$(cat $job_logs | sed -n 's/^stat::number_of_executed_units: *//p' |
        awk '{ n += $1 } END { print n + 0 }')
    echo "$name: $status, $runs executions in $seconds s ($((runs / seconds)) a second)"
done
[ -z "$failed" ] || { echo "fuzzing found faults in:$failed (inputs in $build/fuzz-logs)"; exit 1; }
