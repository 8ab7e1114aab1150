#!/bin/sh
# Installs the Debian packages that the build, the data builder, the tests, the fuzzing and
# the packaging use, one line for each set it installs; apt's own output goes to a log that
# is shown when it fails. Idempotent: when everything is present it only runs dpkg-query.
#     scripts/setup.sh          install what is missing
#     scripts/setup.sh --list   print every package, one a line
# scripts/check-requirements.sh checks that every program and library the build looks for
# comes from a package listed here.
set -eu

SETS="build tools: cmake make g++ clang-14 libclang-rt-14-dev pkg-config
game libraries: libsdl2-dev libx11-dev libpng-dev zlib1g-dev
data builder: libcairo2-dev libfreetype-dev fonts-dejavu-core
tests and benchmarks: libgtest-dev libgmock-dev googletest libbenchmark-dev desktop-file-utils appstream xvfb xauth xdotool
fuzzing: clang
packaging: dpkg-dev file lintian
libretro core and its trial in RetroArch: retroarch-dev retroarch
window measurements and trials by hand: openbox imagemagick ccache"

if [ "${1:-}" = "--list" ]; then
    printf '%s\n' "$SETS" | cut -d: -f2 | tr ' ' '\n' | sed '/^$/d'
    exit 0
fi

installed() {
    case "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)" in
        *"install ok installed"*) return 0 ;;
        *) return 1 ;;
    esac
}

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
log="${TMPDIR:-/tmp}/quenford-setup.log"
updated=""

apt() {
    if ! $SUDO apt-get "$@" >>"$log" 2>&1; then
        echo "setup: apt-get $* failed; its output ($log):"
        cat "$log"
        exit 1
    fi
}

printf '%s\n' "$SETS" | while IFS=: read -r name packages; do
    missing=""
    for p in $packages; do
        installed "$p" || missing="$missing $p"
    done
    [ -n "$missing" ] || continue
    if [ -z "$updated" ]; then
        : >"$log"
        apt update
        updated=yes
    fi
    echo "setup: installing $name:$missing"
    # shellcheck disable=SC2086
    apt install -y --no-install-recommends $missing
done
