include(${CMAKE_CURRENT_LIST_DIR}/def_exports.cmake)

# A Microsoft-format import library, <target>.lib beside the DLL, for
# programs built with Microsoft tools (or clang in Microsoft mode), made by
# llvm-dlltool from the names of the DLL's .def: the .def itself, with its
# "Name@N == Name" lines for the GNU linker, is not a form those tools read.
# On i686 the library maps the decorated name such a compiler references
# ("_GetIniString@20", "_MsgReport") to the undecorated export.
find_program(KR_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14)

function(kr_add_msvc_import_lib target def)
  if(NOT KR_DLLTOOL)
    message(WARNING "llvm-dlltool not found: no ${target}.lib for Microsoft-built programs")
    return()
  endif()
  if(KRUTIL_64)
    kr_def_export_names(${def} names)
    set(machine i386:x86-64)
    set(kill_at "")
  else()
    kr_def_export_names(${def} names DECORATED)
    set(machine i386)
    set(kill_at -k) # import by the name without "@N"
  endif()
  list(JOIN names "\n    " exports)
  set(msdef ${CMAKE_BINARY_DIR}/msvc/${target}.def)
  kr_write_generated(${msdef} "LIBRARY ${target}\nEXPORTS\n    ${exports}\n")
  set(lib ${CMAKE_BINARY_DIR}/${target}.lib)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${KR_DLLTOOL} -m ${machine} ${kill_at} -d ${msdef} -l ${lib}
    DEPENDS ${msdef}
    COMMENT "Microsoft-format import library ${target}.lib")
  add_custom_target(${target}_msvc_lib ALL DEPENDS ${lib})
endfunction()
