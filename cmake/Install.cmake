# Installation into the standard places, and the Debian package.
include(GNUInstallDirs)

install(TARGETS wigglet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(WIGGLET_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/resources/desktop)
install(FILES ${WIGGLET_DESKTOP_DIR}/org.wigglet.Wigglet.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${WIGGLET_DESKTOP_DIR}/org.wigglet.Wigglet.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${WIGGLET_DESKTOP_DIR}/org.wigglet.Wigglet.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# D-Bus activation: `wigglet shake` starts Wigglet when it is not running. The binary's path is
# known only at install time (cpack installs under /usr whatever the configured prefix).
set(WIGGLET_SERVICE_FILE ${PROJECT_BINARY_DIR}/install/org.wigglet.Wigglet.service)
install(CODE "
    set(CMAKE_INSTALL_FULL_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    configure_file(\"${WIGGLET_DESKTOP_DIR}/org.wigglet.Wigglet.service.in\"
                   \"${WIGGLET_SERVICE_FILE}\" @ONLY)")
install(FILES ${WIGGLET_SERVICE_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/services)

set(CPACK_PACKAGE_NAME wigglet)
set(CPACK_PACKAGE_VENDOR "The Wigglet developers")
set(CPACK_PACKAGE_CONTACT "support@wigglet.example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Keeps the session awake and your presence alive")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Keeps the desktop session awake and the user's presence alive\n While shaking is on, Wigglet keeps the display from sleeping and, once the user\n has been idle for a while, moves the pointer away and back, and can click,\n scroll and switch tabs. It lives in the system tray of an X11 session.")
include(CPack)
