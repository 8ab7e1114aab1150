#!/bin/sh
# check_install.sh BUILD STAGE PREFIX DATA_DIR BINDIR DESKTOP_FILE_VALIDATE APPSTREAMCLI MULTIARCH
# Stages `cmake --install` under STAGE (DESTDIR) and checks that everything a desktop needs
# is there, that the validators accept the desktop entry and the metainfo, that the manual
# page names every option the program offers, that the libretro core shows the frontend
# nothing but the libretro API, and that the installed program plays on its installed data.
set -eu
build="$1" stage="$2" prefix="$3" data_dir="$4"
bindir="$5" desktop_validate="$6" appstream="$7" multiarch="$8"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" >/dev/null

root="$stage$prefix"
expect="$bindir/quenford share/applications/quenford.desktop \
share/metainfo/io.github.quenford.quenford.metainfo.xml share/man/man6/quenford.6.gz \
share/doc/quenford/copyright share/doc/quenford/changelog.gz \
lib/$multiarch/libretro/quenford_libretro.so share/libretro/info/quenford_libretro.info"
for file in $expect; do
    [ -s "$root/$file" ] || fail "missing $prefix/$file"
done
for file in DATA10.RES morva.res icons/64x64/quenford.png signs/paused.png signs/controls.png signs/rules.png; do
    [ -s "$stage$data_dir/$file" ] || fail "missing $data_dir/$file"
done
[ -x "$root/$bindir/quenford" ] || fail "the program is not executable"
if [ -f "$build/data/DATA12.RES" ] && [ ! -s "$stage$data_dir/DATA12.RES" ]; then
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

man="$stage/manual-page"
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
work=$(mktemp -d)
(cd "$work" && env -u TAMBERLY_HOME HOME="$work" XDG_DATA_HOME="$work" "$root/$bindir/quenford" \
    --headless --frames 30 --no-sound --data "$stage$data_dir" --report "$work/report.json" \
    >/dev/null 2>&1) || true
grep -q '"launcher": "TAMBERLY' "$work/report.json" 2>/dev/null ||
    fail "the installed program does not play on the installed data"
rm -rf "$work"

[ "$failures" -eq 0 ] && echo "staged install complete"
exit "$failures"
