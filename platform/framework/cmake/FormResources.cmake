# frame_add_forms(<target> <form source>...)
# Compiles each form source into the program's resources as RCDATA named
# after its form class in upper case. A form source may name asset files
# (`Picture.Data = file "../assets/ground.bmp"`, relative to the form
# source); the build inlines their bytes as hex data on the same line, so
# line numbers in reader messages match the source.
set(FRAME_FORM_COMPILER ${CMAKE_CURRENT_LIST_DIR}/compile_form.cmake CACHE INTERNAL "form compiler script")
function(frame_add_forms target)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_forms.rc)
  set(rc_text "")
  set(compiled_all "")
  foreach(form ${ARGN})
    get_filename_component(form_abs ${form} ABSOLUTE)
    get_filename_component(form_dir ${form_abs} DIRECTORY)
    file(STRINGS ${form_abs} lines)
    set(class "")
    set(assets "")
    foreach(line IN LISTS lines)
      if(class STREQUAL "" AND line MATCHES "^[ \t]*([A-Za-z_][A-Za-z0-9_]*)[ \t]+[A-Za-z_]")
        set(class ${CMAKE_MATCH_1})
      endif()
      if(line MATCHES "file[ \t]+\"([^\"]+)\"")
        list(APPEND assets ${form_dir}/${CMAKE_MATCH_1})
      endif()
    endforeach()
    if(class STREQUAL "")
      message(FATAL_ERROR "${form}: no form class found")
    endif()
    string(TOUPPER ${class} resource)
    set(compiled ${CMAKE_CURRENT_BINARY_DIR}/forms/${resource}.form)
    add_custom_command(OUTPUT ${compiled}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${form_abs} -DOUTPUT=${compiled} -P ${FRAME_FORM_COMPILER}
      DEPENDS ${form_abs} ${assets} ${FRAME_FORM_COMPILER}
      COMMENT "Compiling form ${resource}"
      VERBATIM)
    string(APPEND rc_text "${resource} RCDATA \"${compiled}\"\n")
    list(APPEND compiled_all ${compiled})
  endforeach()
  file(GENERATE OUTPUT ${rc} CONTENT "${rc_text}")
  add_custom_target(${target}_forms DEPENDS ${compiled_all})
  add_dependencies(${target} ${target}_forms)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${compiled_all}")
endfunction()
