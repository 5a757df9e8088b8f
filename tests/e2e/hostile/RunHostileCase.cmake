# One hostile-data case (see cases.cmake): copies the built-in data into WORK/files, breaks the
# case's one thing, runs the game and checks the outcome.
# Called with -DKIPKIP=<program> -DSOURCE=<project folder> -DCASE=<name> -DWORK=<scratch folder>.
function(hostile_case name outcome break)
    if(name STREQUAL CASE)
        set(caseOutcome "${outcome}" PARENT_SCOPE)
        set(caseBreak "${break}" PARENT_SCOPE)
    endif()
endfunction()
include("${CMAKE_CURRENT_LIST_DIR}/cases.cmake")
if(NOT DEFINED caseBreak)
    message(FATAL_ERROR "no hostile case named ${CASE}")
endif()

file(REMOVE_RECURSE "${WORK}")
set(files "${WORK}/files")
file(MAKE_DIRECTORY "${files}")
file(COPY_FILE "${SOURCE}/assets/text/toybox.txt" "${files}/data.toy")
file(COPY_FILE "${SOURCE}/assets/text/dificulty.txt" "${files}/dificulty.dat")
file(GLOB assets "${SOURCE}/assets/bitmap/*.bmp" "${SOURCE}/assets/wave/*.wav"
                 "${SOURCE}/assets/anime/*.anm" "${SOURCE}/assets/midi/bgm.mid")
file(COPY ${assets} DESTINATION "${files}")

execute_process(COMMAND sh -c "${caseBreak}" WORKING_DIRECTORY "${files}"
                RESULT_VARIABLE broke ERROR_VARIABLE brokeErrors)
if(NOT broke EQUAL 0)
    message(FATAL_ERROR "could not break the data (${broke}): ${brokeErrors}")
endif()

file(WRITE "${WORK}/input.txt" "1 none\n5 space\n6 none\n")
execute_process(
    COMMAND "${KIPKIP}" --headless --dir "${WORK}" --ticks 300 --input "${WORK}/input.txt"
            --trace "${WORK}/trace.jsonl" --midi-log "${WORK}/midi.log"
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
if(errors MATCHES "Sanitizer")
    message(FATAL_ERROR "a sanitizer report (status ${status}):\n${errors}")
endif()
if(caseOutcome STREQUAL "silent")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "expected status 0, got ${status}:\n${errors}")
    endif()
    file(STRINGS "${WORK}/trace.jsonl" trace)
    list(LENGTH trace ticks)
    list(GET trace -1 last)
    # The space bar at tick 5 started a game, which is still on at tick 300.
    if(NOT ticks EQUAL 300 OR NOT last MATCHES "^{\"tick\":300,.*\"scene\":1,")
        message(FATAL_ERROR "expected 300 ticks ending in play, got ${ticks}, the last:\n${last}")
    endif()
else()
    if(NOT status EQUAL 1)
        message(FATAL_ERROR "expected status 1, got ${status}:\n${errors}")
    endif()
    if(NOT errors MATCHES "${caseOutcome}")
        message(FATAL_ERROR "stderr does not match ${caseOutcome}:\n${errors}")
    endif()
endif()
