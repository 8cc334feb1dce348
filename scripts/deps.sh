# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by scripts/run, scripts/test, scripts/fuzz and scripts/bench: installs the
# Debian packages they need, only those that are missing, with apt-get (as root, or
# through sudo).
ZELVA_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-translations-l10n
    # the accessibility tests switch a screen reader on through Qt's platform layer
    qt6-base-private-dev
    libgtest-dev libbenchmark-dev
    # the distance tests compare with MPFR at 200 bits
    libmpfr-dev
    # the batch program reads GPX, TCX and KML with expat
    libexpat1-dev
    # the start-up benchmark watches the X server for the first frame
    libxcb1-dev libxcb-damage0-dev
    # validators of the installed metainfo and desktop file
    appstream desktop-file-utils
    fonts-liberation fonts-liberation2
)
# scripts/fuzz: Clang with its libFuzzer runtime.
ZELVA_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

zelva_ensure_packages() {
    local missing=() pkg
    for pkg in "${ZELVA_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "Missing packages (${missing[*]}) and no root or sudo to install them." >&2
            return 1
        fi
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# zelva_ensure_locales it_IT ...: generates each NAME.UTF-8 glibc locale that is missing.
zelva_ensure_locales() {
    local missing=() name
    for name in "$@"; do
        locale -a 2>/dev/null | grep -qix "$name.utf8" || missing+=("$name.UTF-8 UTF-8")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    for name in "${missing[@]}"; do
        echo "$name" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    done
    "${sudo[@]}" locale-gen
}
