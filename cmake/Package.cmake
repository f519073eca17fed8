# The Debian package, made by CPack from the installation (cmake/Install.cmake)
# under /usr: stripped binaries, the libraries' packages found by
# dpkg-shlibdeps, and the control fields a distribution's review expects.
set(CPACK_PACKAGE_NAME fretquill)
set(CPACK_PACKAGE_VENDOR "The Fretquill developers")
set(CPACK_PACKAGE_CONTACT "${FRETQUILL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Learn seventh chords, arpeggios and scale positions on the guitar fretboard")
set(CPACK_PACKAGE_DESCRIPTION [[
Fretquill teaches guitarists seventh chords, seventh-chord arpeggios and the
five positions of the major scale by drawing them on a fretboard diagram.
Pick a key, a chord quality and an inversion, or a key and a scale position,
and the diagram shows where the notes lie: the root in red, the other notes
in blue, with open and unplayed strings marked above the nut.

The chords are the drop-2 voicings on the four highest strings, the
arpeggios span two octaves in one position, and the scale positions are the
five CAGED shapes, in all twelve keys. The lessons are plain text files;
fretquill-check checks edited lesson files for format and musical faults.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries it links (the X11 platform plugin is part of
# libqt6gui6): a sans-serif font for its selectors, and the Wayland platform
# plugin for sessions without X.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianInstalledSize.cmake)
include(CPack)
