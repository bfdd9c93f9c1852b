# Installation as Linux desktops expect, and the Debian package made by `cpack -G DEB` in the
# build folder.
include(GNUInstallDirs)

install(TARGETS pagula pagula-compose RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/pagula.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/pagula.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/pagula-compose.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pagula)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Pagula developers <pagula@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns scanned pages into printable crib sheets")
set(CPACK_PACKAGE_DESCRIPTION
    "Pagula lays scanned or photographed pages out as a grid of small cells on A4 sheets, with binding strips, frame lines, crop profiles and one- or two-sided output, and saves the result as PDF, ODT or DOCX or prints it. pagula-compose does the same from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not tell: TIFF reading, Qt's Russian dialogs and the window fonts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-image-formats-plugins, qt6-translations-l10n, fonts-liberation | fonts-dejavu-core")
include(CPack)
