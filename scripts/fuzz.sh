#!/usr/bin/env bash
# Fuzzes every target (tests/fuzz/targets.cmake) for the given seconds each
# (default 180), two at a time, from its seeds (tests/fuzz/seeds/<name>/, the
# worked examples), its corpus (tests/fuzz/corpus/<name>/) and the inputs of
# past findings (tests/fuzz/regressions/<name>/), then keeps in the corpus
# only the inputs that add coverage. Prints, per target, the inputs run and
# the time taken; an input that fails is kept in build/fuzz/findings/<name>/
# and the run ends with a failure.
#   scripts/fuzz.sh [seconds] [name...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-180}
shift || true
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  mapfile -t names < <(sed -n '/^set(KR_FUZZ_TARGETS/,/^)/{/^  /s/ //gp}' "$root/tests/fuzz/targets.cmake")
fi

"$root/scripts/build.sh" fuzz
cd "$root/build/fuzz"
mkdir -p logs

fuzz_one() {
  local name=$1 corpus=$root/tests/fuzz/corpus/$1 grown=logs/$1.grown
  local options=(-artifact_prefix="findings/$name/" -timeout=10 -print_final_stats=1)
  [ -f "$root/tests/fuzz/dict/$name.dict" ] && options+=(-dict="$root/tests/fuzz/dict/$name.dict")
  mkdir -p "findings/$name" "$corpus"
  rm -rf "$grown" && mkdir -p "$grown"
  local sources=("$corpus") dir
  for dir in "$root/tests/fuzz/seeds/$name" "$root/tests/fuzz/regressions/$name"; do
    [ -d "$dir" ] && sources+=("$dir")
  done
  local start=$SECONDS status=0
  "./fuzz_$name" "${options[@]}" -max_total_time="$seconds" "$grown" "${sources[@]}" >"logs/$name.log" 2>&1 || status=$?
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "logs/$name.log")
  printf '%-14s %12s inputs in %4d s%s\n' "$name" "${runs:-?}" $((SECONDS - start)) \
    "$([ $status -eq 0 ] || echo "  FAILED: see build/fuzz/logs/$name.log")"
  [ $status -eq 0 ] || return $status
  # Keep only what reaches new code, so the committed corpus stays small.
  local merged=logs/$name.merged
  rm -rf "$merged" && mkdir -p "$merged"
  "./fuzz_$name" -merge=1 -use_counters=0 "$merged" "$corpus" "$grown" >"logs/$name.merge.log" 2>&1
  rm -rf "$corpus" && mv "$merged" "$corpus"
}

failed=0
running=0
for name in "${names[@]}"; do
  fuzz_one "$name" &
  running=$((running + 1))
  if [ $running -ge 2 ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
done
while [ $running -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit $failed
