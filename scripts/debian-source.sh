# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by scripts/windows-qt.sh and scripts/windows-expat.sh: a Debian 12
# source package, fetched through a private apt set-up that knows only
# Debian's source archive, so the system's own sources and lists stay as they
# are. The Windows builds of Qt and expat must be the very versions the Linux
# build uses.

# zelva_debian_source WORK SOURCE HOST_PACKAGE VERSION: unpacks SOURCE, in the
# Debian revision of the installed HOST_PACKAGE where the archive still has it,
# into WORK/src and prints its folder; fails unless it is VERSION.
zelva_debian_source() {
    local work=$1 source=$2 host=$3 version=$4 codename src
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if [ "$codename" != bookworm ]; then
        echo "scripts/windows builds on Debian 12 (bookworm); this is ${codename:-an unknown system}" >&2
        return 1
    fi
    mkdir -p "$work/apt/state/lists/partial" "$work/apt/cache/archives/partial" "$work/src"
    cat > "$work/apt/sources.list" <<SOURCES
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $codename main
SOURCES
    local apt=(apt-get -q
        -o Dir::Etc::SourceList="$work/apt/sources.list"
        -o Dir::Etc::SourceParts=/nonexistent
        -o Dir::State="$work/apt/state"
        -o Dir::Cache="$work/apt/cache"
        -o Debug::NoLocking=1)
    "${apt[@]}" update >&2
    (cd "$work/src" && { "${apt[@]}" source "$source=$(dpkg-query -W -f='${Version}' "$host" 2>/dev/null)" \
        || "${apt[@]}" source "$source"; }) >&2
    src=$(find "$work/src" -maxdepth 1 -mindepth 1 -type d -name "$source-*" | head -n1)
    case "$src" in
        */$source-$version*) echo "$src" ;;
        *) echo "Expected the $source $version source, got: ${src:-nothing}" >&2; return 1 ;;
    esac
}
