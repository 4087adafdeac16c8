# SPDX-License-Identifier: GPL-3.0-or-later
# korv_add_gtest(<name> SOURCES ... LIBS ...): a Qt-free GoogleTest executable, one CTest test.
function(korv_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    add_test(NAME ${name} COMMAND ${name})
    # A build may give every such test more properties (the Windows build: its Wine prefix).
    if(KORV_GTEST_PROPERTIES)
        set_tests_properties(${name} PROPERTIES ${KORV_GTEST_PROPERTIES})
    endif()
endfunction()

# korv_add_qtest(<name> SOURCES ... LIBS ...): a widget test on the offscreen platform.
function(korv_add_qtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} korv_qtestmain Qt6::Test GTest::gtest)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime")
endfunction()
