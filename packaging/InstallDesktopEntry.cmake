# Writes the menu entry at install time rather than at configure time: an entry must name its
# program by absolute path, and `cmake --install --prefix` may choose another prefix than the
# one the build was configured with.
#
# Expects VORTLINE_ENTRY_TEMPLATE, VORTLINE_NAME, VORTLINE_COMMENT, VORTLINE_ENTRY_NAME (the file's
# name), VORTLINE_ENTRY_DIR and VORTLINE_WRAPPER (the last two relative to the prefix unless
# absolute).

function(absolute_install_path path result)
    if(NOT IS_ABSOLUTE "${path}")
        set(path "${CMAKE_INSTALL_PREFIX}/${path}")
    endif()
    set(${result} "${path}" PARENT_SCOPE)
endfunction()

# The Exec key has quoting rules of its own, and its value is then escaped once more as a
# desktop-entry string; a prefix such as "/opt/Q3 tools" must survive both.
function(desktop_exec_argument argument result)
    if(argument MATCHES "[\n\r\t]")
        message(FATAL_ERROR "A desktop entry cannot start a program whose path holds a line "
                            "break or tab: ${argument}")
    endif()
    if(argument MATCHES "[ \"'\\\\<>~|&;$*?#()`]")
        foreach(special "\\" "\"" "`" "$")
            string(REPLACE "${special}" "\\${special}" argument "${argument}")
        endforeach()
        set(argument "\"${argument}\"")
    endif()
    string(REPLACE "\\" "\\\\" argument "${argument}")
    string(REPLACE "%" "%%" argument "${argument}")
    set(${result} "${argument}" PARENT_SCOPE)
endfunction()

absolute_install_path("${VORTLINE_WRAPPER}" wrapper)
desktop_exec_argument("${wrapper}" VORTLINE_EXEC)
absolute_install_path("${VORTLINE_ENTRY_DIR}" entryDirectory)
set(entry "$ENV{DESTDIR}${entryDirectory}/${VORTLINE_ENTRY_NAME}")

message(STATUS "Installing: ${entry}")
file(READ "${VORTLINE_ENTRY_TEMPLATE}" template)
file(MAKE_DIRECTORY "$ENV{DESTDIR}${entryDirectory}")
file(CONFIGURE OUTPUT "${entry}" CONTENT "${template}" @ONLY)
file(CHMOD "${entry}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# Listed like every other installed file, and like them without DESTDIR, so that it is removed
# with them.
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entryDirectory}/${VORTLINE_ENTRY_NAME}")
