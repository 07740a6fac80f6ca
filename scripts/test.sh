#!/usr/bin/env bash
# Everything the tests need on a fresh machine: packages, both builds, an X
# server and Wine, then every test through ctest under Wine. Stops what it
# started. The last line is ctest's summary.
set -Eeuo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

source "$root/scripts/wine-env.sh"
kr_prepare_all

cd "$root/build/x86_64"
ctest --output-on-failure --timeout 300 "$@"
