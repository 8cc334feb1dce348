# SPDX-License-Identifier: GPL-3.0-or-later
# Runs zelvamirontica-batch once, as a user would, and checks its exit status,
# its standard output byte for byte against a file, and how many messages it
# wrote to standard error.
#   -DPROGRAM=exe -DEMULATOR=launcher (optional) -DDATA=folder -DWORK=folder
#   -DARGS=a|b|c -DSTATUS=n -DEXPECTED=file (optional) -DMESSAGES=n
#   -DSTDIN=file (optional) -DOUTPUT=file (optional: stdout goes there)
#   -DLONG_LINE=name (optional: writes that input into WORK first)
string(REPLACE "|" ";" args "${ARGS}")
file(MAKE_DIRECTORY "${WORK}")
if(LONG_LINE)
    # One row, a line of 70000 bytes, another row, and no line end at the end.
    string(REPEAT "7" 70000 long)
    file(WRITE "${WORK}/${LONG_LINE}" "45 9 10 15 30\n${long}\r\n45 9 10 15 40")
endif()
foreach(file IN LISTS args)
    if(EXISTS "${DATA}/${file}")
        file(COPY "${DATA}/${file}" DESTINATION "${WORK}")
    endif()
endforeach()

set(redirect "")
if(STDIN)
    list(APPEND redirect INPUT_FILE "${DATA}/${STDIN}")
endif()
if(OUTPUT)
    list(APPEND redirect OUTPUT_FILE "${OUTPUT}")
else()
    list(APPEND redirect OUTPUT_VARIABLE out)
endif()
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${args} ${redirect}
                ERROR_VARIABLE err RESULT_VARIABLE status WORKING_DIRECTORY "${WORK}")

set(failed "")
if(NOT status STREQUAL STATUS)
    string(APPEND failed "exit status ${status}, expected ${STATUS}\n")
endif()
if(EXPECTED)
    file(READ "${DATA}/${EXPECTED}" expected)
    if(NOT out STREQUAL expected)
        string(APPEND failed "standard output differs from ${EXPECTED}:\n${out}\n")
    endif()
endif()
string(REGEX MATCHALL "\n" lines "${err}")
list(LENGTH lines count)
if(NOT count EQUAL MESSAGES)
    string(APPEND failed "${count} messages, expected ${MESSAGES}\n")
endif()
if(failed)
    message(FATAL_ERROR "${failed}standard error:\n${err}")
endif()
