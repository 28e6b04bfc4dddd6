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

# suite_typelib(<target> <idl> [REPAIR_LIBID {guid} [REPAIR version:I:M.m ...]])
# Compiles IDL to a type library with widl and adds it to <target>'s
# dependencies; the .tlb lands beside the target's other generated files,
# so a resource script can embed it as TYPELIB 1.  Also generates the
# header and the identifiers (<name>.h, <name>_i.c) for C++ code.
# REPAIR_LIBID puts back what widl 7 damages in a library holding both a
# dispinterface and a dual interface (its LIBID), with the type versions
# it cannot express (tools/typelib/repair_typelib.py).
find_program(WIDL NAMES ${MINGW_PREFIX}-widl i686-w64-mingw32-widl widl)
find_program(SUITE_PYTHON3 python3 REQUIRED)
set(SUITE_IDL_DIR ${CMAKE_SOURCE_DIR}/platform/idl)
set(SUITE_TYPELIB_REPAIR ${CMAKE_SOURCE_DIR}/tools/typelib/repair_typelib.py)
# Type libraries are made for the architecture being built: SYS_WIN32 and
# registered under "win32" on x86, SYS_WIN64 and "win64" on x64.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(SUITE_WIDL_ARCH -m64 --win64)
  set(SUITE_STDOLE_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
else()
  set(SUITE_WIDL_ARCH -m32 --win32)
  set(SUITE_STDOLE_DIR /usr/lib/i386-linux-gnu/wine/i386-windows)
  # Without 32-bit Wine (a host that cannot install it) the 64-bit
  # standard library serves: widl records an imported library by its
  # identity only, and the x86 libraries come out byte for byte the same.
  if(NOT EXISTS ${SUITE_STDOLE_DIR}/stdole2.tlb)
    set(SUITE_STDOLE_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
  endif()
endif()
function(suite_typelib target idl)
  cmake_parse_arguments(L "" "REPAIR_LIBID" "REPAIR" ${ARGN})
  get_filename_component(base ${idl} NAME_WE)
  get_filename_component(idl_abs ${idl} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${base})
  set(widl ${WIDL} ${SUITE_WIDL_ARCH} -I ${SUITE_IDL_DIR} -I ${CMAKE_CURRENT_SOURCE_DIR}
           -L ${SUITE_STDOLE_DIR})
  if(L_REPAIR_LIBID)
    set(make_tlb
      COMMAND ${widl} -t -o ${out}.widl.tlb ${idl_abs}
      COMMAND ${SUITE_PYTHON3} ${SUITE_TYPELIB_REPAIR} ${out}.widl.tlb ${out}.tlb
              ${L_REPAIR_LIBID} ${L_REPAIR})
  else()
    set(make_tlb COMMAND ${widl} -t -o ${out}.tlb ${idl_abs})
  endif()
  add_custom_command(
    OUTPUT ${out}.tlb ${out}.h ${out}_i.c
    ${make_tlb}
    COMMAND ${widl} -h -o ${out}.h ${idl_abs}
    COMMAND ${widl} -u -o ${out}_i.c ${idl_abs}
    DEPENDS ${idl_abs} ${SUITE_IDL_DIR}/suite_base.idl ${SUITE_TYPELIB_REPAIR}
    COMMENT "Compiling type library ${base}.tlb"
    VERBATIM)
  target_sources(${target} PRIVATE ${out}.tlb ${out}.h ${out}_i.c)
  target_include_directories(${target} PRIVATE ${SUITE_IDL_DIR})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_source_files_properties(${out}.tlb PROPERTIES HEADER_FILE_ONLY ON)
  # A resource script embedding the library is compiled after it is made.
  get_target_property(sources ${target} SOURCES)
  foreach(s ${sources})
    if(s MATCHES "\\.rc$")
      set_property(SOURCE ${s} APPEND PROPERTY OBJECT_DEPENDS ${out}.tlb)
    endif()
  endforeach()
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
