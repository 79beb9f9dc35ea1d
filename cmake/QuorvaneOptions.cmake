# Warnings, sanitizers and the helper every target of the project goes through.

option(QUORVANE_WERROR "Treat warnings as errors" OFF)
option(QUORVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

add_library(quorvane_flags INTERFACE)
target_compile_options(quorvane_flags INTERFACE -Wall -Wextra)
if(QUORVANE_WERROR)
    target_compile_options(quorvane_flags INTERFACE -Werror)
endif()
if(QUORVANE_SANITIZE)
    target_compile_options(quorvane_flags INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(quorvane_flags INTERFACE -fsanitize=address,undefined)
endif()

# quorvane_library(name SOURCES ... LIBS ...): a static library with the project's flags,
# its headers reached from the repository root ("platform/icons/IconService.h").
function(quorvane_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE quorvane_flags)
endfunction()
