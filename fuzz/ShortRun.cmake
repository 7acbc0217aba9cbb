# The main build's part: builds the fuzz targets with clang beside it and runs
# each briefly in one test. Without a clang that links libFuzzer, a failing test
# says what to install.

# A sanitizer build of the suite would only run them again: they carry their own.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR VORTLINE_SANITIZE)
    return()
endif()

set(VORTLINE_FUZZ_SECONDS 10 CACHE STRING "Seconds each fuzz target runs in the test suite")

find_program(VORTLINE_FUZZ_CXX NAMES clang++ clang++-14)
set(missing "")
if(NOT VORTLINE_FUZZ_CXX)
    set(missing "clang++ is not installed")
else()
    set(probe ${CMAKE_CURRENT_BINARY_DIR}/libfuzzer-probe)
    file(WRITE ${probe}.cpp "extern \"C\" int LLVMFuzzerTestOneInput(const char*, "
                            "unsigned long) { return 0; }\n")
    execute_process(
        COMMAND ${VORTLINE_FUZZ_CXX} -fsanitize=fuzzer,address,undefined ${probe}.cpp -o ${probe}
        RESULT_VARIABLE probe_status OUTPUT_QUIET ERROR_QUIET)
    if(NOT probe_status EQUAL 0)
        set(missing "${VORTLINE_FUZZ_CXX} cannot link -fsanitize=fuzzer")
    endif()
endif()

if(missing)
    set(advice "${missing}: the fuzz tests need clang and its runtime "
               "(Debian 12: apt-get install clang libclang-rt-14-dev, or run make test)")
    string(JOIN "" advice ${advice})
    message(WARNING "${advice}")
    add_test(NAME fuzz_needs_clang COMMAND sh -c "echo '${advice}' >&2; exit 1")
    return()
endif()

include(ExternalProject)
set(fuzz_build ${CMAKE_CURRENT_BINARY_DIR}/clang)
ExternalProject_Add(vortline_fuzz
    SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}
    BINARY_DIR ${fuzz_build}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${VORTLINE_FUZZ_CXX} -DQt6_DIR=${Qt6_DIR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
# All of them, two at a time (the suite runs one test at a time on two cores).
add_test(NAME fuzz_short_runs
         COMMAND env FUZZ_JOBS=2 bash ${CMAKE_CURRENT_SOURCE_DIR}/run.sh ${fuzz_build}
                 ${VORTLINE_FUZZ_SECONDS})
set_tests_properties(fuzz_short_runs PROPERTIES LABELS fuzz TIMEOUT 180)
