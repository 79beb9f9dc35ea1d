# Run by CPack after the Debian packages are made (CPACK_POST_BUILD_SCRIPTS): the library's
# package keeps its ldconfig trigger and loses the postinst and postrm that CPack writes to call
# ldconfig, which Debian's policy replaced by the trigger. The package is rebuilt with dpkg-deb.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    get_filename_component(name ${package} NAME)
    if(NOT name MATCHES "^libquorvane[0-9]+_.*\\.deb$")
        continue()
    endif()
    set(tree ${CPACK_TOPLEVEL_DIRECTORY}/ldconfig-scripts)
    file(REMOVE_RECURSE ${tree})
    execute_process(COMMAND dpkg-deb -R ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE ${tree}/DEBIAN/postinst ${tree}/DEBIAN/postrm)
    execute_process(COMMAND dpkg-deb --root-owner-group -Zxz --build ${tree} ${package}
        OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${tree})
endforeach()
