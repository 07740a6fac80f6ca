#!/usr/bin/env bash
# Builds both architectures and the fuzz targets without running anything:
#   build/x86_64/krutil.dll  the DLL the tests, the demo and the benchmarks run on
#   build/i686/krutil.dll    the shipped 32-bit DLL, with its test program krutil_tests32.exe
#   build/fuzz/fuzz_*        the pure code under libFuzzer and the sanitizers (Linux, clang)
# Names given (x86_64, i686, fuzz) build only those.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=(x86_64 i686 fuzz)

for arch in "${builds[@]}"; do
  dir="$root/build/$arch"
  if [ "$arch" = fuzz ]; then
    [ -f "$dir/CMakeCache.txt" ] ||
      CXX=clang++ cmake -S "$root/tests/fuzz" -B "$dir" -G "Unix Makefiles" >/dev/null
  elif [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -G "Unix Makefiles" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  cmake --build "$dir" -j "$jobs" -- --no-print-directory
done
