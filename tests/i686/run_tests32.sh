#!/usr/bin/env bash
# The 32-bit stage: the shipped DLL and its stand-ins under krutil_tests32.exe,
# then a Microsoft-built 32-bit client of krutil.lib, in the test run's own
# prefix and server (Wine's system processes there are 64-bit and native).
# Where the kernel cannot run 32-bit programs they run under user-mode
# emulation, where each process start costs most of a minute: so one test
# program.
# Usage: run_tests32.sh <build/i686> [gtest arguments]
# Exits 77 (ctest: skipped) on a machine that can run no 32-bit program.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)
shift
source "$here/../../scripts/wine-env.sh"
trap - ERR

if ! kr_runs_32bit; then
  echo "32-bit stage skipped: this machine runs no 32-bit program (neither natively nor under emulation)"
  exit 77
fi

# Tests that cannot hold here, each with its reason, so none is left out
# silently.
filter=
while read -r name reason; do
  echo "skipped on i686: $name ($reason)"
  filter+=":$name"
done < <(awk '!/^#/ && NF' "$here/skipped_tests.txt")

cd "$bin"
status=0
start=$SECONDS
WINEDLLOVERRIDES="winedbg.exe=" "$KR_WINE" krutil_tests32.exe "--gtest_filter=*${filter:+-${filter#:}}" "$@" || status=$?
echo "[32-bit tests: $((SECONDS - start)) s]"
start=$SECONDS
bash "$here/../msvc/check_msvc_client.sh" i686 "$bin" "$KR_WINE" || status=1
echo "[32-bit Microsoft-built client: $((SECONDS - start)) s]"
exit $status
