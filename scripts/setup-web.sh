#!/bin/sh
# Installs what the browser build, its tests and its audit need: Emscripten and Chromium from
# Debian, playwright-core and Lighthouse from npm (the versions package-lock.json pins;
# Lighthouse 12, as 13 wants Node 22). Idempotent and quiet: one line per package set; apt's
# and npm's output go to a log that is shown when they fail.
set -eu
cd "$(dirname "$0")/.."

LOG="${TMPDIR:-/tmp}/quenford-setup-web.log"
PACKAGES="emscripten chromium python3 nodejs npm"

run_logged() {
    if ! "$@" >"$LOG" 2>&1; then
        cat "$LOG" >&2
        echo "setup-web: failed: $*" >&2
        exit 1
    fi
}

missing=""
for p in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $p" ;;
    esac
done
# Node and npm may come from elsewhere than Debian; present is enough.
case "$missing" in *nodejs*) command -v node >/dev/null 2>&1 && missing=$(echo "$missing" | sed 's/ nodejs//') ;; esac
case "$missing" in *npm*) command -v npm >/dev/null 2>&1 && missing=$(echo "$missing" | sed 's/ npm//') ;; esac

if [ -n "$missing" ]; then
    echo "setup-web: installing Debian packages:$missing"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then
        SUDO="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    run_logged $SUDO apt-get update
    # shellcheck disable=SC2086
    run_logged $SUDO apt-get install -y --no-install-recommends $missing
fi

if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    echo "setup-web: installing npm packages (npm ci)"
    run_logged npm ci --no-audit --no-fund
fi
