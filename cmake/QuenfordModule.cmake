# quenford_library(<name> SOURCES ... [DEPS ...]): one small static library per module,
# with the source root as its include path.
function(quenford_library name)
    cmake_parse_arguments(ARG "" "LOCK" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# quenford_test(<name> SOURCES ... [DEPS ...] [LOCK resource]): a GoogleTest program registered
# with ctest.
# A case that stops answering fails after five minutes (the longest, a game in a real window,
# takes under one) instead of holding the run.
function(quenford_test name)
    cmake_parse_arguments(ARG "" "LOCK" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
    # LOCK: a resource the tests share with others and that ctest must not run at once.
    set(lock)
    if(ARG_LOCK)
        set(lock RESOURCE_LOCK ${ARG_LOCK})
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "QUENFORD_SOURCE=${PROJECT_SOURCE_DIR}" TIMEOUT 300
                                    ${lock})
endfunction()

# A program a test cannot do without: when it is missing, configuring stops and names the
# package to install, rather than the test failing on a path that is not there.
function(quenford_require_program var program package)
    find_program(${var} ${program})
    if(NOT ${var})
        message(FATAL_ERROR "${program} not found: install the Debian package ${package} "
                            "(scripts/setup.sh installs it)")
    endif()
endfunction()
