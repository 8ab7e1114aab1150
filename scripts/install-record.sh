# Sourced by install.sh and uninstall.sh: the destination and the file recording an install
# into it.
# install_destination: DESTDIR made absolute, without a trailing slash ("" for the system)
install_destination() {
    dest="${DESTDIR:-}"
    case "$dest" in "" | /*) ;; *) dest="$PWD/$dest" ;; esac
    printf '%s' "${dest%/}"
}
# install_record BUILD_DIR DESTINATION (absolute, "" for the system)
install_record() {
    echo "$1/installed/$(printf '%s' "${2:-/}" | sed 's|/|%|g').list"
}
