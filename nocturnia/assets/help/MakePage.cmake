# Makes one help page: the page's own part (SOURCE, from its <h1> heading on) inside the frame
# every page shares (TEMPLATE), the heading also the window title. Writes OUTPUT.
file(READ "${SOURCE}" body)
if(NOT body MATCHES "^<h1>([^<]+)</h1>")
    message(FATAL_ERROR "${SOURCE} does not begin with its <h1> heading")
endif()
set(title "${CMAKE_MATCH_1}")
string(REGEX REPLACE "\n$" "" body "${body}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
