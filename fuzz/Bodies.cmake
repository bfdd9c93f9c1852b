# The bodies of the fuzz targets, built once as small libraries: the fuzz targets link them, and
# so do the tests that replay the inputs under tests/regress.
add_library(pagula_imaging_fuzz_bodies STATIC
    ${CMAKE_CURRENT_LIST_DIR}/imaging/FuzzBodies.cpp ${CMAKE_CURRENT_LIST_DIR}/imaging/FuzzBodies.h)
target_include_directories(pagula_imaging_fuzz_bodies PUBLIC ${CMAKE_CURRENT_LIST_DIR}/imaging)
target_compile_options(pagula_imaging_fuzz_bodies PRIVATE ${PAGULA_WARNINGS})
target_link_libraries(pagula_imaging_fuzz_bodies PUBLIC pagula_imaging)

add_library(pagula_document_fuzz_bodies STATIC
    ${CMAKE_CURRENT_LIST_DIR}/document/DocumentWritersCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/document/DocumentWritersCheck.h)
target_include_directories(pagula_document_fuzz_bodies PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_options(pagula_document_fuzz_bodies PRIVATE ${PAGULA_WARNINGS})
target_link_libraries(pagula_document_fuzz_bodies PUBLIC pagula_document)
