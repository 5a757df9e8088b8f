# One end-to-end case: runs the game headless with the case's input script for the case's
# number of ticks, in a data directory of its own (so no high-score file from elsewhere is
# read), and compares the trace it writes with the expected one, line for line. An expected
# line names only the fields the case is about: each of them must be in the actual line with
# the same value (objects and arrays compared as JSON values); the actual line may have more.
# Called with -DKIPKIP=<program> -DCASE=<case folder> -DWORK=<scratch folder>.
file(READ "${CASE}/ticks" ticks)
string(STRIP "${ticks}" ticks)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(trace "${WORK}/trace.jsonl")
execute_process(
    COMMAND "${KIPKIP}" --headless --ticks ${ticks} --input "${CASE}/input.txt" --trace "${trace}"
            --dir "${WORK}"
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "kipkip ended with status ${status}: ${errors}")
endif()
file(STRINGS "${CASE}/expected.jsonl" expected)
file(STRINGS "${trace}" actual)
list(LENGTH expected expectedCount)
list(LENGTH actual actualCount)
if(NOT expectedCount EQUAL actualCount)
    message(FATAL_ERROR "expected ${expectedCount} trace lines, got ${actualCount}")
endif()
math(EXPR last "${expectedCount} - 1")
foreach(i RANGE ${last})
    list(GET expected ${i} want)
    list(GET actual ${i} got)
    string(JSON fieldCount LENGTH "${want}")
    math(EXPR lastField "${fieldCount} - 1")
    foreach(f RANGE ${lastField})
        string(JSON key MEMBER "${want}" ${f})
        string(JSON gotType ERROR_VARIABLE missing TYPE "${got}" "${key}")
        if(missing)
            message(FATAL_ERROR "trace line ${i} has no \"${key}\":\n  got ${got}")
        endif()
        string(JSON wantType TYPE "${want}" "${key}")
        string(JSON wantValue GET "${want}" "${key}")
        string(JSON gotValue GET "${got}" "${key}")
        if(wantType STREQUAL "OBJECT" OR wantType STREQUAL "ARRAY")
            string(JSON same EQUAL "${wantValue}" "${gotValue}")
        elseif(wantType STREQUAL gotType AND wantValue STREQUAL gotValue)
            set(same ON)
        else()
            set(same OFF)
        endif()
        if(NOT same OR NOT wantType STREQUAL gotType)
            message(FATAL_ERROR "trace line ${i}: \"${key}\" is ${gotValue}, expected ${wantValue}"
                                "\n  expected ${want}\n  got      ${got}")
        endif()
    endforeach()
endforeach()
