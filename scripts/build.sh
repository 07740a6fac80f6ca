#!/usr/bin/env bash
# Builds both architectures without running anything:
#   build/x86_64/krutil.dll  the DLL the tests, the demo and the benchmarks run on
#   build/i686/krutil.dll    the shipped 32-bit DLL, with its test program krutil_tests32.exe
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

for arch in x86_64 i686; do
  dir="$root/build/$arch"
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -G "Unix Makefiles" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  cmake --build "$dir" -j "$jobs" -- --no-print-directory
done
