#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine (by hand; the tests never do).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
"$root/scripts/build.sh" >/dev/null

source "$root/scripts/wine-env.sh"
trap kr_stop_env EXIT
kr_start_env

"$KR_WINE" "$root/build/x86_64/bench_ini_numbers.exe"
