#!/usr/bin/env bash
# A program built the Microsoft way against krutil.lib: tests/msvc/client.c
# compiled by clang in Microsoft mode (no platform SDK: the few Win32
# declarations the headers need come from tests/support/sdkless; no C
# runtime: -nostdlib and its own entry point), linked by lld-link. Every
# import must resolve to an undecorated export of krutil.dll. With a Wine
# loader given, the program also runs and must exit 0.
# Usage: check_msvc_client.sh <i686|x86_64> <build dir of that arch> [wine]
set -euo pipefail
arch=$1 bin=$(cd "$2" && pwd) wine=${3:-}
src=$(cd "$(dirname "$0")/../.." && pwd)
obj="$bin/msvc/client.obj" exe="$bin/msvc_client.exe"
mkdir -p "$bin/msvc"

clang --target="$arch-pc-windows-msvc" -nostdlibinc -I"$src/tests/support/sdkless" -I"$src/include" \
  -Wall -Wextra -Werror -O1 -c "$src/tests/msvc/client.c" -o "$obj"
lld-link /nologo /entry:ClientMain /subsystem:console /nodefaultlib "$obj" "$bin/krutil.lib" /out:"$exe"

source "$src/tests/abi/export_table.sh"
exports=$(x86_64-w64-mingw32-objdump -p "$bin/krutil.dll" | kr_export_table)
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n '/DLL Name: krutil.dll/,/^$/p' | awk 'NR > 2 && NF { print $NF }')
status=0
for name in $imports; do
  if ! grep -qxF "$name" <<<"$exports"; then
    echo "$arch: msvc_client.exe imports \"$name\", which krutil.dll does not export"
    status=1
  fi
done
echo "$arch: msvc_client.exe imports $(wc -w <<<"$imports") functions of krutil.dll, each by its export name"
[ $status = 0 ] || exit $status

if [ -n "$wine" ]; then
  cd "$bin"
  "$wine" "$exe" || { status=$?; echo "$arch: msvc_client.exe exited with $status (the number of its first wrong answer)"; exit 1; }
  echo "$arch: msvc_client.exe ran and got every answer right"
fi
