# Registers a GoogleTest program with CTest one test suite at a time. A process a test
# spent most of a sanitized run starting programs; a suite's tests share one process and
# stay apart from other suites, so a run is quicker and still shows which suite failed.
#   quillmate_suite_tests(target [ENVIRONMENT var=value] [ENVIRONMENT_MODIFICATION op])
# The suites are listed after each link (as gtest_discover_tests does for single tests),
# so a new suite needs no change here.
set(QUILLMATE_SUITE_LISTER "${CMAKE_CURRENT_LIST_DIR}/ListSuites.cmake")

function(quillmate_suite_tests target)
    cmake_parse_arguments(ARG "" "ENVIRONMENT;ENVIRONMENT_MODIFICATION" "" ${ARGN})
    set(listing "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND "${CMAKE_COMMAND}" "-DPROGRAM=$<TARGET_FILE:${target}>" "-DLISTING=${listing}"
                "-DENV=${ARG_ENVIRONMENT}" "-DENV_MOD=${ARG_ENVIRONMENT_MODIFICATION}"
                -P "${QUILLMATE_SUITE_LISTER}"
        BYPRODUCTS "${listing}"
        VERBATIM)
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${listing}")
endfunction()
