#!/usr/bin/env bash
# One fuzz target as a regression test: every seed (the worked examples),
# every saved corpus input and every input of a past finding runs once, then the target fuzzes for a few
# seconds from them. New inputs go to a scratch directory, never into the
# checkout; an input that fails is kept under build/fuzz/findings/<name>/.
#   run_target.sh <name> <seconds>
set -euo pipefail
name=$1 seconds=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
target=$root/build/fuzz/fuzz_$name
seeds=$root/tests/fuzz/seeds/$name
corpus=$root/tests/fuzz/corpus/$name
regressions=$root/tests/fuzz/regressions/$name
findings=$root/build/fuzz/findings/$name
dict=$root/tests/fuzz/dict/$name.dict

if [ ! -x "$target" ]; then
  echo "no fuzz target $target: scripts/build.sh builds it (clang with libclang-rt)" >&2
  exit 1
fi
mkdir -p "$findings"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
options=(-artifact_prefix="$findings/" -timeout=10 -print_final_stats=1)
[ -f "$dict" ] && options+=(-dict="$dict")
sources=()
for dir in "$seeds" "$corpus" "$regressions"; do
  [ -d "$dir" ] && sources+=("$dir")
done

# Runs the target, shows what matters of its output, and fails as it fails.
run() {
  local status=0
  "$target" "${options[@]}" "$@" >"$scratch/log" 2>&1 || status=$?
  grep -E "^(#[0-9]+ +(INITED|DONE)|stat::number_of_executed_units|stat::average)|ERROR|runtime error|invariant|case:|SUMMARY|Test unit written" \
    "$scratch/log" || true
  if [ $status -ne 0 ]; then
    echo "fuzz_$name failed ($status); its whole output:" >&2
    tail -n 60 "$scratch/log" >&2
  fi
  return $status
}

echo "== $name: replaying $(find "${sources[@]}" -type f | wc -l) saved inputs"
run -runs=0 "${sources[@]}"
echo "== $name: fuzzing for $seconds s"
mkdir "$scratch/new"
run -max_total_time="$seconds" "$scratch/new" "${sources[@]}"
