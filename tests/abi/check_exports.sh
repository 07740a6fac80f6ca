#!/usr/bin/env bash
# Checks that each DLL's export name table is in byte order (the loader's
# binary search needs it), that it exports exactly the names of the .def, undecorated
# (no "@N", no leading underscore), besides the members of the exported C++
# classes under their mangled names, with the virtual table and type
# information of those that have virtual members (and nothing else of
# C++), and imports no runtime DLL of the toolchain (the runtime is linked
# in).
# Usage: EXPORT_CLASSES=pattern check_exports.sh krutil.def a.dll [b.dll ...]
set -u
source "$(dirname "$0")/export_table.sh"
def=$1; shift
want=$(sed -n '/^EXPORTS/,$p' "$def" | grep -v '^EXPORTS' | sed 's/;.*//' |
       awk 'NF { sub(/@.*/, "", $1); print $1 }' | sort)
# The DLL's exported classes as mangled-name prefixes, "|"-separated;
# empty for a DLL that exports none.
classes=${EXPORT_CLASSES?set EXPORT_CLASSES to the exported classes, e.g. 9CCalCovar}
status=0
for dll in "$@"; do
  if [ ! -f "$dll" ]; then echo "missing: $dll"; status=1; continue; fi
  dump=$(i686-w64-mingw32-objdump -p "$dll" 2>/dev/null || x86_64-w64-mingw32-objdump -p "$dll")
  table=$(printf '%s\n' "$dump" | kr_export_table)
  all=$(printf '%s\n' "$table" | sort)
  # The loader looks names up by a binary search of the table as it stands.
  if [ "$table" != "$(printf '%s\n' "$table" | LC_ALL=C sort)" ]; then
    echo "$dll: the export name table is not in byte order, so lookups by name can miss:"
    diff <(printf '%s\n' "$table" | LC_ALL=C sort) <(printf '%s\n' "$table") | head -8
    status=1
  fi
  have=$(printf '%s\n' "$all" | grep -v '^_Z' || true)
  # With no classes, "^" (which cannot match inside a name) lets none through.
  stray=$(printf '%s\n' "$all" | grep '^_Z' | grep -Ev "^_Z(N?K?|T[IVS])(${classes:-^})" || true)
  if [ -n "$stray" ]; then echo "$dll exports C++ names outside the exported classes:"; echo "$stray"; status=1; fi
  if [ "$have" != "$want" ]; then
    echo "$dll: exports differ from $def (< expected, > actual):"
    diff <(printf '%s\n' "$want") <(printf '%s\n' "$have")
    status=1
  fi
  runtime=$(printf '%s\n' "$dump" | awk '/DLL Name:/ { print $3 }' | grep -iE 'libstdc|libgcc|winpthread' || true)
  if [ -n "$runtime" ]; then echo "$dll imports runtime DLLs: $runtime"; status=1; fi
  echo "$dll: $(printf '%s\n' "$have" | wc -l) C exports, $(printf '%s\n' "$all" | grep -c '^_Z') class members, imports $(printf '%s\n' "$dump" | awk '/DLL Name:/ { print $3 }' | tr '\n' ' ')"
done
exit $status
