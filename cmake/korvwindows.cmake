# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build: the toolkit-free core under a native Win32 front end, linked statically so
# that only Windows' own DLLs are needed, and the core's unit tests run under Wine.
enable_language(C RC)
add_compile_definitions(UNICODE _UNICODE WINVER=0x0A00 _WIN32_WINNT=0x0A00)
add_link_options(-static -static-libgcc -static-libstdc++)

add_subdirectory(src/text)
add_subdirectory(src/palette)
add_subdirectory(src/export)
add_subdirectory(src/settings)
add_subdirectory(src/platform)
add_subdirectory(src/transcribe)
add_subdirectory(src/core)
add_subdirectory(src/win32)
add_subdirectory(packaging/windows)
if(KORV_BENCH)
    add_subdirectory(bench/win32)
endif()

if(KORV_TESTS)
    enable_testing()
    # Debian ships GoogleTest as source only for this target: build it with the same compiler.
    set(KORV_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(${KORV_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # Every test runs in a Wine prefix of the build, made once; none needs a display.
    set(KORV_WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine-template)
    set(KORV_WINE_ENV WINEPREFIX=${KORV_WINE_TEMPLATE} WINEDEBUG=-all
        "WINEDLLOVERRIDES=mscoree,mshtml=\\;winemenubuilder.exe=d\\;winedbg.exe=d")
    add_test(NAME win32_wine_prefix
        COMMAND ${PROJECT_SOURCE_DIR}/tests/win32/makeprefix.sh ${KORV_WINE_TEMPLATE})
    set_tests_properties(win32_wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)
    set(KORV_GTEST_PROPERTIES FIXTURES_REQUIRED wine_prefix ENVIRONMENT "${KORV_WINE_ENV}")
    include(cmake/korvtests.cmake)
    add_test(NAME win32_imports COMMAND ${PROJECT_SOURCE_DIR}/tests/win32/checkimports.sh
        ${CMAKE_OBJDUMP} $<TARGET_FILE:korvani> $<TARGET_FILE:korvanifi>)
    add_subdirectory(tests/palette)
    add_subdirectory(tests/export)
    add_subdirectory(tests/core)
    add_subdirectory(tests/win32)
endif()

if(KORV_TESTS)
    # The programs end to end, on korvx's private X session with openbox and tint2.
    find_program(KORV_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
    find_program(KORV_PYTHON3 NAMES python3 REQUIRED)
    add_test(NAME e2e_win32 COMMAND ${KORV_PYTHON3} -m unittest -v test_win32
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/tests/e2e)
    set_tests_properties(e2e_win32 PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL ON
        TIMEOUT 600 ENVIRONMENT "KORV_WIN_BUILD=${CMAKE_BINARY_DIR};PYTHONDONTWRITEBYTECODE=1")
endif()
