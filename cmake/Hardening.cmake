# Debian's hardening flags, as dpkg-buildflags gives them with every
# hardening feature on: fortified libc functions, the stack protector,
# format-string checks, read-only relocations and immediate binding. Only
# the hardening itself is taken, that is what the flags with every feature on
# have and the flags with none lack; optimisation and debug information stay
# with the build type. A Debug build goes without (fortified functions need
# optimisation), and so does a sanitizer build (fortified functions hide
# faults from AddressSanitizer). FRETQUILL_HARDENING=ON or OFF overrides the
# choice; without dpkg-buildflags there is nothing to take.
find_program(FRETQUILL_DPKG_BUILDFLAGS dpkg-buildflags)

function(fretquill_hardening_flags kind out)
    foreach(setting +all -all)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=${setting}
                    ${FRETQUILL_DPKG_BUILDFLAGS} --get ${kind}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
            COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(flags${setting} UNIX_COMMAND "${flags}")
    endforeach()
    if(NOT "${flags-all}" STREQUAL "")
        list(REMOVE_ITEM flags+all ${flags-all})
    endif()
    set(${out} ${flags+all} PARENT_SCOPE)
endfunction()

if(DEFINED FRETQUILL_HARDENING)
    set(fretquill_hardening ${FRETQUILL_HARDENING})
elseif(CMAKE_BUILD_TYPE STREQUAL "Debug" OR CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    set(fretquill_hardening OFF)
else()
    set(fretquill_hardening ON)
endif()

set(FRETQUILL_HARDENED OFF)
if(fretquill_hardening AND FRETQUILL_DPKG_BUILDFLAGS)
    set(FRETQUILL_HARDENED ON)
    fretquill_hardening_flags(CPPFLAGS cpp)
    fretquill_hardening_flags(CXXFLAGS cxx)
    fretquill_hardening_flags(LDFLAGS ld)
    add_compile_options(${cpp} ${cxx})
    add_link_options(${ld})
    string(JOIN " " flags ${cpp} ${cxx} ${ld})
    message(STATUS "Hardening: ${flags}")
elseif(fretquill_hardening)
    message(STATUS "Hardening: none, dpkg-buildflags is not installed")
endif()
