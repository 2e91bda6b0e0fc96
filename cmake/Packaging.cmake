# Installing Vornela like any Linux application, and the Debian package built from the same
# rules (cpack -G DEB). Included only with the desktop layers: the core alone installs nothing.
include(GNUInstallDirs)

# The day project(VERSION) last changed: the AppStream release, the changelog and the manual.
set(VORNELA_RELEASE_DATE 2026-12-07)
set(VORNELA_RELEASE_DATE_RFC2822 "Mon, 07 Dec 2026 00:00:00 +0000")
set(VORNELA_MAINTAINER "Vornela developers <maintainers@${VORNELA_WEB_ADDRESS}>" CACHE STRING
  "The Debian package's maintainer")

set(pkg ${CMAKE_BINARY_DIR}/packaging)
configure_file(packaging/vornela.desktop.in ${pkg}/${VORNELA_APP_ID}.desktop @ONLY)
configure_file(packaging/vornela.metainfo.xml.in ${pkg}/${VORNELA_APP_ID}.metainfo.xml @ONLY)
configure_file(packaging/vornela.1.in ${pkg}/vornela.1 @ONLY)
configure_file(packaging/changelog.in ${pkg}/changelog @ONLY)
configure_file(packaging/copyright.in ${pkg}/copyright @ONLY)

# The hicolor sizes from 16 to 512, drawn from the SVG; gzip -n so the package is the same
# byte for byte whenever it is built.
set(icon_sizes 16 24 32 48 64 128 256 512)
set(icon_pngs "")
foreach(size ${icon_sizes})
  list(APPEND icon_pngs ${pkg}/icons/${size}x${size}/apps/${VORNELA_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${icon_pngs}
  COMMAND vornela-icon-render ${PROJECT_SOURCE_DIR}/assets/vornela.svg ${pkg}/icons ${VORNELA_APP_ID} ${icon_sizes}
  DEPENDS vornela-icon-render ${PROJECT_SOURCE_DIR}/assets/vornela.svg
  COMMENT "Drawing the application icon's sizes")
add_custom_command(OUTPUT ${pkg}/vornela.1.gz ${pkg}/changelog.gz
  COMMAND gzip -9nkf ${pkg}/vornela.1 ${pkg}/changelog
  DEPENDS ${pkg}/vornela.1 ${pkg}/changelog)
add_custom_target(vornela-install-data ALL DEPENDS ${icon_pngs} ${pkg}/vornela.1.gz ${pkg}/changelog.gz)

install(TARGETS vornela RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${pkg}/${VORNELA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${pkg}/${VORNELA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/assets/vornela.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${VORNELA_APP_ID}.svg)
install(DIRECTORY ${pkg}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${pkg}/vornela.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# No license has been chosen yet: the copyright file says so, and no LICENSE is installed.
install(FILES ${pkg}/copyright ${pkg}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vornela)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vornela)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VORNELA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gentle health nudges from the top of the screen")
set(CPACK_PACKAGE_DESCRIPTION
  "Vornela draws a small black shape at the top centre of the screen and, through\n\
it, nudges to drink water, rest the eyes, stand and move, check posture and\n\
have lunch. Hovering opens a dashboard with the day's balance and goals.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://${VORNELA_WEB_ADDRESS})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries cannot tell: the faces it loads by file, the SVG plugin that draws the icon,
# Qt's X11 platform plugin, and xdg-email for sharing.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-inter, fonts-material-design-icons-iconfont, libqt6svg6, qt6-qpa-plugins, xdg-utils")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
