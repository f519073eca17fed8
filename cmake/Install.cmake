# Installation: one program directory, <prefix>/lib/fretquill, holding the
# executable with its lesson files and pictures; a link to it in bin/ (the
# program finds its directory through the link); the lesson checker; and the
# desktop integration files. CPack makes a Debian package of the same.
include(GNUInstallDirs)

set(FRETQUILL_INSTALL_DIR lib/fretquill)

install(TARGETS fretquill RUNTIME DESTINATION ${FRETQUILL_INSTALL_DIR})
install(TARGETS fretquill-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${FRETQUILL_ART_FILES}
              ${FRETQUILL_PROGRAM_DIR}/arpeggios.txt
              ${FRETQUILL_PROGRAM_DIR}/chords.txt
              ${FRETQUILL_PROGRAM_DIR}/scales.txt
        DESTINATION ${FRETQUILL_INSTALL_DIR})
install(CODE "
    set(bindir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bindir}\")
    file(CREATE_LINK ../${FRETQUILL_INSTALL_DIR}/fretquill \"\${bindir}/fretquill\" SYMBOLIC)
    message(STATUS \"Installing: \${bindir}/fretquill -> ../${FRETQUILL_INSTALL_DIR}/fretquill\")
")

install(FILES ${PROJECT_SOURCE_DIR}/desktop/io.github.fretquill.Fretquill.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/io.github.fretquill.Fretquill.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${FRETQUILL_RESOURCE_DIR}/fretquill-48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME fretquill.png)
install(FILES ${FRETQUILL_RESOURCE_DIR}/fretquill-256.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME fretquill.png)

set(CPACK_PACKAGE_NAME fretquill)
set(CPACK_PACKAGE_VENDOR "The Fretquill developers")
set(CPACK_PACKAGE_CONTACT "The Fretquill developers <fretquill@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Learn seventh chords, arpeggios and scale positions on the guitar fretboard")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries it links: the platform plugins that show its windows,
# and a sans-serif font for its selectors.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2 | fonts-dejavu-core")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
