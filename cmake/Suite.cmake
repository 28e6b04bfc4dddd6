# Build helpers shared by every folder of the suite.

# suite_test(<name> SOURCES ... [LIBS ...] [TIMEOUT s] [WORKING_DIRECTORY d])
# A GoogleTest executable, run by ctest (under Wine when cross compiling)
# with a time limit, from the folder where the deliverables are built.
function(suite_test name)
  cmake_parse_arguments(T "" "TIMEOUT;WORKING_DIRECTORY" "SOURCES;LIBS" ${ARGN})
  if(NOT BUILD_TESTING)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if(NOT T_WORKING_DIRECTORY)
    set(T_WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE suite_testing ${T_LIBS} gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no
           WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  # Under Wine a crash late in a test program can still end it with exit
  # code 0, so the runner's own summary decides: a run passes only when
  # GoogleTest says so and reports no failure and no crash.
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
                       ENVIRONMENT "SUITE_TIMEOUT=${T_TIMEOUT}"
                       PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
                       FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\];Unhandled exception;Unhandled page fault;did not end within")
endfunction()

# suite_typelib(<target> <idl> [<output-name>])
# Compiles IDL to a type library with widl and adds it to <target>'s
# dependencies; the .tlb lands beside the target's other generated files,
# so a resource script can embed it as TYPELIB 1.  Also generates the
# header and the identifiers (<name>.h, <name>_i.c) for C++ code.
find_program(WIDL NAMES i686-w64-mingw32-widl widl)
set(SUITE_IDL_DIR ${CMAKE_SOURCE_DIR}/platform/idl)
set(SUITE_STDOLE_DIR /usr/lib/i386-linux-gnu/wine/i386-windows)
function(suite_typelib target idl)
  get_filename_component(base ${idl} NAME_WE)
  get_filename_component(idl_abs ${idl} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${base})
  add_custom_command(
    OUTPUT ${out}.tlb ${out}.h ${out}_i.c
    COMMAND ${WIDL} -m32 --win32 -I ${SUITE_IDL_DIR} -I ${CMAKE_CURRENT_SOURCE_DIR}
            -L ${SUITE_STDOLE_DIR}
            -t -o ${out}.tlb ${idl_abs}
    COMMAND ${WIDL} -m32 --win32 -I ${SUITE_IDL_DIR} -I ${CMAKE_CURRENT_SOURCE_DIR}
            -L ${SUITE_STDOLE_DIR}
            -h -o ${out}.h ${idl_abs}
    COMMAND ${WIDL} -m32 --win32 -I ${SUITE_IDL_DIR} -I ${CMAKE_CURRENT_SOURCE_DIR}
            -L ${SUITE_STDOLE_DIR}
            -u -o ${out}_i.c ${idl_abs}
    DEPENDS ${idl_abs} ${SUITE_IDL_DIR}/suite_base.idl
    COMMENT "Compiling type library ${base}.tlb"
    VERBATIM)
  target_sources(${target} PRIVATE ${out}.tlb ${out}.h ${out}_i.c)
  target_include_directories(${target} PRIVATE ${SUITE_IDL_DIR})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_source_files_properties(${out}.tlb PROPERTIES HEADER_FILE_ONLY ON)
endfunction()

# Copies data files (sounds, assets) next to the deliverables.
function(suite_copy_beside_programs target)
  foreach(f ${ARGN})
    get_filename_component(name ${f} NAME)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different
              ${CMAKE_CURRENT_SOURCE_DIR}/${f} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name}
      VERBATIM)
  endforeach()
endfunction()

# Placeholders keep every deliverable's target buildable until it is built.
set(SUITE_PLACEHOLDER_DIR ${CMAKE_SOURCE_DIR}/platform/placeholder)
function(suite_placeholder_program name)
  add_executable(${name} WIN32 ${SUITE_PLACEHOLDER_DIR}/placeholder_program.cpp)
  target_compile_definitions(${name} PRIVATE PLACEHOLDER_NAME="${name}")
endfunction()
function(suite_placeholder_server name)
  add_library(${name} SHARED ${SUITE_PLACEHOLDER_DIR}/placeholder_server.cpp
                             ${SUITE_PLACEHOLDER_DIR}/placeholder_server.def)
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_link_libraries(${name} PRIVATE ole32)
endfunction()
