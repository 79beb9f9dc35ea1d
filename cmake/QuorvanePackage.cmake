# The Debian package (`cpack -G DEB` in the build directory, ./build.sh package):
# quorvane_<version>_amd64.deb with everything `cmake --install` puts under /usr, its library
# dependencies computed by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_VENDOR "Quorvane")
# Who the package names as its maintainer; a packager sets their own (-DQUORVANE_MAINTAINER=...).
set(QUORVANE_MAINTAINER "Quorvane developers <developers@quorvane.invalid>" CACHE STRING
    "The maintainer the Debian packages name")
set(CPACK_PACKAGE_CONTACT "${QUORVANE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "extract and save the icons of Windows executables")
# The extended description, in lines of at most 80 characters as Debian's policy asks (none may
# start with a dot: a dot starts a control line there).
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvane finds the icons stored inside Windows executables and libraries\n(.exe, .dll, .ocx, .mun) and saves a chosen one as an .ico file. The\ncommand-line tool quorvane-icons lists and extracts them in bulk and draws\nfile-manager thumbnails.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The copyright file (machine-readable format 1.0) and the changelog (gzip -9n) every Debian package
# carries in /usr/share/doc/<package>.
set(quorvane_changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${quorvane_changelog}
    COMMAND sh -c "gzip -9n -c '${PROJECT_SOURCE_DIR}/share/debian/changelog' > '${quorvane_changelog}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/share/debian/changelog VERBATIM)
add_custom_target(quorvane_changelog ALL DEPENDS ${quorvane_changelog})
install(FILES ${PROJECT_SOURCE_DIR}/share/debian/copyright ${quorvane_changelog}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvane)
include(CPack)
