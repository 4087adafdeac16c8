# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the functions a start runs first in a program's code, side by side. The kernel maps a
# program's code in blocks of several pages around each page touched; spread over all of it, a
# start's functions would make the whole code resident.
#
# The list (one symbol a line, # for comments) becomes part of the linker's own script for this
# link, which the compiler prints with --verbose, so nothing else of the layout changes. Each
# function needs a section of its own (-ffunction-sections). A name the program no longer has
# matches nothing; where the linker prints no script of its kind, the link keeps its own order.
function(korv_start_order target list)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list})
    file(STRINGS ${list} functions REGEX "^[^#]")
    set(probe ${CMAKE_CURRENT_BINARY_DIR}/${target}-startorder-probe)
    file(WRITE ${probe}.cpp "int main() {}\n")
    # The options that choose among the linker's scripts (-z now, -pie) are the link's own.
    separate_arguments(flags UNIX_COMMAND "${CMAKE_CXX_FLAGS} ${CMAKE_EXE_LINKER_FLAGS} ${ARGN}")
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} ${flags} -Wl,--verbose ${probe}.cpp -o ${probe}
        OUTPUT_VARIABLE verbose ERROR_QUIET RESULT_VARIABLE failed)
    set(rule "==================================================\n")
    string(FIND "${verbose}" "${rule}" first)
    string(FIND "${verbose}" "${rule}" last REVERSE)
    set(cold "    *(.text.unlikely .text.*_unlikely .text.unlikely.*)\n")
    if(NOT failed AND first GREATER -1 AND last GREATER first)
        string(LENGTH "${rule}" skip)
        math(EXPR begin "${first} + ${skip}")
        math(EXPR length "${last} - ${begin}")
        string(SUBSTRING "${verbose}" ${begin} ${length} script)
        string(FIND "${script}" "${cold}" at)
    endif()
    if(failed OR NOT DEFINED at OR at EQUAL -1)
        message(STATUS "${target}: the linker shows no script to order the start in")
        return()
    endif()
    set(start "")
    foreach(function IN LISTS functions)
        string(APPEND start "    *(.text.${function} .text.startup.${function})\n")
    endforeach()
    string(REPLACE "${cold}" "${start}${cold}" script "${script}")
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}.ld)
    file(CONFIGURE OUTPUT ${output} CONTENT "${script}" @ONLY)
    target_link_options(${target} PRIVATE "-Wl,-T,${output}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${output})
endfunction()
