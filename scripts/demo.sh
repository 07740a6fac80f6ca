#!/usr/bin/env bash
# Builds what is needed and runs the demo host under Wine, in the working
# directory demo-work/ of the checkout.
set -Eeuo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

source "$root/scripts/wine-env.sh"
kr_prepare_all x86_64 i686

mkdir -p "$root/demo-work"
cd "$root/demo-work"
"$KR_WINE" "$root/build/x86_64/demo_host.exe" "$@"
