# Test helpers: one executable per test file, registered with CTest, linked
# with the shared helpers of tests/support (the Qt-free part for gtest tests).
# Qt widget tests run on the offscreen platform, each with a settings folder
# of its own (never the user's); the environment is set here, never in the
# test code.

function(orvanta_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} orvanta_testsupport_core GTest::gtest
                                          GTest::gtest_main orvanta_warnings)
    add_test(NAME ${name} COMMAND ${name})
    # ORVANTA_TEST_PATH_PREFIX: how a test program under an emulator sees
    # these paths (Wine: drive Z:).
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
        "ORVANTA_DATA_DIR=${ORVANTA_TEST_PATH_PREFIX}${ORVANTA_BIN_DIR};ORVANTA_SOURCE_DIR=${ORVANTA_TEST_PATH_PREFIX}${CMAKE_SOURCE_DIR}")
endfunction()

function(orvanta_add_qttest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} orvanta_testsupport Qt6::Test orvanta_warnings)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ORVANTA_DATA_DIR=${ORVANTA_BIN_DIR};ORVANTA_SOURCE_DIR=${CMAKE_SOURCE_DIR};XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/${name}.config")
endfunction()
