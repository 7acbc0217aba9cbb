# Runs PrepareDemo.cmake on throwaway demo directories under WORK_DIR and checks the bytes the
# launcher will read, and that a second run leaves the user's files alone.
#
#   cmake -DPREPARE_SCRIPT=<PrepareDemo.cmake> -DWORK_DIR=<scratch directory> -P PrepareDemoTest.cmake

cmake_minimum_required(VERSION 3.25)

foreach(required PREPARE_SCRIPT WORK_DIR)
    if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
        message(FATAL_ERROR "PrepareDemoTest.cmake needs -D${required}=...")
    endif()
endforeach()

# The expected settings bytes spell the directory out as-is, which is only its Latin-1 form when
# it is plain ASCII; the non-ASCII cases below use names of their own under it. A build folder
# that is not plain ASCII has the test work in the temporary folder instead.
if(NOT WORK_DIR MATCHES "^[ -~]+$")
    set(temporary "")
    foreach(candidate "$ENV{TMPDIR}" "$ENV{TEMP}" "/tmp")
        if(IS_DIRECTORY "${candidate}" AND candidate MATCHES "^[ -~]+$")
            set(temporary "${candidate}")
            break()
        endif()
    endforeach()
    if(temporary STREQUAL "")
        message(FATAL_ERROR "The test needs a scratch directory whose path is plain ASCII; the "
                            "build folder is not, nor is a temporary folder (TMPDIR, TEMP, /tmp).")
    endif()
    string(RANDOM LENGTH 8 suffix)
    set(WORK_DIR "${temporary}/vortline-demo-test-${suffix}")
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

set(CRLF "\r\n")
string(ASCII 233 eAcuteLatin1)

# Reports every broken expectation rather than only the first, then fails at the end.
function(fail message)
    message(SEND_ERROR "${message}")
    set_property(GLOBAL PROPERTY demoPrepareFailed TRUE)
endfunction()

function(write_stand_in path content)
    file(WRITE "${path}" "${content}")
    file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endfunction()

function(prepare demoDir standIn)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" "-DDEMO_DIR=${demoDir}" "-DSTANDIN_GAME=${standIn}"
                -P "${PREPARE_SCRIPT}"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Preparing ${demoDir} failed (${result}):\n${output}")
    endif()
endfunction()

function(expect_bytes path expected)
    if(NOT EXISTS "${path}")
        fail("${path} is missing")
        return()
    endif()
    file(READ "${path}" actual HEX)
    string(HEX "${expected}" expected)
    if(NOT actual STREQUAL expected)
        fail("${path} holds\n  ${actual}\nbut should hold\n  ${expected}")
    endif()
endfunction()

function(expect_entries directory)
    file(GLOB actual RELATIVE "${directory}" "${directory}/*")
    list(SORT actual)
    set(expected ${ARGN})
    list(SORT expected)
    if(NOT actual STREQUAL expected)
        fail("${directory} holds [${actual}] but should hold [${expected}]")
    endif()
endfunction()

function(expect_executable path)
    if(UNIX)
        execute_process(COMMAND test -x "${path}" RESULT_VARIABLE notExecutable)
        if(NOT notExecutable EQUAL 0)
            fail("${path} is not executable")
        endif()
    endif()
endfunction()

set(maps Q3TOURNEY2.BSP arena.map q3dm1.bsp q3dm17.bsp readme.txt)

# A fresh directory gets exactly the defaults; a second run, after the user has changed things
# and the stand-in has been rebuilt, refreshes only the stand-in.
set(demo "${WORK_DIR}/fresh")
write_stand_in("${WORK_DIR}/standin-1" "first build")
prepare("${demo}" "${WORK_DIR}/standin-1")
expect_bytes("${demo}/vortline.cfg"
             "\"${demo}/game/\",\"Name\",\"Select Skin\",\" \",\" \",0,0,0${CRLF}")
expect_bytes("${demo}/servers.vtl" "0.0.0.0${CRLF}127.0.0.1${CRLF}")
expect_entries("${demo}" game servers.vtl vortline.cfg)
expect_entries("${demo}/game" baseq3 quake3.exe)
expect_entries("${demo}/game/baseq3/maps" ${maps})
expect_bytes("${demo}/game/quake3.exe" "first build")
expect_executable("${demo}/game/quake3.exe")

file(WRITE "${demo}/vortline.cfg" "the user's settings${CRLF}")
file(WRITE "${demo}/servers.vtl" "the user's servers${CRLF}")
file(WRITE "${demo}/game/baseq3/maps/q3dm1.bsp" "a real map")
write_stand_in("${WORK_DIR}/standin-2" "second build")
prepare("${demo}" "${WORK_DIR}/standin-2")
expect_bytes("${demo}/vortline.cfg" "the user's settings${CRLF}")
expect_bytes("${demo}/servers.vtl" "the user's servers${CRLF}")
expect_bytes("${demo}/game/baseq3/maps/q3dm1.bsp" "a real map")
expect_entries("${demo}/game/baseq3/maps" ${maps})
expect_bytes("${demo}/game/quake3.exe" "second build")
expect_executable("${demo}/game/quake3.exe")

# The launcher finds its files in any letter case, so these are the user's files too.
set(demo "${WORK_DIR}/other-case")
file(WRITE "${demo}/VORTLINE.CFG" "upper-case settings${CRLF}")
file(WRITE "${demo}/Servers.Vtl" "mixed-case servers${CRLF}")
prepare("${demo}" "${WORK_DIR}/standin-1")
expect_entries("${demo}" game Servers.Vtl VORTLINE.CFG)
expect_bytes("${demo}/VORTLINE.CFG" "upper-case settings${CRLF}")
expect_bytes("${demo}/Servers.Vtl" "mixed-case servers${CRLF}")

# The launcher reads the game directory as Latin-1, not as the UTF-8 CMake works in.
set(demo "${WORK_DIR}/Démo")
set(demoLatin1 "${WORK_DIR}/D${eAcuteLatin1}mo")
prepare("${demo}" "${WORK_DIR}/standin-1")
expect_bytes("${demo}/vortline.cfg"
             "\"${demoLatin1}/game/\",\"Name\",\"Select Skin\",\" \",\" \",0,0,0${CRLF}")

# A directory Latin-1 cannot name gets no settings file rather than one naming a wrong directory.
set(demo "${WORK_DIR}/デモ")
prepare("${demo}" "${WORK_DIR}/standin-1")
expect_entries("${demo}" game servers.vtl)

get_property(failed GLOBAL PROPERTY demoPrepareFailed)
if(failed)
    message(FATAL_ERROR "Demo preparation is broken; the directories are kept in ${WORK_DIR}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
