#!/bin/sh
# Installs the Debian packages the build, the data builder and the tests need.
# Idempotent: when everything is present it only runs dpkg-query and returns.
set -eu

PACKAGES="cmake make g++ clang-14 libclang-rt-14-dev pkg-config libsdl2-dev libcairo2-dev \
libfreetype-dev fonts-dejavu-core libpng-dev zlib1g-dev libgtest-dev libgmock-dev googletest \
libbenchmark-dev xvfb xauth"
# A window manager for measuring the game in a window on the virtual display.
PACKAGES="$PACKAGES openbox"

missing=""
for p in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $p" ;;
    esac
done

[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
