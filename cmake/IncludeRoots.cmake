# Every library's headers are included by folder ("commands/CPower.h"), and only by targets that
# link the library: its include root holds nothing but a link named after its folder, so a
# target that does not link it cannot find its headers at all.
function(nocturnia_include_root target folder)
    cmake_parse_arguments(ARG "INTERFACE" "NAME" "" ${ARGN})
    get_filename_component(name ${folder} NAME)
    if(ARG_NAME)
        set(name ${ARG_NAME})
    endif()
    set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
    if(ARG_INTERFACE)
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()
