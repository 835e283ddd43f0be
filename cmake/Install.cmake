# Installation as a display mode of xscreensaver-style daemons: the program
# where the daemon looks for its hacks, the manual page, and the settings
# description that lists it in the daemon's settings.
include(GNUInstallDirs)

install(TARGETS tarnwick
    RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(FILES ${CMAKE_SOURCE_DIR}/data/tarnwick.6
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/data/tarnwick.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/xscreensaver/config)
