# zelva_add_test(NAME name SOURCES files... LIBS targets... [QTEST] [ENV VAR=value...])
# One test executable, registered with ctest. GoogleTest executables link
# GTest::gtest_main; Qt Test executables pass QTEST and bring their own main.
# ENV entries come after the defaults, so they override them (e.g. LC_ALL).
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

# A static Qt links its platform plugins into each program: the tests need the
# headless one, besides the default.
get_target_property(zelva_qt_type Qt6::Core TYPE)
set(ZELVA_TEST_FONTDIR "" CACHE STRING "Windows: font folder for headless Qt tests (QT_QPA_FONTDIR)")

function(zelva_add_test)
    cmake_parse_arguments(ARG "QTEST" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS})
    if(ARG_QTEST)
        target_link_libraries(${ARG_NAME} PRIVATE Qt6::Test)
        if(zelva_qt_type STREQUAL "STATIC_LIBRARY")
            qt_import_plugins(${ARG_NAME} INCLUDE Qt6::QOffscreenIntegrationPlugin)
        endif()
        add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
        set(env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/xdg-config LC_ALL=C)
        if(WIN32 AND ZELVA_TEST_FONTDIR)
            # Headless Qt on Windows reads fonts from this folder only.
            list(APPEND env QT_QPA_FONTDIR=${ZELVA_TEST_FONTDIR})
        endif()
        list(APPEND env ${ARG_ENV})
        set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${env}")
    else()
        target_link_libraries(${ARG_NAME} PRIVATE GTest::gtest_main)
        add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
        if(ARG_ENV)
            set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${ARG_ENV}")
        endif()
    endif()
endfunction()
