# Debian's compiler and linker flags for the programs (dpkg-buildflags with every hardening
# option: stack protector, fortified functions, format checks, read-only relocations bound at
# start), as a Debian package of them is expected to be built: PAGULA_DEB_COMPILE_OPTIONS and
# PAGULA_DEB_LINK_OPTIONS, which src/ applies to the programs and their libraries. The
# optimisation level stays the build type's; the sanitizer and fuzz builds keep their own
# flags.
if(PAGULA_SANITIZE OR PAGULA_FUZZ)
    return()
endif()
find_program(PAGULA_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT PAGULA_DPKG_BUILDFLAGS)
    return()
endif()

function(pagula_debian_flags name out)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${PAGULA_DPKG_BUILDFLAGS} --get ${name}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-O")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()

pagula_debian_flags(CPPFLAGS PAGULA_DEB_CPPFLAGS)
pagula_debian_flags(CXXFLAGS PAGULA_DEB_CXXFLAGS)
pagula_debian_flags(CFLAGS PAGULA_DEB_CFLAGS)
pagula_debian_flags(LDFLAGS PAGULA_DEB_LDFLAGS)
set(PAGULA_DEB_COMPILE_OPTIONS "")
foreach(flag IN LISTS PAGULA_DEB_CPPFLAGS PAGULA_DEB_CXXFLAGS)
    list(APPEND PAGULA_DEB_COMPILE_OPTIONS "$<$<COMPILE_LANGUAGE:CXX>:${flag}>")
endforeach()
foreach(flag IN LISTS PAGULA_DEB_CPPFLAGS PAGULA_DEB_CFLAGS)
    list(APPEND PAGULA_DEB_COMPILE_OPTIONS "$<$<COMPILE_LANGUAGE:C>:${flag}>")
endforeach()
set(PAGULA_DEB_LINK_OPTIONS ${PAGULA_DEB_LDFLAGS})
