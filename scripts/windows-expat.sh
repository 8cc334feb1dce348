# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by scripts/windows after scripts/windows-qt.sh: a static expat for
# 64-bit Windows, built with MinGW from Debian's own expat source, which the
# batch program reads GPX, TCX and KML with. Debian ships no expat for MinGW,
# and a static one keeps zelvamirontica-batch.exe free of any DLL of its own.
# The result is cached beside the Qt, keyed by version, options, the one fix
# to the source and the toolchain file.

. "$(dirname "${BASH_SOURCE[0]}")/windows-source-build.sh"

ZELVA_EXPAT_VERSION=2.5.0
ZELVA_EXPAT_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release
    # Small rather than fast, as the exes and the Qt are built: each function
    # and datum in its own section, for the linker to drop those never called.
    "-DCMAKE_C_FLAGS_RELEASE=-Os -DNDEBUG"
    "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections"
    # A static library: its users get XML_STATIC from expat's own CMake
    # config. The MinGW runtime comes in only when the exe is linked, and
    # statically there, as Qt's does.
    -DEXPAT_SHARED_LIBS=OFF
    -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF
    -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF
)
# Debian builds expat with its configure script, whose expat_config.h says
# `#define XML_DTD 1`, and its backported fixes test `#if XML_DTD == 1`;
# CMake's template defines XML_DTD empty, which those lines cannot compile
# with. The same value as Debian's, then.
ZELVA_EXPAT_CONFIG_FIX='s/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/'

# Prints the folder the finished expat lives in (it may not exist yet).
zelva_windows_expat_prefix() {
    zelva_windows_cache_prefix expat "$ZELVA_EXPAT_VERSION" "${ZELVA_EXPAT_OPTIONS[@]}" "$ZELVA_EXPAT_CONFIG_FIX"
}

# Builds the cached expat unless it is already there.
zelva_build_windows_expat() {
    local prefix src
    prefix=$(zelva_windows_expat_prefix)
    zelva_windows_cached expat "$prefix" && return 0
    # Debian 12's expat, the version the Linux build links.
    src=$(zelva_debian_source "$prefix.work" expat libexpat1-dev "$ZELVA_EXPAT_VERSION") || return 1
    # Debian's source is laid out as upstream's repository, the library in
    # expat/; a release tarball would have it at the top.
    [ -f "$src/CMakeLists.txt" ] || src="$src/expat"
    sed -i "$ZELVA_EXPAT_CONFIG_FIX" "$src/expat_config.h.cmake"
    zelva_windows_install expat "$src" "$prefix" "${ZELVA_EXPAT_OPTIONS[@]}"
}

# Prints the folder of the cached expat's CMake config, for expat_DIR: the
# toolchain files confine find_package to the MinGW and Qt roots, which the
# cache is outside of.
zelva_windows_expat_cmake_dir() {
    echo "$(zelva_windows_expat_prefix)/lib/cmake/expat-$ZELVA_EXPAT_VERSION"
}
