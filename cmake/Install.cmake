# Installation into the standard places, and the Debian package.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/ReleaseNotes.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/PackageMaintainer.cmake)

set(WIGGLET_HOMEPAGE "" CACHE STRING "Wigglet's home page, for the metainfo and the package (none when empty)")

# The release notes and the project version must agree, or the package, its changelog and the
# metainfo would each tell another version.
set(WIGGLET_NEWS ${PROJECT_SOURCE_DIR}/NEWS.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${WIGGLET_NEWS})
wigglet_read_news(${WIGGLET_NEWS} WIGGLET_NEWS)
list(GET WIGGLET_NEWS_VERSIONS 0 WIGGLET_NEWEST_RELEASE)
if(NOT WIGGLET_NEWEST_RELEASE STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The project version is ${PROJECT_VERSION} but the newest release in "
                        "NEWS.md is ${WIGGLET_NEWEST_RELEASE}: add the release notes of ${PROJECT_VERSION}")
endif()

wigglet_package_maintainer(WIGGLET_PACKAGE_MAINTAINER)

# Files made from the release notes, the licence and templates, at build time.
find_program(WIGGLET_GZIP gzip REQUIRED)
set(WIGGLET_GENERATED ${PROJECT_BINARY_DIR}/package)
set(WIGGLET_GENERATOR ${PROJECT_SOURCE_DIR}/cmake/GeneratePackageFile.cmake)
set(WIGGLET_GENERATOR_DEPENDS ${WIGGLET_GENERATOR} ${PROJECT_SOURCE_DIR}/cmake/ReleaseNotes.cmake)
set(WIGGLET_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/resources/desktop)
set(WIGGLET_METAINFO_IN ${WIGGLET_DESKTOP_DIR}/org.wigglet.Wigglet.metainfo.xml.in)
set(WIGGLET_MANPAGE_IN ${PROJECT_SOURCE_DIR}/resources/man/wigglet.1.in)
add_custom_command(OUTPUT ${WIGGLET_GENERATED}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -DWHAT=changelog -DNEWS=${WIGGLET_NEWS}
            -DMAINTAINER=${WIGGLET_PACKAGE_MAINTAINER} -DGZIP=${WIGGLET_GZIP}
            -DOUTPUT=${WIGGLET_GENERATED}/changelog.gz -P ${WIGGLET_GENERATOR}
    DEPENDS ${WIGGLET_NEWS} ${WIGGLET_GENERATOR_DEPENDS}
    COMMENT "Making the Debian changelog from NEWS.md"
    VERBATIM)
add_custom_command(OUTPUT ${WIGGLET_GENERATED}/org.wigglet.Wigglet.metainfo.xml
    COMMAND ${CMAKE_COMMAND} -DWHAT=metainfo -DNEWS=${WIGGLET_NEWS} -DINPUT=${WIGGLET_METAINFO_IN}
            -DHOMEPAGE=${WIGGLET_HOMEPAGE}
            -DOUTPUT=${WIGGLET_GENERATED}/org.wigglet.Wigglet.metainfo.xml -P ${WIGGLET_GENERATOR}
    DEPENDS ${WIGGLET_NEWS} ${WIGGLET_METAINFO_IN} ${WIGGLET_GENERATOR_DEPENDS}
    COMMENT "Making the AppStream metainfo"
    VERBATIM)
add_custom_command(OUTPUT ${WIGGLET_GENERATED}/wigglet.1.gz
    COMMAND ${CMAKE_COMMAND} -DWHAT=manpage -DNEWS=${WIGGLET_NEWS} -DINPUT=${WIGGLET_MANPAGE_IN}
            -DVERSION=${PROJECT_VERSION} -DGZIP=${WIGGLET_GZIP}
            -DOUTPUT=${WIGGLET_GENERATED}/wigglet.1.gz -P ${WIGGLET_GENERATOR}
    DEPENDS ${WIGGLET_NEWS} ${WIGGLET_MANPAGE_IN} ${WIGGLET_GENERATOR_DEPENDS}
    COMMENT "Making the manual page"
    VERBATIM)
add_custom_command(OUTPUT ${WIGGLET_GENERATED}/copyright
    COMMAND ${CMAKE_COMMAND} -DWHAT=copyright -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE
            -DOUTPUT=${WIGGLET_GENERATED}/copyright -P ${WIGGLET_GENERATOR}
    DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE ${WIGGLET_GENERATOR_DEPENDS}
    COMMENT "Making the Debian copyright file from LICENSE"
    VERBATIM)
