# Manual pages made by help2man from a program's own --help each time the program is built, so
# that they cannot drift from it, and installed gzip-compressed.
#
#   pagula_man_page(<target> SECTION <n> NAME "<one line on what it does>"
#                   [LANGUAGE <ll> LOCALE <ll_CC.UTF-8>] [INCLUDE <file>])
#
# LANGUAGE puts the page under share/man/<ll>/ and runs the program in LOCALE (pages in other
# languages); INCLUDE adds help2man sections (EXAMPLES, SEE ALSO ...) from a file. Qt programs
# run on the offscreen platform.
include(GNUInstallDirs)
find_program(PAGULA_HELP2MAN help2man REQUIRED)
find_program(PAGULA_GZIP gzip REQUIRED)

function(pagula_man_page target)
    cmake_parse_arguments(ARG "" "SECTION;NAME;LANGUAGE;LOCALE;INCLUDE" "" ${ARGN})
    set(locale C.UTF-8)
    set(subdir "")
    if(ARG_LANGUAGE)
        set(locale ${ARG_LOCALE})
        set(subdir "${ARG_LANGUAGE}/")
    endif()
    set(dir ${CMAKE_BINARY_DIR}/man/${subdir}man${ARG_SECTION})
    get_target_property(name ${target} OUTPUT_NAME)
    if(NOT name)
        set(name ${target})
    endif()
    set(page ${dir}/${name}.${ARG_SECTION})
    set(include "")
    if(ARG_INCLUDE)
        set(include --include=${ARG_INCLUDE})
    endif()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LC_ALL=${locale}
                ${PAGULA_HELP2MAN} --no-info --section=${ARG_SECTION}
                --version-string=${PROJECT_VERSION} "--source=Pagula ${PROJECT_VERSION}"
                "--name=${ARG_NAME}" ${include} --output=${page} $<TARGET_FILE:${target}>
        COMMAND ${PAGULA_GZIP} -9nf ${page}
        COMMENT "Manual page ${subdir}${name}.${ARG_SECTION}"
        VERBATIM)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${subdir}man${ARG_SECTION})
endfunction()
