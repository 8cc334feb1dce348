# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by scripts/windows-qt.sh and scripts/windows-expat.sh: a library
# built for 64-bit Windows with MinGW from Debian 12's own source package, and
# cached outside the work tree. The source is fetched through a private apt
# set-up that knows only Debian's source archive, so the system's own sources
# and lists stay as they are: the Windows builds of Qt and expat must be the
# very versions the Linux build uses.

zelva_windows_toolchain() {
    echo "$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/cmake/mingw-w64.cmake"
}

# zelva_windows_cache_prefix NAME VERSION SETTING...: the folder NAME lives in
# once built (it may not exist yet), keyed by its version, its settings and
# the toolchain file. The toolchain file's license line does not change what
# gets built.
zelva_windows_cache_prefix() {
    local name=$1 version=$2 key
    shift 2
    key=$( { printf '%s\n' "$version" "$@"
             grep -v '^# SPDX-License-Identifier:' "$(zelva_windows_toolchain)"; } \
        | sha256sum | cut -c1-12)
    echo "${XDG_CACHE_HOME:-$HOME/.cache}/zelvamirontica/$name-$version-mingw-static-$key"
}

# zelva_windows_cached NAME PREFIX: true, saying so, when PREFIX holds a
# finished build; otherwise clears PREFIX and its work folder for a new one.
zelva_windows_cached() {
    if [ -f "$2/.complete" ]; then
        echo "Windows $1: cached in $2"
        return 0
    fi
    rm -rf "$2.work" "$2"
    return 1
}

# zelva_windows_install NAME SRC PREFIX OPTION...: configures SRC with the
# MinGW toolchain, builds it, installs it into PREFIX and marks it finished.
zelva_windows_install() {
    local name=$1 src=$2 prefix=$3 work=$3.work
    shift 3
    cmake -S "$src" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$(zelva_windows_toolchain)" \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        "$@"
    # Lowest priority: the machine stays usable while it builds.
    nice -n 19 cmake --build "$work/build" --parallel "$(nproc)"
    cmake --install "$work/build"
    touch "$prefix/.complete"
    rm -rf "$work"
    echo "Windows $name: built in $prefix"
}

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
