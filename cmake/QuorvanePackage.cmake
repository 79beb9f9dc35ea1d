# The Debian package (`cpack -G DEB` in the build directory, ./build.sh package):
# quorvane_<version>_amd64.deb with everything `cmake --install` puts under /usr, its library
# dependencies computed by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_VENDOR "Quorvane")
set(CPACK_PACKAGE_CONTACT "Quorvane developers <quorvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "extract and save the icons of Windows executables")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvane finds the icons stored inside Windows executables (.exe, .dll, .ocx, .mun) and saves a chosen one as an .ico file. The command-line tool quorvane-icons lists and extracts them in bulk and draws file-manager thumbnails.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
