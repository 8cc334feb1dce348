# SPDX-License-Identifier: GPL-3.0-or-later
# CPack settings for the Debian package. The version comes from project();
# `cpack -G DEB` in a build folder (or scripts/package) makes the .deb.
if(WIN32)
    # The Windows installer and zip come from packaging/windows/package.sh: CPack's
    # installer offers no install for the current user alone, and dates its files.
    return()
endif()
set(CPACK_PACKAGE_NAME zelvamirontica)
# All four parts: CPack would take three.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Zelvamirontica)
set(CPACK_PACKAGE_CONTACT "Zelvamirontica <info@zelvamirontica.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://zelvamirontica.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "distance and mean speed between two position fixes")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Type two position fixes from a satellite receiver (latitude and longitude
in decimal degrees, and the clock time of each) and it shows the great-circle
distance on a 6371 km sphere, the time between the fixes and the mean speed.
It also converts degrees, minutes and seconds to decimal degrees and saves a
text report. The interface is in Italian. The console program
zelvamirontica-batch gives the same figures for every leg of an NMEA log or a
table of fixes.")
# shlibdeps (dpkg-dev) finds the Qt libraries. The captions are measured in
# Liberation Sans and clip in a wider fallback font, and without Qt's own
# translations the dialogs' buttons stay in English.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")

# Every Debian package carries its copyright and a compressed changelog.
set(debdoc ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog)
configure_file(${PROJECT_SOURCE_DIR}/packaging/deb/changelog.in ${changelog} @ONLY)
execute_process(COMMAND gzip -9nf ${changelog} COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/deb/copyright ${changelog}.gz DESTINATION ${debdoc})
# Directories 0755 whatever the builder's umask, as Debian requires.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
