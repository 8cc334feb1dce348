# SPDX-License-Identifier: GPL-3.0-or-later
# zelva_add_test(NAME name SOURCES files... LIBS targets... [QTEST] [ENV VAR=value...]
#                [LAUNCHER command...])
# One test executable. Each of its GoogleTest cases, or each Qt Test function,
# is a ctest test of its own, listed from the built program when ctest starts
# (so a cross build lists them through its emulator, after the build): a skip
# then shows as skipped on that case alone, and hides no passing one.
# GoogleTest executables link GTest::gtest_main; Qt Test executables pass QTEST
# and bring their own main. ENV entries come after the defaults, so they
# override them (e.g. LC_ALL). LAUNCHER, if given, runs the program: the
# program's path and arguments follow it.
include(GoogleTest)
find_package(GTest QUIET)
if(NOT GTest_FOUND)
    # A cross build finds no GoogleTest for its target; Debian ships the source,
    # which is then built with the project's own compiler.
    set(ZELVA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${ZELVA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set_target_properties(gtest gtest_main PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
    if(NOT TARGET GTest::gtest_main)  # newer GoogleTest names it itself
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
endif()

# Qt Test programs draw headless on Linux. On Windows they draw with the real
# platform plugin, with the system's fonts, dialogs and display scale, as the
# program's users see it (the Windows Qt has no headless plugin, which needs
# FreeType); scripts/windows gives them a display.
get_target_property(zelva_qt_type Qt6::Core TYPE)
if(WIN32)
    set(zelva_qt_platform windows)
else()
    set(zelva_qt_platform offscreen)
endif()

# CMake's gtest_discover_tests has no counterpart for Qt Test, whose programs
# list their functions with -functions and mark a skip with "SKIP   : ";
# ZelvaTestCases.cmake does that listing at ctest time.
set(ZELVA_TEST_CASES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/ZelvaTestCases.cmake)

# Each element of `list` as a bracket argument, for generated CMake code.
function(zelva_bracket_list out list)
    set(quoted "")
    foreach(item IN LISTS list)
        string(APPEND quoted " [==[${item}]==]")
    endforeach()
    set(${out} "${quoted}" PARENT_SCOPE)
endfunction()

function(zelva_add_test)
    cmake_parse_arguments(ARG "QTEST" "NAME" "SOURCES;LIBS;ENV;LAUNCHER" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS})
    set(env "")
    if(ARG_QTEST)
        target_link_libraries(${ARG_NAME} PRIVATE Qt6::Test)
        if(zelva_qt_type STREQUAL "STATIC_LIBRARY" AND WIN32)
            qt_import_plugins(${ARG_NAME} INCLUDE Qt6::QWindowsIntegrationPlugin)
        endif()
        set(env QT_QPA_PLATFORM=${zelva_qt_platform} XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/xdg-config
                LC_ALL=C)
    else()
        target_link_libraries(${ARG_NAME} PRIVATE GTest::gtest_main)
    endif()
    list(APPEND env ${ARG_ENV})

    set(command ${ARG_LAUNCHER})
    if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
        list(APPEND command ${CMAKE_CROSSCOMPILING_EMULATOR})
    endif()

    if(NOT ARG_QTEST)
        # gtest_discover_tests lists and runs the program through the target's
        # emulator, and passes a test's properties on as one flat list, which
        # would split an ENVIRONMENT of several entries. So the environment and
        # the launcher go in front of the emulator, as `cmake -E env`.
        if(env)
            list(PREPEND command ${CMAKE_COMMAND} -E env ${env})
        endif()
        set_property(TARGET ${ARG_NAME} PROPERTY CROSSCOMPILING_EMULATOR ${command})
        gtest_discover_tests(${ARG_NAME} TEST_PREFIX ${ARG_NAME}. DISCOVERY_MODE PRE_TEST
                             DISCOVERY_TIMEOUT 120)
        return()
    endif()

    zelva_bracket_list(command_args "${command}")
    zelva_bracket_list(env_args "${env}")
    set(cases_file ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}_cases.cmake)
    file(GENERATE OUTPUT ${cases_file} CONTENT
"set(ZELVA_CMAKE_COMMAND [==[${CMAKE_COMMAND}]==])
include([==[${ZELVA_TEST_CASES_SCRIPT}]==])
zelva_add_qt_test_cases([==[${ARG_NAME}]==] [==[$<TARGET_FILE:${ARG_NAME}>]==]
    COMMAND${command_args}
    ENV${env_args})
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${cases_file})
endfunction()
