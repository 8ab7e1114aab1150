#!/bin/sh
# Checks a Debian package of the game with lintian: any error or warning fails.
#     scripts/check-deb.sh PACKAGE.deb
set -eu
deb="$1"
[ -f "$deb" ] || { echo "no package $deb"; exit 1; }
command -v lintian >/dev/null || { echo "lintian not found: run scripts/setup.sh"; exit 1; }
lintian --fail-on error,warning --tag-display-limit 0 "$deb"
echo "$(basename "$deb"): lintian finds no error or warning"
