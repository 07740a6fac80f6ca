#!/usr/bin/env bash
# Every public header compiles on its own, as C and as C++, with the mingw-w64
# compilers of both architectures and with clang in Microsoft mode (against
# the Win32 declarations of tests/support/sdkless, no platform SDK), warnings
# as errors.
set -uo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
compilers=(
  "i686-w64-mingw32-gcc-posix -I$src/standins/krwnd"
  "x86_64-w64-mingw32-gcc-posix -I$src/standins/krwnd"
  "clang --target=i686-pc-windows-msvc -nostdlibinc -I$src/tests/support/sdkless"
  "clang --target=x86_64-pc-windows-msvc -nostdlibinc -I$src/tests/support/sdkless"
)
status=0 count=0
for header in "$src"/include/*.h; do
  for compiler in "${compilers[@]}"; do
    for language in "c -std=c11" "c++ -std=c++17"; do
      if ! out=$(echo "#include \"${header##*/}\"" |
                 $compiler -I"$src/include" -Wall -Wextra -Werror -fsyntax-only -x $language - 2>&1); then
        echo "${header##*/} as ${language%% *} with ${compiler%% *}:"
        echo "$out" | head -5
        status=1
      fi
      count=$((count + 1))
    done
  done
done
echo "$count compilations of $(ls "$src"/include/*.h | wc -l) headers"
exit $status
