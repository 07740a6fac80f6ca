# The function names a .def exports, in the .def's order: undecorated, or
# with DECORATED as the 32-bit import library has them ("GetIniString@20",
# "MsgReport"). A configure run follows every change of the .def.
function(kr_def_export_names def out_var)
  set(name_pattern "[A-Za-z_0-9]+")
  if("DECORATED" IN_LIST ARGN)
    set(name_pattern "[A-Za-z_0-9]+(@[0-9]+)?")
  endif()
  file(STRINGS ${def} lines REGEX "^[ \t]+[A-Za-z_]")
  set(names "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*(${name_pattern}).*" "\\1" name "${line}")
    list(APPEND names ${name})
  endforeach()
  set(${out_var} ${names} PARENT_SCOPE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
endfunction()

# Writes a generated source, rewritten only when it changes, so that a
# configure run rebuilds nothing.
function(kr_write_generated path text)
  file(WRITE ${path}.new "${text}")
  configure_file(${path}.new ${path} COPYONLY)
endfunction()
