# Tests of the Windows side, all run under Wine: the Win32 layer's own tests, and end-to-end
# tests that drive the real program. scripts/test prepares the Wine prefix they share.

# GoogleTest for Windows is built from Debian's googletest sources.
set(KT_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${KT_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Wine's C runtime turns each "\n" written to a text-mode stdout into "\r\n"; the test list
# CTest reads must keep plain line ends, or every test name would end in "\r".
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/binary_stdout.cpp CONTENT [=[
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {
[[maybe_unused]] const int kBinaryStdout = _setmode(_fileno(stdout), _O_BINARY);
}
]=])

file(GLOB win_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*_test.cpp)
if(win_tests)
    add_executable(kt_win_tests ${win_tests} ${CMAKE_BINARY_DIR}/binary_stdout.cpp)
    target_link_libraries(kt_win_tests PRIVATE kt_win gtest gmock gtest_main)
    include(GoogleTest)
    # The tests are listed when CTest starts, inside the Wine prefix and display the test run
    # prepares, so building never starts Wine.
    gtest_discover_tests(kt_win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES LABELS wine TIMEOUT 120)
endif()

# Helpers of the end-to-end tests: a probe that answers questions about windows, and stubs that
# stand in for the file manager and the read-me viewer and record how they were started.
foreach(tool probe launch_recorder)
    add_executable(kt_${tool} ${CMAKE_SOURCE_DIR}/tests/e2e/${tool}.cpp)
    target_link_libraries(kt_${tool} PRIVATE kt_win)
    target_link_options(kt_${tool} PRIVATE -municode)
endforeach()
# A console program started from the program would open a console window of its own.
set_target_properties(kt_launch_recorder PROPERTIES WIN32_EXECUTABLE ON)

find_program(PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
file(GLOB e2e_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/test_*.py)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/e2e-tmp)
set(e2e_environment KT_BUILD_DIR=${CMAKE_BINARY_DIR} KT_SOURCE_DIR=${CMAKE_SOURCE_DIR}
                    PYTHONDONTWRITEBYTECODE=1)
foreach(e2e IN LISTS e2e_tests)
    get_filename_component(name ${e2e} NAME_WE)
    # Each file's temporary program directories and failure screenshots stay in e2e-tmp.
    add_test(NAME e2e.${name}
             COMMAND ${PYTHON3} -m pytest -q -rfE -p no:cacheprovider
                     --basetemp=${CMAKE_BINARY_DIR}/e2e-tmp/${name} ${e2e})
    # One program per logon: the end-to-end tests share the display and the instance mutex.
    set_tests_properties(e2e.${name} PROPERTIES RESOURCE_LOCK program LABELS "wine;e2e"
        ENVIRONMENT "${e2e_environment}" TIMEOUT 600)
endforeach()

# Whole-program benchmarks (scripts/bench): a yardstick window and a start-up timer.
add_executable(kt_empty_window WIN32 ${CMAKE_SOURCE_DIR}/tests/bench/empty_window.cpp)
target_link_options(kt_empty_window PRIVATE -municode -static -s)
add_executable(kt_start_timer ${CMAKE_SOURCE_DIR}/tests/bench/start_timer.cpp)
target_link_options(kt_start_timer PRIVATE -municode -static)
foreach(tool kt_empty_window kt_start_timer)
    target_compile_definitions(${tool} PRIVATE UNICODE _UNICODE)
endforeach()
