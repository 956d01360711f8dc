# Installing and packaging.
#
# `cmake --install` lays out an installed program under the prefix: bin/, the data folder
# share/quarvel/ (language files, splash logo), the desktop entry, the icons, the AppStream
# metadata and the manual page. The program tells that layout from a program folder by
# bin/ and share/quarvel/ lying side by side (platform/DataPaths), so both names are fixed
# here rather than taken from GNUInstallDirs.
#
# The portable folder (the executables with Language/ and logo.jpg beside them, as a build
# tree has them) is the component "portable": left out of a plain install, packed into the
# .tar.gz. The .deb packs the installed layout under /usr. On Windows every install is a
# program folder, so there the portable folder is what `cmake --install` lays out.

set(QUARVEL_RELEASE_DATE "2026-12-10")
set(QUARVEL_SCREENSHOT_URL
    "https://raw.githubusercontent.com/quarvel/quarvel/main/packaging/screenshot.png")
set(QUARVEL_PACKAGE_CONTACT "Quarvel maintainers <maintainers@quarvel.invalid>" CACHE STRING
    "Maintainer named in the Debian package")

set(packaging_out ${CMAKE_BINARY_DIR}/packaging)
configure_file(packaging/quarvel.desktop.in ${packaging_out}/${QUARVEL_APP_ID}.desktop @ONLY)
configure_file(packaging/quarvel.metainfo.xml.in
               ${packaging_out}/${QUARVEL_APP_ID}.metainfo.xml @ONLY)
configure_file(packaging/quarvel-cli.1.in ${packaging_out}/quarvel-cli.1 @ONLY)

if(WIN32)
    install(TARGETS quarvel quarvel-cli RUNTIME DESTINATION . COMPONENT portable)
    install(DIRECTORY Language DESTINATION . COMPONENT portable)
    install(FILES logo.jpg DESTINATION . COMPONENT portable)
    return()
endif()

install(TARGETS quarvel quarvel-cli RUNTIME DESTINATION bin COMPONENT desktop)
install(DIRECTORY Language DESTINATION share/quarvel COMPONENT desktop)
install(FILES logo.jpg DESTINATION share/quarvel COMPONENT desktop)
install(FILES ${packaging_out}/${QUARVEL_APP_ID}.desktop
        DESTINATION share/applications COMPONENT desktop)
# The PNG is the SVG drawn at 256 px (rsvg-convert -w 256 -h 256), kept in the source tree
# so that building needs no SVG renderer.
install(FILES packaging/quarvel.svg DESTINATION share/icons/hicolor/scalable/apps
        RENAME ${QUARVEL_APP_ID}.svg COMPONENT desktop)
install(FILES packaging/quarvel-256.png DESTINATION share/icons/hicolor/256x256/apps
        RENAME ${QUARVEL_APP_ID}.png COMPONENT desktop)
install(FILES ${packaging_out}/${QUARVEL_APP_ID}.metainfo.xml
        DESTINATION share/metainfo COMPONENT desktop)
install(FILES ${packaging_out}/quarvel-cli.1 DESTINATION share/man/man1 COMPONENT desktop)

install(TARGETS quarvel quarvel-cli RUNTIME DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(DIRECTORY Language DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
install(FILES logo.jpg DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME quarvel)
set(CPACK_PACKAGE_VENDOR Quarvel)
set(CPACK_PACKAGE_CONTACT ${QUARVEL_PACKAGE_CONTACT})
set(CPACK_PACKAGE_HOMEPAGE_URL ${QUARVEL_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "authoring tool for FOMOD mod-installer packages")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# One line each in the Debian control file.
set(CPACK_PACKAGE_DESCRIPTION
    "Quarvel builds the FOMOD installers that mod managers (Vortex, Mod Organizer 2,
Wrye Bash) show as install wizards: steps, option groups, plugins, files, flags
and conditions, written as fomod/info.xml and fomod/ModuleConfig.xml.
quarvel-cli reads, converts and writes installers from the shell.")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PROJECT_CONFIG_FILE ${packaging_out}/CPackProjectConfig.cmake)
configure_file(packaging/CPackProjectConfig.cmake.in ${CPACK_PROJECT_CONFIG_FILE} @ONLY)
include(CPack)
