# Package installation shared by the set-up scripts; sourced, never run.
#
# Debian's mirrors are sometimes caught in the middle of a sync: an index file then has the
# wrong size and apt-get update fails although the lists it already has would serve. The lists
# are therefore read again a few times, a little later each time; when they still do not all
# download, the lists at hand are used and the installation itself says whether a package is
# missing. An installation that fails to fetch is tried again the same way.

apt_sudo=""
[ "$(id -u)" -eq 0 ] || apt_sudo="sudo"

apt_attempts=${TOV_APT_ATTEMPTS:-3}
apt_pause=${TOV_APT_PAUSE:-10}

# Runs "$@" up to apt_attempts times, pausing longer after each failure.
apt_retry() {
    local attempt=1 pause=$apt_pause
    until "$@"; do
        if [ "$attempt" -ge "$apt_attempts" ]; then
            return 1
        fi
        echo "'$*' failed (attempt $attempt of $apt_attempts); trying again in ${pause}s" >&2
        sleep "$pause"
        attempt=$((attempt + 1))
        pause=$((pause * 2))
    done
}

# Reads the package lists again. Never fails: lists that did not download are reported and
# the old ones are used.
apt_update() {
    if ! apt_retry $apt_sudo apt-get update -qq; then
        echo "warning: some package lists did not download; going on with the lists at hand" >&2
    fi
}

# Installs the packages named (apt-get install options may come first).
apt_install() {
    apt_retry $apt_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >/dev/null
}

# Prints, one to a line, the packages named that are not installed.
apt_missing() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}
