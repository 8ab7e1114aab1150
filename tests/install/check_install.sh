#!/bin/sh
# check_install.sh SOURCE BUILD WORK PREFIX DATA_DIR BINDIR DESKTOP_FILE_VALIDATE APPSTREAMCLI
#                  MULTIARCH
# Stages `cmake --install` under WORK (DESTDIR) and checks that everything a desktop needs is
# there, that the validators accept the desktop entry and the metainfo, that the manual page
# names every option the program offers, that the libretro core shows the frontend nothing
# but the libretro API, and that the installed program plays on its installed data.
# Then installs into another stage as `make install DESTDIR=...` does and uninstalls it:
# nothing outside the stage may change (the same paths on this system, the build's other
# install records), nothing the install put in the stage may stay, and what the stage held
# before must. A file changed after the install, as another package's copy would be, is
# left in place and named.
set -eu
source="$1" build="$2" work="$3" prefix="$4" data_dir="$5"
bindir="$6" desktop_validate="$7" appstream="$8" multiarch="$9"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$work"
tree="$work/tree"
DESTDIR="$tree" cmake --install "$build" >/dev/null

root="$tree$prefix"
expect="$bindir/quenford share/applications/quenford.desktop \
share/metainfo/io.github.quenford.quenford.metainfo.xml share/man/man6/quenford.6.gz \
share/doc/quenford/copyright share/doc/quenford/changelog.gz \
lib/$multiarch/libretro/quenford_libretro.so share/libretro/info/quenford_libretro.info"
for file in $expect; do
    [ -s "$root/$file" ] || fail "missing $prefix/$file"
done
for file in DATA10.RES morva.res icons/64x64/quenford.png signs/paused.png signs/controls.png signs/rules.png; do
    [ -s "$tree$data_dir/$file" ] || fail "missing $data_dir/$file"
done
[ -x "$root/$bindir/quenford" ] || fail "the program is not executable"
if [ -f "$build/data/DATA12.RES" ] && [ ! -s "$tree$data_dir/DATA12.RES" ]; then
    fail "the demo DATA12.RES was built but not installed"
fi

# Each icon is there, a PNG of its own size.
for size in 16 24 32 48 64 128 256; do
    icon="$root/share/icons/hicolor/${size}x${size}/apps/quenford.png"
    header=$(od -An -tx1 -j16 -N8 "$icon" 2>/dev/null | tr -d ' \n')
    [ "$header" = "$(printf %08x%08x "$size" "$size")" ] || fail "icon $size is ${header:-missing}"
done

"$desktop_validate" "$root/share/applications/quenford.desktop" || fail "desktop entry"
"$appstream" validate --no-net "$root/share/metainfo/io.github.quenford.quenford.metainfo.xml" \
    >/dev/null || fail "metainfo"

man="$work/manual-page"
gzip -dc "$root/share/man/man6/quenford.6.gz" >"$man" || fail "the manual page is not gzip"
for option in $("$root/$bindir/quenford" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    escaped=$(printf '%s' "$option" | sed 's/-/\\\\-/g')
    grep -q -- "$escaped" "$man" || fail "the manual page does not describe $option"
done
grep -q '@' "$man" && fail "the manual page has an unfilled @ placeholder"

core="$root/lib/$multiarch/libretro/quenford_libretro.so"
if [ -f "$core" ]; then
    others=$(nm -D --defined-only "$core" | awk '$3 !~ /^retro_/ {print $3}')
    [ -z "$others" ] || fail "the core exports more than the libretro API: $others"
fi
info="$root/share/libretro/info/quenford_libretro.info"
version=$("$root/$bindir/quenford" --version | cut -d' ' -f2)
grep -q -x "display_version = \"$version\"" "$info" 2>/dev/null ||
    fail "the core's info file does not give the version $version"
grep -q -x 'supports_no_game = "true"' "$info" 2>/dev/null ||
    fail "the core's info file does not say it plays without content"

# The installed program finds its data by the installed folder, shown with --data here
# since the staged tree is not where it was built to look.
# A refused archive ends the program quietly with 0 (the start-up failure's exit code): the report tells,
# since the collection's shell is started only after the game has run.
home="$work/home"
mkdir "$home"
(cd "$home" && env -u TAMBERLY_HOME HOME="$home" XDG_DATA_HOME="$home" "$root/$bindir/quenford" \
    --headless --frames 30 --no-sound --data "$tree$data_dir" --report "$home/report.json" \
    >/dev/null 2>&1) || true
grep -q '"launcher": "TAMBERLY' "$home/report.json" 2>/dev/null ||
    fail "the installed program does not play on the installed data"

paths=$(cd "$tree" && find . ! -type d | sed 's|^\.||' | sort)
stage="$work/stage"
. "$source/scripts/install-record.sh"
record=$(install_record "$build" "$stage")
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
[ "$failures" -eq 0 ] && echo "staged install complete, and its uninstall touched nothing else"
exit "$failures"
