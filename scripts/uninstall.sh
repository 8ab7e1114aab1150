#!/bin/sh
# Removes what scripts/install.sh put into DESTDIR (empty: the system) from this build:
# each file that is still as it was installed, then each folder the install made, once
# empty. A file changed since (by another package, or by hand) is left and named.
#     [DESTDIR=/tmp/stage] scripts/uninstall.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
. "$(dirname "$0")/install-record.sh"
dest=$(install_destination)
record=$(install_record "$build" "$dest")

if [ ! -f "$record" ]; then
    echo "nothing installed into ${dest:-/} from $build"
    for other in "$build"/installed/*.list; do
        [ -f "$other" ] || continue
        name=$(basename "$other" .list | sed 's|%|/|g')
        echo "installed from it: make uninstall DESTDIR=$name"
    done
    exit 1
fi

while read -r kind sum path; do
    [ "$kind" = file ] || continue
    [ -e "$path" ] || continue
    if [ "$(sha256sum <"$path" | cut -d' ' -f1)" = "$sum" ]; then
        rm -f "$path"
    else
        echo "left in place, changed since it was installed: $path"
    fi
done <"$record"
# Deepest folders first.
grep '^dir ' "$record" | cut -d' ' -f3- | awk '{ print length($0) " " $0 }' | sort -rn |
    cut -d' ' -f2- | while read -r folder; do
    rmdir "$folder" 2>/dev/null || [ ! -d "$folder" ] || echo "left in place, not empty: $folder"
done
rm -f "$record"
echo "uninstalled from ${dest:-/}"
