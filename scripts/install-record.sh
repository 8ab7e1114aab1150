# Sourced by install.sh and uninstall.sh: the file recording an install into a destination.
# install_record BUILD_DIR DESTINATION (absolute, "" for the system)
install_record() {
    echo "$1/installed/$(printf '%s' "${2:-/}" | sed 's|/|%|g').list"
}
