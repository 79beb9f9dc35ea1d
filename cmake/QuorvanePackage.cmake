# The Debian packages (`cpack -G DEB` in the build directory, ./build.sh package), one per install
# component, their library dependencies computed by dpkg-shlibdeps (package dpkg-dev):
#   quorvane          the window, the tool, the desktop entry, icons, thumbnailer, metainfo, man pages
#   libquorvane1      the shared library (its SONAME's package, as Debian's policy names it)
#   libquorvane-dev   its headers, the .so link, the CMake config files and quorvane.pc
#   python3-quorvane  the Python module over the library
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_VENDOR "Quorvane")
# Each package's synopsis is the first line of its own description (below), not the project's.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
# Who the packages name as their maintainer; a packager sets their own (-DQUORVANE_MAINTAINER=...).
set(QUORVANE_MAINTAINER "Quorvane developers <developers@quorvane.invalid>" CACHE STRING
    "The maintainer the Debian packages name")
set(CPACK_PACKAGE_CONTACT "${QUORVANE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program runtime development python)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)

set(quorvane_version ${CPACK_PACKAGE_VERSION})
# Each package's name, section, what it needs beyond its libraries, and its description: the
# synopsis, then lines of at most 80 characters as Debian's policy asks (none may start with a
# dot: a dot starts a control line there).
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME quorvane)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION graphics)
set(CPACK_COMPONENT_PROGRAM_DESCRIPTION "extract and save the icons of Windows executables
Quorvane finds the icons stored inside Windows executables and libraries
(.exe, .dll, .ocx, .mun) and saves a chosen one as an .ico file. The
command-line tool quorvane-icons lists and extracts them in bulk and draws
file-manager thumbnails.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libquorvane1)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
# Its shlibs file (what a package linking it depends on) and the ldconfig trigger, which Debian
# prefers to maintainer scripts calling ldconfig; CPack writes such scripts for any library, and
# cmake/DebLdconfigScripts.cmake takes them out of the package once it is made.
set(runtime_control ${PROJECT_BINARY_DIR}/debian-runtime)
file(WRITE ${runtime_control}/shlibs "libquorvane 1 libquorvane1 (>= ${CPACK_PACKAGE_VERSION})\n")
file(WRITE ${runtime_control}/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${runtime_control}/shlibs
    ${runtime_control}/triggers)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebLdconfigScripts.cmake)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "library reading the icons of Windows executables
libquorvane reads the icon, cursor and animated cursor groups of Windows
executables, libraries and icon files (PE, 16-bit NE, .ico, .cur, .ani,
and the redirects to .mun files), writes them as .ico or .cur files and
draws their best image for a size as RGBA pixels or a PNG.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libquorvane-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libquorvane1 (= ${quorvane_version})")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "library reading the icons of Windows executables - development files
The headers of libquorvane (include/quorvane/), the link to the shared
library, its CMake package (find_package(Quorvane)) and its pkg-config
file (pkg-config quorvane).")
set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-quorvane)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
# The library it links is in a package being made, which dpkg-shlibdeps cannot look into.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/library)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "libquorvane1 (= ${quorvane_version}), python3")
set(CPACK_COMPONENT_PYTHON_DESCRIPTION "Python module reading the icons of Windows executables
The quorvane module opens Windows executables, libraries and icon files and
gives their icon and cursor groups, their images, .ico and .cur bytes and
PNGs drawn at any size, over libquorvane.")

# The copyright file (machine-readable format 1.0) and the changelog (gzip -9n) every Debian package
# carries in /usr/share/doc/<package>.
set(quorvane_changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${quorvane_changelog}
    COMMAND sh -c "gzip -9n -c '${PROJECT_SOURCE_DIR}/share/debian/changelog' > '${quorvane_changelog}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/share/debian/changelog VERBATIM)
add_custom_target(quorvane_changelog ALL DEPENDS ${quorvane_changelog})
set(quorvane_package_names quorvane libquorvane1 libquorvane-dev python3-quorvane)
foreach(component package IN ZIP_LISTS CPACK_COMPONENTS_ALL quorvane_package_names)
    install(FILES ${PROJECT_SOURCE_DIR}/share/debian/copyright ${quorvane_changelog}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()
include(CPack)
