# SPDX-License-Identifier: GPL-3.0-or-later
# Run by ctest as it starts, once per Qt Test program: lists the program's test
# functions and adds each as a test named program.function, with the program's
# environment and Qt Test's skip marker, so that ctest reports a skip as skipped.
function(zelva_add_qt_test_cases name program)
    cmake_parse_arguments(ARG "" "" "COMMAND;ENV" ${ARGN})
    if(NOT EXISTS "${program}")
        # Left unbuilt: a test that cannot start says so, instead of no test at all.
        add_test("${name}_NOT_BUILT" "${program}")
        return()
    endif()
    set(list_option -functions)
    set(skip_marker "SKIP   : ")
    execute_process(
        COMMAND "${ZELVA_CMAKE_COMMAND}" -E env ${ARG_ENV} ${ARG_COMMAND} "${program}" ${list_option}
        OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result TIMEOUT 120)
    if(NOT result EQUAL 0)
        # Run whole, so that the failure to start shows as a failed test.
        add_test("${name}" ${ARG_COMMAND} "${program}")
        set_tests_properties("${name}" PROPERTIES ENVIRONMENT "${ARG_ENV}")
        return()
    endif()

    string(REPLACE "\r" "" listing "${listing}")
    string(REPLACE "\n" ";" lines "${listing}")
    set(count 0)
    foreach(line IN LISTS lines)
        set(case "")
        if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)\\(\\)$")
            set(case "${CMAKE_MATCH_1}")
            set(arguments "${case}")
            if(case MATCHES "^(init|cleanup)(TestCase)?$")
                set(case "")
            endif()
        endif()
        if(NOT case STREQUAL "")
            math(EXPR count "${count} + 1")
            add_test("${name}.${case}" ${ARG_COMMAND} "${program}" ${arguments})
            set_tests_properties("${name}.${case}" PROPERTIES
                ENVIRONMENT "${ARG_ENV}" SKIP_REGULAR_EXPRESSION "${skip_marker}")
        endif()
    endforeach()
    if(count EQUAL 0)
        add_test("${name}_LISTS_NO_CASE" "${ZELVA_CMAKE_COMMAND}" -E false)
    endif()
endfunction()
