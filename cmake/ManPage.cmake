# SPDX-License-Identifier: GPL-3.0-or-later
# zelva_install_man_page(page target [LANGUAGE lang]): installs docs/<page>
# (section 1) with the project's version filled in; with LANGUAGE, its
# translation docs/<lang>/<page> into man/<lang>/man1, where man finds it for
# that language. Debian wants man pages compressed, without a time stamp so
# that the package builds the same twice. `target` builds it.
function(zelva_install_man_page page target)
    cmake_parse_arguments(ARG "" "LANGUAGE" "" ${ARGN})
    include(GNUInstallDirs)
    set(source ${PROJECT_SOURCE_DIR}/docs/${page})
    set(man ${CMAKE_CURRENT_BINARY_DIR}/${page})
    set(destination ${CMAKE_INSTALL_MANDIR}/man1)
    if(ARG_LANGUAGE)
        set(source ${PROJECT_SOURCE_DIR}/docs/${ARG_LANGUAGE}/${page})
        set(man ${CMAKE_CURRENT_BINARY_DIR}/${ARG_LANGUAGE}/${page})
        set(destination ${CMAKE_INSTALL_MANDIR}/${ARG_LANGUAGE}/man1)
    endif()
    configure_file(${source} ${man} @ONLY)
    find_program(ZELVA_GZIP gzip)
    if(ZELVA_GZIP)
        add_custom_command(OUTPUT ${man}.gz
            COMMAND ${ZELVA_GZIP} -9nc ${man} > ${man}.gz
            DEPENDS ${man} VERBATIM)
        add_custom_target(${target} ALL DEPENDS ${man}.gz)
        set(man ${man}.gz)
    endif()
    install(FILES ${man} DESTINATION ${destination})
endfunction()
