# Installation: one program directory, <prefix>/lib/fretquill, holding the
# executable with its sound plugin, lesson files and pictures; a link to it
# in bin/ (the program finds its directory through the link); the lesson
# checker; the desktop integration files, manual pages and the package's
# documents. Every file, the link included, is installed by an install()
# rule, so that install_manifest.txt lists the whole installation.
include(GNUInstallDirs)

set(FRETQUILL_INSTALL_DIR lib/fretquill)
set(FRETQUILL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/fretquill)

install(TARGETS fretquill RUNTIME DESTINATION ${FRETQUILL_INSTALL_DIR})
# The sound output's plugin, beside the executable; a plugin, not a library
# for others, so not executable.
install(TARGETS fretquill-sound LIBRARY DESTINATION ${FRETQUILL_INSTALL_DIR}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(TARGETS fretquill-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${FRETQUILL_ART_FILES}
              ${FRETQUILL_PROGRAM_DIR}/arpeggios.txt
              ${FRETQUILL_PROGRAM_DIR}/chords.txt
              ${FRETQUILL_PROGRAM_DIR}/scales.txt
        DESTINATION ${FRETQUILL_INSTALL_DIR})

# The relative link bin/fretquill -> ../lib/fretquill/fretquill is made here
# and installed as it is.
set(link_dir ${CMAKE_BINARY_DIR}/install-link)
file(RELATIVE_PATH link_target /${CMAKE_INSTALL_BINDIR} /${FRETQUILL_INSTALL_DIR}/fretquill)
file(MAKE_DIRECTORY ${link_dir})
file(CREATE_LINK ${link_target} ${link_dir}/fretquill SYMBOLIC)
install(FILES ${link_dir}/fretquill DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/desktop/io.github.fretquill.Fretquill.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/io.github.fretquill.Fretquill.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS FRETQUILL_ICON_SIZES)
    install(FILES ${FRETQUILL_RESOURCE_DIR}/fretquill-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME io.github.fretquill.Fretquill.png)
endforeach()

# The maintainer named in the Debian package and its changelog. A packager
# sets a real address; the default one is not deliverable.
set(FRETQUILL_PACKAGE_MAINTAINER "The Fretquill developers <fretquill@localhost>"
    CACHE STRING "The package maintainer, as: Name <address>")

# The manual pages and the changelog carry the version and the maintainer;
# they are installed compressed as gzip -9n makes them (no name, no time
# stamp), so that the same sources give the same files.
set(doc_build_dir ${CMAKE_BINARY_DIR}/docs)
set(compressed_docs)
function(fretquill_compressed_doc source name)
    configure_file(${source} ${doc_build_dir}/${name} @ONLY)
    add_custom_command(
        OUTPUT ${doc_build_dir}/${name}.gz
        COMMAND gzip -9nkf ${name}
        DEPENDS ${doc_build_dir}/${name}
        WORKING_DIRECTORY ${doc_build_dir}
        VERBATIM)
    set(compressed_docs ${compressed_docs} ${doc_build_dir}/${name}.gz PARENT_SCOPE)
endfunction()
fretquill_compressed_doc(${PROJECT_SOURCE_DIR}/docs/man/fretquill.1.in fretquill.1)
fretquill_compressed_doc(${PROJECT_SOURCE_DIR}/docs/man/fretquill-check.1.in fretquill-check.1)
fretquill_compressed_doc(${PROJECT_SOURCE_DIR}/docs/changelog.in changelog)
add_custom_target(fretquill_docs ALL DEPENDS ${compressed_docs})

install(FILES ${doc_build_dir}/fretquill.1.gz ${doc_build_dir}/fretquill-check.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${doc_build_dir}/changelog.gz DESTINATION ${FRETQUILL_DOC_DIR})

# The copyright file in the machine-readable Debian format, with the
# licence's text taken from LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
if(NOT license MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(.+)$")
    message(FATAL_ERROR "LICENSE: no copyright line followed by the licence's text")
endif()
set(copyright_holder "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" license_text)
string(REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REPLACE "\n" "\n " license_text "${license_text}")
file(CONFIGURE OUTPUT ${doc_build_dir}/copyright @ONLY CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Fretquill

Files: *
Copyright: @copyright_holder@
License: Expat

Files: desktop/io.github.fretquill.Fretquill.metainfo.xml
Copyright: @copyright_holder@
License: CC0-1.0
 On Debian systems, the complete text of the CC0 1.0 Universal licence is in
 /usr/share/common-licenses/CC0-1.0.

License: Expat
 @license_text@
")
install(FILES ${doc_build_dir}/copyright DESTINATION ${FRETQUILL_DOC_DIR})
