# The Debian package (`make deb`): the installed files under /usr, with
# Depends worked out from the program's shared libraries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarnwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quillmere <support@quillmere.example>")
set(CPACK_PACKAGE_VENDOR Quillmere)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xscreensaver)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "pendulum wall clock screensaver drawn with OpenGL
A three-dimensional pendulum wall clock as a display mode of xscreensaver
and the screen lockers that run its display modes. The hour, minute and
second hands show the local time, the pendulum and the escapement swing
with a two-second period, the gear train turns, a light circles the clock
and a tick sounds each second. Every frame shows the clock three times: a
main view and two insets seen from fixed viewpoints.")
include(CPack)
