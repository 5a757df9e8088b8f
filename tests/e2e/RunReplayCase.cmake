# A recorded run and its replay see the same game: the traces are the same line for line. The
# replay runs beside a high-score file of its own, which it must neither read nor change.
# With -DCONFIG=<settings file> the run is recorded with that file's keys or pad binding and
# replayed with the default ones: the recording's own must decide, and must have changed the run.
# Called with -DKIPKIP=<program> -DKEYS=<input script> -DWORK=<scratch folder> [-DCONFIG=<file>].
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/record" "${WORK}/replay" "${WORK}/plain")
set(settings "")
if(CONFIG)
    set(settings --config "${CONFIG}")
    execute_process(
        COMMAND "${KIPKIP}" --headless --ticks 400 --input "${KEYS}" --trace plain.jsonl
        WORKING_DIRECTORY "${WORK}/plain" RESULT_VARIABLE status ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "the run with the default keys ended with status ${status}: ${errors}")
    endif()
endif()
execute_process(
    COMMAND "${KIPKIP}" --headless --ticks 400 --input "${KEYS}" ${settings} --record run.rec --trace recorded.jsonl
    WORKING_DIRECTORY "${WORK}/record" RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the recorded run ended with status ${status}: ${errors}")
endif()
file(WRITE "${WORK}/replay/kipkip.dat" "AAETAAPX")  # a high score of 123 the recording never saw
execute_process(
    COMMAND "${KIPKIP}" --headless --replay "${WORK}/record/run.rec" --trace replayed.jsonl
    WORKING_DIRECTORY "${WORK}/replay" RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the replay ended with status ${status}: ${errors}")
endif()
file(READ "${WORK}/record/recorded.jsonl" recorded)
file(READ "${WORK}/replay/replayed.jsonl" replayed)
string(LENGTH "${recorded}" length)
if(length EQUAL 0)
    message(FATAL_ERROR "the recorded run wrote no trace")
endif()
if(NOT recorded STREQUAL replayed)
    message(FATAL_ERROR "the replay's trace differs from the recorded run's")
endif()
if(CONFIG)
    file(READ "${WORK}/plain/plain.jsonl" plain)
    if(plain STREQUAL recorded)
        message(FATAL_ERROR "the settings file's keys changed nothing in the recorded run")
    endif()
endif()
file(READ "${WORK}/replay/kipkip.dat" score)
if(NOT score STREQUAL "AAETAAPX")
    message(FATAL_ERROR "the replay changed the high-score file: ${score}")
endif()
