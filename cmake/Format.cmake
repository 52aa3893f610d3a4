find_program(CLANG_FORMAT_EXE NAMES clang-format)
if(CLANG_FORMAT_EXE)
    file(GLOB_RECURSE NOCTURNIA_FORMAT_SOURCES CONFIGURE_DEPENDS
        ${CMAKE_SOURCE_DIR}/conventions/*.[ch]pp ${CMAKE_SOURCE_DIR}/conventions/*.h
        ${CMAKE_SOURCE_DIR}/nocturnia/*.[ch]pp ${CMAKE_SOURCE_DIR}/nocturnia/*.h
        ${CMAKE_SOURCE_DIR}/datora/*.[ch]pp ${CMAKE_SOURCE_DIR}/datora/*.h
        ${CMAKE_SOURCE_DIR}/tests/*.[ch]pp ${CMAKE_SOURCE_DIR}/tests/*.h
        ${CMAKE_SOURCE_DIR}/bench/*.[ch]pp ${CMAKE_SOURCE_DIR}/tools/*.[ch]pp)
    add_custom_target(format
        COMMAND ${CLANG_FORMAT_EXE} -i ${NOCTURNIA_FORMAT_SOURCES}
        COMMENT "Applying .clang-format to every source file")
    add_custom_target(format-check
        COMMAND ${CLANG_FORMAT_EXE} --dry-run --Werror ${NOCTURNIA_FORMAT_SOURCES}
        COMMENT "Checking that every source file follows .clang-format")
endif()
