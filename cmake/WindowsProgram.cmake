# SPDX-License-Identifier: GPL-3.0-or-later
# zelva_windows_program(target): a Windows GUI exe as it ships, with the static
# Qt's windows plugin linked in and no symbols. The program and the bare window
# it is measured against are both built this way, so their sizes compare.
function(zelva_windows_program target)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    get_target_property(qt_type Qt6::Core TYPE)
    if(qt_type STREQUAL "STATIC_LIBRARY")
        qt_import_plugins(${target} INCLUDE Qt6::QWindowsIntegrationPlugin)
    endif()
    if(MINGW)
        target_link_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
    endif()
endfunction()
