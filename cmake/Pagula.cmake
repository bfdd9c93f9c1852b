# Project-wide compiler settings and small helpers for libraries, tests and benchmarks.

set(PAGULA_WARNINGS -Wall -Wextra -Wnon-virtual-dtor -Woverloaded-virtual)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    list(APPEND PAGULA_WARNINGS -Wshadow=local)
else()
    list(APPEND PAGULA_WARNINGS -Wshadow)
endif()
if(PAGULA_WERROR)
    list(APPEND PAGULA_WARNINGS -Werror)
endif()

if(PAGULA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(PAGULA_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "PAGULA_FUZZ needs clang (configure with CXX=clang++-14 CC=clang-14)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# pagula_library(<name> SOURCES ... LIBS ...): a static library of the core or the UI.
function(pagula_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE ${PAGULA_WARNINGS})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# pagula_test(<name> SOURCES ... LIBS ... [LABELS ...] [TIMEOUT s] [LOCALE l]): one GoogleTest
# executable, registered as one CTest test. Widget tests run on Qt's offscreen platform. The
# test runs in LOCALE (C.UTF-8 when not given: the program's own language, Russian), whatever
# the machine's locale; the test's main picks the language from it as the programs do.
function(pagula_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT;LOCALE" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${PAGULA_WARNINGS})
    target_link_libraries(${name} PRIVATE pagula_test_support ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 600)
    endif()
    if(NOT ARG_LOCALE)
        set(ARG_LOCALE C.UTF-8)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        LABELS "${ARG_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PAGULA_SOURCE_DIR=${PROJECT_SOURCE_DIR};LC_ALL=${ARG_LOCALE}")
endfunction()

# pagula_test_library(<name> SOURCES ... LIBS ...): helpers shared by several test programs,
# built once.
function(pagula_test_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${PAGULA_WARNINGS})
    target_link_libraries(${name} PUBLIC pagula_test_support ${ARG_LIBS})
endfunction()

# pagula_bench(<name> SOURCES ... LIBS ...): a benchmark executable (not a test).
function(pagula_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${PAGULA_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()

# pagula_fuzzer(<name> SOURCES ... LIBS ...): a libFuzzer target.
function(pagula_fuzzer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()
