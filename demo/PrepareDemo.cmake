# Fills a directory in which the launcher can be started without owning the game:
#
#   cmake -DDEMO_DIR=<directory> -DSTANDIN_GAME=<stand-in executable> -P PrepareDemo.cmake
#
# The stand-in is copied on every run so it never lags behind a rebuild. Everything else is only
# created when missing: the launcher saves its settings and server list over these files, and a
# rebuild must not throw away what the user has done in it.

cmake_minimum_required(VERSION 3.25)

foreach(required DEMO_DIR STANDIN_GAME)
    if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
        message(FATAL_ERROR "PrepareDemo.cmake needs -D${required}=...")
    endif()
endforeach()
if(NOT EXISTS "${STANDIN_GAME}" OR IS_DIRECTORY "${STANDIN_GAME}")
    message(FATAL_ERROR "The stand-in game ${STANDIN_GAME} has not been built.")
endif()

# The settings file stores the game directory, so it has to be absolute to survive the launcher
# being started from elsewhere.
cmake_path(ABSOLUTE_PATH DEMO_DIR NORMALIZE)
string(REGEX REPLACE "(.)/+$" "\\1" DEMO_DIR "${DEMO_DIR}")
set(gameDir "${DEMO_DIR}/game")
set(mapsDir "${gameDir}/baseq3/maps")

# The launcher opens its files without regard to letter case, so a VORTLINE.CFG the user already
# has is the file it will use; writing a second vortline.cfg next to it would shadow the user's.
function(exists_in_any_case directory name resultVariable)
    file(GLOB entries RELATIVE "${directory}" "${directory}/*")
    string(TOLOWER "${name}" wanted)
    set(found FALSE)
    foreach(entry IN LISTS entries)
        string(TOLOWER "${entry}" entry)
        if(entry STREQUAL wanted)
            set(found TRUE)
            break()
        endif()
    endforeach()
    set(${resultVariable} ${found} PARENT_SCOPE)
endfunction()

# The launcher reads its files as Latin-1 while CMake holds paths as UTF-8. Sets resultVariable to
# the Latin-1 bytes of text, or to NOTFOUND when a character has no Latin-1 form.
function(utf8_to_latin1 text resultVariable)
    string(HEX "${text}" hex)
    string(LENGTH "${hex}" hexLength)
    set(latin1 "")
    set(position 0)
    while(position LESS hexLength)
        string(SUBSTRING "${hex}" ${position} 2 byte)
        math(EXPR byte "0x${byte}")
        math(EXPR position "${position} + 2")
        if(byte LESS 128)
            string(ASCII ${byte} character)
        elseif((byte EQUAL 194 OR byte EQUAL 195) AND position LESS hexLength)
            # U+0080..U+00FF are exactly the two-byte sequences led by C2 and C3.
            string(SUBSTRING "${hex}" ${position} 2 next)
            math(EXPR next "0x${next}")
            math(EXPR position "${position} + 2")
            if(next LESS 128 OR next GREATER 191)
                set(${resultVariable} NOTFOUND PARENT_SCOPE)
                return()
            endif()
            math(EXPR code "((${byte} & 31) << 6) | (${next} & 63)")
            string(ASCII ${code} character)
        else()
            set(${resultVariable} NOTFOUND PARENT_SCOPE)
            return()
        endif()
        string(APPEND latin1 "${character}")
    endwhile()
    set(${resultVariable} "${latin1}" PARENT_SCOPE)
endfunction()

# file(WRITE) would turn "\n" into CR LF on Windows; CONFIGURE with an explicit newline style
# writes the same bytes everywhere. @ONLY keeps "${" and "@" in a path from being expanded.
function(write_crlf_lines path)
    list(JOIN ARGN "\n" content)
    file(CONFIGURE OUTPUT "${path}" CONTENT "${content}" @ONLY NEWLINE_STYLE CRLF)
endfunction()

file(MAKE_DIRECTORY "${mapsDir}")

# COPY_FILE keeps the permissions of the source, so the copy stays executable.
file(COPY_FILE "${STANDIN_GAME}" "${gameDir}/quake3.exe")

# readme.txt is there to show that the launcher's map pattern filters it out, and the upper-case
# name to show that the pattern is matched without regard to case.
foreach(placeholder q3dm1.bsp q3dm17.bsp Q3TOURNEY2.BSP arena.map readme.txt)
    exists_in_any_case("${mapsDir}" "${placeholder}" present)
    if(NOT present)
        file(WRITE "${mapsDir}/${placeholder}"
             "Placeholder for the launcher demo; the stand-in game never reads it.\n")
    endif()
endforeach()

exists_in_any_case("${DEMO_DIR}" vortline.cfg present)
if(NOT present)
    utf8_to_latin1("${gameDir}/" gameDirLatin1)
    if(gameDirLatin1)
        set(settingsRecord "\"${gameDirLatin1}\",\"Name\",\"Select Skin\",\" \",\" \",0,0,0")
        write_crlf_lines("${DEMO_DIR}/vortline.cfg" "@settingsRecord@")
    else()
        message(WARNING
            "vortline.cfg was not created: the launcher stores the game directory in Latin-1, "
            "which cannot hold the path ${gameDir}/. Build in a directory whose path has "
            "only Latin-1 characters.")
    endif()
endif()

exists_in_any_case("${DEMO_DIR}" servers.vtl present)
if(NOT present)
    write_crlf_lines("${DEMO_DIR}/servers.vtl" 0.0.0.0 127.0.0.1)
endif()
