# One end-to-end case: runs the game headless with the case's input script for the case's
# number of ticks and compares the trace it writes with the expected one, line for line.
# Called with -DKIPKIP=<program> -DCASE=<case folder> -DWORK=<scratch folder>.
file(READ "${CASE}/ticks" ticks)
string(STRIP "${ticks}" ticks)
file(MAKE_DIRECTORY "${WORK}")
set(trace "${WORK}/trace.jsonl")
execute_process(
    COMMAND "${KIPKIP}" --headless --ticks ${ticks} --input "${CASE}/input.txt" --trace "${trace}"
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
    if(NOT want STREQUAL got)
        message(FATAL_ERROR "trace line ${i} differs:\n  expected ${want}\n  got      ${got}")
    endif()
endforeach()
