# `cpack -G DEB` in the build folder: korvo-tci_<version>_amd64.deb for Debian 12, its
# library dependencies worked out by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME korvo-tci)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Korvo TCI programmer developers")
set(CPACK_PACKAGE_CONTACT "${KORVO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programs, reads, verifies and monitors a Korvo TCI ignition unit")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop program for workshops and riders who tune a Korvo TCI\n\
motorcycle ignition unit. Over one serial port it programs the unit's\n\
parameter set (advance curve, base advance, rev limiter, trigger teeth\n\
and switches), reads it back, verifies it and shows what the unit\n\
reports live. English, Czech and German; a demo mode runs on a\n\
simulated unit. Licence: MIT.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
find_program(KORVO_STRIP NAMES ${CMAKE_STRIP} strip)
if(KORVO_STRIP)
    # cpack hands only CPACK_ variables on to its scripts.
    set(CPACK_KORVO_STRIP ${KORVO_STRIP})
    set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/PackageStrip.cmake)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KORVO_HOMEPAGE})
# The summary becomes the synopsis line; this is the text beneath it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window needs a platform plugin to show at all, and its fixed layout needs the
# widths of Liberation Sans; neither is a library that dpkg-shlibdeps can see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
# The manual opens with the desktop's viewer; Qt's own buttons and dialogs speak Czech and German with its translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")

set(CPACK_GENERATOR DEB)
include(CPack)
