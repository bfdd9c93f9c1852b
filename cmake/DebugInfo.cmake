# The programs' debugging information split off after each link: <program>.debug beside the
# program, which the program names (.gnu_debuglink), so that the Debian package ships the
# program stripped and pagula-dbg puts the information where debuggers look for it
# (/usr/lib/debug/usr/bin/<program>.debug).
find_program(PAGULA_OBJCOPY NAMES objcopy ${CMAKE_OBJCOPY} REQUIRED)

function(pagula_split_debug_info target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${PAGULA_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}>
                $<TARGET_FILE:${target}>.debug
        COMMAND ${PAGULA_OBJCOPY} --remove-section=.gnu_debuglink
                --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
        COMMENT "Debugging information of ${target}"
        VERBATIM)
    install(FILES $<TARGET_FILE:${target}>.debug DESTINATION lib/debug/usr/bin
            COMPONENT debug EXCLUDE_FROM_ALL)
endfunction()
