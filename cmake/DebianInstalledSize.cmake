# Run by CPack once it has made the Debian package. CPack counts a symbolic
# link as the file it points to, so the link bin/fretquill counted the whole
# program a second time. This sets Installed-Size as dpkg-gencontrol works it
# out: each file and link by its own size in whole KiB, each directory as
# 1 KiB, the control files included; then builds the package again.
# CPack also gives a package with a shared object anywhere below /usr/lib a
# postinst and a postrm that run ldconfig; the program's one shared object
# is its private sound plugin, which ldconfig never looks at, so those
# scripts go first.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    if(NOT deb MATCHES "\\.deb$")
        continue()
    endif()
    set(tree ${deb}.tree)
    file(REMOVE_RECURSE ${tree})
    execute_process(COMMAND dpkg-deb --raw-extract ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
    foreach(script postinst postrm)
        if(EXISTS ${tree}/DEBIAN/${script})
            file(READ ${tree}/DEBIAN/${script} body)
            string(REGEX REPLACE "#!/bin/sh|set -e|if \\[ \"\\$1\" = \"[a-z]+\" \\]; then|ldconfig|fi|[ \t\n]"
                   "" rest "${body}")
            if(rest STREQUAL "")
                file(REMOVE ${tree}/DEBIAN/${script})
            endif()
        endif()
    endforeach()

    file(GLOB_RECURSE entries LIST_DIRECTORIES true ${tree}/*)
    set(kib 1) # the tree's own top directory
    foreach(entry IN LISTS entries)
        if(IS_SYMLINK ${entry})
            file(READ_SYMLINK ${entry} target)
            string(LENGTH "${target}" bytes)
        elseif(IS_DIRECTORY ${entry})
            math(EXPR kib "${kib} + 1")
            continue()
        else()
            file(SIZE ${entry} bytes)
        endif()
        math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
    endforeach()

    file(READ ${tree}/DEBIAN/control control)
    string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${kib}\n" control "${control}")
    file(WRITE ${tree}/DEBIAN/control "${control}")
    execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${deb}
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${tree})
    message(STATUS "Installed-Size of ${deb}: ${kib} KiB")
endforeach()
