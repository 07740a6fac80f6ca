#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine (by hand; the tests never do).
set -Eeuo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

source "$root/scripts/wine-env.sh"
kr_prepare_all x86_64 i686

"$KR_WINE" "$root/build/x86_64/krbench.exe"
