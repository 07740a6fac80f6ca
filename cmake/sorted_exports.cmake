# The loader finds exports by a binary search of the export name table, so
# that table must be in byte order. The 32-bit linker sorts it by the .def's
# decorated names while writing the plain ones ("Name@N == Name"), which
# puts "MakeCovariances0" before "MakeCovariances"; every DLL's table is put
# in order after the link (scripts/sort_exports.py).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
function(kr_sort_exports target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/sort_exports.py $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
