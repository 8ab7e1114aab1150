#!/bin/sh
# Checks that the set-up installs everything the build and the scripts look for: every
# find_program, find_package and pkg_check_modules of the CMake files must be named in the
# table below, the package it names must be one scripts/setup.sh installs, and on this
# machine the program or library must be there and come from that package.
#     scripts/check-requirements.sh [SOURCE_DIR]
set -eu
source_dir="${1:-$(cd "$(dirname "$0")/.." && pwd)}"

# kind name package: `program` for find_program and the programs the scripts run,
# `module` for pkg-config modules, `cmake` for find_package.
TABLE="program desktop-file-validate desktop-file-utils
program appstreamcli appstream
program cmake cmake
program cpack cmake
program clang clang
program clang++ clang
program dpkg-shlibdeps dpkg-dev
program file file
program lintian lintian
program xvfb-run xvfb
program xdotool xdotool
program retroarch retroarch
module sdl2 libsdl2-dev
module x11 libx11-dev
module cairo libcairo2-dev
module cairo-ft libcairo2-dev
module freetype2 libfreetype-dev
cmake PkgConfig pkg-config
cmake PNG libpng-dev
cmake GTest libgtest-dev
cmake benchmark libbenchmark-dev"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
known() { printf '%s\n' "$TABLE" | grep -q "^$1 $2 "; }

# What the CMake files look for (not npm's packages' own). Multi-line calls are joined first.
cmake_files=$(cd "$source_dir" && find . \( -path './build*' -o -path ./node_modules \) -prune -o \
    \( -name CMakeLists.txt -o -name '*.cmake' \) -print)
calls=$(cd "$source_dir" && for f in $cmake_files; do
    tr '\n' ' ' <"$f" |
        grep -o -E '(find_program|find_package|pkg_check_modules|quenford_require_program)\([^)]*\)' |
        sed "s|^|$f |"
done)
unnamed=$(printf '%s\n' "$calls" | while read -r file call; do
    [ -n "$call" ] || continue
    args=$(printf '%s' "$call" | sed -e 's/^[a-z_]*(//' -e 's/)$//')
    case "$call" in
        quenford_require_program*)
            # quenford_require_program(VAR program package): the package it names is checked too.
            set -- $args
            case "$2" in \$*) continue ;; esac
            known program "$2" || fail "$file looks for the program $2, which the table does not name"
            known program "$2" && ! printf '%s\n' "$TABLE" | grep -q -x "program $2 $3" &&
                fail "$file names $3 for $2, the table another package"
            ;;
        find_program*)
            # find_program(VAR name) or find_program(VAR NAMES a b ...): the first name.
            set -- $args
            shift
            [ "${1:-}" = NAMES ] && shift
            case "$1" in \$*) continue ;; esac  # inside a function: its callers are read
            known program "$1" || fail "$file looks for the program $1, which the table does not name"
            ;;
        find_package*)
            set -- $args
            known cmake "$1" || fail "$file looks for the CMake package $1, which the table does not name"
            ;;
        pkg_check_modules*)
            set -- $args
            shift
            for word in "$@"; do
                case "$word" in
                    REQUIRED | QUIET | IMPORTED_TARGET | GLOBAL | NO_CMAKE_PATH | NO_CMAKE_ENVIRONMENT_PATH) ;;
                    *) known module "$word" ||
                        fail "$file looks for the pkg-config module $word, which the table does not name" ;;
                esac
            done
            ;;
    esac
done)
if [ -n "$unnamed" ]; then
    printf '%s\n' "$unnamed"
    failures=$((failures + 1))
fi

installs=$(sh "$source_dir/scripts/setup.sh" --list)
# Where each program and module is on this machine, then one look-up of their packages.
located=$(printf '%s\n' "$TABLE" | while read -r kind name package; do
    case "$kind" in
        program) path=$(command -v "$name" || true) ;;
        module) path="$(pkg-config --variable=pcfiledir "$name" 2>/dev/null || true)/$name.pc" ;;
        *) continue ;;
    esac
    [ -e "$path" ] && echo "$kind $name $package $path $(readlink -f "$path")"
done)
# shellcheck disable=SC2046
owners=$(dpkg-query -S $(printf '%s\n' "$located" | cut -d' ' -f4-) 2>/dev/null || true)
comes_from() {
    printf '%s\n' "$owners" | grep -e ": $2\$" -e ": $3\$" | cut -d: -f1 | tr ',' '\n' |
        sed 's/ //g' | grep -q -x "$1"
}
bad=$(printf '%s\n' "$TABLE" | while read -r kind name package; do
    printf '%s\n' "$installs" | grep -q -x "$package" ||
        echo "FAIL: scripts/setup.sh does not install $package (for $kind $name)"
    [ "$kind" = cmake ] && continue
    line=$(printf '%s\n' "$located" | grep "^$kind $name " || true)
    if [ -z "$line" ]; then
        echo "FAIL: $kind $name (package $package) is not installed"
    else
        set -- $line
        comes_from "$package" "$4" "$5" || echo "FAIL: $kind $name ($4) does not come from $package"
    fi
done)
if [ -n "$bad" ]; then
    printf '%s\n' "$bad"
    failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] && echo "the set-up installs everything the build looks for"
exit "$failures"
