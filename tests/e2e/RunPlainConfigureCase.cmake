# A plain configure, as a player or a packager runs it: with GoogleTest and Google Benchmark
# unfindable (as on a machine without them) it succeeds, and its build holds the game and
# nothing for developing it: no test, benchmark, fuzz replay or tool target.
# Called with -DSOURCE=<source folder> -DWORK=<scratch folder>.
cmake_policy(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${WORK}"
                        -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
                        -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "a plain configure failed (status ${status}): ${output}${errors}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK}" --target help
                RESULT_VARIABLE status OUTPUT_VARIABLE targets)
if(NOT status EQUAL 0 OR NOT targets MATCHES "\\.\\.\\. kipkip\n")
    message(FATAL_ERROR "the plain build has no game target:\n${targets}")
endif()
# Beside CMake's own targets, only the game and its libraries.
string(REGEX MATCHALL "\\.\\.\\. [^ \n]+" lines "${targets}")
foreach(line IN LISTS lines)
    string(SUBSTRING "${line}" 4 -1 target)
    if(target MATCHES "^(all|clean|depend|edit_cache|install|install/local|install/strip|list_install_components|rebuild_cache)$")
        continue()
    endif()
    if(NOT target MATCHES "^kipkip(_[a-z_]+)?$" OR target STREQUAL "kipkip_scene_render")
        message(FATAL_ERROR "the plain build makes ${target} besides the game")
    endif()
endforeach()
file(READ "${WORK}/CMakeCache.txt" cache)
if(NOT cache MATCHES "KIPKIP_WERROR:BOOL=OFF")
    message(FATAL_ERROR "a plain build treats warnings as errors")
endif()
