# zelva_add_test(NAME name SOURCES files... LIBS targets... [QTEST] [ENV VAR=value...])
# One test executable, registered with ctest. GoogleTest executables link
# GTest::gtest_main; Qt Test executables pass QTEST and bring their own main.
# ENV entries come after the defaults, so they override them (e.g. LC_ALL).
find_package(GTest REQUIRED)

function(zelva_add_test)
    cmake_parse_arguments(ARG "QTEST" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS})
    if(ARG_QTEST)
        target_link_libraries(${ARG_NAME} PRIVATE Qt6::Test)
        add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
        set(env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/xdg-config LC_ALL=C)
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
