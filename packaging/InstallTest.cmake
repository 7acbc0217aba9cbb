# Installs the build tree into a scratch DESTDIR under a prefix the menu entry has to quote, and
# checks the installed tree and that the menu entry's program starts the launcher in the user's
# data directory. The launcher itself is swapped for a stub that reports where it was started.
#
#   cmake -DBUILD_DIR=<build tree> -DWORK_DIR=<scratch directory> -P InstallTest.cmake

cmake_minimum_required(VERSION 3.25)

foreach(required BUILD_DIR WORK_DIR)
    if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
        message(FATAL_ERROR "InstallTest.cmake needs -D${required}=...")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# Reports every broken expectation rather than only the first, then fails at the end.
function(fail message)
    message(SEND_ERROR "${message}")
    set_property(GLOBAL PROPERTY installTestFailed TRUE)
endfunction()

function(expect_equal what actual expected)
    if(NOT actual STREQUAL expected)
        fail("${what} is\n  ${actual}\nbut should be\n  ${expected}")
    endif()
endfunction()

function(run_checked)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${WORK_DIR}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Running ${ARGN} failed (${result}):\n${output}")
    endif()
endfunction()

set(stage "${WORK_DIR}/stage")
set(prefix [[/opt/it's "Q3" $x 100%]])
set(root "${stage}${prefix}")
run_checked("${CMAKE_COMMAND}" -E env "DESTDIR=${stage}"
            "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}")

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${root}" "${root}/*")
list(SORT installed)
set(expected
    bin/vortline
    lib/vortline/vortline_network.so
    libexec/vortline/vortline-desktop
    share/applications/vortline.desktop
    share/icons/hicolor/16x16/apps/vortline.png
    share/icons/hicolor/32x32/apps/vortline.png)
expect_equal("The installed tree" "${installed}" "${expected}")

foreach(program bin/vortline libexec/vortline/vortline-desktop)
    execute_process(COMMAND test -x "${root}/${program}" RESULT_VARIABLE notExecutable)
    if(NOT notExecutable EQUAL 0)
        fail("${program} is not executable")
    endif()
endforeach()

# Width and height from the PNG header, so the two sizes cannot trade places.
foreach(size 16 32)
    set(icon "${root}/share/icons/hicolor/${size}x${size}/apps/vortline.png")
    if(EXISTS "${icon}")
        file(READ "${icon}" header OFFSET 16 LIMIT 8 HEX)
        math(EXPR side "${size}" OUTPUT_FORMAT HEXADECIMAL)
        string(REGEX REPLACE "^0x" "000000" side "${side}")
        expect_equal("The ${size}x${size} icon's size" "${header}" "${side}${side}")
    endif()
endforeach()

# The Exec line spelled out by hand from the desktop entry rules: quoted for the space and the
# quotes, backslashes for ", $ and then for the string itself, and the percent sign doubled.
set(entry "${root}/share/applications/vortline.desktop")
if(EXISTS "${entry}")
    file(READ "${entry}" actual)
    string(CONCAT expectedEntry
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Vortline\n"
        "Comment=Manage your Quake3 Arena\n"
        "Icon=vortline\n"
        [[Exec="/opt/it's \\"Q3\\" \\$x 100%%/libexec/vortline/vortline-desktop"]] "\n"
        "Terminal=false\n"
        "Categories=Game;\n")
    expect_equal("The menu entry" "${actual}" "${expectedEntry}")
    find_program(validate desktop-file-validate)
    if(validate)
        execute_process(COMMAND "${validate}" "${entry}"
                        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
        if(NOT result EQUAL 0 OR output MATCHES "error:")
            fail("desktop-file-validate rejects the menu entry:\n${output}")
        endif()
    else()
        fail("desktop-file-validate is not installed, so the menu entry cannot be checked the way "
             "desktops read it (Debian and Ubuntu: apt-get install desktop-file-utils, or make test)")
    endif()
endif()

file(WRITE "${root}/bin/vortline" "#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$#\" > \"$REPORT\"\n")

# `setting` is an assignment for `cmake -E env`, or --unset=XDG_DATA_HOME.
function(expect_started_in setting directory)
    set(report "${WORK_DIR}/report")
    file(REMOVE "${report}")
    run_checked("${CMAKE_COMMAND}" -E env "HOME=${WORK_DIR}/home" "REPORT=${report}" "${setting}"
                "${root}/libexec/vortline/vortline-desktop")
    if(NOT EXISTS "${report}")
        fail("With ${setting} the wrapper did not start the program")
        return()
    endif()
    file(READ "${report}" started)
    expect_equal("With ${setting} the program's start" "${started}" "${directory}\n0\n")
    execute_process(COMMAND stat -c %a "${directory}" OUTPUT_VARIABLE mode
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    expect_equal("With ${setting} the new directory's mode" "${mode}" "700")
endfunction()

set(defaultDirectory "${WORK_DIR}/home/.local/share/vortline")
expect_started_in(--unset=XDG_DATA_HOME "${defaultDirectory}")
file(REMOVE_RECURSE "${WORK_DIR}/home")
expect_started_in("XDG_DATA_HOME=relative" "${defaultDirectory}")
expect_started_in("XDG_DATA_HOME=${WORK_DIR}/data home" "${WORK_DIR}/data home/vortline")

get_property(failed GLOBAL PROPERTY installTestFailed)
if(failed)
    message(FATAL_ERROR "The installation is broken; it is kept in ${WORK_DIR}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
