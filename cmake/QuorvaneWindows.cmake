# The Windows build (cmake/mingw-i686.cmake): resources compiled by windres, and the script that
# runs this build's programs under Wine, with a prefix inside the build folder.

enable_language(RC)

set(QUORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)

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
