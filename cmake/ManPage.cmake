# SPDX-License-Identifier: GPL-3.0-or-later
# zelva_install_man_page(page target): installs docs/<page> (section 1) with the
# project's version filled in; Debian wants man pages compressed, without a
# time stamp so that the package builds the same twice. `target` builds it.
function(zelva_install_man_page page target)
    include(GNUInstallDirs)
    set(man ${CMAKE_CURRENT_BINARY_DIR}/${page})
    configure_file(${PROJECT_SOURCE_DIR}/docs/${page} ${man} @ONLY)
    find_program(ZELVA_GZIP gzip)
    if(ZELVA_GZIP)
        add_custom_command(OUTPUT ${man}.gz
            COMMAND ${ZELVA_GZIP} -9nc ${man} > ${man}.gz
            DEPENDS ${man} VERBATIM)
        add_custom_target(${target} ALL DEPENDS ${man}.gz)
        set(man ${man}.gz)
    endif()
    install(FILES ${man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
