# The Windows build (cmake/mingw-i686.cmake, or cmake/mingw-x86_64.cmake for 64-bit Wine): resources compiled by windres, and the script that
# runs this build's programs under Wine, with a prefix inside the build folder.

enable_language(RC)

set(QUORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(QUORVANE_WINEARCH win64)
    set(QUORVANE_WINE_LOADER /usr/lib/wine/wine64)
else()
    set(QUORVANE_WINEARCH win32)
    set(QUORVANE_WINE_LOADER /usr/lib/wine/wine)
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)

# The tests' names are read from the test programs when CTest runs them, under Wine on the tests'
# virtual display, never while building: the build needs no Wine and starts no Wine server.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# Every Windows call takes UTF-16 (the W functions); Windows 7 is the oldest system aimed at.
target_compile_definitions(quorvane_flags INTERFACE
    UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)

# quorvane_add_app_resources(target): Quorvane.exe's resources (app/Quorvane.rc.in: icon group 1
# and the version record, nothing else) compiled by windres into a target.
function(quorvane_add_app_resources target)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/app/Quorvane.rc.in ${rc} @ONLY)
    set_property(SOURCE ${rc} APPEND PROPERTY INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/app)
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS
        ${PROJECT_SOURCE_DIR}/app/resources/quorvane.ico)
    target_sources(${target} PRIVATE ${rc})
endfunction()

# quorvane_embed_files(output.cpp NAME FILE [NAME FILE ...]): a source file that compiles those
# files into the program under those names, as the table toolkit::win32::EmbeddedFiles() the Win32
# forms layer reads them from (platform/toolkit/win32/EmbeddedFiles.h). Made when CMake configures,
# again whenever one of the files changes.
function(quorvane_embed_files output)
    set(arrays "")
    set(entries "")
    set(index 0)
    while(ARGN)
        list(POP_FRONT ARGN name file)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
        file(READ ${file} hex HEX)
        string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
        string(APPEND arrays "const std::uint8_t kFile${index}[] = {${bytes}};\n")
        string(APPEND entries "    {\"${name}\", kFile${index}},\n")
        math(EXPR index "${index} + 1")
    endwhile()
    file(CONFIGURE OUTPUT ${output} CONTENT [=[
// Made by quorvane_embed_files (cmake/QuorvaneWindows.cmake); do not edit.
#include "platform/toolkit/win32/EmbeddedFiles.h"

namespace toolkit::win32 {

namespace {

@arrays@
const EmbeddedFile kFiles[] = {
@entries@};

}  // namespace

std::span<const EmbeddedFile> EmbeddedFiles() {
    return kFiles;
}

}  // namespace toolkit::win32
]=] @ONLY)
endfunction()

# quorvane_keep_debug_info_apart(target): the executable one copies to a Windows machine carries no
# debug information; it goes to <name>.debug beside it, which gdb finds through the debug link.
function(quorvane_keep_debug_info_apart target)
    set(objcopy ${QUORVANE_MINGW_PREFIX}-objcopy)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE_NAME:${target}>
            $<TARGET_FILE_NAME:${target}>.debug
        COMMAND ${objcopy} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
        WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
        VERBATIM)
endfunction()

# quorvane_windows_zip(program...): build-windows/quorvane-<version>-windows-<processor>.zip, the
# download for Windows users (cmake/WindowsZip.cmake), made with every build.
function(quorvane_windows_zip)
    set(version "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
    set(zip ${CMAKE_BINARY_DIR}/quorvane-${version}-windows-${CMAKE_SYSTEM_PROCESSOR}.zip)
    set(programs "")
    foreach(target IN LISTS ARGN)
        list(APPEND programs $<TARGET_FILE:${target}>)
    endforeach()
    add_custom_command(OUTPUT ${zip}
        COMMAND ${CMAKE_COMMAND} -DZIP=${zip} -DSTAGE=${CMAKE_BINARY_DIR}/windows-zip
            -DVERSION=${version} -DSOURCE=${PROJECT_SOURCE_DIR} "-DPROGRAMS=${programs}"
            -P ${PROJECT_SOURCE_DIR}/cmake/WindowsZip.cmake
        DEPENDS ${ARGN} ${PROJECT_SOURCE_DIR}/cmake/WindowsZip.cmake ${PROJECT_SOURCE_DIR}/LICENSE
            ${PROJECT_SOURCE_DIR}/share/windows/README.txt
            ${PROJECT_SOURCE_DIR}/share/windows/LEGGIMI.txt
        VERBATIM)
    add_custom_target(quorvane_windows_zip ALL DEPENDS ${zip})
endfunction()
