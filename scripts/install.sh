#!/bin/sh
# Installs the build into DESTDIR (empty: the system) and records what it put in place,
# for scripts/uninstall.sh: every file with its checksum, and every folder it had to make.
#     [DESTDIR=/tmp/stage] scripts/install.sh BUILD_DIR
# Each destination keeps its own record in BUILD_DIR/installed/, which nothing else writes
# (cpack and the tests install elsewhere), so a package build cannot change what an
# uninstall removes.
set -eu
build=$(cd "$1" && pwd)
. "$(dirname "$0")/install-record.sh"
dest=$(install_destination)
record=$(install_record "$build" "$dest")

# The same install into an empty folder tells which files and folders it makes.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
DESTDIR="$probe" cmake --install "$build" >/dev/null
made=$(cd "$probe" && find . -mindepth 1 -type d | sed 's|^\.||' | while read -r folder; do
    [ -d "$dest$folder" ] || echo "dir - $dest$folder"
done)

DESTDIR="$dest" cmake --install "$build"

mkdir -p "$build/installed"
files=$(cd "$probe" && find . ! -type d | sed 's|^\.||' | sort | while read -r file; do
    echo "file $(sha256sum <"$dest$file" | cut -d' ' -f1) $dest$file"
done)
# Installing again over an install keeps the folders the first one made, and the files it
# put in place that this one no longer does.
kept=""
if [ -f "$record" ]; then
    paths=$(printf '%s\n' "$files" | cut -d' ' -f3-)
    kept=$(while read -r kind sum path; do
        [ "$kind" = file ] && printf '%s\n' "$paths" | grep -q -F -x -e "$path" && continue
        echo "$kind $sum $path"
    done <"$record")
fi
printf '%s\n' "$files" "$made" "$kept" | sed '/^$/d' | sort -u >"$record.new"
mv "$record.new" "$record"
echo "installed into ${dest:-/}; scripts/uninstall.sh (make uninstall) removes it"
