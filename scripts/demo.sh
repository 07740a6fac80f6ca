#!/usr/bin/env bash
# Builds what is needed and runs the demo host under Wine, in the working
# directory demo-work/ of the checkout.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
"$root/scripts/build.sh" >/dev/null

source "$root/scripts/wine-env.sh"
trap kr_stop_env EXIT
kr_start_env

mkdir -p "$root/demo-work"
cd "$root/demo-work"
"$KR_WINE" "$root/build/x86_64/demo_host.exe" "$@"
