# Read by cpack. Without dpkg-shlibdeps CPack only warns and builds a package that declares none
# of the libraries the program needs, which then installs and fails to start.
if(CPACK_GENERATOR STREQUAL "DEB" AND CPACK_DEBIAN_PACKAGE_SHLIBDEPS)
    cmake_policy(PUSH)
    # Found only where CPack itself would run it.
    cmake_policy(SET CMP0109 NEW)
    find_program(VORTLINE_SHLIBDEPS dpkg-shlibdeps)
    cmake_policy(POP)
    if(NOT VORTLINE_SHLIBDEPS)
        message(FATAL_ERROR "Building the Debian package needs dpkg-shlibdeps, from dpkg-dev.")
    endif()
endif()
