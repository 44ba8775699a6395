# A desktop install: the two programs, the manual, the icons, a menu entry, AppStream metadata,
# manual pages and the package's documents; and a .deb built from the same rules.
include(GNUInstallDirs)

set(BALANCE4_DOCDIR ${CMAKE_INSTALL_DATADIR}/balance4)

install(TARGETS balance4 balance4-calc balance4-job RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/bin/Ostrelin_manual.pdf DESTINATION ${BALANCE4_DOCDIR})

# The desktop's icon: scalable, and drawn for the sizes desktops look up first.
set(BALANCE4_PICTURES ${PROJECT_SOURCE_DIR}/resources/pictures)
install(FILES ${BALANCE4_PICTURES}/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME balance4.svg)
install(FILES ${BALANCE4_PICTURES}/job_icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME balance4-job.svg)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${BALANCE4_PICTURES}/icon_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME balance4.png)
  install(FILES ${BALANCE4_PICTURES}/job_icon_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME balance4-job.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ru.talmeron.balance4.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the changelog, compressed as Debian keeps them (gzip -9n: no name, no time).
find_program(GZIP gzip REQUIRED)
set(BALANCE4_COMPRESSED)
foreach(source packaging/balance4.1 packaging/balance4-calc.1 packaging/balance4-job.1
               packaging/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/${source} > ${output}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND BALANCE4_COMPRESSED ${output})
endforeach()
add_custom_target(balance4_package_documents ALL DEPENDS ${BALANCE4_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/packaging/balance4.1.gz ${CMAKE_BINARY_DIR}/packaging/balance4-calc.1.gz
              ${CMAKE_BINARY_DIR}/packaging/balance4-job.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The menu entries start the programs in the manual's folder; the program finds the manual from its
# own folder too, so a start from a terminal finds it as well. The folder is known only at install
# time (the prefix may be given to cmake --install).
install(CODE "
  set(BALANCE4_INSTALL_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  set(BALANCE4_INSTALL_DOCDIR \"\${CMAKE_INSTALL_PREFIX}/${BALANCE4_DOCDIR}\")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/balance4.desktop.in
                 ${CMAKE_BINARY_DIR}/packaging/balance4.desktop @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/balance4-job.desktop.in
                 ${CMAKE_BINARY_DIR}/packaging/balance4-job.desktop @ONLY)
")
install(FILES ${CMAKE_BINARY_DIR}/packaging/balance4.desktop
              ${CMAKE_BINARY_DIR}/packaging/balance4-job.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME balance4)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Talmeron balance4 maintainers <balance4@talmeron.ru>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rotor balancing calculator for four correction planes")
# The extended description; CPack puts the summary before it and indents its lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "balance4 computes the correction masses and their angles for a rotor balanced
in four correction planes by the influence-coefficient method. The vibration
amplitude and phase read at four measuring points in five runs (without a
trial weight, then with the trial weight in each plane in turn) go into one
window; F9 shows each plane's correction mass in percent of its trial mass and
the angle at which to fix it. The windows and messages are in Russian.

balance4-calc gives the same results for scripts and batch checks, one case
a line on standard input.

balance4-job holds a whole balancing job in one window: 1 to 8 planes and up
to 16 points, corrections in grams with their split onto holes and their
spread, control runs, job files with crash recovery, and a PDF report.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)  # the menu entry must name /usr, not the staging folder
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # Qt and libjpeg, from the linked libraries
# The fonts the fixed layouts are measured with, Qt's X11 plugin, Qt's own texts in Russian, and
# xdg-open, through which the manual is opened.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-qpa-plugins, qt6-translations-l10n, xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)
