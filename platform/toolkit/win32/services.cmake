# The Windows services under the forms layer's Win32 backend: directory listings, the logical
# drives and their current directories. The backend's own sources join these; until then they
# build as a library of their own, which the Windows tests link.
set(QUORVANE_TOOLKIT_WIN32_SERVICE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WideText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DirectoryListingWin32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VolumesWin32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DriveCurrentDirectory.cpp)
quorvane_library(quorvane_toolkit_win32_services
    SOURCES ${QUORVANE_TOOLKIT_WIN32_SERVICE_SOURCES}
    LIBS mpr)
