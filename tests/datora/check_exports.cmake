# Fails when the shared library LIBRARY exports anything but Qt's plugin entry points
# (qt_plugin_instance, qt_plugin_query_metadata*), or does not export them.
# cmake -DNM=nm -DLIBRARY=libdatora.so -P check_exports.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
    OUTPUT_VARIABLE listing ERROR_VARIABLE problem RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${NM} cannot read ${LIBRARY}: ${problem}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(unexpected "")
set(entry_points 0)
foreach(line IN LISTS lines)
    if(line STREQUAL "")
        continue()
    endif()
    # "address type name": the name is the last field.
    string(REGEX REPLACE "^.* " "" name "${line}")
    if(name STREQUAL "qt_plugin_instance" OR name MATCHES "^qt_plugin_query_metadata")
        math(EXPR entry_points "${entry_points} + 1")
    else()
        string(APPEND unexpected "  ${line}\n")
    endif()
endforeach()

if(NOT unexpected STREQUAL "")
    message(FATAL_ERROR "${LIBRARY} exports more than its plugin entry points:\n${unexpected}")
endif()
if(entry_points LESS 2)
    message(FATAL_ERROR "${LIBRARY} lacks Qt's plugin entry points:\n${listing}")
endif()
message(STATUS "${LIBRARY} exports only its ${entry_points} plugin entry points")
