#!/bin/sh
# check_uninstall.sh SOURCE BUILD WORK PREFIX
# Installs into a stage under WORK as `make install DESTDIR=...` does and uninstalls it:
# nothing outside the stage may change (the same paths on this system, the build's other
# install records), nothing the install put in the stage may stay, and what the stage held
# before must. A file changed after the install, as another package's copy would be, is
# left in place and named.
set -eu
source="$1" build="$2" work="$3" prefix="$4"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rm -rf "$work"
mkdir -p "$work"
stage="$work/stage"
. "$source/scripts/install-record.sh"
record=$(install_record "$build" "$stage")

DESTDIR="$work/probe" cmake --install "$build" >/dev/null
paths=$(cd "$work/probe" && find . ! -type d | sed 's|^\.||' | sort)
[ -n "$paths" ] || fail "the install puts nothing in place"
outside() {
    for path in $paths; do
        if [ -e "$path" ]; then echo "$path $(sha256sum <"$path")"; else echo "$path absent"; fi
    done
    find "$build/installed" -name '*.list' ! -path "$record" -exec sha256sum {} + 2>/dev/null |
        sort
}
inventory() { (cd "$stage" && find . | sort); }
install() { DESTDIR="$stage" sh "$source/scripts/install.sh" "$build" >/dev/null; }
uninstall() { DESTDIR="$stage" sh "$source/scripts/uninstall.sh" "$build" >"$work/log" 2>&1; }

before=$(outside)
# The stage's own files, in folders the install uses too.
mkdir -p "$stage$prefix/bin" "$stage$prefix/share/man/man6"
echo other >"$stage$prefix/bin/other-game"
echo other >"$stage$prefix/share/man/man6/other-game.6"
held=$(inventory)
printf '%s\n' "$held" >"$work/held"

# Installed twice (the second finds the folders made), uninstalled once: the stage as it was.
install
install
for path in $paths; do
    [ -f "$stage$path" ] || fail "not installed: $path"
done
uninstall || fail "uninstall: $(cat "$work/log")"
[ "$(inventory)" = "$held" ] ||
    fail "the stage differs after uninstalling: $(inventory | diff "$work/held" - | tr '\n' ' ')"

# A file changed since the install stays, named; everything else goes.
install
changed="$stage$(printf '%s\n' "$paths" | grep '/quenford\.desktop$')"
echo "Hidden=true" >>"$changed"
uninstall || fail "uninstall with a changed file: $(cat "$work/log")"
grep -q -F "left in place, changed since it was installed: $changed" "$work/log" ||
    fail "the changed file is not named: $(cat "$work/log")"
if [ -f "$changed" ]; then
    rm "$changed"
    rmdir -p --ignore-fail-on-non-empty "$(dirname "$changed")"
else
    fail "the changed file was removed"
fi
[ "$(inventory)" = "$held" ] || fail "the stage differs after uninstalling around a changed file"

# Nothing recorded for the stage any more; the same paths outside it as before.
if uninstall; then fail "a second uninstall found something to remove"; fi
[ "$(outside)" = "$before" ] || fail "files outside the stage changed"

rm -rf "$work"
[ "$failures" -eq 0 ] && echo "staged install and uninstall touched nothing else"
exit "$failures"
