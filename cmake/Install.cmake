# Installation as Linux desktops expect, and the Debian packages made by `cpack -G DEB` in the
# build folder: pagula with the programs stripped, the manual pages (cmake/ManPages.cmake), the
# copyright file and the compressed changelog; pagula-dbg with the programs' debugging
# information (cmake/DebugInfo.cmake).
include(GNUInstallDirs)

set(PAGULA_PACKAGE_MAINTAINER "Pagula developers <pagula@example.org>"
    CACHE STRING "Maintainer of the Debian package, \"Name <address>\"")

install(TARGETS pagula pagula-compose RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/pagula.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/pagula.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian wants the documentation under the package's name, the changelog compressed as
# gzip -9n makes it (no time stamp, so the package builds the same twice).
set(PAGULA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/pagula)
set(changelog ${PROJECT_SOURCE_DIR}/data/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
execute_process(COMMAND gzip -9nc ${changelog} OUTPUT_FILE ${CMAKE_BINARY_DIR}/changelog.gz
                COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${PAGULA_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pagula-dbg COMPONENT debug EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pagula)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${PAGULA_PACKAGE_MAINTAINER}")
# Each package's control description: its summary line, then lines of at most 80 characters
# (no CPACK_PACKAGE_DESCRIPTION_SUMMARY, which CPack would put before every package's own).
set(CPACK_COMPONENT_PAGULA_DESCRIPTION "turns scanned pages into printable crib sheets
Pagula lays scanned or photographed pages out as a grid of small cells on
A4 sheets, with binding strips, frame lines, crop profiles and one- or
two-sided output, and saves the result as PDF, ODT or DOCX or prints it.
pagula-compose does the same from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL pagula debug)
set(CPACK_STRIP_FILES ${CMAKE_INSTALL_BINDIR}/pagula ${CMAKE_INSTALL_BINDIR}/pagula-compose)
set(CPACK_DEBIAN_PAGULA_PACKAGE_NAME pagula)
set(CPACK_DEBIAN_PAGULA_PACKAGE_SHLIBDEPS ON)
# What the libraries do not tell: TIFF reading, Qt's Russian dialogs and the window fonts.
set(CPACK_DEBIAN_PAGULA_PACKAGE_DEPENDS
    "qt6-image-formats-plugins, qt6-translations-l10n, fonts-liberation | fonts-dejavu-core")
set(CPACK_DEBIAN_DEBUG_PACKAGE_NAME pagula-dbg)
set(CPACK_DEBIAN_DEBUG_PACKAGE_SECTION debug)
set(CPACK_DEBIAN_DEBUG_PACKAGE_DEPENDS "pagula (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_DEBUG_DESCRIPTION "debugging information for Pagula
The debugging information of pagula and pagula-compose, for debuggers and
crash reports.")
include(CPack)
