# Install rules and the Debian package: the programs, desktop integration, manual pages and the
# sample projects, laid out with the GNU install directories.
include(GNUInstallDirs)

# Directories in the package get 0755 whatever the umask of whoever builds it.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(KORVEX_APP_ID org.korvex.Korvex)
set(KORVEX_PACKAGE_MAINTAINER "KORVEX Developers <korvex@example.org>"
    CACHE STRING "Maintainer of the Debian package, as Name <address>")

set(korvex_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(korvex_generated ${PROJECT_BINARY_DIR}/packaging)

# Debian wants manual pages and the changelog gzipped, with no time stamp in the header so that
# the package is reproducible. The version has no Debian revision (a native package), so the
# changelog is changelog.gz rather than changelog.Debian.gz.
find_program(KORVEX_GZIP gzip REQUIRED)
set(korvex_compressed)
foreach(template korvex-cli.1 korvex.1 changelog)
  configure_file(${korvex_packaging}/${template}.in ${korvex_generated}/${template} @ONLY)
  add_custom_command(OUTPUT ${korvex_generated}/${template}.gz
    COMMAND ${KORVEX_GZIP} -9n -c ${template} > ${template}.gz
    DEPENDS ${korvex_generated}/${template}
    WORKING_DIRECTORY ${korvex_generated})
  list(APPEND korvex_compressed ${korvex_generated}/${template}.gz)
endforeach()
add_custom_target(korvex_packaging_files ALL DEPENDS ${korvex_compressed})

install(TARGETS korvex-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${korvex_generated}/korvex-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Projects/ DESTINATION ${CMAKE_INSTALL_DATADIR}/korvex/Projects
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        FILES_MATCHING PATTERN "*.kvx" PATTERN "*.kvxp")
install(FILES ${korvex_packaging}/copyright ${korvex_generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The desktop entry, icon, metadata and file type all lead to the desktop program.
if(KORVEX_BUILD_GUI)
  install(TARGETS korvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${korvex_generated}/korvex.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/korvex.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${KORVEX_APP_ID}.desktop)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/ICON_app.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${KORVEX_APP_ID}.svg)
  # The shop window's own entry and icon, for part files and cut lists.
  install(FILES ${PROJECT_SOURCE_DIR}/resources/korvex-shop.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${KORVEX_APP_ID}.Shop.desktop)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/ICON_shop.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${KORVEX_APP_ID}.Shop.svg)
  install(FILES ${korvex_packaging}/${KORVEX_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${korvex_packaging}/korvex-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME korvex.xml)
endif()

# The Debian package. Dependencies come from dpkg-shlibdeps; the desktop, MIME and icon caches
# are refreshed by dpkg triggers, so the package needs no maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvex)
set(CPACK_PACKAGE_VENDOR "KORVEX Developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "CAM program for plasma cutting of round tube")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${korvex_packaging}/description.txt)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KORVEX_PACKAGE_MAINTAINER}")
include(CPack)
