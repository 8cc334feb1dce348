# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by scripts/windows: a static Qt for 64-bit Windows, built with MinGW
# from Debian's own qt6-base source, so that the exe matches the host Qt that
# supplies moc, uic and rcc. Debian ships no Qt for MinGW, hence the build.
# The result is cached outside the work tree, keyed by version and options,
# because it takes the better part of an hour on two cores.

. "$(dirname "${BASH_SOURCE[0]}")/windows-source-build.sh"

ZELVA_QT_VERSION=6.4.2
ZELVA_QT_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DBUILD_SHARED_LIBS=OFF
    -DFEATURE_static_runtime=ON
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_icu=OFF
    # Without OpenGL the windows plugin only compiles with dynamic GL off too.
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
    # Small rather than fast: the window does little work, and every megabyte is
    # downloaded by every user. Each function and datum in its own section, so
    # that the linker drops whatever the program never calls.
    -DFEATURE_optimize_size=ON -DFEATURE_gc_binaries=ON
    # Parts of Qt that the program can never reach. QWidget, the styles and
    # QApplication refer to some of them, so without these switches they would
    # be linked in all the same.
    -DFEATURE_graphicsview=OFF    # scenes, proxy widgets and graphics effects
    # The window is drawn in Fusion on every system and sets no style sheet.
    -DFEATURE_style_windows=OFF -DFEATURE_style_windowsvista=OFF -DFEATURE_style_stylesheet=OFF
    -DFEATURE_mdiarea=OFF -DFEATURE_systemtrayicon=OFF
    -DFEATURE_undocommand=OFF     # the cells keep their own undo
    -DFEATURE_movie=OFF -DFEATURE_gif=OFF -DFEATURE_jpeg=OFF -DFEATURE_ico=OFF
    -DFEATURE_pdf=OFF -DFEATURE_textodfwriter=OFF
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
    -DFEATURE_mimetype_database=OFF  # nothing asks for a file's type
    -DFEATURE_freetype=OFF        # Windows draws with DirectWrite
)

# Prints the folder the finished Qt lives in (it may not exist yet).
zelva_windows_qt_prefix() {
    zelva_windows_cache_prefix qt "$ZELVA_QT_VERSION" "${ZELVA_QT_OPTIONS[@]}"
}

# Builds the cached Qt unless it is already there.
zelva_build_windows_qt() {
    local prefix src
    prefix=$(zelva_windows_qt_prefix)
    zelva_windows_cached Qt "$prefix" && return 0

    # The static Qt must be the host Qt's own version, whose moc, uic and rcc
    # build the program: Debian 12's 6.4.2, from Debian 12's source archive.
    local host_qt
    host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
    if [[ $host_qt != $ZELVA_QT_VERSION* ]]; then
        echo "scripts/windows builds with the host's Qt $ZELVA_QT_VERSION; qt6-base-dev is ${host_qt:-missing}" >&2
        return 1
    fi
    src=$(zelva_debian_source "$prefix.work" qt6-base qt6-base-dev "$ZELVA_QT_VERSION") || return 1
    zelva_windows_install Qt "$src" "$prefix" "${ZELVA_QT_OPTIONS[@]}"
}
