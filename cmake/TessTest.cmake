# One GoogleTest program per area, run under Wine by ctest.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
enable_testing()

# tess_add_test(<name> SOURCES <files...> [LIBS <targets...>] [LABELS <labels...>] [RUN_SERIAL]
#               [ONE_PROCESS [ARGS <arguments...>]] [ENVIRONMENT <VAR=value...>] [DISCOVERY_FILTER <filter>])
# Builds the program and registers each of its cases as a ctest. ONE_PROCESS registers the whole
# program as one ctest instead (GUI cases that share a fixture; ARGS go to the program, e.g. a
# --gtest_filter). ENVIRONMENT is set for every registered test of the program (one VAR=value per
# item; a value cannot hold ';', so Wine's DLL overrides list their DLLs with commas).
# RUN_SERIAL is for tests whose system dialogs need the machine to themselves under load.
# DISCOVERY_FILTER (a --gtest_filter expression) limits the cases registered one by one, so that cases
# which need the machine to themselves can be registered as a serial run of their own.
function(tess_add_test name)
    cmake_parse_arguments(T "RUN_SERIAL;ONE_PROCESS" "DISCOVERY_FILTER" "SOURCES;LIBS;LABELS;ARGS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    if(T_ONE_PROCESS)
        set(serial)
        if(T_RUN_SERIAL)
            set(serial RUN_SERIAL)
        endif()
        tess_add_test_run(${name} PROGRAM ${name} ARGS ${T_ARGS} ENVIRONMENT ${T_ENVIRONMENT} LABELS ${T_LABELS}
                          ${serial})
        return()
    endif()
    set(environment)
    if(T_ENVIRONMENT)
        set(environment ENVIRONMENT "${T_ENVIRONMENT}")
    endif()
    set(filter)
    if(T_DISCOVERY_FILTER)
        set(filter TEST_FILTER "${T_DISCOVERY_FILTER}")
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        ${filter}
        DISCOVERY_TIMEOUT 120
        PROPERTIES LABELS "${name};${T_LABELS}" TIMEOUT 300 RUN_SERIAL ${T_RUN_SERIAL} ${environment})
endfunction()

# tess_add_test_run(<name> PROGRAM <test program target> [ARGS <arguments...>] [ENVIRONMENT <VAR=value...>]
#                   [LABELS <labels...>] [RUN_SERIAL])
# Registers one run of a test program as a single ctest: the program once more under another
# environment (the fail-soft run without optional system libraries) or with another case filter. The
# run carries the program's name and its own as labels.
function(tess_add_test_run name)
    cmake_parse_arguments(T "RUN_SERIAL" "PROGRAM" "ARGS;ENVIRONMENT;LABELS" ${ARGN})
    add_test(NAME ${name} COMMAND ${T_PROGRAM} ${T_ARGS})
    set_tests_properties(${name} PROPERTIES LABELS "${T_PROGRAM};${name};${T_LABELS}" TIMEOUT 300)
    if(T_RUN_SERIAL)
        set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
    endif()
    if(T_ENVIRONMENT)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
    endif()
endfunction()
