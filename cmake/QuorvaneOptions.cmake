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
    # No Qt meta-objects or forms in the project's libraries: no moc or uic step, no generated
    # include directory.
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF)
endfunction()

# quorvane_backed_library(name NEUTRAL target SOURCES ... BACKEND target BACKEND_SOURCES ...
#                         LIBS ... BACKEND_LIBS ...): one static library made of two halves. The
# platform-neutral sources compile as the NEUTRAL object library, with LIBS only; the backend's
# sources (the Qt half, in a qt/ folder) as the BACKEND object library, which alone sees
# BACKEND_LIBS. The library links BACKEND_LIBS privately: what builds against it gets no backend
# include directory on its compile line, though a program linking it still links them (a static
# library's own dependencies go with it). A second backend swaps the BACKEND half.
function(quorvane_backed_library name)
    cmake_parse_arguments(ARG "" "NEUTRAL;BACKEND" "SOURCES;BACKEND_SOURCES;LIBS;BACKEND_LIBS"
        ${ARGN})
    add_library(${ARG_NEUTRAL} OBJECT ${ARG_SOURCES})
    target_include_directories(${ARG_NEUTRAL} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${ARG_NEUTRAL} PUBLIC ${ARG_LIBS} PRIVATE quorvane_flags)
    set_target_properties(${ARG_NEUTRAL} PROPERTIES AUTOMOC OFF AUTOUIC OFF)

    add_library(${ARG_BACKEND} OBJECT ${ARG_BACKEND_SOURCES})
    target_link_libraries(${ARG_BACKEND}
        PUBLIC ${ARG_NEUTRAL} PRIVATE ${ARG_BACKEND_LIBS} quorvane_flags)

    add_library(${name} STATIC
        $<TARGET_OBJECTS:${ARG_NEUTRAL}> $<TARGET_OBJECTS:${ARG_BACKEND}>)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE ${ARG_BACKEND_LIBS} quorvane_flags)
endfunction()

# quorvane_preload_sanitizers(test...): tests whose programs are not built here (python3, the
# compiler and the example built as another project builds it) load instrumented code. Under
# QUORVANE_SANITIZE the sanitizers' runtimes are preloaded for them (they must come first), and
# leaks are not counted (those of the host programs are not ours).
function(quorvane_preload_sanitizers)
    if(NOT QUORVANE_SANITIZE)
        return()
    endif()
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
        OUTPUT_VARIABLE asan OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libubsan.so
        OUTPUT_VARIABLE ubsan OUTPUT_STRIP_TRAILING_WHITESPACE)
    foreach(test IN LISTS ARGN)
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
            "LD_PRELOAD=${asan}:${ubsan}" "ASAN_OPTIONS=detect_leaks=0")
    endforeach()
endfunction()
