# Installation as a display mode of xscreensaver-style daemons: the program
# where the daemon looks for its hacks, the manual page, the settings
# description that lists it in the daemon's settings, the theme entry through
# which MATE's and XFCE's screensavers find it, and the copyright and
# changelog every Debian system keeps beside a program.
include(GNUInstallDirs)

# The version is the project's; the manual page and the changelog carry it.
# Both are installed compressed (gzip -9n: the same bytes on every build).
set(TARNWICK_DATA_DIR ${CMAKE_BINARY_DIR}/data)
configure_file(${CMAKE_SOURCE_DIR}/data/tarnwick.6.in ${TARNWICK_DATA_DIR}/tarnwick.6 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/data/changelog.in ${TARNWICK_DATA_DIR}/changelog @ONLY)
foreach(name tarnwick.6 changelog)
    add_custom_command(OUTPUT ${TARNWICK_DATA_DIR}/${name}.gz
        COMMAND gzip -9nc ${TARNWICK_DATA_DIR}/${name} > ${TARNWICK_DATA_DIR}/${name}.gz
        DEPENDS ${TARNWICK_DATA_DIR}/${name}
        VERBATIM)
endforeach()
add_custom_target(tarnwick_compressed_docs ALL
    DEPENDS ${TARNWICK_DATA_DIR}/tarnwick.6.gz ${TARNWICK_DATA_DIR}/changelog.gz)

install(TARGETS tarnwick
    RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(FILES ${TARNWICK_DATA_DIR}/tarnwick.6.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/data/tarnwick.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/xscreensaver/config)
install(FILES ${CMAKE_SOURCE_DIR}/data/copyright ${TARNWICK_DATA_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarnwick)

# The theme entry names the program by its full path, so it is written at
# install time, for the prefix the files are installed under.
install(CODE "
    set(TARNWICK_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver/tarnwick\")
    string(MD5 entry_dir \"\${CMAKE_INSTALL_PREFIX}\")
    set(entry_dir \"${TARNWICK_DATA_DIR}/desktop-\${entry_dir}\")
    configure_file(\"${CMAKE_SOURCE_DIR}/data/tarnwick.desktop.in\" \"\${entry_dir}/tarnwick.desktop\" @ONLY)
    file(INSTALL \"\${entry_dir}/tarnwick.desktop\"
        DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATAROOTDIR}/applications/screensavers\")
")
