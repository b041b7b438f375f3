# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: cd build && cpack  ->  valmora_<version>_<arch>.deb
# Library dependencies come from dpkg-shlibdeps on the installed programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME valmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# On the project's host (a placeholder until it has one, see dist/CMakeLists.txt): Debian
# wants an address that could reach someone, not one on localhost.
string(REGEX REPLACE "^[a-z]+://([^/:]+).*$" "\\1" web_host_name "${VALMORA_WEB_HOST}")
set(VALMORA_MAINTAINER "Valmora developers <developers@${web_host_name}>" CACHE STRING
  "Maintainer of the Debian package")
set(CPACK_PACKAGE_CONTACT "${VALMORA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3-D ski-jumping game with a launcher")
# CPack puts the summary on the first line and this text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Valmora is a small single-player ski-jumping game. In the launcher the player
picks one of three hills, the weather, the season and the jumper's colours; the
game then runs in an OpenGL window. Settings and records are kept per player
in ~/.local/share/valmora.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The game asks fontconfig for "Arial" bold; this is the font that answers with the right
# metrics. No linked library names it, so dpkg-shlibdeps cannot.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)

# What Debian asks of every package beside the files: a changelog, and the one lintian tag we
# earn on purpose with its reason.
set(changelog ${CMAKE_BINARY_DIR}/dist/changelog)
configure_file(${CMAKE_SOURCE_DIR}/dist/debian/changelog.in ${changelog} @ONLY)
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND gzip -9nc ${changelog} > ${changelog}.gz
  DEPENDS ${changelog})
add_custom_target(debian_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/dist/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/dist/debian/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME valmora)
