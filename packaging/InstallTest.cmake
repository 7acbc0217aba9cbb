# Installs the build tree into a scratch DESTDIR under a prefix the menu entry has to quote, and
# checks the installed tree and that the menu entry's program starts the launcher in the user's
# data directory. The launcher itself is swapped for a stub that reports where it was started.
#
#   cmake -DBUILD_DIR=<build tree> -DWORK_DIR=<scratch directory> -DAPP_ID=<metainfo id>
#         -DDESKTOP_ID=<menu entry's file name> -P InstallTest.cmake

cmake_minimum_required(VERSION 3.25)

foreach(required BUILD_DIR WORK_DIR APP_ID DESKTOP_ID)
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

# A tool the checks need, or a failure that names the package to install.
function(find_tool variable program package)
    find_program(${variable} ${program})
    if(NOT ${variable})
        fail("${program} is not installed, so the installation cannot be checked with it "
             "(Debian and Ubuntu: apt-get install ${package}, or make test)")
    endif()
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
    share/applications/${DESKTOP_ID}
    share/doc/vortline/changelog.gz
    share/doc/vortline/copyright
    share/icons/hicolor/16x16/apps/vortline.png
    share/icons/hicolor/32x32/apps/vortline.png
    share/man/man1/vortline.1.gz
    share/metainfo/${APP_ID}.metainfo.xml)
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
set(entry "${root}/share/applications/${DESKTOP_ID}")
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
        "Categories=Game;\n"
        "Keywords=Quake;Quake3;ioquake3;launcher;server;map;\n")
    expect_equal("The menu entry" "${actual}" "${expectedEntry}")
    find_tool(validate desktop-file-validate desktop-file-utils)
    if(validate)
        execute_process(COMMAND "${validate}" "${entry}"
                        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
        if(NOT result EQUAL 0 OR output MATCHES "error:")
            fail("desktop-file-validate rejects the menu entry:\n${output}")
        endif()
    endif()
endif()

# Software centres read the metainfo, with the menu entry it names; their validator's errors and
# warnings count, its remarks and pedantic notes do not.
set(metainfo "${root}/share/metainfo/${APP_ID}.metainfo.xml")
find_tool(appstreamcli appstreamcli appstream)
if(appstreamcli AND EXISTS "${metainfo}")
    execute_process(COMMAND "${appstreamcli}" validate-tree --no-net "${root}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0 OR output MATCHES "(^|\n)[EW]: ")
        fail("appstreamcli rejects the metainfo:\n${output}")
    endif()
endif()

# Compressed as Debian wants it, with gzip -9n: no name and no time in the header, and the
# highest level's mark.
foreach(compressed share/man/man1/vortline.1.gz share/doc/vortline/changelog.gz)
    if(EXISTS "${root}/${compressed}")
        file(READ "${root}/${compressed}" header LIMIT 9 HEX)
        expect_equal("${compressed}'s gzip header" "${header}" "1f8b08000000000002")
    endif()
endforeach()

# The manual page renders without a warning from man or groff, and names every option --help
# lists, so the two cannot drift apart.
set(manual "${root}/share/man/man1/vortline.1.gz")
find_tool(man man man-db)
find_tool(gzip gzip gzip)
if(man AND gzip AND EXISTS "${manual}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C.UTF-8 MANROFFSEQ= MANWIDTH=80
                            "${man}" --warnings -E UTF-8 -l -Tutf8 -Z "${manual}"
                    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE warnings)
    if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
        fail("man warns about the manual page (${result}):\n${warnings}")
    endif()
    execute_process(COMMAND "${gzip}" -dc "${manual}" OUTPUT_VARIABLE page)
    string(REPLACE "\\-" "-" page "${page}")
    execute_process(COMMAND "${root}/bin/vortline" --help
                    RESULT_VARIABLE result OUTPUT_VARIABLE help ERROR_VARIABLE help)
    string(REGEX MATCHALL "\n  +-[-a-zA-Z0-9]+" options "${help}")
    if(NOT result EQUAL 0 OR options STREQUAL "")
        fail("vortline --help lists no options (${result}):\n${help}")
    endif()
    foreach(option IN LISTS options)
        string(STRIP "${option}" option)
        if(NOT page MATCHES "\n\\.B ${option}\n")
            fail("The manual page does not describe ${option}, which --help lists")
        endif()
    endforeach()
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
