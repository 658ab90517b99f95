# Windows build: the program, its resources, and the tests that run under Wine.
enable_language(RC)

list(REMOVE_ITEM KT_WIN_SOURCES ${CMAKE_SOURCE_DIR}/app/main_win.cpp)
add_library(kt_win STATIC ${KT_WIN_SOURCES})
# comdlg32 and ole32 are loaded when their dialogs first open (platform/lazy_library_win.h).
target_link_libraries(kt_win PUBLIC kt_core user32 gdi32 shell32 comctl32 uuid)
# Windows 7 is the oldest system whose calls we rely on; UNICODE for the W window API.
target_compile_definitions(kt_win PUBLIC WINVER=0x0A00 _WIN32_WINNT=0x0A00 UNICODE _UNICODE
                                         WIN32_LEAN_AND_MEAN NOMINMAX)
if(NOT MSVC)
    # One self-contained executable: no MinGW runtime DLLs beside it.
    target_link_options(kt_win PUBLIC -static -static-libgcc -static-libstdc++)
endif()

file(GLOB KT_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc)
add_executable(KelTovrel WIN32 ${CMAKE_SOURCE_DIR}/app/main_win.cpp ${KT_RESOURCES})
target_link_libraries(KelTovrel PRIVATE kt_win)
if(NOT MSVC)
    target_link_options(KelTovrel PRIVATE -municode -s)
endif()
# The read-me the About command opens lives beside the program.
if(EXISTS ${CMAKE_SOURCE_DIR}/res/ReadMe.txt)
    add_custom_command(TARGET KelTovrel POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/res/ReadMe.txt
                $<TARGET_FILE_DIR:KelTovrel>/ReadMe.txt)
endif()

if(BUILD_TESTING)
    include(cmake/wine-tests.cmake)
endif()

# The release: KelTovrel.exe and ReadMe.txt in one zip, ready to unpack anywhere (the program
# keeps its files beside itself).
set(KT_RELEASE_ZIP ${CMAKE_BINARY_DIR}/KelTovrel.zip)
add_custom_command(OUTPUT ${KT_RELEASE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${KT_RELEASE_ZIP} --format=zip KelTovrel.exe ReadMe.txt
    WORKING_DIRECTORY $<TARGET_FILE_DIR:KelTovrel>
    DEPENDS KelTovrel ${CMAKE_SOURCE_DIR}/res/ReadMe.txt
    COMMENT "Packing KelTovrel.zip")
add_custom_target(release DEPENDS ${KT_RELEASE_ZIP})
