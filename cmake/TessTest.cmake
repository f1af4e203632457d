# One GoogleTest program per area, run under Wine by ctest.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
enable_testing()

# tess_add_test(<name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>] [RUN_SERIAL])
# RUN_SERIAL is for tests whose system dialogs need the machine to themselves under load.
function(tess_add_test name)
    cmake_parse_arguments(T "RUN_SERIAL" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        PROPERTIES LABELS "${name};${T_LABELS}" TIMEOUT 300 RUN_SERIAL ${T_RUN_SERIAL})
endfunction()
