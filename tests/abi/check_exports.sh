#!/usr/bin/env bash
# Checks that each DLL exports exactly the names of the .def, undecorated
# (no "@N", no leading underscore), and imports no runtime DLL of the
# toolchain (the runtime is linked in).
# Usage: check_exports.sh krutil.def a.dll [b.dll ...]
set -u
def=$1; shift
want=$(sed -n '/^EXPORTS/,$p' "$def" | grep -v '^EXPORTS' | sed 's/;.*//' |
       awk 'NF { sub(/@.*/, "", $1); print $1 }' | sort)
status=0
for dll in "$@"; do
  if [ ! -f "$dll" ]; then echo "missing: $dll"; status=1; continue; fi
  dump=$(i686-w64-mingw32-objdump -p "$dll" 2>/dev/null || x86_64-w64-mingw32-objdump -p "$dll")
  have=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
         awk '/\[ *[0-9]+\]/ { print $NF }' | sort)
  if [ "$have" != "$want" ]; then
    echo "$dll: exports differ from $def (< expected, > actual):"
    diff <(printf '%s\n' "$want") <(printf '%s\n' "$have")
    status=1
  fi
  runtime=$(printf '%s\n' "$dump" | awk '/DLL Name:/ { print $3 }' | grep -iE 'libstdc|libgcc|winpthread' || true)
  if [ -n "$runtime" ]; then echo "$dll imports runtime DLLs: $runtime"; status=1; fi
  echo "$dll: $(printf '%s\n' "$have" | wc -l) exports, imports $(printf '%s\n' "$dump" | awk '/DLL Name:/ { print $3 }' | tr '\n' ' ')"
done
exit $status
