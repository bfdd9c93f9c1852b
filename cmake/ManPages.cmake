# Manual pages made by help2man from a program's own --help each time the program is built, so
# that they cannot drift from it, and installed gzip-compressed.
#
#   pagula_man_page(<target> SECTION <n> [NAME "<one line on what it does>"]
#                   [LANGUAGE <ll> LOCALE <ll_CC.UTF-8>] [INCLUDE <file>])
#
# The program is run with --lang <ll> (en when no LANGUAGE is given), so the page does not
# depend on the builder's locale. LANGUAGE puts the page under share/man/<ll>/ and lets
# help2man use LOCALE for its own headings; the locale is compiled into the build folder
# from the system's locale sources (package "locales"), so the builder need not have it
# installed (glibc's locale loading leaks a few bytes, which a sanitizer build must not count
# against the program here). INCLUDE adds help2man sections (EXAMPLES, SEE ALSO ...) from a file; a page in
# another language gives its NAME line there ([ИМЯ]), as help2man garbles non-ASCII --name.
include(GNUInstallDirs)
find_program(PAGULA_HELP2MAN help2man REQUIRED)
find_program(PAGULA_GZIP gzip REQUIRED)
find_program(PAGULA_LOCALEDEF localedef)

# Compiles <locale> into the build folder; sets <out> to the folder for LOCPATH, or empty
# when it cannot (help2man then keeps English headings).
function(pagula_build_locale locale out)
    set(dir ${CMAKE_BINARY_DIR}/locale)
    string(REGEX MATCH "^[a-z][a-z]_[A-Z][A-Z]" source "${locale}")
    if(NOT EXISTS ${dir}/${locale}/LC_CTYPE AND PAGULA_LOCALEDEF AND source)
        file(MAKE_DIRECTORY ${dir})
        execute_process(COMMAND ${PAGULA_LOCALEDEF} -i ${source} -f UTF-8 ${dir}/${locale}
                        RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(EXISTS ${dir}/${locale}/LC_CTYPE)
        set(${out} ${dir} PARENT_SCOPE)
    else()
        message(WARNING "Cannot build the locale ${locale}; its manual pages get English headings")
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

function(pagula_man_page target)
    cmake_parse_arguments(ARG "" "SECTION;NAME;LANGUAGE;LOCALE;INCLUDE" "" ${ARGN})
    set(locale C.UTF-8)
    set(language en)
    set(subdir "")
    set(locpath "")
    set(h2m_locale "")
    if(ARG_LANGUAGE)
        set(language ${ARG_LANGUAGE})
        set(subdir "${ARG_LANGUAGE}/")
        pagula_build_locale(${ARG_LOCALE} built)
        if(built)
            set(locale ${ARG_LOCALE})
            set(locpath LOCPATH=${built})
            set(h2m_locale --locale=${ARG_LOCALE})
        endif()
    endif()
    set(dir ${CMAKE_BINARY_DIR}/man/${subdir}man${ARG_SECTION})
    get_target_property(name ${target} OUTPUT_NAME)
    if(NOT name)
        set(name ${target})
    endif()
    set(page ${dir}/${name}.${ARG_SECTION})
    set(name_line "")
    if(ARG_NAME)
        set(name_line "--name=${ARG_NAME}")
    endif()
    set(include "")
    if(ARG_INCLUDE)
        set(include --include=${ARG_INCLUDE})
    endif()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LC_ALL=${locale} ${locpath}
                ASAN_OPTIONS=detect_leaks=0
                ${PAGULA_HELP2MAN} --no-info --section=${ARG_SECTION} ${h2m_locale}
                "--help-option=--lang ${language} --help"
                "--version-option=--lang ${language} --version"
                --version-string=${PROJECT_VERSION} "--source=Pagula ${PROJECT_VERSION}"
                ${name_line} ${include} --output=${page} $<TARGET_FILE:${target}>
        COMMAND ${PAGULA_GZIP} -9nf ${page}
        COMMENT "Manual page ${subdir}${name}.${ARG_SECTION}"
        VERBATIM)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${subdir}man${ARG_SECTION})
endfunction()
