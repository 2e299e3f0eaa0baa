# The Debian package, built by CPack (`make package`): zol_<version>_<arch>.deb
# with everything `cmake --install` puts in place under /usr.
include(GNUInstallDirs)
# Who publishes it comes from cmake/ZolIdentity.cmake.
if(ZOL_HOMEPAGE)
  set(ZOL_COPYRIGHT_SOURCE "Source: ${ZOL_HOMEPAGE}\n")
else()
  set(ZOL_COPYRIGHT_SOURCE "")
endif()

# What Debian wants beside the programs: the licence in its machine-readable
# form, and the changelog, both compressed the way dpkg tools compress.
set(_zol_docs ${CMAKE_INSTALL_DATADIR}/doc/zol)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in
               ${PROJECT_BINARY_DIR}/debian/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/debian/copyright DESTINATION ${_zol_docs})
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
  COMMAND sh -c "'${ZOL_GZIP}' -9n -c '${ZOL_CHANGELOG}' > '${PROJECT_BINARY_DIR}/debian/changelog.gz'"
  DEPENDS ${ZOL_CHANGELOG}
  VERBATIM)
add_custom_target(zol_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz DESTINATION ${_zol_docs})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zol)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zol developers")
set(CPACK_PACKAGE_CONTACT "${ZOL_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(ZOL_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZOL_HOMEPAGE}")
endif()
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries the programs and modules link, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# By hand, only what is loaded at run time where no linker sees it. The
# plugins the tray app loads come with libraries the linker names already (the
# X11 platform and the image formats with libqt6gui6, the SVG image format
# with libqt6svg6), so nothing is required; recommended are the Wayland
# platform, for Wayland sessions, and xdg-open, which opens addresses and
# folders where the file manager does not answer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils")
# The synopsis (no article, as Debian wants), then the long description, its
# paragraphs apart by an empty line.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "time tracker in the tray for the people of a small studio")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zol keeps your hours from the tray: click the clock, pick a project (or mark
the time as internal work), add a task and a note, and press Start. Every
session is written to a local SQLite database the moment the timer starts, so
tracking never depends on the network, and a crash loses nothing.

Hours are kept in separate sets of books. A studio shares its project list and
hands in weekly and monthly timesheets through a hidden folder on a shared NAS
folder, with no server: each computer writes only its own files there and
reads everyone else's. Zol exports sessions as CSV or JSON, saves the studio's
hours as one HTML report, notices time away from the computer, and reminds you
of a running timer.

The zol command line works on the same books as the tray app.")

include(CPack)
