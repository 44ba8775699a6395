# A desktop install: the program, the manual beside which it is started, the icon, a menu entry
# and AppStream metadata; and a .deb built from the same rules.
include(GNUInstallDirs)

set(BALANCE4_DOCDIR ${CMAKE_INSTALL_DATADIR}/balance4)

install(TARGETS balance4 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/Ostrelin_manual.pdf DESTINATION ${BALANCE4_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/pictures/icon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps RENAME balance4.png)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ru.talmeron.balance4.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The menu entry starts the program in the manual's folder, so that F1 in the about window finds
# the manual. The folder is known only at install time (the prefix may be given to cmake --install).
install(CODE "
  set(BALANCE4_INSTALL_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  set(BALANCE4_INSTALL_DOCDIR \"\${CMAKE_INSTALL_PREFIX}/${BALANCE4_DOCDIR}\")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/balance4.desktop.in
                 ${CMAKE_BINARY_DIR}/packaging/balance4.desktop @ONLY)
")
install(FILES ${CMAKE_BINARY_DIR}/packaging/balance4.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME balance4)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "balance4 developers <dev@balance4.local>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Rotor balancing calculator for four correction planes")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)  # the menu entry must name /usr, not the staging folder
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # Qt and libjpeg, from the linked libraries
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
