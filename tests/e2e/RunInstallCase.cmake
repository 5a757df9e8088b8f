# `cmake --install` into a scratch prefix (with a space in its path, as a home folder may have)
# gives a program that runs, a launcher that makes the data directory and starts the game in
# it, a desktop entry that names both, the six icons and the documents.
# Called with -DBUILD=<build folder> -DSOURCE=<source folder> -DVERSION=<project version>
# -DAPP_ID=<application id> -DWORK=<scratch folder>.
cmake_policy(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
set(prefix "${WORK}/install root")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install ended with status ${status}: ${output}${errors}")
endif()

function(expect_file path)
    if(NOT EXISTS "${prefix}/${path}" OR IS_DIRECTORY "${prefix}/${path}")
        message(FATAL_ERROR "the install lacks ${path}")
    endif()
endfunction()

# The program.
expect_file(bin/kipkip)
execute_process(COMMAND "${prefix}/bin/kipkip" --version
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT output STREQUAL "kipkip ${VERSION}\n")
    message(FATAL_ERROR "bin/kipkip --version gave status ${status}, '${output}' ${errors}")
endif()

# The launcher makes $XDG_DATA_HOME/kipkip and runs the installed game with --dir set to it:
# the high score the game writes lands there.
expect_file(bin/kipkip-launch)
set(data_home "${WORK}/data home")
file(MAKE_DIRECTORY "${data_home}" "${WORK}/elsewhere")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${data_home}" PATH=/usr/bin:/bin
                        "${prefix}/bin/kipkip-launch" --headless --ticks 2
                        --trace "${WORK}/launch.jsonl"
                WORKING_DIRECTORY "${WORK}/elsewhere"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "bin/kipkip-launch ended with status ${status}: ${output}${errors}")
endif()
if(NOT IS_DIRECTORY "${data_home}/kipkip")
    message(FATAL_ERROR "bin/kipkip-launch did not make the data directory ${data_home}/kipkip")
endif()
if(NOT EXISTS "${WORK}/launch.jsonl")
    message(FATAL_ERROR "bin/kipkip-launch did not pass its arguments on to the game")
endif()
# A data directory that is a file cannot be made: the launcher fails rather than start the game.
file(WRITE "${WORK}/data file/kipkip" "")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${WORK}/data file"
                        "${prefix}/bin/kipkip-launch" --headless --ticks 1
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(status EQUAL 0)
    message(FATAL_ERROR "bin/kipkip-launch started the game without its data directory")
endif()

# The desktop entry.
set(entry share/applications/${APP_ID}.desktop)
expect_file(${entry})
file(STRINGS "${prefix}/${entry}" lines)
foreach(line IN ITEMS "[Desktop Entry]" "Type=Application" "Name=KipKip" "Icon=${APP_ID}"
                      "Terminal=false" "Categories=Game;ArcadeGame;"
                      "Exec=\"${prefix}/bin/kipkip-launch\"")
    if(NOT line IN_LIST lines)
        message(FATAL_ERROR "${entry} lacks the line ${line}")
    endif()
endforeach()
if(NOT lines MATCHES "(^|;)Comment=[^;]")
    message(FATAL_ERROR "${entry} has no Comment")
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${prefix}/${entry}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT status EQUAL 0 OR NOT "${output}${errors}" STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate: ${output}${errors}")
    endif()
endif()

# The icons: PNGs of the size their folder names.
foreach(size IN ITEMS 16 32 48 64 128 256)
    set(icon share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
    expect_file(${icon})
    file(READ "${prefix}/${icon}" header LIMIT 24 HEX)
    math(EXPR hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${hex}" 2 -1 hex)
    string(LENGTH "${hex}" digits)
    while(digits LESS 8)
        string(PREPEND hex 0)
        math(EXPR digits "${digits} + 1")
    endwhile()
    if(NOT header STREQUAL "89504e470d0a1a0a0000000d49484452${hex}${hex}")
        message(FATAL_ERROR "${icon} is not a ${size}x${size} PNG (it starts ${header})")
    endif()
endforeach()

# The metainfo, named by the id, launching the desktop entry; valid when appstreamcli is there.
set(metainfo share/metainfo/${APP_ID}.metainfo.xml)
expect_file(${metainfo})
file(READ "${prefix}/${metainfo}" text)
foreach(part IN ITEMS "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">${APP_ID}.desktop<"
                      "<binary>kipkip</binary>" "<release version=\"${VERSION}\"")
    string(FIND "${text}" "${part}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${metainfo} lacks ${part}")
    endif()
endforeach()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(COMMAND "${APPSTREAMCLI}" validate --pedantic --no-net "${prefix}/${metainfo}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT status EQUAL 0 OR NOT output MATCHES "Validation was successful\\.\n*$")
        message(FATAL_ERROR "appstreamcli validate: ${output}${errors}")
    endif()
endif()

# The manual page.
expect_file(share/man/man6/kipkip.6)

# The documents, as they are in the source.
foreach(name IN ITEMS README.md LICENSE)
    expect_file(share/doc/kipkip/${name})
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SOURCE}/${name}"
                            "${prefix}/share/doc/kipkip/${name}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "share/doc/kipkip/${name} differs from the source's ${name}")
    endif()
endforeach()
message(STATUS "installed into ${prefix}: program, launcher, desktop entry, 6 icons, metainfo, README, LICENSE")