find_program(WIGGLET_MARKDOWN markdown_py REQUIRED)
add_custom_command(OUTPUT ${WIGGLET_GENERATED}/README.html
    COMMAND ${CMAKE_COMMAND} -DWHAT=readme -DREADME=${PROJECT_SOURCE_DIR}/README.md
            -DMARKDOWN=${WIGGLET_MARKDOWN} -DOUTPUT=${WIGGLET_GENERATED}/README.html
            -P ${WIGGLET_GENERATOR}
    DEPENDS ${PROJECT_SOURCE_DIR}/README.md ${WIGGLET_GENERATOR_DEPENDS}
    COMMENT "Making the README page"
    VERBATIM)
add_custom_target(wigglet_package_files ALL DEPENDS
    ${WIGGLET_GENERATED}/changelog.gz ${WIGGLET_GENERATED}/org.wigglet.Wigglet.metainfo.xml
    ${WIGGLET_GENERATED}/wigglet.1.gz ${WIGGLET_GENERATED}/copyright
    ${WIGGLET_GENERATED}/README.html)
# Building the program is enough to install it.
add_dependencies(wigglet wigglet_package_files)

install(TARGETS wigglet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${WIGGLET_GENERATED}/org.wigglet.Wigglet.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${WIGGLET_DESKTOP_DIR}/org.wigglet.Wigglet.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${WIGGLET_GENERATED}/wigglet.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${WIGGLET_GENERATED}/changelog.gz ${WIGGLET_GENERATED}/copyright
        ${WIGGLET_GENERATED}/README.html DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/wigglet)
# The pictures the README shows, where its links find them.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/wigglet/docs
        FILES_MATCHING PATTERN "*.png")
set(WIGGLET_COMPLETIONS_DIR ${PROJECT_SOURCE_DIR}/resources/completions)
install(FILES ${WIGGLET_COMPLETIONS_DIR}/wigglet.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME wigglet)
install(FILES ${WIGGLET_COMPLETIONS_DIR}/_wigglet
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${WIGGLET_COMPLETIONS_DIR}/wigglet.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
# D-Bus activation: `wigglet shake` starts Wigglet when it is not running. The binary's path is
# known only at install time (cpack installs under /usr whatever the configured prefix).
# KWin lets only a program whose desktop entry names it by absolute path send input through
# fake-input, so the entry is made at install time too.
set(WIGGLET_SERVICE_FILE ${PROJECT_BINARY_DIR}/install/org.wigglet.Wigglet.service)
set(WIGGLET_DESKTOP_FILE ${PROJECT_BINARY_DIR}/install/org.wigglet.Wigglet.desktop)
install(CODE "
    set(CMAKE_INSTALL_FULL_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    configure_file(\"${WIGGLET_DESKTOP_DIR}/org.wigglet.Wigglet.service.in\"
                   \"${WIGGLET_SERVICE_FILE}\" @ONLY)
    configure_file(\"${WIGGLET_DESKTOP_DIR}/org.wigglet.Wigglet.desktop.in\"
                   \"${WIGGLET_DESKTOP_FILE}\" @ONLY)")
install(FILES ${WIGGLET_SERVICE_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/services)
install(FILES ${WIGGLET_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(CPACK_PACKAGE_NAME wigglet)
set(CPACK_PACKAGE_VENDOR "The Wigglet developers")
set(CPACK_PACKAGE_CONTACT "${WIGGLET_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${WIGGLET_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Keeps the session awake and your presence alive")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland plugin is loaded at run time, so shlibdeps cannot see it; libwayland-client0
# and libxkbcommon0 are linked and found by shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins, qt6-wayland")
if(WIGGLET_HOMEPAGE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${WIGGLET_HOMEPAGE}")
endif()
# Strips the binary in the package and puts its debug symbols into wigglet-dbgsym (a .ddeb).
# CPACK_STRIP_FILES must stay off: it would strip them before they can be kept.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/FixDebugPackage.cmake)
# Symbols resolved at start, so that the relocations can be read-only (Debian's hardening).
target_link_options(wigglet PRIVATE LINKER:-z,relro LINKER:-z,now)
# The extended description, below the summary; CPack indents it by one column, and Debian
# wants lines within 80 columns.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "While shaking is on, Wigglet keeps the display from sleeping and, once the user"
    "has been idle for a while, moves the pointer away and back, and can click,"
    "scroll and switch tabs. It lives in the system tray of X11 sessions and of"
    "Wayland sessions on KDE Plasma and wlroots compositors such as sway, and can be"
    "driven from scripts over D-Bus.")
include(CPack)
