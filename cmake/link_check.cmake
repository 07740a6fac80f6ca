include(${CMAKE_CURRENT_LIST_DIR}/def_exports.cmake)

# A client of every export of a DLL, generated from its .def: it takes the
# address of each listed name through the DLL's public header, so that
# linking it against the import library proves that the names callers
# compile against resolve (on i686, the decorated "_Name@N" ones). The
# exported classes, which the .def does not list, are used by `classes`, a
# source that defines int UseClasses() ("" for a DLL that exports none);
# `headers` is a list. Linked, never run.
function(kr_add_link_check name library def headers classes)
  kr_def_export_names(${def} functions)
  set(references "")
  foreach(function IN LISTS functions)
    string(APPEND references "    reinterpret_cast<const void *>(&${function}),\n")
  endforeach()
  set(includes "")
  foreach(header IN LISTS headers)
    string(APPEND includes "#include \"${header}\"\n")
  endforeach()
  set(no_classes "")
  if(NOT classes)
    set(no_classes "int UseClasses()\n{\n  return 0;\n}\n\n")
  endif()
  set(source ${CMAKE_BINARY_DIR}/${name}.cpp)
  kr_write_generated(${source} "// Generated from ${def}.\n${includes}\nint UseClasses();\n\n${no_classes}\
int main()\n{\n  const void *volatile exports[] = {\n${references}  };\n\
  return exports[0] ? 0 : UseClasses();\n}\n")
  add_executable(${name} ${source} ${classes})
  target_link_libraries(${name} PRIVATE ${library})
endfunction()
