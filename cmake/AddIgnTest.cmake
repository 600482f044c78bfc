# add_ign_test(<name> SOURCES <files...> LIBS <libs...>)
# One Qt Test executable, registered with ctest, headless and with a timeout.
function(add_ign_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_SOURCES)
        set(ARG_SOURCES ${name}.cpp)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test korvo_test_support ${ARG_LIBS})
    korvo_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/runtime;LC_ALL=C.UTF-8;XDG_CACHE_HOME=${CMAKE_BINARY_DIR}/test-cache/${name}")
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/runtime)
    # No test sees the user's own cache folder.
endfunction()
