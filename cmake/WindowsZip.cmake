# cmake -DZIP=... -DSTAGE=... -DVERSION=... -DSOURCE=... -DPROGRAMS="a.exe;b.exe" -P WindowsZip.cmake
# The Windows download: the two programs (already stripped, their debug information kept apart),
# the licence and the two short readmes, the texts with Windows' line ends (CRLF).
cmake_minimum_required(VERSION 3.20)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
foreach(program IN LISTS PROGRAMS)
    file(COPY ${program} DESTINATION ${STAGE})
endforeach()

function(write_crlf source target)
    file(READ ${source} text)
    string(CONFIGURE "${text}" text @ONLY)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${STAGE}/${target} "${text}")
endfunction()
write_crlf(${SOURCE}/LICENSE LICENSE.txt)
write_crlf(${SOURCE}/share/windows/README.txt README.txt)
write_crlf(${SOURCE}/share/windows/LEGGIMI.txt LEGGIMI.txt)

file(GLOB entries RELATIVE ${STAGE} ${STAGE}/*)
list(SORT entries)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${entries}
    WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "the Windows zip could not be made")
endif()
